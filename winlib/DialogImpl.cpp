#include "winlib/DialogImpl.h"

#include "winlib/ModalniSmycka.h"
#include "winlib/RozvrhTextu.h"

namespace Tarnel::WinApi {
namespace {

// Messages whose answer a dialog procedure returns directly instead of through DWLP_MSGRESULT.
bool AnswersDirectly(UINT message)
{
    switch (message) {
    case WM_INITDIALOG:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
    case WM_COMPAREITEM:
    case WM_QUERYDRAGICON:
        return true;
    default:
        return IsCtlColor(message);
    }
}

} // namespace

DialogImpl::~DialogImpl() { DestroyOwnedWindow(hwnd_); }

INT_PTR DialogImpl::DoModal(HWND owner)
{
    modal_ = true;
    ModalniSmycka smycka;
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner, &DialogImpl::DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

HWND DialogImpl::Create(HWND owner)
{
    modal_ = false;
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner,
                              &DialogImpl::DialogProc, reinterpret_cast<LPARAM>(this));
}

void DialogImpl::EndDialog(INT_PTR result)
{
    if (modal_)
        ::EndDialog(hwnd_, result);
    else
        ::DestroyWindow(hwnd_);
}

bool DialogImpl::UnpackMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    HWND window = hwnd_;
    if (message == WM_INITDIALOG) {
        result = OnInitDialog();
        return true;
    }
    if (MessageHandler::UnpackMessage(message, wParam, lParam, result)) return true;
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return false;
    // The command handler may have ended the dialog without saying it handled the command.
    if (FromHandle(window) != this) return false;
    if (LOWORD(wParam) == IDOK)
        OnOk();
    else if (LOWORD(wParam) == IDCANCEL)
        OnCancel();
    else
        return false;
    return true;
}

INT_PTR CALLBACK DialogImpl::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<DialogImpl*>(FromHandle(window));
    if (!self && message == WM_INITDIALOG && lParam) {
        self = reinterpret_cast<DialogImpl*>(lParam);
        self->Bind(window);
    }
    if (!self) return FALSE;

    LRESULT result = 0;
    bool handled = self->Dispatch(window, message, wParam, lParam, result);
    // A handler may have destroyed the dialog, and its final hook deleted the object.
    if (FromHandle(window) != self) return handled ? TRUE : FALSE;
    // Texts the dialog set while it initialised count as much as the template's.
    if (message == WM_INITDIALOG) PrizpusobitTextyDialogu(window);
    if (!handled) return message == WM_INITDIALOG ? TRUE : FALSE;
    if (AnswersDirectly(message)) return static_cast<INT_PTR>(result);
    SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
}

} // namespace Tarnel::WinApi
