// Windows whose handlers run modal loops: a close request that arrives meanwhile ends the
// loops and waits for the handler to return, and a handler that destroys its own window is
// not followed by default processing on a dead object.
#include <gtest/gtest.h>

#include <functional>

#include "tests/PrazdnaOkna.h"
#include "tests/TestSupport.h"
#include "tests/winlib_test_resource.h"
#include "winlib/DialogImpl.h"
#include "winlib/ModalniSmycka.h"
#include "winlib/WindowImpl.h"

using namespace Tarnel::WinApi;

namespace {

constexpr UINT WM_SPUSTIT_SMYCKU = WM_APP + 20;

// Closes like the program's windows do: a close during a modal loop waits for it. Its
// WM_SPUSTIT_SMYCKU handler runs whatever loop the test gives and records what it finds after.
class HostWindow : public PrazdneOkno {
public:
    std::function<INT_PTR(HWND)> loop;
    INT_PTR loopResult = -100;
    bool aliveAfterLoop = false;
    int closesSeen = 0;
    int closesCarriedOut = 0;

protected:
    bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        result = 0;
        if (message == WM_SPUSTIT_SMYCKU) {
            loopResult = loop(window);
            aliveAfterLoop = ::IsWindow(window) && FromHandle(window) == this;
            return true;
        }
        if (message == WM_CLOSE) {
            ++closesSeen;
            if (ModalniSmycka::OdlozitZavreni(window, wParam, lParam)) return true;
            ++closesCarriedOut;
            return false; // the default processing destroys the window
        }
        return false;
    }
};

class WinlibModalLoops : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, host.Vytvorit(L"WinlibModalHost", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{40, 40, 440, 340}));
    }

    // Posts a close first, so that the loop the handler starts is what dispatches it.
    void RunLoopWithCloseQueued()
    {
        ASSERT_TRUE(PostMessageW(host, WM_CLOSE, 0, 0));
        SendMessageW(host, WM_SPUSTIT_SMYCKU, 0, 0);
    }
    // The window outlived the handler that ran the loop, and the deferred close ends it then.
    void ExpectClosedAfterTheLoop()
    {
        EXPECT_TRUE(host.aliveAfterLoop);
        const HWND window = host.Handle();
        TestSupport::PumpMessages();
        EXPECT_FALSE(IsWindow(window));
    }

    HostWindow host;
};

TEST_F(WinlibModalLoops, CloseDuringADialogCancelsItAndRunsAfterTheHandler)
{
    host.loop = [](HWND owner) {
        PrazdnyDialog dialog(IDD_WINLIB_TEST);
        return dialog.DoModal(owner);
    };
    RunLoopWithCloseQueued();
    EXPECT_EQ(IDCANCEL, host.loopResult) << "the dialog was asked to end";
    EXPECT_EQ(1, host.closesSeen);
    EXPECT_EQ(0, host.closesCarriedOut);
    EXPECT_FALSE(ModalniSmycka::Bezi());
    ExpectClosedAfterTheLoop();
    EXPECT_EQ(1, host.closesCarriedOut) << "the deferred close is carried out once";
}

TEST_F(WinlibModalLoops, YesNoBoxOverADialogIsAnsweredNoInnermostFirst)
{
    // A question box over a dialog over the window, as a save dialog's overwrite prompt is.
    struct AskingDialog : PrazdnyDialog {
        AskingDialog() : PrazdnyDialog(IDD_WINLIB_TEST) {}
        int answer = 0;
        bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM, LRESULT&) override
        {
            if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
                ModalniSmycka smycka;
                answer = MessageBoxW(window, L"Přepsat?", L"otázka", MB_YESNO);
                return false; // OK then ends the dialog as usual
            }
            return false;
        }
    };
    AskingDialog dialog;
    host.loop = [&dialog](HWND owner) {
        HWND ownerOfBox = owner;
        // Press OK as soon as the dialog is up; the close comes while its question is shown.
        SetTimer(ownerOfBox, 77, 10, [](HWND w, UINT, UINT_PTR id, DWORD) {
            KillTimer(w, id);
            HWND d = FindWindowW(L"#32770", L"Winlib test");
            if (d) PostMessageW(d, WM_COMMAND, IDOK, 0);
        });
        return dialog.DoModal(owner);
    };
    SetTimer(host, 78, 60, [](HWND w, UINT, UINT_PTR id, DWORD) {
        KillTimer(w, id);
        PostMessageW(w, WM_CLOSE, 0, 0);
    });
    SendMessageW(host, WM_SPUSTIT_SMYCKU, 0, 0);
    EXPECT_EQ(IDNO, dialog.answer) << "a box without Cancel is answered No";
    ExpectClosedAfterTheLoop();
}

TEST_F(WinlibModalLoops, CloseDuringATrackedMenuEndsTheMenu)
{
    host.loop = [](HWND owner) -> INT_PTR {
        HMENU menu = CreatePopupMenu();
        AppendMenuW(menu, MF_STRING, 100, L"položka");
        SetForegroundWindow(owner);
        ModalniSmycka smycka;
        const BOOL tracked = TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD, 100, 100, 0, owner, nullptr);
        DestroyMenu(menu);
        return tracked;
    };
    RunLoopWithCloseQueued();
    EXPECT_EQ(0, host.loopResult) << "the menu ended without a choice";
    ExpectClosedAfterTheLoop();
}

TEST_F(WinlibModalLoops, WithoutALoopTheCloseIsNotDeferred)
{
    EXPECT_FALSE(ModalniSmycka::Bezi());
    EXPECT_FALSE(ModalniSmycka::OdlozitZavreni(host, 0, 0));
    {
        ModalniSmycka outer;
        {
            ModalniSmycka inner;
            EXPECT_TRUE(ModalniSmycka::Bezi());
        }
        EXPECT_TRUE(ModalniSmycka::Bezi()) << "nested loops count";
    }
    EXPECT_FALSE(ModalniSmycka::Bezi());
    SendMessageW(host, WM_CLOSE, 0, 0);
    EXPECT_EQ(1, host.closesCarriedOut);
}

// Destroys its own window from inside a handler that leaves the message unhandled, and
// deletes itself at the final message; every later call into the object would be on freed
// memory, so the calls are counted in storage that outlives it.
class SelfDestroying : public WindowImpl {
public:
    struct Log {
        int defaultAfterDestroy = 0;
        bool finalRan = false;
        bool deleted = false;
    };
    explicit SelfDestroying(Log& log) : log_(log) {}
    ~SelfDestroying() override { log_.deleted = true; }
    HWND CreateTopLevel()
    {
        return Create(WindowClass{L"WinlibSelfDestroying"}, nullptr, L"x", WS_OVERLAPPEDWINDOW, 0, RECT{0, 0, 100, 100});
    }

protected:
    bool ProcessWindowMessage(HWND window, UINT message, WPARAM, LPARAM, LRESULT&) override
    {
        if (message == WM_APP + 21) {
            ::DestroyWindow(window);
            destroyed_ = true;
        }
        return false;
    }
    LRESULT DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (destroyed_ && message == WM_APP + 21) ++log_.defaultAfterDestroy;
        return WindowImpl::DefaultProcessing(message, wParam, lParam);
    }
    void OnFinalMessage(HWND) override
    {
        log_.finalRan = true;
        delete this;
    }

private:
    Log& log_;
    bool destroyed_ = false;
};

TEST(WinlibDispatch, HandlerThatDestroysItsWindowGetsNoDefaultProcessingAfterwards)
{
    SelfDestroying::Log log;
    auto* window = new SelfDestroying(log);
    HWND hwnd = window->CreateTopLevel();
    ASSERT_NE(nullptr, hwnd);
    SendMessageW(hwnd, WM_APP + 21, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(log.finalRan);
    EXPECT_TRUE(log.deleted) << "the final hook ran once the handler had returned";
    EXPECT_EQ(0, log.defaultAfterDestroy);
}

} // namespace
