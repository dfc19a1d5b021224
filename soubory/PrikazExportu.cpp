#include "soubory/PrikazExportu.h"

#include "resources/resource_export.h"
#include "soubory/DlgExportSnimku.h"
#include "soubory/OknoPrubehuExportu.h"
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
