// The panel's keyboard: Page Down and Page Up walk through the folder of the panel's file,
// and the dialog keys move between its controls. The list's own keys (the arrows, Home, End)
// choose a frame, as a list does.
#include "frames/DlgPrehledFrames.h"

#include "frames/SousedniObrazek.h"

namespace {

// Page Down (1), Page Up (-1), or 0 for any other message.
int SmerVeSlozce(const MSG& zprava)
{
    if (zprava.message != WM_KEYDOWN) return 0;
    const bool modifikator = (GetKeyState(VK_CONTROL) & 0x8000) || (GetKeyState(VK_MENU) & 0x8000);
    if (modifikator) return 0;
    if (zprava.wParam == VK_NEXT) return 1;
    if (zprava.wParam == VK_PRIOR) return -1;
    return 0;
}

} // namespace

bool DlgPrehledFrames::PredzpracovatZpravu(MSG& zprava)
{
    if (!IsWindow() || (zprava.hwnd != hwnd_ && !::IsChild(hwnd_, zprava.hwnd))) return false;
    if (const int smer = SmerVeSlozce(zprava)) {
        OtevritSousedniSoubor(smer);
        return true;
    }
    // The loop of the thread does the dialog routing the panel, a child dialog, cannot do for
    // itself: without it Tab would not leave the list.
    return ::IsDialogMessageW(hwnd_, &zprava) != FALSE;
}

void DlgPrehledFrames::OtevritSousedniSoubor(int smer)
{
    if (path.empty()) return;
    if (const auto soused = SousedniObrazek(path, smer)) NacistSoubor(*soused);
}
