#pragma once
// A tooltip window that shows texts over some controls of one dialog: string-table texts by
// reference, or a text of its own over a whole control. Owns its tooltip window: destroying
// the object destroys it.
#include <windows.h>

#include <string>

#include "winlib/Window.h"

namespace Tarnel::WinApi {

class ToolTip : public Window {
public:
    ToolTip() = default;
    ~ToolTip();
    ToolTip(const ToolTip&) = delete;
    ToolTip& operator=(const ToolTip&) = delete;

    // Creates the tooltip window (topmost unless another extended style is given) for the
    // dialog's controls. S_OK; S_FALSE (1) when the window exists already; a null dialog is
    // fatal (E_INVALIDARG).
    HRESULT Vytvorit(HWND dialog, DWORD rozsirenyStyl = WS_EX_TOPMOST);
    // Shows string idRetezce of the program's string table over the control. The text is a
    // reference to the resource, not a copy. Fatal when the dialog is gone (E_HANDLE).
    void PridatNastroj(HWND prvek, UINT idRetezce);
    // Shows the text over the whole client area of the control; the tooltip keeps a copy.
    void PridatText(HWND prvek, const std::wstring& text);
    // Destroys the tooltip window if it still exists; a failure is fatal.
    void Znicit();

    HWND Dialog() const { return dialog_; }

private:
    HWND dialog_ = nullptr;
};

} // namespace Tarnel::WinApi
