// The fatal report for real: a child process raises, the test finds its message box, reads
// it, dismisses it and checks how the child ended.
#include <gtest/gtest.h>

#include <shlwapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/ChildModes.h"
#include "tests/TestSupport.h"
#include "winlib/Chyby.h"

namespace {

constexpr DWORD kExitFatal = 0xFFFFFFFF;
constexpr int kMessageBoxTextId = 0xFFFF;

std::vector<HWND> TopLevelWindowsOf(DWORD processId)
{
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId) s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[256] = L"";
    GetClassNameW(window, name, 256);
    return name;
}

// The child's visible dialog-class window, once it shows.
HWND WaitForMessageBox(const ChildProcess& child, DWORD timeoutMs)
{
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    do {
        for (HWND window : TopLevelWindowsOf(child.id))
            if (IsWindowVisible(window) && ClassOf(window) == L"#32770") return window;
        Sleep(20);
    } while (GetTickCount64() < end && WaitForSingleObject(child.process, 0) == WAIT_TIMEOUT);
    return nullptr;
}

std::wstring TextOf(HWND window)
{
    std::vector<wchar_t> text(8192, L'\0');
    GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return text.data();
}

std::wstring OwnFileName() { return PathFindFileNameW(TestSupport::ExecutablePath().c_str()); }

std::wstring ExpectedMessage(const wchar_t* failureText)
{
    return L"Došlo k významné chybě!\n\n" + std::wstring(failureText) + L"\n\nAplikace \"" + OwnFileName() +
           L"\" bude ukončena.";
}

std::wstring SystemTextOf(HRESULT hr)
{
    Tarnel::WinApi::ErrorInfo info(hr);
    return info.ErrorText();
}

// Starts the child, checks its box against the expected failure text, presses OK and
// answers the child's exit code.
DWORD RunAndDismiss(const std::wstring& mode, const std::wstring& argument, const std::wstring& failureText)
{
    ChildProcess child;
    EXPECT_TRUE(StartChild(mode, argument, child));
    HWND box = WaitForMessageBox(child, 15000);
    EXPECT_NE(nullptr, box) << "no message box from the child";
    if (!box) return child.WaitForExit(0);

    EXPECT_EQ(OwnFileName(), TextOf(box)) << "caption";
    EXPECT_EQ(ExpectedMessage(failureText.c_str()), TextOf(GetDlgItem(box, kMessageBoxTextId)));
    EXPECT_EQ(nullptr, GetWindow(box, GW_OWNER)) << "the box has no owner window";
    HWND ok = GetDlgItem(box, IDOK);
    EXPECT_NE(nullptr, ok) << "an OK button";
    EXPECT_EQ(nullptr, GetDlgItem(box, IDCANCEL)) << "and nothing to cancel with";
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(child.process, 0)) << "the child waits for the user";

    PostMessageW(ok, BM_CLICK, 0, 0);
    return child.WaitForExit(15000);
}

TEST(ChybyFatalReport, Win32CodeIsShownWithItsSystemTextAndEndsTheProcess)
{
    const std::wstring text = SystemTextOf(static_cast<HRESULT>(0x80070005));
    ASSERT_EQ(std::wstring::npos, text.find(L'\n'));
    EXPECT_EQ(kExitFatal, RunAndDismiss(L"raise-fatal", L"80070005", text));
    EXPECT_EQ(kExitFatal, RunAndDismiss(L"raise-last-error", L"5", text)) << "last error 5 is the same failure";
}

TEST(ChybyFatalReport, LastErrorZeroIsReportedAsEFail)
{
    EXPECT_EQ(kExitFatal, RunAndDismiss(L"raise-last-error", L"0", SystemTextOf(E_FAIL)));
}

TEST(ChybyFatalReport, CodeWithoutSystemTextShowsTheFallback)
{
    EXPECT_EQ(kExitFatal, RunAndDismiss(L"raise-fatal", L"80040205", L"IDispatch error #5"));
    EXPECT_EQ(kExitFatal, RunAndDismiss(L"raise-fatal", L"A0001234", L"Unknown error 0xA0001234"));
}

TEST(ChybyFatalReport, ReportNeedsNoHeapWhenMemoryHasRunOut)
{
    // An allocation on the way to the box would end the child in terminate (exit code 3).
    EXPECT_EQ(kExitFatal, RunAndDismiss(L"raise-fatal-out-of-memory", L"8007000E", SystemTextOf(E_OUTOFMEMORY)));
}

TEST(ChybyFatalReport, StartupWithoutMemoryFailsQuietlyWithEOutOfMemory)
{
    TestSupport::ScratchRegistry registr;
    ChildProcess child;
    ASSERT_TRUE(StartChild(L"startup-out-of-memory", L"", child));
    EXPECT_EQ(static_cast<DWORD>(E_OUTOFMEMORY), child.WaitForExit(15000));
}

TEST(ChybyFatalReport, HookThatDeclinesLeavesTheBoxToTheReport)
{
    EXPECT_EQ(kExitFatal, RunAndDismiss(L"raise-fatal-hook-declines", L"8000FFFF", SystemTextOf(E_UNEXPECTED)));
}

TEST(ChybyFatalReport, FailureWhileTheReportIsUpEndsTheProcessAtOnce)
{
    // A timer fails on every tick, and the report's box dispatches the ticks: the second
    // failure must end the process, not open a box inside the box until the stack runs out.
    ChildProcess child;
    ASSERT_TRUE(StartChild(L"raise-fatal-twice", L"80004005", child));
    EXPECT_EQ(kExitFatal, child.WaitForExit(20000));
}

TEST(ChybyFatalReport, BoxIsTaskModalWithAnErrorIcon)
{
    ChildProcess child;
    ASSERT_TRUE(StartChild(L"raise-fatal-over-window", L"80070057", child));
    HWND box = WaitForMessageBox(child, 15000);
    ASSERT_NE(nullptr, box);

    HWND other = nullptr;
    for (HWND window : TopLevelWindowsOf(child.id))
        if (TextOf(window) == L"fatal-over-window") other = window;
    ASSERT_NE(nullptr, other);
    EXPECT_FALSE(IsWindowEnabled(other)) << "the thread's other top-level windows are disabled";
    EXPECT_TRUE(IsWindowEnabled(box));

    // The stop icon sits in a static of icon style; no other kind of box has one there.
    bool hasIcon = false;
    for (HWND item = GetWindow(box, GW_CHILD); item; item = GetWindow(item, GW_HWNDNEXT)) {
        if (ClassOf(item) == L"Static" && (GetWindowLongW(item, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            hasIcon = hasIcon || SendMessageW(item, STM_GETICON, 0, 0) != 0;
    }
    EXPECT_TRUE(hasIcon);

    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(kExitFatal, child.WaitForExit(15000));
}

// Stands in for an owner that claims the failure: no box, but the process still ends.
class ClaimingHook : public Tarnel::WinApi::FatalErrorHook {
public:
    explicit ClaimingHook(HRESULT answer) : answer_(answer) {}
    HRESULT OnFatalError(const wchar_t* text) override
    {
        const bool expected = text && SystemTextOf(E_ACCESSDENIED) == text;
        fputs(expected ? "hook saw the failure text\n" : "hook saw another text\n", stderr);
        return answer_;
    }

private:
    HRESULT answer_;
};

TEST(ChybyDeathTest, HookThatClaimsTheFailureStillEndsTheProcessWithoutReturning)
{
    for (HRESULT answer : {S_OK, E_FAIL, S_FALSE}) {
        SCOPED_TRACE(answer);
        ClaimingHook hook(answer);
        EXPECT_EXIT(
            {
                Tarnel::WinApi::SetFatalErrorHook(&hook);
                Tarnel::WinApi::RaiseFatal(E_ACCESSDENIED);
            },
            testing::ExitedWithCode(-1), "hook saw the failure text");
    }
}

} // namespace
