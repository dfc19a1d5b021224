// The main window's export and clipboard commands: every frame of the open file out to a
// folder, the frame on screen or the file itself to the clipboard.
#include "app/OknoHlavni.h"

#include "soubory/PrikazExportu.h"

bool OknoHlavni::ObslouzitPrikazExportu(UINT prikaz)
{
    return ProvestPrikazExportu(prikaz, hwnd_, hwnd_, animace.get(), JeSnimek(snimek) ? snimek : -1);
}

void OknoHlavni::PouzitStavyExportu(HMENU menu) const
{
    for (const StavPrikazuExportu& stav : StavyPrikazuExportu(AktualniPodminky().l))
        EnableMenuItem(menu, stav.prikaz, MF_BYCOMMAND | (stav.povoleno ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
}
