#pragma once
// A non-owning view over a window handle: it never destroys the window it names.
#include <windows.h>

#include <string>

namespace Tarnel::WinApi {

class Window {
public:
    Window(HWND window = nullptr) : hwnd_(window) {}

    HWND Handle() const { return hwnd_; }
    operator HWND() const { return hwnd_; }
    bool IsWindow() const { return hwnd_ && ::IsWindow(hwnd_); }
    bool IsVisible() const { return hwnd_ && ::IsWindowVisible(hwnd_); }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(hwnd_, message, wParam, lParam);
    }
    BOOL Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageW(hwnd_, message, wParam, lParam);
    }

    // Both return an empty rectangle when the window cannot be asked.
    RECT ClientRect() const;
    RECT WindowRect() const;
    std::wstring ClassName() const;
    std::wstring Text() const;
    HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }

protected:
    HWND hwnd_;
};

// Destroys a window its holder owns, if it is still a window of the calling thread (one of
// another thread is that thread's to destroy); a failed destroy is fatal.
void DestroyOwnedWindow(HWND window);

inline LONG Width(const RECT& r) { return r.right - r.left; }
inline LONG Height(const RECT& r) { return r.bottom - r.top; }

} // namespace Tarnel::WinApi
