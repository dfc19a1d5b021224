#pragma once
// An edit control of a dialog taken over by an object of ours (WindowImpl::SubclassWindow):
// the handle while attached, null while detached, and the edit operations its derived
// classes need. It never destroys the control; the dialog does.
#include <windows.h>

#include <cstdint>

#include "winlib/WindowImpl.h"

namespace Tarnel::WinApi {

class Edit : public WindowImpl {
public:
    DWORD Styl() const { return static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)); }
    // Adds style bits the control does not have yet; a failure is fatal.
    void PridatStyl(DWORD styl);
    // Writes the number as the control's text the way the dialog manager does, through the
    // parent dialog and the control's id; false when that fails.
    bool NastavitCislo(uint32_t cislo);

protected:
    // Without behaviour of its own, everything goes on to the control.
    bool ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
};

} // namespace Tarnel::WinApi
