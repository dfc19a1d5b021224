// The main window's export and clipboard commands: every frame of the open file out to a
// folder, the frame on screen or the file itself to the clipboard.
#include "app/OknoHlavni.h"

#include "image/GifAnimace.h"
#include "resources/resource_export.h"
#include "soubory/PrikazExportu.h"
#include "soubory/Schranka.h"

bool OknoHlavni::ObslouzitPrikazExportu(UINT prikaz)
{
    if (prikaz != ID_ANIMACE_EXPORTOVATSNIMKY && prikaz != ID_ANIMACE_KOPIROVATSNIMEK &&
        prikaz != ID_ANIMACE_KOPIROVATSOUBOR)
        return false;
    if (!animace || !animace->HasImage()) return true;
    HRESULT vysledek = S_OK;
    switch (prikaz) {
    case ID_ANIMACE_EXPORTOVATSNIMKY:
        // The export reads the file with a model of its own; this window's may change meanwhile.
        SpustitExportSnimku(hwnd_, animace->Path(), static_cast<UINT>(animace->FrameCount()));
        return true;
    case ID_ANIMACE_KOPIROVATSNIMEK:
        vysledek = KopirovatSnimek(hwnd_, *animace, JeSnimek(snimek) ? static_cast<UINT>(snimek) : animace->ActiveFrame());
        break;
    default: vysledek = KopirovatSoubor(hwnd_, animace->Path()); break;
    }
    if (FAILED(vysledek)) OznamitChybuSchranky(hwnd_, vysledek);
    return true;
}

void OknoHlavni::PouzitStavyExportu(HMENU menu) const
{
    for (const StavPrikazuExportu& stav : StavyPrikazuExportu(AktualniPodminky().l))
        EnableMenuItem(menu, stav.prikaz, MF_BYCOMMAND | (stav.povoleno ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
}
