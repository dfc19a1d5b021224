#pragma once
// Dialogs from resource templates, modal or modeless; the two differ only in how the dialog
// ends. An unhandled OK or Cancel ends the dialog with that identifier. Once initialised, a
// dialog's static texts are widened where their text would be cut (winlib/RozvrhTextu.h).
#include <windows.h>

#include "winlib/MessageHandler.h"

namespace Tarnel::WinApi {

class DialogImpl : public MessageHandler {
public:
    explicit DialogImpl(UINT templateId) : templateId_(templateId) {}

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
    // Dialogs answer unhandled messages through the system's dialog procedure.
    LRESULT DefaultProcessing(UINT, WPARAM, LPARAM) override { return 0; }

private:
    static bool EndsByDefault(UINT message, WPARAM wParam);

    UINT templateId_;
    bool modal_ = false;
};

} // namespace Tarnel::WinApi
