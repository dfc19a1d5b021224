// The window layer on its own: binding windows of our classes to their objects, the final
// message, and taking over existing controls by replacing their window procedure.
#include <gtest/gtest.h>

#include <string>

#include "winlib/WindowImpl.h"
#include "tests/DialogDriver.h"
#include "tests/PomocnikK1.h"

using DialogDriver::TextOf;
using PomocnikK1::ProcOf;
using Tarnel::WinApi::MessageHandler;
using Tarnel::WinApi::WindowClass;
using Tarnel::WinApi::WindowImpl;

namespace {

const WindowClass kTestClass{L"WinlibTestWindow"};

class RecordingWindow : public PomocnikK1::Zaznamnik<WindowImpl> {
public:
    HWND CreateTopLevel() { return Create(kTestClass, nullptr, L"test", WS_OVERLAPPEDWINDOW, 0, RECT{10, 10, 310, 210}); }
    HWND CreateChild(HWND parent, int id)
    {
        return Create(kTestClass, parent, L"child", WS_CHILD | WS_VISIBLE, 0, RECT{0, 0, 50, 20},
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
    }
};

TEST(WinlibBinding, WindowIsBoundFromNcCreateOnAndItsClassRegisteredOnce)
{
    RecordingWindow window;
    HWND hwnd = window.CreateTopLevel();
    ASSERT_NE(nullptr, hwnd);
    EXPECT_EQ(hwnd, window.Handle());
    EXPECT_EQ(&window, MessageHandler::FromHandle(hwnd));
    ASSERT_FALSE(window.seen.empty());
    EXPECT_EQ(static_cast<UINT>(WM_NCCREATE), window.seen.front().message) << "nothing reaches the map before binding";
    EXPECT_TRUE(window.Saw(WM_CREATE)) << "after it";
    WNDCLASSEXW info{sizeof info};
    ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), kTestClass.name, &info));
    EXPECT_EQ(&WindowImpl::WindowProc, info.lpfnWndProc);

    SetLastError(0);
    EXPECT_EQ(nullptr, window.CreateTopLevel()) << "one object, one window";
    EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
    EXPECT_EQ(hwnd, window.Handle());

    RecordingWindow second;
    ASSERT_NE(nullptr, second.CreateTopLevel()) << "a second window finds the class registered";
    EXPECT_EQ(GetClassWord(hwnd, GCW_ATOM), GetClassWord(second.Handle(), GCW_ATOM));
    EXPECT_EQ(&second, MessageHandler::FromHandle(second.Handle()));
    EXPECT_EQ(&window, MessageHandler::FromHandle(hwnd));
}

TEST(WinlibBinding, MessagesAreAnsweredByTheMapOrTheDefaultProcessing)
{
    RecordingWindow window;
    window.handler = PomocnikK1::Answer(WM_GETTEXTLENGTH, 77);
    ASSERT_NE(nullptr, window.CreateTopLevel());
    EXPECT_EQ(77, SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    EXPECT_TRUE(SetWindowTextW(window, L"nový titulek")) << "unhandled messages get the default processing";
    wchar_t text[64] = L"";
    EXPECT_EQ(12, SendMessageW(window, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text)));
    EXPECT_STREQ(L"nový titulek", text);
}

TEST(WinlibBinding, NestedCreationBindsEachWindowToItsOwnObject)
{
    RecordingWindow parent;
    RecordingWindow child;
    parent.handler = [&child](HWND window, UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == WM_CREATE) child.CreateChild(window, 5);
        return false;
    };
    ASSERT_NE(nullptr, parent.CreateTopLevel());
    ASSERT_NE(nullptr, child.Handle());
    EXPECT_EQ(parent.Handle(), GetParent(child.Handle()));
    EXPECT_EQ(&child, MessageHandler::FromHandle(child.Handle()));
    EXPECT_EQ(&parent, MessageHandler::FromHandle(parent.Handle()));
    EXPECT_TRUE(child.Saw(WM_NCCREATE));
    EXPECT_EQ(1, parent.Count(WM_NCCREATE));
}

TEST(WinlibBinding, RefusedCreationLeavesTheObjectUnboundAndReusable)
{
    RecordingWindow window;
    window.handler = PomocnikK1::Answer(WM_CREATE, -1);
    EXPECT_EQ(nullptr, window.CreateTopLevel());
    EXPECT_EQ(nullptr, window.Handle());
    EXPECT_TRUE(window.Saw(WM_NCDESTROY));

    window.handler = nullptr;
    HWND hwnd = window.CreateTopLevel();
    ASSERT_NE(nullptr, hwnd);
    EXPECT_EQ(&window, MessageHandler::FromHandle(hwnd));
}

// Writes what it finds at the final message into a log that outlives it, then deletes itself.
class SelfDeletingWindow : public RecordingWindow {
public:
    struct Log {
        std::vector<PomocnikK1::Zprava> messages;
        bool finalRan = false;
        bool unboundAtFinal = false;
        bool windowAliveAtFinal = false;
        bool destroyed = false;
    };
    explicit SelfDeletingWindow(Log& log) : log_(log) {}
    ~SelfDeletingWindow() override { log_.destroyed = true; }

protected:
    void OnFinalMessage(HWND window) override
    {
        log_.messages = seen;
        log_.finalRan = true;
        log_.unboundAtFinal = FromHandle(window) == nullptr && Handle() == nullptr;
        log_.windowAliveAtFinal = ::IsWindow(window) != FALSE;
        delete this;
    }

private:
    Log& log_;
};

TEST(WinlibBinding, FinalMessageComesAfterNcDestroyUnboundAndMayDeleteTheObject)
{
    SelfDeletingWindow::Log log;
    auto* window = new SelfDeletingWindow(log);
    HWND hwnd = window->CreateTopLevel();
    ASSERT_NE(nullptr, hwnd);
    ASSERT_TRUE(DestroyWindow(hwnd));

    EXPECT_TRUE(log.finalRan);
    EXPECT_TRUE(log.destroyed);
    EXPECT_TRUE(log.unboundAtFinal);
    EXPECT_TRUE(log.windowAliveAtFinal) << "the hook runs inside WM_NCDESTROY";
    ASSERT_FALSE(log.messages.empty());
    EXPECT_EQ(static_cast<UINT>(WM_NCDESTROY), log.messages.back().message);
    EXPECT_TRUE(std::any_of(log.messages.begin(), log.messages.end(), [](auto& z) { return z.message == WM_DESTROY; }));
    EXPECT_FALSE(IsWindow(hwnd));
}

// A host window with an edit control and a static, created without the layer.
class WinlibSubclass : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, host.CreateTopLevel());
        NewControls();
    }
    void NewControls()
    {
        edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 5, 5, 100, 20, host, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
        label = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 5, 30, 100, 20, host, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(nullptr, edit);
        ASSERT_NE(nullptr, label);
        editProc = ProcOf(edit);
    }

    RecordingWindow host;
    HWND edit = nullptr;
    HWND label = nullptr;
    WNDPROC editProc = nullptr;
};

// Refuses any text "blocked"; everything else goes on to the control.
bool BlockText(HWND, UINT message, WPARAM, LPARAM lParam, LRESULT& result)
{
    if (message != WM_SETTEXT || std::wstring(reinterpret_cast<const wchar_t*>(lParam)) != L"blocked") return false;
    result = FALSE;
    return true;
}

TEST_F(WinlibSubclass, SubclassedControlSeesMessagesBeforeItsOwnProcedure)
{
    RecordingWindow taker;
    taker.handler = BlockText;
    ASSERT_TRUE(taker.SubclassWindow(edit));
    EXPECT_TRUE(taker.IsSubclassed());
    EXPECT_EQ(edit, taker.Handle());
    EXPECT_EQ(&taker, MessageHandler::FromHandle(edit));
    EXPECT_EQ(&WindowImpl::WindowProc, ProcOf(edit));

    EXPECT_TRUE(SetWindowTextW(edit, L"abc"));
    EXPECT_TRUE(taker.Saw(WM_SETTEXT));
    EXPECT_EQ(L"abc", TextOf(edit)) << "unhandled messages chain to the edit's procedure";
    SetWindowTextW(edit, L"blocked");
    EXPECT_EQ(L"abc", TextOf(edit)) << "a handled message stops at the map";
}

TEST_F(WinlibSubclass, SubclassingIsRefusedWhenEitherSideIsTaken)
{
    RecordingWindow taker;
    RecordingWindow other;
    EXPECT_FALSE(taker.SubclassWindow(nullptr));
    EXPECT_FALSE(taker.SubclassWindow(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234))));
    EXPECT_FALSE(taker.IsSubclassed());
    ASSERT_TRUE(taker.SubclassWindow(edit));
    EXPECT_FALSE(other.SubclassWindow(edit)) << "the edit is bound already";
    EXPECT_FALSE(taker.SubclassWindow(label)) << "the object is bound already";
    EXPECT_FALSE(other.SubclassWindow(host)) << "a window of ours is bound as well";
    EXPECT_EQ(&taker, MessageHandler::FromHandle(edit));
    EXPECT_EQ(nullptr, MessageHandler::FromHandle(label));
}

TEST_F(WinlibSubclass, UnsubclassGivesTheProcedureBackAndFreesBothSides)
{
    RecordingWindow taker;
    ASSERT_TRUE(taker.SubclassWindow(edit));
    EXPECT_EQ(edit, taker.UnsubclassWindow());
    EXPECT_EQ(editProc, ProcOf(edit));
    EXPECT_EQ(nullptr, MessageHandler::FromHandle(edit));
    EXPECT_EQ(nullptr, taker.Handle());
    EXPECT_FALSE(taker.IsSubclassed());
    EXPECT_EQ(nullptr, taker.UnsubclassWindow()) << "nothing left to give back";

    taker.seen.clear();
    SetWindowTextW(edit, L"after");
    EXPECT_TRUE(taker.seen.empty());
    EXPECT_EQ(L"after", TextOf(edit));

    ASSERT_TRUE(taker.SubclassWindow(label)) << "the object can take another control";
    EXPECT_EQ(label, taker.UnsubclassWindow());
}

// Notes which procedure is installed when the final message comes.
class ProcWatcher : public RecordingWindow {
public:
    WNDPROC procAtFinal = nullptr;
    bool finalRan = false;

protected:
    void OnFinalMessage(HWND window) override
    {
        finalRan = true;
        procAtFinal = ProcOf(window);
    }
};

TEST_F(WinlibSubclass, DestroyedControlGetsItsProcedureBackAtNcDestroyUnlessALaterOneSitsOnTop)
{
    for (const bool foreign : {false, true}) {
        SCOPED_TRACE(foreign ? "under a later procedure" : "ours on top");
        if (foreign) NewControls();
        ProcWatcher taker;
        ASSERT_TRUE(taker.SubclassWindow(edit));
        if (foreign) PomocnikK1::Cizi::Nainstalovat(edit);
        ASSERT_TRUE(DestroyWindow(edit));
        EXPECT_TRUE(taker.finalRan);
        EXPECT_TRUE(taker.Saw(WM_NCDESTROY));
        EXPECT_EQ(foreign ? &PomocnikK1::Cizi::Procedura : editProc, taker.procAtFinal) << "a later procedure is not ours to replace";
        EXPECT_EQ(nullptr, taker.Handle());
        EXPECT_FALSE(taker.IsSubclassed());
        EXPECT_TRUE(taker.SubclassWindow(label)) << "free for the next control";
    }
}

} // namespace
