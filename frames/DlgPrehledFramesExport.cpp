// The overview panel's export and clipboard commands, offered by a context menu on its list:
// every frame of the panel's file out to a folder, the selected frame or the file itself to
// the clipboard.
#include "frames/DlgPrehledFrames.h"

#include <windowsx.h>

#include "image/GifAnimace.h"
#include "resources/resource_export.h"
#include "soubory/PrikazExportu.h"
#include "winlib/Chyby.h"
#include "winlib/ModalniSmycka.h"
#include "winlib/Retezce.h"

using namespace Tarnel::WinApi;

namespace {

struct PolozkaMenu {
    UINT prikaz;
    UINT text;
};

const PolozkaMenu kPolozky[] = {
    {ID_ANIMACE_EXPORTOVATSNIMKY, IDS_MENU_EXPORTOVAT},
    {ID_ANIMACE_KOPIROVATSNIMEK, IDS_MENU_KOPIROVAT_SNIMEK},
    {ID_ANIMACE_KOPIROVATSOUBOR, IDS_MENU_KOPIROVAT_SOUBOR},
};

// A popup menu made here, destroyed with its holder.
class PopupMenu : private Nekopirovatelny {
public:
    PopupMenu() : menu_(CreatePopupMenu())
    {
        if (!menu_) RaiseLastError();
    }
    ~PopupMenu() { CheckWin32(DestroyMenu(menu_)); }
    HMENU Get() const { return menu_; }

private:
    HMENU menu_;
};

} // namespace

bool DlgPrehledFrames::ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != WM_CONTEXTMENU || reinterpret_cast<HWND>(wParam) != list.Handle()) return false;
    ZobrazitKontextoveMenu(lParam);
    result = 0;
    return true;
}

void DlgPrehledFrames::ZobrazitKontextoveMenu(LPARAM pozice)
{
    PopupMenu menu;
    const bool obrazek = model && model->HasImage();
    for (const StavPrikazuExportu& stav : StavyPrikazuExportu(obrazek)) {
        for (const PolozkaMenu& polozka : kPolozky) {
            if (polozka.prikaz != stav.prikaz) continue;
            CheckWin32(AppendMenuW(menu.Get(), MF_STRING | (stav.povoleno ? MF_ENABLED : MF_GRAYED), polozka.prikaz,
                                   TextZdroje(polozka.text).c_str()));
        }
    }
    POINT bod{GET_X_LPARAM(pozice), GET_Y_LPARAM(pozice)};
    if (pozice == -1) { // from the keyboard: at the list's corner
        bod = POINT{0, 0};
        ClientToScreen(list.Handle(), &bod);
    }
    SetForegroundWindow(hwnd_);
    ModalniSmycka smycka;
    CheckWin32(TrackPopupMenu(menu.Get(), TPM_RIGHTBUTTON | TPM_LEFTALIGN, bod.x, bod.y, 0, hwnd_, nullptr));
}

bool DlgPrehledFrames::ObslouzitPrikazExportu(UINT prikaz)
{
    return ProvestPrikazExportu(prikaz, hwnd_, GetParent(hwnd_), model.get(), VybranySnimek());
}
