#include "winlib/Window.h"

#include "winlib/Chyby.h"

namespace Tarnel::WinApi {

RECT Window::ClientRect() const
{
    RECT rc{};
    if (!::GetClientRect(hwnd_, &rc)) return RECT{};
    return rc;
}

RECT Window::WindowRect() const
{
    RECT rc{};
    if (!::GetWindowRect(hwnd_, &rc)) return RECT{};
    return rc;
}

std::wstring Window::ClassName() const
{
    wchar_t name[256];
    int len = ::GetClassNameW(hwnd_, name, 256);
    return std::wstring(name, len > 0 ? len : 0);
}

std::wstring Window::Text() const
{
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(hwnd_)) + 1, L'\0');
    text.resize(::GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size())));
    return text;
}

void DestroyOwnedWindow(HWND window)
{
    if (!window || !::IsWindow(window) || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) return;
    CheckWin32(::DestroyWindow(window));
}

} // namespace Tarnel::WinApi
