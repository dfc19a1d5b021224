#pragma once
// A tooltip window that shows string-table texts for some controls of one dialog. Owns its
// tooltip window: destroying the object destroys it.
#include <windows.h>

#include "winlib/Window.h"

namespace Tarnel::WinApi {

class ToolTip : public Window {
public:
    ToolTip() = default;
    ~ToolTip();
    ToolTip(const ToolTip&) = delete;
    ToolTip& operator=(const ToolTip&) = delete;

    // Creates the topmost tooltip window for the dialog's controls. S_OK; S_FALSE (1) when
    // the window exists already; a null dialog is fatal (E_INVALIDARG).
    HRESULT Vytvorit(HWND dialog);
    // Shows string idRetezce of the program's string table over the control. The text is a
    // reference to the resource, not a copy. Fatal when the dialog is gone (E_HANDLE).
    void PridatNastroj(HWND prvek, UINT idRetezce);
    // Destroys the tooltip window if it still exists; a failure is fatal.
    void Znicit();

    HWND Dialog() const { return dialog_; }

private:
    HWND dialog_ = nullptr;
};

} // namespace Tarnel::WinApi
