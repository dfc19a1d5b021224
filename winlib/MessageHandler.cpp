#include "winlib/MessageHandler.h"

#include <new>

#include "winlib/Chyby.h"

namespace Tarnel::WinApi {
namespace {

const wchar_t kBindingProperty[] = L"Tarnel.WinApi.Objekt";

// The messages a parent sends back to the control they came from, under kReflectBase.
bool IsNotificationFamily(UINT message)
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
        return true;
    default:
        return IsCtlColor(message);
    }
}

// The control that sent a notification-family message, or null when it is not one.
HWND NotifyingChild(HWND parent, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NOTIFY:
        return lParam ? reinterpret_cast<NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_PARENTNOTIFY:
        return (LOWORD(wParam) == WM_CREATE || LOWORD(wParam) == WM_DESTROY) ? reinterpret_cast<HWND>(lParam) : nullptr;
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        return (item && item->CtlType != ODT_MENU) ? item->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        return (item && item->CtlType != ODT_MENU) ? GetDlgItem(parent, static_cast<int>(item->CtlID)) : nullptr;
    }
    case WM_COMPAREITEM:
        return lParam ? reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_DELETEITEM:
        return lParam ? reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    default:
        // The rest of the family (commands, scrolling, colours) name the control in lParam.
        return IsNotificationFamily(message) ? reinterpret_cast<HWND>(lParam) : nullptr;
    }
}

} // namespace

bool IsReflectedNotification(UINT message)
{
    return message >= kReflectBase && IsNotificationFamily(message - kReflectBase);
}

MessageHandler::~MessageHandler() { Unbind(); }

MessageHandler* MessageHandler::FromHandle(HWND window)
{
    return window ? static_cast<MessageHandler*>(GetPropW(window, kBindingProperty)) : nullptr;
}

void MessageHandler::Bind(HWND window)
{
    if (!SetPropW(window, kBindingProperty, this)) RaiseLastError();
    hwnd_ = window;
    windowGone_ = false;
}

void MessageHandler::Unbind()
{
    if (hwnd_ && FromHandle(hwnd_) == this) RemovePropW(hwnd_, kBindingProperty);
    hwnd_ = nullptr;
}

bool MessageHandler::ReflectNotification(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    HWND child = NotifyingChild(parent, message, wParam, lParam);
    if (!child || child == parent || !::IsWindow(child)) return false;
    // A control of ours answers through its own map, so the parent learns whether it did;
    // a plain control gets the message too and ignores it.
    if (MessageHandler* control = FromHandle(child))
        return control->HandleGuarded(child, message + kReflectBase, wParam, lParam, result);
    SendMessageW(child, message + kReflectBase, wParam, lParam);
    return false;
}

bool MessageHandler::DefaultReflectionHandling(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                              LRESULT& result)
{
    if (!IsReflectedNotification(message)) return false;
    result = ::DefWindowProcW(window, message - kReflectBase, wParam, lParam);
    return true;
}

bool MessageHandler::UnpackMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY:
        return lParam && OnNotify(*reinterpret_cast<NMHDR*>(lParam), result);
    case kReflectBase + WM_DRAWITEM:
        if (!lParam || !OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return false;
        result = TRUE;
        return true;
    case kReflectBase + WM_MEASUREITEM:
        if (!lParam || !OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return false;
        result = TRUE;
        return true;
    default:
        return false;
    }
}

bool MessageHandler::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (ProcessWindowMessage(window, message, wParam, lParam, result)) return true;
    // A map that destroyed the window may have taken the object with it: only one still bound
    // gets the message unpacked.
    return FromHandle(window) == this && UnpackMessage(message, wParam, lParam, result);
}

bool MessageHandler::HandleGuarded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // No exception may leave a window procedure: anything that gets this far is fatal.
    try {
        return HandleMessage(window, message, wParam, lParam, result);
    } catch (HRESULT hr) {
        RaiseFatal(hr ? hr : E_FAIL);
    } catch (const std::bad_alloc&) {
        RaiseFatal(E_OUTOFMEMORY);
    } catch (...) {
        RaiseFatal(E_UNEXPECTED);
    }
}

bool MessageHandler::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    ++dispatchDepth_;
    bool handled = HandleGuarded(window, message, wParam, lParam, result);
    // A handler that destroyed the window leaves nothing to reflect to or to default-process.
    if (!handled && !windowGone_) handled = ReflectNotification(window, message, wParam, lParam, result);
    if (!handled && !windowGone_) result = DefaultProcessing(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        OnUnbinding(window);
        Unbind();
        windowGone_ = true;
    }
    if (--dispatchDepth_ == 0 && windowGone_) {
        windowGone_ = false;
        OnFinalMessage(window); // the object may be gone from here on
    }
    return handled;
}

} // namespace Tarnel::WinApi
