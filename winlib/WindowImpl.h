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
// decides whether its destructor destroys the window. A taken-over window still held when
// the object goes is let go of as ReleaseWindow does.
//
// A taken-over window keeps the procedure found beneath ours with the window itself, not
// only in the object: another party (a tooltip watching the control, say) may replace the
// procedure after us and never give it back, so ours can be stuck in the chain for the rest
// of the window's life. Ours then passes every message that no object takes to that
// procedure, so the window goes on working as it did before it was taken over.
class WindowImpl : public MessageHandler {
public:
    WindowImpl() = default;
    ~WindowImpl() override;

    // Registers the class on first use; returns null (with the last error set) on failure.
    HWND Create(const WindowClass& windowClass, HWND parent, const wchar_t* title, DWORD style, DWORD exStyle,
                const RECT& rect, HMENU menuOrId = nullptr);
    // Takes over an existing window; fails when the object is already bound, the window is
    // gone, bound to another object, or a window of one of our classes. Where our procedure
    // is still in the window's chain from an earlier object, the object takes that place
    // again instead of installing a second one.
    bool SubclassWindow(HWND window);
    // Gives the window its own procedure back, but only while ours is still the installed one;
    // returns the released window or null.
    HWND UnsubclassWindow();
    // Lets go of the window in every case: as UnsubclassWindow when ours is on top, otherwise
    // ours stays in the chain and passes everything on. Returns the window, or null when
    // none was held.
    HWND ReleaseWindow();
    bool IsSubclassed() const { return superProc_ != ::DefWindowProcW; }

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    LRESULT DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnUnbinding(HWND window) override;

private:
    static bool RegisterOnce(const WindowClass& windowClass);
    // What ours does with a message of a window that no object holds.
    static LRESULT PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    WNDPROC superProc_ = ::DefWindowProcW;
};

} // namespace Tarnel::WinApi
