// A taken-over control whose chain of window procedures someone else has extended above
// ours, the way a tooltip watching the control does: when our object goes first, our
// procedure stays in the chain and must pass everything on to the control's own procedure,
// and a later object must take that place rather than stack a second one.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "winlib/WindowImpl.h"
#include "tests/DialogDriver.h"
#include "tests/PomocnikK1.h"

using DialogDriver::TextOf;
using PomocnikK1::ProcOf;
using Tarnel::WinApi::MessageHandler;
using Tarnel::WinApi::WindowClass;
using Tarnel::WinApi::WindowImpl;

namespace {

// Counts what its map sees, handles nothing, and leaves the control to the test.
struct Counter : PomocnikK1::Zaznamnik<WindowImpl> {
    Counter() { nicitOkno = false; }
};

// A window of our own class that outlives its object.
class LooseWindow : public WindowImpl {
protected:
    bool ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
};

namespace Cizi = PomocnikK1::Cizi;

class WinlibChain : public testing::Test {
protected:
    void SetUp() override
    {
        host = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 30, 300, 200, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(nullptr, host);
        edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 5, 5, 200, 22, host, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(nullptr, edit);
        editProc = ProcOf(edit);
        Cizi::konce = 0;
    }
    void TearDown() override
    {
        if (IsWindow(host)) DestroyWindow(host);
    }
    // What only the edit control's own procedure does: typing, selection, line count, focus.
    void ExpectAWorkingEdit(const char* where)
    {
        SCOPED_TRACE(where);
        SetWindowTextW(edit, L"");
        PomocnikK1::Type(edit, L"ab12");
        EXPECT_EQ(L"ab12", TextOf(edit)) << "typed characters reach the edit's own procedure";
        SendMessageW(edit, EM_SETSEL, 1, 3);
        DWORD start = 0, end = 0;
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(1u, start);
        EXPECT_EQ(3u, end);
        EXPECT_EQ(1, SendMessageW(edit, EM_GETLINECOUNT, 0, 0));
        SetFocus(edit);
        EXPECT_EQ(edit, GetFocus());
    }

    HWND host = nullptr;
    HWND edit = nullptr;
    WNDPROC editProc = nullptr;
};

TEST_F(WinlibChain, ObjectGoneGivesTheProcedureBackOrUnderALaterOneLeavesTheControlWorking)
{
    {
        Counter taker;
        ASSERT_TRUE(taker.SubclassWindow(edit));
    }
    EXPECT_EQ(editProc, ProcOf(edit)) << "ours was on top";
    EXPECT_EQ(nullptr, MessageHandler::FromHandle(edit));
    ExpectAWorkingEdit("after the object on top went");

    {
        Counter taker;
        ASSERT_TRUE(taker.SubclassWindow(edit));
        Cizi::Nainstalovat(edit);
        ASSERT_EQ(&WindowImpl::WindowProc, Cizi::pod);
        EXPECT_EQ(nullptr, taker.UnsubclassWindow()) << "ours is not on top";
        EXPECT_EQ(&taker, MessageHandler::FromHandle(edit)) << "and stays bound";
        EXPECT_TRUE(taker.IsSubclassed());
        SetWindowTextW(edit, L"chain");
        EXPECT_EQ(1, taker.Count(WM_SETTEXT)) << "the whole chain runs";
        EXPECT_EQ(L"chain", TextOf(edit));
    }
    EXPECT_EQ(nullptr, MessageHandler::FromHandle(edit));
    EXPECT_EQ(&Cizi::Procedura, ProcOf(edit)) << "the later procedure is left alone";
    ExpectAWorkingEdit("after the object under the later one went");

    DestroyWindow(edit);
    EXPECT_EQ(1, Cizi::konce) << "the control's end passes through the whole chain";
}

TEST_F(WinlibChain, NextObjectTakesTheLeftPlaceAndSeesEachMessageOnce)
{
    {
        Counter first;
        ASSERT_TRUE(first.SubclassWindow(edit));
        Cizi::Nainstalovat(edit);
    }
    Counter second;
    ASSERT_TRUE(second.SubclassWindow(edit));
    EXPECT_EQ(&second, MessageHandler::FromHandle(edit));
    EXPECT_EQ(&Cizi::Procedura, ProcOf(edit)) << "no second procedure of ours on top";
    SetWindowTextW(edit, L"jednou");
    EXPECT_EQ(1, second.Count(WM_SETTEXT));
    EXPECT_EQ(L"jednou", TextOf(edit));
    ExpectAWorkingEdit("taken over again");

    // Once the later procedure has gone, ours is on top again and the control gets its own back.
    Cizi::Odebrat(edit);
    EXPECT_EQ(edit, second.UnsubclassWindow());
    EXPECT_EQ(editProc, ProcOf(edit));
    ExpectAWorkingEdit("given back");
}

TEST_F(WinlibChain, ReleaseGivesTheProcedureBackWhenItCanAndLeavesItPassingOnWhenNot)
{
    Counter taker;
    ASSERT_TRUE(taker.SubclassWindow(edit));
    EXPECT_EQ(edit, taker.ReleaseWindow());
    EXPECT_EQ(editProc, ProcOf(edit));
    EXPECT_EQ(nullptr, taker.Handle());
    EXPECT_FALSE(taker.IsSubclassed());
    EXPECT_EQ(nullptr, taker.ReleaseWindow()) << "nothing held any more";

    ASSERT_TRUE(taker.SubclassWindow(edit));
    Cizi::Nainstalovat(edit);
    EXPECT_EQ(edit, taker.ReleaseWindow());
    EXPECT_EQ(nullptr, MessageHandler::FromHandle(edit));
    EXPECT_EQ(nullptr, taker.Handle());
    EXPECT_EQ(&Cizi::Procedura, ProcOf(edit));
    taker.seen.clear();
    ExpectAWorkingEdit("released under a later procedure");
    EXPECT_TRUE(taker.seen.empty()) << "the released object hears nothing more";
}

TEST_F(WinlibChain, WindowOfOurClassWithoutItsObjectIsNotTakenOver)
{
    auto loose = std::make_unique<LooseWindow>();
    HWND window = loose->Create(WindowClass{L"WinlibTestLoose"}, nullptr, L"volné", WS_OVERLAPPEDWINDOW, 0,
                                RECT{0, 0, 100, 100});
    ASSERT_NE(nullptr, window);
    loose.reset();
    ASSERT_TRUE(IsWindow(window));
    Counter taker;
    EXPECT_FALSE(taker.SubclassWindow(window)) << "ours is its class procedure already";
    EXPECT_TRUE(SetWindowTextW(window, L"dál")) << "answered by the default procedure, without looping";
    EXPECT_EQ(L"dál", TextOf(window));
    DestroyWindow(window);
}

// The real case: a tooltip that watches the control (TTF_SUBCLASS) puts its procedure above
// ours, and on this platform leaves it there when the tooltip is destroyed.
TEST_F(WinlibChain, TooltipWatchingTheControlLeavesTheControlWorkingAfterBothAreGone)
{
    HWND tip = nullptr;
    {
        Counter taker;
        ASSERT_TRUE(taker.SubclassWindow(edit));
        tip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(nullptr, tip);
        wchar_t text[] = L"tip";
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = edit;
        GetClientRect(edit, &tool.rect);
        tool.lpszText = text;
        ASSERT_TRUE(SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)));
        EXPECT_NE(&WindowImpl::WindowProc, ProcOf(edit)) << "the tooltip's procedure sits above ours";
        ASSERT_TRUE(DestroyWindow(tip));
        taker.seen.clear();
        SetWindowTextW(edit, L"x");
        EXPECT_EQ(1, taker.Count(WM_SETTEXT)) << "the object still hears the control";
    }
    ExpectAWorkingEdit("tooltip and object gone");
    EXPECT_TRUE(DestroyWindow(edit));
}

} // namespace
