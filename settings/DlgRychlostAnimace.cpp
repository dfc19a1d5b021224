#include "settings/DlgRychlostAnimace.h"

#include "resources/resource.h"
#include "settings/Nastaveni.h"
#include "winlib/Chyby.h"
#include "winlib/Identita.h"
#include "winlib/Okno.h"
#include "winlib/Retezce.h"

using namespace Tarnel::WinApi;

DlgRychlostAnimace::DlgRychlostAnimace() : DialogImpl(IDD_RYCHLOST_ANIMACE) {}

BOOL DlgRychlostAnimace::OnInitDialog()
{
    CheckWin32(SetWindowTextW(hwnd_, NazevProgramu().c_str()));
    NastavitIkonyOkna(hwnd_);
    editRychlosti.Pripojit(Item(IDC_RYCHLOST_HODNOTA), rychlost, static_cast<int32_t>(kRychlostMin),
                           static_cast<int32_t>(kRychlostMax));
    // The template has no place of its own: a dialog opens over the window it belongs to.
    Vycentrovat(hwnd_, nullptr);
    return TRUE; // the focus goes to the speed field, the first control with a tab stop
}

void DlgRychlostAnimace::OnOk()
{
    // Confirmed with Enter, the field may still hold what it was given: no focus change
    // has put the last valid number back. Such an entry means the default speed.
    if (editRychlosti.ZiskatHodnotu(rychlost) != S_OK) rychlost = nastaveni.rychlostAnimace;
    jakoVychozi = IsDlgButtonChecked(hwnd_, IDC_RYCHLOST_TRVALE) == BST_CHECKED;
    EndDialog(IDOK);
}

