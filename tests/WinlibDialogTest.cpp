// Dialogs from a test template, modal and modeless, and what an exception escaping a
// message handler does: end the process through the fatal report.
#include <gtest/gtest.h>

#include <new>

#include "tests/PomocnikK1.h"
#include "tests/winlib_test_resource.h"
#include "winlib/DialogImpl.h"
#include "winlib/Handles.h"
#include "winlib/WindowImpl.h"

using PomocnikK1::Obsluha;
using Tarnel::WinApi::DialogImpl;
using Tarnel::WinApi::kReflectBase;
using Tarnel::WinApi::MessageHandler;
using Tarnel::WinApi::WindowImpl;

namespace {

constexpr UINT_PTR kGuardTimer = 9999;

class TestDialog : public PomocnikK1::Zaznamnik<DialogImpl> {
public:
    explicit TestDialog(UINT templateId = IDD_WINLIB_TEST) : Zaznamnik(templateId) {}

    bool finalRan = false;
    bool unboundAtFinal = false;

protected:
    bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        // A dialog that fails to end must fail the test, not hang it.
        if (message == WM_INITDIALOG) SetTimer(window, kGuardTimer, 5000, nullptr);
        if (message == WM_TIMER && wParam == kGuardTimer) ::EndDialog(window, -2);
        return Zaznamnik::ProcessWindowMessage(window, message, wParam, lParam, result);
    }
    void OnFinalMessage(HWND window) override
    {
        finalRan = true;
        unboundAtFinal = FromHandle(window) == nullptr && Handle() == nullptr;
    }
};

// A control of the dialog taken over by an object of ours.
using ControlObject = PomocnikK1::Zaznamnik<WindowImpl>;

void PostClick(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

TEST(WinlibDialog, ModalDialogEndsWithAnUnhandledOkOrCancelOrTheEscapeKey)
{
    for (int id : {IDOK, IDCANCEL, 0}) { // 0: Escape pressed
        SCOPED_TRACE(id);
        TestDialog dialog;
        dialog.handler = [id](HWND window, UINT message, WPARAM, LPARAM, LRESULT&) {
            if (message == WM_INITDIALOG && id) PostClick(window, id);
            if (message == WM_INITDIALOG && !id) PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
            return false;
        };
        EXPECT_EQ(id ? id : IDCANCEL, dialog.DoModal(nullptr));
        EXPECT_TRUE(dialog.IsModal());
        EXPECT_TRUE(dialog.Saw(WM_INITDIALOG));
        EXPECT_TRUE(dialog.Saw(WM_COMMAND));
        EXPECT_TRUE(dialog.finalRan) << "the dialog window is gone afterwards";
        EXPECT_TRUE(dialog.unboundAtFinal);
        EXPECT_EQ(nullptr, dialog.Handle());
    }
}

TEST(WinlibDialog, HandledOkDoesNotEndTheDialogAndAHandlerEndsItWithItsOwnResult)
{
    TestDialog dialog;
    HWND ownerSeen = nullptr;
    int okSeen = 0;
    Tarnel::WinApi::Window owner(CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                                 nullptr, GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(owner.IsWindow());
    dialog.handler = [&](HWND window, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
        if (message == WM_INITDIALOG) {
            ownerSeen = GetWindow(window, GW_OWNER);
            PostClick(window, IDOK);
        }
        if (message != WM_COMMAND) return false;
        if (LOWORD(wParam) == IDOK) {
            ++okSeen;
            PostClick(window, IDC_WINLIB_TLACITKO);
        }
        if (LOWORD(wParam) == IDC_WINLIB_TLACITKO) dialog.EndDialog(42);
        return LOWORD(wParam) == IDOK || LOWORD(wParam) == IDC_WINLIB_TLACITKO;
    };
    EXPECT_EQ(42, dialog.DoModal(owner));
    EXPECT_EQ(owner.Handle(), ownerSeen);
    EXPECT_EQ(1, okSeen);
    DestroyWindow(owner);
}

TEST(WinlibDialog, MissingTemplateFailsBothWays)
{
    TestDialog dialog(9099);
    EXPECT_EQ(-1, dialog.DoModal(nullptr));
    EXPECT_EQ(nullptr, dialog.Create(nullptr));
    EXPECT_EQ(nullptr, dialog.Handle());
}

TEST(WinlibDialog, ModelessDialogAnswersDirectlyOrThroughItsResultSlotAndReflects)
{
    Tarnel::WinApi::Brush dialogBrush(CreateSolidBrush(RGB(1, 2, 3)));
    Tarnel::WinApi::Brush labelBrush(CreateSolidBrush(RGB(4, 5, 6)));
    TestDialog dialog;
    dialog.handler = [&](HWND, UINT message, WPARAM, LPARAM, LRESULT& result) {
        if (message == WM_APP + 3) result = 1234;
        else if (message == WM_CTLCOLORDLG) result = reinterpret_cast<LRESULT>(dialogBrush.Get());
        else return false;
        return true;
    };
    HWND window = dialog.Create(nullptr);
    ASSERT_NE(nullptr, window);
    EXPECT_FALSE(dialog.IsModal());
    EXPECT_EQ(&dialog, MessageHandler::FromHandle(window));
    EXPECT_EQ(1234, SendMessageW(window, WM_APP + 3, 0, 0));

    HDC screen = GetDC(nullptr);
    const auto dc = reinterpret_cast<WPARAM>(screen);
    EXPECT_EQ(reinterpret_cast<LRESULT>(dialogBrush.Get()),
              SendMessageW(window, WM_CTLCOLORDLG, dc, reinterpret_cast<LPARAM>(window)));

    ControlObject label;
    ASSERT_TRUE(label.SubclassWindow(GetDlgItem(window, IDC_WINLIB_POPISEK)));
    label.handler = [&](HWND, UINT message, WPARAM, LPARAM, LRESULT& result) {
        if (message != kReflectBase + WM_CTLCOLORSTATIC) return false;
        result = reinterpret_cast<LRESULT>(labelBrush.Get());
        return true;
    };
    EXPECT_EQ(reinterpret_cast<LRESULT>(labelBrush.Get()),
              SendMessageW(window, WM_CTLCOLORSTATIC, dc, reinterpret_cast<LPARAM>(label.Handle())));
    ReleaseDC(nullptr, screen);

    // A button's click answered by the button itself does not reach the dialog's default.
    ControlObject button;
    int buttonClicks = 0;
    ASSERT_TRUE(button.SubclassWindow(GetDlgItem(window, IDC_WINLIB_TLACITKO)));
    button.handler = [&](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
        if (message != kReflectBase + WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return false;
        ++buttonClicks;
        return true;
    };
    SendMessageW(button.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(1, buttonClicks);
    EXPECT_TRUE(IsWindow(window));
}

TEST(WinlibDialog, EndingAModelessDialogDestroysIt)
{
    for (const int id : {IDOK, IDC_WINLIB_TLACITKO}) {
        SCOPED_TRACE(id == IDOK ? "unhandled OK" : "EndDialog from a handler");
        TestDialog dialog;
        dialog.handler = [&dialog](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
            if (message != WM_COMMAND || LOWORD(wParam) != IDC_WINLIB_TLACITKO) return false;
            dialog.EndDialog(42);
            return true;
        };
        HWND window = dialog.Create(nullptr);
        ASSERT_NE(nullptr, window);
        SendMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0);
        EXPECT_FALSE(IsWindow(window));
        EXPECT_TRUE(dialog.finalRan);
        EXPECT_TRUE(dialog.unboundAtFinal);
        EXPECT_EQ(nullptr, dialog.Handle());
    }
}

// Sends a message to a window (or a modeless dialog) whose handler throws.
void ThrowFromHandler(void (*thrower)(), HRESULT expected, bool inDialog)
{
    PomocnikK1::OcekavaneHlaseni hook(PomocnikK1::SystemText(expected));
    Obsluha throwing = [thrower](HWND, UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == WM_APP) thrower();
        return false;
    };
    TestDialog dialog;
    ControlObject window;
    HWND target = nullptr;
    if (inDialog) {
        dialog.handler = throwing;
        target = dialog.Create(nullptr);
    } else {
        window.handler = throwing;
        target = window.Create(Tarnel::WinApi::WindowClass{L"WinlibTestThrowing"}, nullptr, L"", WS_OVERLAPPEDWINDOW, 0,
                               RECT{0, 0, 100, 100});
    }
    if (target) SendMessageW(target, WM_APP, 0, 0);
    fputs("the process survived\n", stderr);
}

TEST(WinlibDeathTest, ExceptionFromAHandlerEndsTheProcessThroughTheFatalReport)
{
    const auto exitedFatally = testing::ExitedWithCode(-1);
    const char* const expectedText = PomocnikK1::OcekavaneHlaseni::kOcekavany;
    EXPECT_EXIT(ThrowFromHandler([] { throw HRESULT(E_ACCESSDENIED); }, E_ACCESSDENIED, false), exitedFatally,
                expectedText);
    EXPECT_EXIT(ThrowFromHandler([] { throw HRESULT(0); }, E_FAIL, false), exitedFatally, expectedText);
    EXPECT_EXIT(ThrowFromHandler([] { throw std::bad_alloc(); }, E_OUTOFMEMORY, false), exitedFatally, expectedText);
    EXPECT_EXIT(ThrowFromHandler([] { throw 42; }, E_UNEXPECTED, false), exitedFatally, expectedText);
    EXPECT_EXIT(ThrowFromHandler([] { throw HRESULT(E_HANDLE); }, E_HANDLE, true), exitedFatally, expectedText);
}

} // namespace
