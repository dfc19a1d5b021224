// Notifications a parent leaves alone go back to the control that sent them, under the
// message number plus 0x2000; each message family names its sender its own way.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "tests/PomocnikK1.h"
#include "winlib/Handles.h"
#include "winlib/WindowImpl.h"

using PomocnikK1::Answer;
using PomocnikK1::Zprava;
using Tarnel::WinApi::Brush;
using Tarnel::WinApi::kReflectBase;
using Tarnel::WinApi::WindowClass;
using Tarnel::WinApi::WindowImpl;

namespace {

const WindowClass kParentClass{L"WinlibTestReflectParent"};

// A window (ours or a taken-over control) whose reflected messages the tests read.
class Recorder : public PomocnikK1::Zaznamnik<WindowImpl> {
public:
    std::vector<Zprava> Reflected() const
    {
        std::vector<Zprava> found;
        for (const Zprava& s : seen)
            if (s.message >= kReflectBase && s.message < kReflectBase + WM_USER) found.push_back(s);
        return found;
    }
};

class WinlibReflection : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, parent.Create(kParentClass, nullptr, L"parent", WS_OVERLAPPEDWINDOW, 0, RECT{20, 20, 420, 320}));
    }
    HWND AddChild(const wchar_t* className, DWORD style, int id)
    {
        return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, 10, 10 + 30 * (id % 8), 120, 24, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    }

    Recorder parent;
    Recorder control;
};

TEST_F(WinlibReflection, UnhandledCommandGoesBackToTheButtonWhoseAnswerCounts)
{
    struct Case {
        const char* what;
        bool parentHandles, controlAnswers;
        LRESULT result;
        size_t reflected;
    };
    for (const Case& c : {Case{"reflected and answered", false, true, 77, 1},
                          Case{"the parent's handling stops it", true, true, 5, 0},
                          Case{"the control declines: the parent's default", false, false, 0, 1}}) {
        SCOPED_TRACE(c.what);
        Recorder knoflik;
        HWND button = AddChild(L"BUTTON", BS_PUSHBUTTON, 101);
        ASSERT_TRUE(knoflik.SubclassWindow(button));
        knoflik.handler = Answer(c.controlAnswers ? kReflectBase + WM_COMMAND : WM_APP, 77);
        parent.handler = c.parentHandles ? Answer(WM_COMMAND, 5) : nullptr;

        const WPARAM wParam = MAKEWPARAM(101, BN_CLICKED);
        EXPECT_EQ(c.result, SendMessageW(parent, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(button)));
        auto reflected = knoflik.Reflected();
        ASSERT_EQ(c.reflected, reflected.size());
        if (!c.reflected) continue;
        EXPECT_EQ(kReflectBase + WM_COMMAND, reflected[0].message);
        EXPECT_EQ(wParam, reflected[0].wParam);
        EXPECT_EQ(reinterpret_cast<LPARAM>(button), reflected[0].lParam);

        // The button's own click takes the same way.
        knoflik.seen.clear();
        SendMessageW(button, BM_CLICK, 0, 0);
        reflected = knoflik.Reflected();
        ASSERT_EQ(1u, reflected.size());
        EXPECT_EQ(wParam, reflected[0].wParam);
    }
}

// A control without an object of ours (subclassed the plain way): it still gets the
// reflected message.
std::vector<UINT> g_plainSeen;
WNDPROC g_plainBeneath = nullptr;
LRESULT CALLBACK PlainControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_plainSeen.push_back(message);
    return CallWindowProcW(g_plainBeneath, window, message, wParam, lParam);
}

TEST_F(WinlibReflection, PlainControlGetsTheReflectedMessageToo)
{
    HWND plain = AddChild(L"STATIC", 0, 104);
    ASSERT_NE(nullptr, plain);
    g_plainBeneath =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(plain, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PlainControlProc)));

    g_plainSeen.clear();
    EXPECT_EQ(0, SendMessageW(parent, WM_COMMAND, MAKEWPARAM(104, 1), reinterpret_cast<LPARAM>(plain)));
    EXPECT_EQ(std::vector<UINT>{kReflectBase + WM_COMMAND}, g_plainSeen);

    // A command without a control (menu, accelerator) has nobody to go back to.
    g_plainSeen.clear();
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(104, 0), 0);
    EXPECT_TRUE(g_plainSeen.empty());
}

TEST_F(WinlibReflection, NotifyFindsItsSenderThroughHwndFrom)
{
    HWND link = AddChild(L"STATIC", 0, 105);
    ASSERT_TRUE(control.SubclassWindow(link));
    control.handler = Answer(kReflectBase + WM_NOTIFY, 33);

    NMHDR header{link, 105, static_cast<UINT>(NM_CLICK)};
    const LPARAM lParam = reinterpret_cast<LPARAM>(&header);
    EXPECT_EQ(33, SendMessageW(parent, WM_NOTIFY, 105, lParam));
    auto reflected = control.Reflected();
    ASSERT_EQ(1u, reflected.size());
    EXPECT_EQ(kReflectBase + WM_NOTIFY, reflected[0].message);
    EXPECT_EQ(lParam, reflected[0].lParam) << "the control sees the sender's own header";

    // The id alone does not name a sender, and a window never reflects to itself.
    control.seen.clear();
    header.hwndFrom = nullptr;
    EXPECT_EQ(0, SendMessageW(parent, WM_NOTIFY, 105, lParam));
    header.hwndFrom = parent;
    EXPECT_EQ(0, SendMessageW(parent, WM_NOTIFY, 105, lParam));
    EXPECT_TRUE(control.Reflected().empty());
    EXPECT_TRUE(parent.Reflected().empty());
}

TEST_F(WinlibReflection, OwnerDrawnButtonDrawsItselfThroughTheReflectedDrawItem)
{
    HWND button = AddChild(L"BUTTON", BS_OWNERDRAW, 106);
    ASSERT_TRUE(control.SubclassWindow(button));
    DRAWITEMSTRUCT drawn{};
    int draws = 0;
    control.handler = [&](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
        if (message != kReflectBase + WM_DRAWITEM) return false;
        drawn = *reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        ++draws;
        result = TRUE;
        return true;
    };
    ShowWindow(parent, SW_SHOWNOACTIVATE);
    InvalidateRect(button, nullptr, TRUE);
    UpdateWindow(button);

    ASSERT_GT(draws, 0);
    EXPECT_EQ(static_cast<UINT>(ODT_BUTTON), drawn.CtlType);
    EXPECT_EQ(106u, drawn.CtlID);
    EXPECT_EQ(button, drawn.hwndItem);
    EXPECT_NE(nullptr, drawn.hDC);
}

TEST_F(WinlibReflection, MeasureItemFindsItsSenderByControlId)
{
    HWND list = AddChild(L"LISTBOX", LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, 107);
    ASSERT_TRUE(control.SubclassWindow(list));
    control.handler = [](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
        if (message != kReflectBase + WM_MEASUREITEM) return false;
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 21;
        result = TRUE;
        return true;
    };

    MEASUREITEMSTRUCT item{ODT_LISTBOX, 107, 0, 0, 5, 0};
    EXPECT_EQ(TRUE, SendMessageW(parent, WM_MEASUREITEM, 107, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(21u, item.itemHeight);

    // Menus measure through the same message but have no control behind them.
    MEASUREITEMSTRUCT menuItem{ODT_MENU, 107, 0, 0, 5, 0};
    control.seen.clear();
    SendMessageW(parent, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&menuItem));
    EXPECT_EQ(5u, menuItem.itemHeight);
    EXPECT_TRUE(control.Reflected().empty());
}

TEST_F(WinlibReflection, StaticIsPaintedWithTheBrushItsObjectAnswers)
{
    HWND label = AddChild(L"STATIC", SS_LEFT, 108);
    ASSERT_TRUE(control.SubclassWindow(label));
    Brush red(CreateSolidBrush(RGB(255, 0, 0)));
    control.handler = Answer(kReflectBase + WM_CTLCOLORSTATIC, reinterpret_cast<LRESULT>(red.Get()));

    HDC screen = GetDC(nullptr);
    EXPECT_EQ(reinterpret_cast<LRESULT>(red.Get()),
              SendMessageW(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(screen), reinterpret_cast<LPARAM>(label)));
    ReleaseDC(nullptr, screen);

    // The static asks its parent while it paints; the answer must reach the pixels.
    ShowWindow(parent, SW_SHOWNOACTIVATE);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 120, -24, 1, 32, BI_RGB};
    void* bits = nullptr;
    Tarnel::WinApi::Bitmap canvas(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(canvas);
    Tarnel::WinApi::MemoryDc dc(nullptr);
    {
        Tarnel::WinApi::SelectGuard select(dc.Get(), canvas.Get());
        SendMessageW(label, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT | PRF_ERASEBKGND);
        GdiFlush();
    }
    const auto* pixels = static_cast<const DWORD*>(bits);
    EXPECT_EQ(0x00FF0000u, pixels[12 * 120 + 60] & 0x00FFFFFF) << "background from the reflected answer";
}

} // namespace
