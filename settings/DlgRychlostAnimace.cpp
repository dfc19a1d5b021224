#include "settings/DlgRychlostAnimace.h"

#include "app/Aplikace.h"
#include "resources/resource.h"
#include "settings/Nastaveni.h"
#include "winlib/Chyby.h"
#include "winlib/Okno.h"

using namespace Tarnel::WinApi;

DlgRychlostAnimace::DlgRychlostAnimace() : DialogImpl(IDD_RYCHLOST_ANIMACE) {}

BOOL DlgRychlostAnimace::OnInitDialog()
{
    CheckWin32(SetWindowTextW(hwnd_, aplikace.nazevAplikace.c_str()));
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona));
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(aplikace.malaIkona));
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

