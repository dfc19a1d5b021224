#include "winlib/WindowImpl.h"

#include <utility>

namespace Tarnel::WinApi {
namespace {
// The object whose window this thread is creating: WM_NCCREATE binds the window to it.
thread_local WindowImpl* t_creating = nullptr;
} // namespace

bool WindowImpl::RegisterOnce(const WindowClass& windowClass)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{sizeof wc};
    if (GetClassInfoExW(instance, windowClass.name, &wc)) return true;
    wc = WNDCLASSEXW{sizeof wc};
    wc.style = windowClass.style;
    wc.lpfnWndProc = &WindowImpl::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = windowClass.cursor ? LoadCursorW(nullptr, windowClass.cursor) : nullptr;
    wc.hbrBackground = windowClass.background;
    wc.lpszMenuName = windowClass.menu;
    wc.lpszClassName = windowClass.name;
    return RegisterClassExW(&wc) != 0;
}

HWND WindowImpl::Create(const WindowClass& windowClass, HWND parent, const wchar_t* title, DWORD style,
                        DWORD exStyle, const RECT& rect, HMENU menuOrId)
{
    if (hwnd_) {
        SetLastError(ERROR_ALREADY_EXISTS);
        return nullptr;
    }
    if (!RegisterOnce(windowClass)) return nullptr;
    WindowImpl* outer = t_creating;
    t_creating = this;
    HWND window = CreateWindowExW(exStyle, windowClass.name, title, style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent, menuOrId,
                                  GetModuleHandleW(nullptr), nullptr);
    t_creating = outer;
    return window;
}

bool WindowImpl::SubclassWindow(HWND window)
{
    if (hwnd_ || !::IsWindow(window) || FromHandle(window)) return false;
    Bind(window);
    auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowImpl::WindowProc)));
    if (!previous) {
        Unbind();
        return false;
    }
    superProc_ = previous;
    return true;
}

HWND WindowImpl::UnsubclassWindow()
{
    HWND window = hwnd_;
    if (!window || !IsSubclassed()) return nullptr;
    auto installed = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    if (installed != &WindowImpl::WindowProc) return nullptr; // someone subclassed after us
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(superProc_));
    superProc_ = ::DefWindowProcW;
    Unbind();
    return window;
}

void WindowImpl::OnUnbinding(HWND window)
{
    if (!IsSubclassed()) return;
    auto installed = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    if (installed == &WindowImpl::WindowProc)
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(superProc_));
    superProc_ = ::DefWindowProcW;
}

LRESULT WindowImpl::DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(superProc_, hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK WindowImpl::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<WindowImpl*>(FromHandle(window));
    if (!self && message == WM_NCCREATE && t_creating) {
        self = std::exchange(t_creating, nullptr);
        self->Bind(window);
    }
    if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
    LRESULT result = 0;
    self->Dispatch(window, message, wParam, lParam, result);
    return result;
}

} // namespace Tarnel::WinApi
