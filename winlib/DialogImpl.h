#pragma once
// Dialogs from resource templates, modal or modeless; the two differ only in how the dialog
// ends. OK and Cancel go to OnOk and OnCancel, which end the dialog with that identifier
// unless a dialog has more to do. Once initialised, a dialog's static texts are widened where
// their text would be cut (winlib/RozvrhTextu.h). The object owns its dialog window: deleting
// it destroys a window that still exists.
#include <windows.h>

#include "winlib/MessageHandler.h"

namespace Tarnel::WinApi {

class DialogImpl : public MessageHandler {
public:
    explicit DialogImpl(UINT templateId) : templateId_(templateId) {}
    ~DialogImpl() override;

    // Runs the dialog modally; returns its result, or -1 when it could not be created.
    INT_PTR DoModal(HWND owner);
    // Creates the dialog modelessly; returns null when it could not be created.
    HWND Create(HWND owner);
    // Modal: ends the modal loop with the result; modeless: destroys the dialog window.
    void EndDialog(INT_PTR result);
    bool IsModal() const { return modal_; }
    UINT TemplateId() const { return templateId_; }

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // WM_INITDIALOG: TRUE lets the system put the focus on the first control with a tab stop.
    virtual BOOL OnInitDialog() { return TRUE; }
    // OK and Cancel (Enter, Esc and the close box among them) that OnCommand left alone.
    virtual void OnOk() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    bool UnpackMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // Dialogs answer unhandled messages through the system's dialog procedure.
    LRESULT DefaultProcessing(UINT, WPARAM, LPARAM) override { return 0; }

private:

    UINT templateId_;
    bool modal_ = false;
};

} // namespace Tarnel::WinApi
