#pragma once
// The one binding mechanism of the window layer. A window created by WindowImpl, a dialog
// made by DialogImpl and an existing control taken over by WindowImpl::SubclassWindow all
// end up bound to their object through the same window property, and all route their
// messages through Dispatch: the object's message map first, then the typed handlers the
// common messages are unpacked for, then reflection of child notifications (message +
// kReflectBase), then the default processing of the window.
#include <windows.h>

#include "winlib/Window.h"

namespace Tarnel::WinApi {

// Notifications a parent does not handle are sent back to their control under this offset.
constexpr UINT kReflectBase = 0x2000;

// Whether the message is one of the notification families that come back reflected, under
// kReflectBase (WM_COMMAND, WM_NOTIFY, drawing, scrolling, colour and the like).
bool IsReflectedNotification(UINT message);
// WM_CTLCOLORMSGBOX to WM_CTLCOLORSTATIC: a control asking its parent for its colours.
constexpr bool IsCtlColor(UINT message) { return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC; }

class MessageHandler : public Window {
public:
    MessageHandler() = default;
    virtual ~MessageHandler();
    MessageHandler(const MessageHandler&) = delete;
    MessageHandler& operator=(const MessageHandler&) = delete;

    // The object bound to a window by this layer, or null.
    static MessageHandler* FromHandle(HWND window);

protected:
    // The message map for what has no typed handler below: return true when the message was
    // handled, with its answer in result. It sees every message first.
    virtual bool ProcessWindowMessage(HWND /*window*/, UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                                      LRESULT& /*result*/)
    {
        return false;
    }

    // Typed handlers, each called with the message unpacked once the map has left it alone;
    // false leaves the message to reflection and default processing. WM_COMMAND:
    virtual bool OnCommand(UINT /*id*/, UINT /*code*/, HWND /*control*/) { return false; }
    // WM_NOTIFY; the header is the sender's, and some notifications are answered in it.
    virtual bool OnNotify(NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    // WM_DRAWITEM and WM_MEASUREITEM reflected to the control whose items they are, which
    // draws and measures them itself; answered TRUE when it does.
    virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
    virtual bool OnMeasureItem(MEASUREITEMSTRUCT& /*item*/) { return false; }
    // Calls the typed handler a message has; a derived layer adds the messages of its kind.
    virtual bool UnpackMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Called after WM_NCDESTROY, when the object is no longer bound; may delete the object.
    virtual void OnFinalMessage(HWND /*window*/) {}
    // Called at WM_NCDESTROY just before the binding goes, to undo what binding did.
    virtual void OnUnbinding(HWND /*window*/) {}
    // What the window does with a message nobody handled.
    virtual LRESULT DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    // Runs the default processing of the message being handled (for handlers that add to it).
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) { return DefaultProcessing(message, wParam, lParam); }

    void Bind(HWND window);
    void Unbind();
    // Handler, reflection, default processing; answers whether anything but the default ran.
    // A handler may destroy its own window: the dispatch that started it then neither reflects
    // nor runs default processing, and the final-message hook (which may delete the object)
    // runs only once the outermost dispatch on the object has unwound. After Dispatch the
    // caller must not touch the object unless FromHandle(window) still names it.
    bool Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // What a control does with a reflected notification it has no use for: the default window
    // procedure answers the message as it was before reflection. False for other messages.
    static bool DefaultReflectionHandling(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Sends a child notification back to the control that sent it.
    static bool ReflectNotification(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    bool HandleGuarded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    int dispatchDepth_ = 0;    // dispatches of this object's messages now on the stack
    bool windowGone_ = false;  // WM_NCDESTROY has been dispatched; the final hook is due
};

} // namespace Tarnel::WinApi
