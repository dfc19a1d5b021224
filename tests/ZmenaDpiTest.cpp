// A window that moves to a monitor of another DPI: the system sends WM_DPICHANGED with the new
// DPI and a rectangle for the window. Wine never does (every monitor has the system DPI), so
// the tests send it themselves; the windows lay themselves out for the DPI the message names.
// Also where the keyboard goes when the frames overview window is activated.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/Aplikace.h"
#include "frames/ModulPrehledFrames.h"
#include "resources/resource.h"
#include "tests/IdentitaProgramu.h"
#include "tests/OknoHlavniTest.h"
#include "tests/PrehledFramesTest.h"
#include "tests/TestSupport.h"

namespace {

LRESULT PoslatZmenuDpi(HWND okno, UINT dpi, RECT navrh)
{
    return SendMessageW(okno, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&navrh));
}

RECT ObdelnikOkna(HWND okno)
{
    RECT r{};
    GetWindowRect(okno, &r);
    return r;
}

LONG VyskaPisma(HWND okno)
{
    LOGFONTW popis{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(okno, WM_GETFONT, 0, 0)), sizeof popis, &popis);
    return popis.lfHeight;
}

int SirkaTextu(HWND okno, const wchar_t* text)
{
    HDC dc = GetDC(okno);
    HGDIOBJ predchozi = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(okno, WM_GETFONT, 0, 0)));
    SIZE rozmer{};
    GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &rozmer);
    SelectObject(dc, predchozi);
    ReleaseDC(okno, dc);
    return rozmer.cx;
}

} // namespace

TEST_F(OknoHlavniTest, NewDpiTakesTheSuggestedRectangleAndLaysTheBarsOutForIt)
{
    VytvoritSAnimaci();
    const LONG pismo96 = VyskaPisma(StavovaLista());
    const RECT lista96 = ObdelnikOkna(StavovaLista());
    ASSERT_EQ(0, PoslatZmenuDpi(Okno(), 144, RECT{40, 30, 1240, 930}));
    TestSupport::PumpMessages();

    const RECT r = ObdelnikOkna(Okno());
    EXPECT_EQ(40, r.left);
    EXPECT_EQ(30, r.top);
    EXPECT_EQ(1200, r.right - r.left);
    EXPECT_EQ(900, r.bottom - r.top);
    EXPECT_EQ(144u, okno->Dpi());

    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(SendMessageW(Panel(), TB_GETIMAGELIST, 0, 0)), &cx, &cy));
    EXPECT_EQ(24, cx) << "the pictures for 144 DPI";
    RECT tlacitko{};
    SendMessageW(Panel(), TB_GETRECT, ID_ANIMACE_SPUSTIT, reinterpret_cast<LPARAM>(&tlacitko));
    EXPECT_GT(tlacitko.bottom - tlacitko.top, 24) << "the buttons follow the pictures";
    REBARBANDINFOW pas{};
    pas.cbSize = sizeof pas;
    pas.fMask = RBBIM_CHILDSIZE;
    ASSERT_TRUE(SendMessageW(Rebar(), RB_GETBANDINFOW, 0, reinterpret_cast<LPARAM>(&pas)));
    EXPECT_EQ(36u, pas.cyMinChild);
    EXPECT_EQ(360u, pas.cxMinChild);

    // The status font of 144 DPI, and the parts measured in it.
    HWND lista = StavovaLista();
    EXPECT_LT(VyskaPisma(lista), pismo96) << "a taller font (heights are negative)";
    for (const auto& [cast, text] : {std::pair{kCastPocitadlo, L"9999/9999"}, std::pair{kCastRychlost, L"Rychlost: 1000 %"}}) {
        RECT casti{};
        SendMessageW(lista, SB_GETRECT, static_cast<WPARAM>(cast), reinterpret_cast<LPARAM>(&casti));
        EXPECT_LE(casti.left + 4 + SirkaTextu(lista, text), casti.right - 1) << "part " << cast;
    }
    EXPECT_EQ(L"Rychlost: 100 %", Cast(kCastRychlost)) << "the texts stay";
    EXPECT_GT(ObdelnikOkna(lista).bottom - ObdelnikOkna(lista).top, lista96.bottom - lista96.top) << "a taller bar";

}

namespace {

class PrehledDpiTest : public testing::Test {
protected:
    IdentitaProgramu identita;

    void SetUp() override
    {
        modulPrehledFrames.Spustit(nullptr, nullptr);
        TestSupport::PumpUntil([&] { return (okno = modulPrehledFrames.OknoPrehledu()) && IsWindowVisible(okno); },
                               15000);
        ASSERT_NE(nullptr, okno);
        vlakno = GetWindowThreadProcessId(okno, nullptr);
    }
    void TearDown() override
    {
        modulPrehledFrames.Ukoncit();
        TestSupport::PumpMessages();
    }
    HWND Fokus() const
    {
        GUITHREADINFO info{sizeof info};
        return GetGUIThreadInfo(vlakno, &info) ? info.hwndFocus : nullptr;
    }
    HWND Seznam() const { return GetDlgItem(PrehledFrames::Panel(okno), IDC_PREHLED_SEZNAM); }

    TestSupport::ScratchRegistry registr;
    HWND okno = nullptr;
    DWORD vlakno = 0;
};

} // namespace

TEST_F(PrehledDpiTest, ActivatedAgainTheWindowGivesTheKeyboardToItsList)
{
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return Fokus() == Seznam(); }, 3000)) << "at opening";
    // The user tabs nowhere (there is no dialog routing), but clicks a button, then another
    // window, then comes back.
    HWND tlacitko = GetDlgItem(PrehledFrames::Panel(okno), IDC_PREHLED_OTEVRIT);
    SendMessageW(PrehledFrames::Panel(okno), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(tlacitko), TRUE);
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return Fokus() == tlacitko; }, 3000));

    HWND jine = CreateWindowExW(0, L"STATIC", L"jiné", WS_POPUP | WS_VISIBLE, 10, 10, 100, 50, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(jine);
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return GetForegroundWindow() == jine; }, 3000));
    SetForegroundWindow(okno);
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return Fokus() == Seznam(); }, 3000)) << "after coming back";
    DestroyWindow(jine);
}

TEST_F(PrehledDpiTest, NewDpiTakesTheSuggestedPlaceAndFitsTheWindowToThePanelAgain)
{
    const RECT predtim = ObdelnikOkna(okno);
    ASSERT_EQ(0, PoslatZmenuDpi(okno, 144, RECT{70, 50, 70 + 300, 50 + 200}));
    const RECT r = ObdelnikOkna(okno);
    EXPECT_EQ(70, r.left);
    EXPECT_EQ(50, r.top);
    // The panel has not changed (the system scales it; here nothing does), so neither has
    // the size that holds it; the suggested size is not kept.
    EXPECT_EQ(predtim.right - predtim.left, r.right - r.left);
    EXPECT_EQ(predtim.bottom - predtim.top, r.bottom - r.top);
    RECT klient{};
    GetClientRect(okno, &klient);
    RECT panel{};
    GetClientRect(PrehledFrames::Panel(okno), &panel);
    EXPECT_EQ(panel.right, klient.right);
    EXPECT_EQ(panel.bottom, klient.bottom);
}
