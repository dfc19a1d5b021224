#include "settings/DlgNastaveni.h"

#include <commctrl.h>
#include <shellapi.h>

#include "resources/resource.h"
#include "settings/Nastaveni.h"
#include "winlib/Chyby.h"
#include "winlib/Identita.h"
#include "winlib/Okno.h"
#include "winlib/Retezce.h"

using namespace Tarnel::WinApi;

DlgNastaveni* dlgNastaveni = nullptr;

DlgNastaveni::DlgNastaveni() : DialogImpl(IDD_NASTAVENI) {}

BOOL DlgNastaveni::OnInitDialog()
{
    NastavitIkonyOkna(hwnd_);
    const std::wstring titulek = TextZdroje(IDS_TITULEK_PREDVOLBY, {NazevProgramu()});
    CheckWin32(SetWindowTextW(hwnd_, titulek.c_str()));

    editKroku.Pripojit(Item(IDC_NASTAVENI_KROK), nastaveni.krokZmenyRychlosti, static_cast<int32_t>(kKrokMin),
                       static_cast<int32_t>(kKrokMax));
    editRychlosti.Pripojit(Item(IDC_NASTAVENI_RYCHLOST), nastaveni.rychlostAnimace,
                           static_cast<int32_t>(kRychlostMin), static_cast<int32_t>(kRychlostMax));

    tipOdkazu = std::make_unique<ToolTip>();
    tipOdkazu->Vytvorit(hwnd_);
    if (!tipOdkazu->IsWindow()) RaiseFatal(E_HANDLE);
    HWND odkaz = Item(IDC_NASTAVENI_ODKAZ);
    if (!odkaz) RaiseFatal(E_INVALIDARG);
    tipOdkazu->PridatNastroj(odkaz, IDS_TIP_WEB);
    // The template has no place of its own: a dialog opens over the window it belongs to.
    Vycentrovat(hwnd_, nullptr);
    return TRUE; // the focus goes to OK, the first control with a tab stop
}

void DlgNastaveni::OnOk()
{
    Ulozit();
    EndDialog(IDOK);
}

void DlgNastaveni::Ulozit()
{
    // An entry that is no valid number keeps its setting; the other one is still taken, and
    // both are written whether they changed or not.
    uint32_t hodnota = 0;
    if (editKroku.ZiskatHodnotu(hodnota) == S_OK) nastaveni.krokZmenyRychlosti = hodnota;
    if (editRychlosti.ZiskatHodnotu(hodnota) == S_OK) nastaveni.rychlostAnimace = hodnota;
    // A registry that refuses the values leaves them in force for this run, without a word.
    UlozitNastaveni(nastaveni);
}

bool DlgNastaveni::OnNotify(NMHDR& hlavicka, LRESULT& result)
{
    // Enter on the focused link means the same as a click.
    if (hlavicka.idFrom != IDC_NASTAVENI_ODKAZ) return false;
    if (hlavicka.code != static_cast<UINT>(NM_CLICK) && hlavicka.code != static_cast<UINT>(NM_RETURN)) return false;
    OtevritAdresu(ANIMORA_WEB_URL, SW_SHOWMAXIMIZED);
    result = 0;
    return true;
}

void DlgNastaveni::OtevritAdresu(const wchar_t* adresa, int zobrazeni)
{
    ShellExecuteW(hwnd_, L"open", adresa, nullptr, nullptr, zobrazeni);
}
