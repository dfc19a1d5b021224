#pragma once
// Windows of our own classes, and existing controls taken over by replacing their window
// procedure. Both route every message through the object's message map.
#include <windows.h>

#include "winlib/MessageHandler.h"

namespace Tarnel::WinApi {

// What a window class is registered with the first time a window of it is created.
struct WindowClass {
    const wchar_t* name;
    UINT style = 0;
    const wchar_t* cursor = IDC_ARROW; // a system cursor
    HBRUSH background = nullptr;       // a brush or COLOR_xxx + 1
    const wchar_t* menu = nullptr;     // MAKEINTRESOURCEW of a menu resource
};

// The object owns its window only in the sense that it is bound to it: the derived class
// decides whether its destructor destroys the window.
class WindowImpl : public MessageHandler {
public:
    // Registers the class on first use; returns null (with the last error set) on failure.
    HWND Create(const WindowClass& windowClass, HWND parent, const wchar_t* title, DWORD style, DWORD exStyle,
                const RECT& rect, HMENU menuOrId = nullptr);
    // Takes over an existing window; fails when the object is already bound or the window is gone.
    bool SubclassWindow(HWND window);
    // Gives the window its own procedure back, but only while ours is still the installed one;
    // returns the released window or null.
    HWND UnsubclassWindow();
    bool IsSubclassed() const { return superProc_ != ::DefWindowProcW; }

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    LRESULT DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnUnbinding(HWND window) override;

private:
    static bool RegisterOnce(const WindowClass& windowClass);
    WNDPROC superProc_ = ::DefWindowProcW;
};

} // namespace Tarnel::WinApi
