// The numeric entry on a real dialog: digits only, the range in its tooltip, the last valid
// number put back when the focus leaves with anything else, and a control that keeps working
// however the entry leaves it (attached again, moved elsewhere, or gone first).
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "tests/winlib_test_resource.h"
#include "tests/DialogDriver.h"
#include "tests/PomocnikK1.h"
#include "tests/PrazdnaOkna.h"
#include "winlib/EditCislo.h"

using DialogDriver::TextOf;
using PomocnikK1::ProcOf;
using PomocnikK1::Type;
using Tarnel::WinApi::EditCislo;
using Tarnel::WinApi::kReflectBase;
using Tarnel::WinApi::MessageHandler;
using Tarnel::WinApi::PrecistCislo;

namespace {

// The tooltip of this thread that knows the control, with its flags and text.
Uzivatel::Tip TipOf(HWND control) { return Uzivatel::NajitTip(GetCurrentThreadId(), control, 0); }

class WinlibEditCislo : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, dialog.Create(nullptr));
        ShowWindow(dialog, SW_SHOW);
        first = dialog.Item(IDC_WINLIB_CISLO1);
        second = dialog.Item(IDC_WINLIB_CISLO2);
        ASSERT_NE(nullptr, first);
        ASSERT_NE(nullptr, second);
    }

    // The user puts text into the field and then moves on to the other one.
    std::wstring EnterAndLeave(HWND edit, const std::wstring& text)
    {
        SetFocus(edit);
        SetWindowTextW(edit, text.c_str());
        SetFocus(edit == first ? second : first);
        return TextOf(edit);
    }
    // Typing, text and focus, as only the edit control's own procedure gives them.
    void ExpectAWorkingEdit(HWND edit, const char* where)
    {
        SCOPED_TRACE(where);
        SetFocus(edit);
        EXPECT_EQ(edit, GetFocus());
        SetWindowTextW(edit, L"");
        Type(edit, L"42");
        EXPECT_EQ(L"42", TextOf(edit));
        EXPECT_EQ(1, SendMessageW(edit, EM_GETLINECOUNT, 0, 0));
        SetFocus(edit == first ? second : first);
    }

    PrazdnyDialog dialog{IDD_WINLIB_CISLA};
    HWND first = nullptr;
    HWND second = nullptr;
    EditCislo entry;
};

TEST(WinlibCislo, TextIsReadAsAWholeUnsignedNumber)
{
    EXPECT_EQ(0u, PrecistCislo(L"0"));
    EXPECT_EQ(250u, PrecistCislo(L"250"));
    EXPECT_EQ(250u, PrecistCislo(L"  250\t")) << "blanks around the digits";
    EXPECT_EQ(7u, PrecistCislo(L"0007"));
    EXPECT_EQ(4294967295u, PrecistCislo(L"4294967295"));
    for (const wchar_t* bad : {L"", L"   ", L"4294967296", L"99999999999999999999999", L"2 50", L"1 000", L"25x",
                               L"-5", L"+5", L"0x10", L"１２"})
        EXPECT_FALSE(PrecistCislo(bad).has_value()) << testing::PrintToString(std::wstring(bad));
}

TEST_F(WinlibEditCislo, AttachShowsTheValueAndLetsOnlyDigitsBeTyped)
{
    entry.Pripojit(first, 250, 10, 1000);
    EXPECT_EQ(first, entry.Handle());
    EXPECT_EQ(&entry, MessageHandler::FromHandle(first));
    EXPECT_EQ(L"250", TextOf(first));
    EXPECT_EQ(250u, entry.PosledniPlatna());
    EXPECT_TRUE(GetWindowLongPtrW(first, GWL_STYLE) & ES_NUMBER);

    SendMessageW(first, EM_SETSEL, 3, 3);
    Type(first, L"a-x ");
    EXPECT_EQ(L"250", TextOf(first)) << "letters, signs and blanks are refused";
    Type(first, L"9");
    EXPECT_EQ(L"2509", TextOf(first));
}

TEST_F(WinlibEditCislo, LeavingWithAnythingButANumberInRangePutsBackTheLastValidOne)
{
    entry.Pripojit(first, 250, 10, 1000);
    for (const wchar_t* bad : {L"5", L"0", L"9", L"1001", L"", L"4294967296", L"123456789012345678901234567890",
                               L"2 50", L"25 0"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(bad)));
        EXPECT_EQ(L"250", EnterAndLeave(first, bad));
        EXPECT_EQ(250u, entry.PosledniPlatna());
    }
    EXPECT_EQ(L"1000", EnterAndLeave(first, L"1000")) << "the upper bound is valid";
    EXPECT_EQ(1000u, entry.PosledniPlatna());
    EXPECT_EQ(L"1000", EnterAndLeave(first, L"5"));
    EXPECT_EQ(L"10", EnterAndLeave(first, L"10")) << "the lower bound is valid";
    EXPECT_EQ(L"10", EnterAndLeave(first, L"1001"));
}

TEST_F(WinlibEditCislo, PastedTextIsCheckedWhenTheFocusLeaves)
{
    entry.Pripojit(first, 300, 10, 1000);
    SetFocus(first);
    SendMessageW(first, EM_SETSEL, 0, -1);
    SendMessageW(first, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"4 00"));
    EXPECT_EQ(L"4 00", TextOf(first)) << "pasting is not typing: the control takes it";
    uint32_t value = 77;
    EXPECT_EQ(1, entry.ZiskatHodnotu(value));
    SetFocus(second);
    EXPECT_EQ(L"300", TextOf(first));

    SetFocus(first);
    SendMessageW(first, EM_SETSEL, 0, -1);
    SendMessageW(first, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L" 400 "));
    SetFocus(second);
    EXPECT_EQ(400u, entry.PosledniPlatna()) << "blanks around a number do no harm";
}

TEST_F(WinlibEditCislo, ValueIsGivenOnlyWhenValidWithoutAFocusChange)
{
    entry.Pripojit(first, 250, 10, 1000);
    uint32_t value = 77;
    EXPECT_EQ(S_OK, entry.ZiskatHodnotu(value));
    EXPECT_EQ(250u, value);
    SetWindowTextW(first, L"5");
    value = 77;
    EXPECT_EQ(1, entry.ZiskatHodnotu(value));
    EXPECT_EQ(77u, value) << "the target is left as it was";
    EXPECT_EQ(L"5", TextOf(first)) << "nothing is put back without a focus change";

    struct Case {
        int32_t minimum, maximum;
        const wchar_t* text;
        bool valid;
    };
    const Case cases[] = {
        {-1, -1, L"0", true},          {-1, -1, L"4294967295", true}, {-1, -1, L"4294967296", false},
        {-1, 50, L"0", true},          {-1, 50, L"51", false},        {20, -1, L"19", false},
        {20, -1, L"4000000000", true}, {1, 100, L"1", true},          {1, 100, L"100", true},
        {1, 100, L"0", false},         {1, 100, L"101", false},       {1, 100, L"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)) + " in " + std::to_string(c.minimum) + ".." +
                     std::to_string(c.maximum));
        entry.Pripojit(first, 1, c.minimum, c.maximum);
        SetWindowTextW(first, c.text);
        EXPECT_EQ(c.valid ? S_OK : 1, entry.ZiskatHodnotu(value));
        EXPECT_EQ(c.valid ? S_OK : E_INVALIDARG, entry.Overit());
    }
}

TEST_F(WinlibEditCislo, TooltipNamesTheRange)
{
    struct Case {
        int32_t minimum, maximum;
        const wchar_t* text;
    };
    const Case cases[] = {
        {10, 1000, L"Zadejte hodnotu v rozsahu 10 - 1000"},
        {1, 100, L"Zadejte hodnotu v rozsahu 1 - 100"},
        {-1, -1, L"Zadejte číselnou hodnotu"},
        {-1, 50, L"Zadejte číselnou hodnotu do 50"},
        {5, -1, L"Zadejte číselnou hodnotu od 5"},
    };
    for (const Case& c : cases) {
        entry.Pripojit(first, 10, c.minimum, c.maximum);
        EXPECT_EQ(c.text, entry.TextRozsahu());
        const Uzivatel::Tip tip = TipOf(first);
        ASSERT_EQ(entry.Tooltip(), tip.okno);
        EXPECT_EQ(c.text, tip.text) << "the tooltip shows it over the control";
        EXPECT_TRUE(tip.priznaky & TTF_SUBCLASS) << "the tooltip watches the control's mouse itself";
        TTTOOLINFOW info{sizeof info, 0, first};
        ASSERT_TRUE(SendMessageW(tip.okno, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)));
        const RECT client = Tarnel::WinApi::Window(first).ClientRect();
        EXPECT_TRUE(EqualRect(&client, &info.rect));
    }
}

TEST_F(WinlibEditCislo, ReflectedNotificationsGetTheDefaultAnswerOfTheUnreflectedMessage)
{
    entry.Pripojit(first, 250, 10, 1000);
    HDC dc = GetDC(first);
    const auto dcParam = reinterpret_cast<WPARAM>(dc);
    EXPECT_EQ(reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW)),
              SendMessageW(first, kReflectBase + WM_CTLCOLOREDIT, dcParam, reinterpret_cast<LPARAM>(first)));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), GetBkColor(dc));
    EXPECT_EQ(0, SendMessageW(second, kReflectBase + WM_CTLCOLOREDIT, dcParam, reinterpret_cast<LPARAM>(second)))
        << "a plain edit knows nothing of reflected messages";
    // Through the dialog: it leaves the colour to the control, which answers it.
    EXPECT_EQ(reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW)),
              SendMessageW(dialog, WM_CTLCOLOREDIT, dcParam, reinterpret_cast<LPARAM>(first)));
    ReleaseDC(first, dc);
    EXPECT_EQ(0, SendMessageW(first, kReflectBase + WM_COMMAND, MAKEWPARAM(IDC_WINLIB_CISLO1, EN_CHANGE),
                              reinterpret_cast<LPARAM>(first)));
    EXPECT_EQ(L"250", TextOf(first));
}

TEST_F(WinlibEditCislo, DetachIsRefusedWhileTheTooltipWatchesTheControlWhoseEndTakesTheTooltipAlong)
{
    entry.Pripojit(first, 250, 10, 1000);
    HWND tooltip = entry.Tooltip();
    ASSERT_TRUE(IsWindow(tooltip));
    EXPECT_EQ(nullptr, entry.Odpojit());
    EXPECT_EQ(first, entry.Handle()) << "nothing changes";
    EXPECT_EQ(L"250", EnterAndLeave(first, L"5")) << "still checked";

    ASSERT_TRUE(DestroyWindow(first));
    EXPECT_FALSE(IsWindow(tooltip));
    EXPECT_EQ(nullptr, entry.Handle());
    EXPECT_EQ(nullptr, entry.Tooltip());
}

TEST_F(WinlibEditCislo, SecondAttachToTheSameLiveControlResetsItAndKeepsItWorking)
{
    entry.Pripojit(first, 250, 10, 1000);
    HWND oldTooltip = entry.Tooltip();
    const WNDPROC top = ProcOf(first);
    entry.Pripojit(first, 50, 1, 100);
    EXPECT_EQ(&entry, MessageHandler::FromHandle(first));
    EXPECT_FALSE(IsWindow(oldTooltip));
    ASSERT_TRUE(IsWindow(entry.Tooltip()));
    EXPECT_EQ(L"Zadejte hodnotu v rozsahu 1 - 100", TipOf(first).text);
    EXPECT_EQ(top, ProcOf(first)) << "the chain did not grow";
    EXPECT_EQ(L"50", TextOf(first));
    EXPECT_EQ(L"50", EnterAndLeave(first, L"500")) << "checked against the new range";
    EXPECT_EQ(L"99", EnterAndLeave(first, L"99"));
    ExpectAWorkingEdit(first, "attached twice");

    for (int i = 0; i < 20; ++i) entry.Pripojit(first, static_cast<uint32_t>(i + 1), 1, 100);
    EXPECT_EQ(top, ProcOf(first));
    EXPECT_EQ(L"20", EnterAndLeave(first, L"0"));
}

TEST_F(WinlibEditCislo, AttachingToAnotherControlLeavesTheFirstAPlainWorkingEdit)
{
    entry.Pripojit(first, 250, 10, 1000);
    HWND oldTooltip = entry.Tooltip();
    entry.Pripojit(second, 7, 1, 100);
    EXPECT_EQ(second, entry.Handle());
    EXPECT_EQ(nullptr, MessageHandler::FromHandle(first));
    EXPECT_FALSE(IsWindow(oldTooltip));
    ExpectAWorkingEdit(first, "left behind");
    EXPECT_EQ(L"5", EnterAndLeave(first, L"5")) << "no longer checked";
    EXPECT_EQ(L"7", EnterAndLeave(second, L"101")) << "the new control is";
}

TEST_F(WinlibEditCislo, EntryGoneBeforeItsControlLeavesAPlainWorkingEdit)
{
    HWND tooltip = nullptr;
    {
        EditCislo prvni;
        prvni.Pripojit(first, 250, 10, 1000);
        tooltip = prvni.Tooltip();
    }
    EXPECT_FALSE(IsWindow(tooltip));
    EXPECT_EQ(nullptr, MessageHandler::FromHandle(first));
    ExpectAWorkingEdit(first, "entry gone");
    EXPECT_EQ(L"5", EnterAndLeave(first, L"5"));

    // A new entry takes the control over again, and the dialog can still end.
    auto again = std::make_unique<EditCislo>();
    again->Pripojit(first, 300, 10, 1000);
    EXPECT_EQ(L"300", EnterAndLeave(first, L"5"));
    again.reset();
    ExpectAWorkingEdit(first, "second entry gone");
    EXPECT_TRUE(DestroyWindow(dialog));
}

} // namespace
