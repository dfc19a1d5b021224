#include "soubory/PrikazExportu.h"

#include "image/GifAnimace.h"
#include "resources/resource_export.h"
#include "soubory/DlgExportSnimku.h"
#include "soubory/OknoPrubehuExportu.h"
#include "soubory/Schranka.h"
#include "winlib/Chyby.h"
#include "winlib/Identita.h"
#include "winlib/ModalniSmycka.h"

using namespace Tarnel::WinApi;

namespace {

bool SmiPrepsat(HWND vlastnik, UINT existujicich)
{
    const std::wstring otazka = OtazkaPrepsani(existujicich);
    ModalniSmycka smycka;
    return MessageBoxW(vlastnik, otazka.c_str(), NazevProgramu().c_str(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) ==
           IDYES;
}

} // namespace

bool ProvestPrikazExportu(UINT prikaz, HWND okno, HWND vlastnikExportu, GifAnimace* model, int snimek)
{
    if (prikaz != ID_ANIMACE_EXPORTOVATSNIMKY && prikaz != ID_ANIMACE_KOPIROVATSNIMEK &&
        prikaz != ID_ANIMACE_KOPIROVATSOUBOR)
        return false;
    if (!model || !model->HasImage()) return true;
    HRESULT vysledek = S_OK;
    switch (prikaz) {
    case ID_ANIMACE_EXPORTOVATSNIMKY:
        // The export reads the file with a model of its own; the window's may change meanwhile.
        SpustitExportSnimku(vlastnikExportu, model->Path(), static_cast<UINT>(model->FrameCount()));
        return true;
    case ID_ANIMACE_KOPIROVATSNIMEK:
        vysledek = KopirovatSnimek(okno, *model, snimek >= 0 ? static_cast<UINT>(snimek) : model->ActiveFrame());
        break;
    default: vysledek = KopirovatSoubor(okno, model->Path()); break;
    }
    if (FAILED(vysledek)) OznamitChybuSchranky(okno, vysledek);
    return true;
}

UINT PocetExistujicich(const std::vector<std::wstring>& soubory)
{
    UINT pocet = 0;
    for (const std::wstring& soubor : soubory)
        if (GetFileAttributesW(soubor.c_str()) != INVALID_FILE_ATTRIBUTES) ++pocet;
    return pocet;
}

HWND SpustitExportSnimku(HWND vlastnik, const std::wstring& soubor, UINT pocetSnimku)
{
    // A second loop over one that runs already would outlive the first one's handler.
    if (soubor.empty() || ModalniSmycka::Bezi()) return nullptr;
    DlgExportSnimku dialog(soubor, pocetSnimku);
    const INT_PTR vysledek = dialog.DoModal(vlastnik);
    if (vysledek == -1) RaiseLastError();
    if (vysledek != IDOK || !::IsWindow(vlastnik)) return nullptr;
    const ZadaniExportu& zadani = dialog.Zadani();
    const UINT existujicich = PocetExistujicich(CileExportu(zadani));
    if (existujicich > 0 && (!SmiPrepsat(vlastnik, existujicich) || !::IsWindow(vlastnik))) return nullptr;
    return OknoPrubehuExportu::Spustit(vlastnik, zadani);
}

std::vector<StavPrikazuExportu> StavyPrikazuExportu(bool obrazekZobrazen)
{
    return {{ID_ANIMACE_EXPORTOVATSNIMKY, obrazekZobrazen},
            {ID_ANIMACE_KOPIROVATSNIMEK, obrazekZobrazen},
            {ID_ANIMACE_KOPIROVATSOUBOR, obrazekZobrazen}};
}
