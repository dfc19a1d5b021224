#include "winlib/WindowImpl.h"

#include <utility>

#include "winlib/Dpi.h"

namespace Tarnel::WinApi {
namespace {
// The object whose window this thread is creating: WM_NCCREATE binds the window to it.
thread_local WindowImpl* t_creating = nullptr;

// Window property of a taken-over window: the procedure that was installed beneath ours.
const wchar_t kProcedureBeneath[] = L"Tarnel.WinApi.PredchoziProcedura";

WNDPROC ProcedureBeneath(HWND window)
{
    return reinterpret_cast<WNDPROC>(GetPropW(window, kProcedureBeneath));
}

WNDPROC InstalledProcedure(HWND window)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
}

void InstallProcedure(HWND window, WNDPROC procedure)
{
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
}
} // namespace

WindowImpl::~WindowImpl() { ReleaseWindow(); }

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
    // Stacking a second procedure of ours over one still in the chain would hand every
    // message to the object twice: the object takes the place the earlier one left.
    if (WNDPROC beneath = ProcedureBeneath(window)) {
        Bind(window);
        superProc_ = beneath;
        return true;
    }
    // A window of one of our classes whose object has gone: ours is its class procedure.
    if (InstalledProcedure(window) == &WindowImpl::WindowProc) return false;

    Bind(window);
    auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowImpl::WindowProc)));
    if (!previous) {
        Unbind();
        return false;
    }
    if (!SetPropW(window, kProcedureBeneath, reinterpret_cast<HANDLE>(previous))) {
        InstallProcedure(window, previous);
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
    if (InstalledProcedure(window) != &WindowImpl::WindowProc) return nullptr; // someone subclassed after us
    InstallProcedure(window, superProc_);
    RemovePropW(window, kProcedureBeneath);
    superProc_ = ::DefWindowProcW;
    Unbind();
    return window;
}

HWND WindowImpl::ReleaseWindow()
{
    if (HWND window = UnsubclassWindow()) return window;
    // Ours stays in the chain where it cannot be taken out; the window's property keeps what
    // it passes messages to.
    HWND window = hwnd_;
    superProc_ = ::DefWindowProcW;
    Unbind();
    return window;
}

void WindowImpl::OnUnbinding(HWND window)
{
    if (!IsSubclassed()) return;
    if (InstalledProcedure(window) == &WindowImpl::WindowProc) InstallProcedure(window, superProc_);
    RemovePropW(window, kProcedureBeneath);
    superProc_ = ::DefWindowProcW;
}

LRESULT WindowImpl::DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(superProc_, hwnd_, message, wParam, lParam);
}

LRESULT WindowImpl::PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC beneath = ProcedureBeneath(window);
    if (!beneath) return ::DefWindowProcW(window, message, wParam, lParam);
    // No object holds this window any more, but ours is still in its chain.
    const LRESULT result = CallWindowProcW(beneath, window, message, wParam, lParam);
    if (message == WM_NCDESTROY) RemovePropW(window, kProcedureBeneath);
    return result;
}

LRESULT CALLBACK WindowImpl::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<WindowImpl*>(FromHandle(window));
    if (!self && message == WM_NCCREATE && t_creating) {
        self = std::exchange(t_creating, nullptr);
        self->Bind(window);
        // The frame of a top-level window follows its DPI only when asked for at this point.
        const auto* vytvoreni = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if (vytvoreni && !(vytvoreni->style & WS_CHILD)) PovolitSkalovaniRamu(window);
    }
    if (!self) return PassOn(window, message, wParam, lParam);
    LRESULT result = 0;
    self->Dispatch(window, message, wParam, lParam, result);
    return result;
}

} // namespace Tarnel::WinApi
