#include "app/DlgKlavesoveZkratky.h"

#include "resources/resource.h"
#include "winlib/Chyby.h"
#include "winlib/Identita.h"
#include "winlib/Okno.h"
#include "winlib/Retezce.h"

using namespace Tarnel::WinApi;

namespace {

// Where the descriptions start, in dialog units: past the longest key names.
constexpr int kZarazkaPopisu = 84;

} // namespace

DlgKlavesoveZkratky::DlgKlavesoveZkratky() : DialogImpl(IDD_KLAVESY) {}

BOOL DlgKlavesoveZkratky::OnInitDialog()
{
    CheckWin32(SetWindowTextW(hwnd_, TextZdroje(IDS_KLAVESY_TITULEK, {NazevProgramu()}).c_str()));
    NastavitIkonyOkna(hwnd_);
    const HWND seznam = Item(IDC_KLAVESY_SEZNAM);
    int zarazka = kZarazkaPopisu;
    if (!::SendMessageW(seznam, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&zarazka))) RaiseLastError();
    for (UINT id = IDS_KLAVESY_PRVNI; id <= IDS_KLAVESY_POSLEDNI; ++id) {
        const LRESULT index = ::SendMessageW(seznam, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(TextZdroje(id).c_str()));
        if (index == LB_ERR || index == LB_ERRSPACE) RaiseLastError();
    }
    // Over the window it belongs to, as the program's other dialogs open.
    Vycentrovat(hwnd_, nullptr);
    // The focus on Zavřít, so that Enter closes at once; Tab reaches the list to scroll it.
    SetFocus(Item(IDOK));
    return FALSE;
}
