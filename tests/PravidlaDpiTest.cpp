// What the program sizes in pixels follows the DPI: each rule is checked in a child process
// at 96, 120, 144 and 192 DPI (tests/DpiTest.h). The checks themselves are the PriDpi*
// tests below; the suite's list leaves them out, and each runs where its rule asks for it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "about/DlgProgramInfo.h"
#include "app/Aplikace.h"
#include "frames/DlgPrehledFrames.h"
#include "frames/ModulPrehledFrames.h"
#include "resources/resource.h"
#include "settings/DlgNastaveni.h"
#include "settings/DlgRychlostAnimace.h"
#include "tests/DialogDriver.h"
#include "tests/DialogyTest.h"
#include "tests/DpiTest.h"
#include "tests/IdentitaProgramu.h"
#include "tests/OknoHlavniTest.h"
#include "tests/PrehledFramesTest.h"
#include "winlib/Dpi.h"
#include "winlib/Okno.h"
#include "winlib/StaticNadpis.h"

using Tarnel::WinApi::DpiSystemu;
using Tarnel::WinApi::Skalovat;

namespace {

// The child runs at the DPI its parent set, or the setting did not take.
void OcekavatDpiDitete()
{
    if (const UINT dpi = DpiDitete()) {
        ASSERT_EQ(dpi, DpiSystemu()) << "LogPixels did not reach the child";
    }
}

RECT PracovniOblast(HWND okno)
{
    MONITORINFO info{sizeof info};
    GetMonitorInfoW(MonitorFromWindow(okno, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

// The text in the control's own font, one line.
SIZE ZmeritText(HWND prvek, const std::wstring& text)
{
    HDC dc = GetDC(prvek);
    HGDIOBJ predchozi = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(prvek, WM_GETFONT, 0, 0)));
    SIZE rozmer{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &rozmer);
    SelectObject(dc, predchozi);
    ReleaseDC(prvek, dc);
    return rozmer;
}

using DialogDriver::VKlientu;

std::string Utf8(const std::wstring& text)
{
    std::string vysledek(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, vysledek.data(), static_cast<int>(vysledek.size()), nullptr, nullptr);
    vysledek.pop_back();
    return vysledek;
}

// What is wrong with the dialog's static texts: one line for each text that is cut, lies
// outside the client area or overlaps another control. Empty when all is well.
std::vector<std::string> VadyTextu(HWND dialog)
{
    std::vector<std::string> vady;
    RECT klient{};
    GetClientRect(dialog, &klient);
    std::vector<HWND> prvky;
    for (HWND p = GetWindow(dialog, GW_CHILD); p; p = GetWindow(p, GW_HWNDNEXT))
        if (IsWindowVisible(p) || (GetWindowLongW(p, GWL_STYLE) & WS_VISIBLE)) prvky.push_back(p);
    for (HWND p : prvky) {
        wchar_t trida[32] = L"";
        GetClassNameW(p, trida, 32);
        const LONG typ = GetWindowLongW(p, GWL_STYLE) & SS_TYPEMASK;
        const bool text = _wcsicmp(trida, L"Static") == 0 &&
                          (typ == SS_LEFT || typ == SS_CENTER || typ == SS_RIGHT || typ == SS_SIMPLE ||
                           typ == SS_LEFTNOWORDWRAP);
        if (!text) continue;
        wchar_t obsah[512] = L"";
        GetWindowTextW(p, obsah, 512);
        const std::string nazev = "\"" + Utf8(obsah) + "\" (" + std::to_string(GetDlgCtrlID(p)) + ")";
        const RECT r = VKlientu(dialog, p);
        const SIZE rozmer = ZmeritText(p, obsah);
        if (rozmer.cx > r.right - r.left)
            vady.push_back(nazev + " needs " + std::to_string(rozmer.cx) + " px, has " + std::to_string(r.right - r.left));
        if (r.left < 0 || r.right > klient.right) vady.push_back(nazev + " leaves the client area");
        for (HWND jiny : prvky) {
            wchar_t jinaTrida[32] = L"";
            GetClassNameW(jiny, jinaTrida, 32);
            const bool ramecek = _wcsicmp(jinaTrida, L"Button") == 0 &&
                                 (GetWindowLongW(jiny, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
            RECT prunik{};
            const RECT s = VKlientu(dialog, jiny);
            if (jiny != p && !ramecek && IntersectRect(&prunik, &r, &s))
                vady.push_back(nazev + " overlaps control " + std::to_string(GetDlgCtrlID(jiny)));
        }
    }
    return vady;
}

std::string Spojit(const std::vector<std::string>& radky)
{
    std::string text;
    for (const auto& r : radky) text += r + "\n";
    return text;
}

// ---- the checks, run in the child ---------------------------------------------------------

class PriDpiOkno : public OknoHlavniTest {
protected:
    void SetUp() override
    {
        OknoHlavniTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(OcekavatDpiDitete());
        dpi = DpiSystemu();
    }
    UINT dpi = 96;
};

TEST_F(PriDpiOkno, FirstSizeIs800x600ScaledToTheDpi)
{
    Vytvorit(); // no placement stored in the scratch registry
    EXPECT_EQ(dpi, okno->Dpi());
    RECT r{};
    GetWindowRect(Okno(), &r);
    const RECT oblast = PracovniOblast(Okno());
    EXPECT_EQ(std::min<LONG>(Skalovat(800, dpi), oblast.right - oblast.left), r.right - r.left);
    EXPECT_EQ(std::min<LONG>(Skalovat(600, dpi), oblast.bottom - oblast.top), r.bottom - r.top);
}

TEST_F(PriDpiOkno, ToolbarShowsThePicturesOfTheDpiInABandThatHoldsThem)
{
    const std::map<UINT, int> velikosti{{96, 16}, {120, 20}, {144, 24}, {192, 32}};
    if (!velikosti.count(dpi)) GTEST_SKIP() << "no picture size is named for " << dpi << " DPI";
    const int velikost = velikosti.at(dpi);
    Vytvorit();
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(SendMessageW(Panel(), TB_GETIMAGELIST, 0, 0)), &cx, &cy));
    EXPECT_EQ(velikost, cx);
    EXPECT_EQ(velikost, cy);
    ASSERT_TRUE(ImageList_GetIconSize(
        reinterpret_cast<HIMAGELIST>(SendMessageW(Panel(), TB_GETDISABLEDIMAGELIST, 0, 0)), &cx, &cy));
    EXPECT_EQ(velikost, cx) << "the grey copy of the same size";

    REBARBANDINFOW pas{};
    pas.cbSize = sizeof pas;
    pas.fMask = RBBIM_CHILDSIZE;
    ASSERT_TRUE(SendMessageW(Rebar(), RB_GETBANDINFOW, 0, reinterpret_cast<LPARAM>(&pas)));
    EXPECT_EQ(static_cast<UINT>(velikost + Skalovat(8, dpi)), pas.cyMinChild);
    EXPECT_EQ(static_cast<UINT>(Skalovat(240, dpi)), pas.cxMinChild);
    EXPECT_GE(VKlientu(Okno(), Rebar()).bottom, static_cast<LONG>(pas.cyMinChild));

    RECT tlacitko{};
    ASSERT_TRUE(SendMessageW(Panel(), TB_GETRECT, ID_ANIMACE_SPUSTIT, reinterpret_cast<LPARAM>(&tlacitko)));
    EXPECT_GT(tlacitko.right - tlacitko.left, velikost) << "the buttons follow the pictures";
    EXPECT_GT(tlacitko.bottom - tlacitko.top, velikost);
}

TEST_F(PriDpiOkno, StatusPartsHoldTheirLongestTextsInTheBarsFont)
{
    Vytvorit();
    HWND lista = StavovaLista();
    NONCLIENTMETRICSW metriky{};
    metriky.cbSize = sizeof metriky;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metriky, &metriky, 0));
    LOGFONTW pismo{};
    ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(lista, WM_GETFONT, 0, 0)), sizeof pismo, &pismo));
    EXPECT_EQ(metriky.lfStatusFont.lfHeight, pismo.lfHeight) << "the system's status font at this DPI";

    for (const auto& [cast, text] : {std::pair{kCastPocitadlo, L"9999/9999"}, std::pair{kCastRychlost, L"Rychlost: 1000 %"}}) {
        SCOPED_TRACE(cast);
        SendMessageW(lista, SB_SETTEXTW, static_cast<WPARAM>(cast), reinterpret_cast<LPARAM>(text));
        RECT r{};
        ASSERT_TRUE(SendMessageW(lista, SB_GETRECT, static_cast<WPARAM>(cast), reinterpret_cast<LPARAM>(&r)));
        // The bar draws a part's text 3 pixels inside the part's sunken one-pixel edge and
        // clips it at that edge.
        EXPECT_LE(r.left + 1 + 3 + ZmeritText(lista, text).cx, r.right - 1) << "the text is cut";
    }
    RECT soubor{};
    SendMessageW(lista, SB_GETRECT, kCastInformace, reinterpret_cast<LPARAM>(&soubor));
    RECT rychlost{};
    SendMessageW(lista, SB_GETRECT, kCastRychlost, reinterpret_cast<LPARAM>(&rychlost));
    RECT klient{};
    GetClientRect(lista, &klient);
    EXPECT_GT(soubor.right - soubor.left, klient.right / 2) << "the file part takes the rest";
    EXPECT_EQ(klient.right, rychlost.right);
}

class PriDpiDialogy : public DialogyTest {
protected:
    void SetUp() override
    {
        DialogyTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(OcekavatDpiDitete());
    }
    // The dialog as a user opens it; its texts are inspected while it shows.
    void Zkontrolovat(Tarnel::WinApi::DialogImpl& dialog, const char* nazev)
    {
        std::vector<std::string> vady;
        Spustit(dialog, [&](HWND okno) {
            vady = VadyTextu(okno);
            Uzivatel::ZavritKrizkem(okno);
        });
        EXPECT_TRUE(vady.empty()) << nazev << ":\n" << Spojit(vady);
    }
};

TEST_F(PriDpiDialogy, EveryStaticTextOfEveryDialogHoldsItsText)
{
    DlgRychlostAnimace rychlost;
    rychlost.rychlost = 100;
    Zkontrolovat(rychlost, "speed dialog");
    DlgNastaveni nastaveniDialog;
    Zkontrolovat(nastaveniDialog, "settings dialog");
    DlgProgramInfo oProgramu;
    Zkontrolovat(oProgramu, "program information");

    // The frames panel with a file, so that its information line has its text.
    TestSupport::ScratchDir slozka;
    const std::wstring gif = slozka.File(L"velky.gif");
    ASSERT_TRUE(GifFixtures::WriteGif(gif, GifFixtures::Animation(1920, 1080, 2)));
    HWND hostitel = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 900, 700, nullptr, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
    {
        DlgPrehledFrames panel;
        HWND okno = panel.Vytvorit(hostitel, gif.c_str());
        ShowWindow(okno, SW_SHOW);
        const std::vector<std::string> vady = VadyTextu(okno);
        EXPECT_TRUE(vady.empty()) << "frames panel:\n" << Spojit(vady);
    }
    DestroyWindow(hostitel);
}

TEST(PriDpiNadpis, HeadingIs20PixelsHighScaledToTheDpi)
{
    ASSERT_NO_FATAL_FAILURE(OcekavatDpiDitete());
    HWND prvek = CreateWindowExW(0, L"STATIC", L"Animora", WS_POPUP, 0, 0, 200, 40, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    Knihovna::StaticNadpis nadpis;
    nadpis.Pripojit(prvek);
    LOGFONTW popis{};
    ASSERT_TRUE(GetObjectW(nadpis.Pismo(), sizeof popis, &popis));
    EXPECT_EQ(-Skalovat(20, DpiSystemu()), popis.lfHeight);
    nadpis.Odpojit();
    DestroyWindow(prvek);
}

TEST(PriDpiPrehled, OpensCentredAsAScaled800x600WindowWithTheKeyboardOnItsList)
{
    ASSERT_NO_FATAL_FAILURE(OcekavatDpiDitete());
    TestSupport::ScratchRegistry registr; // no stored position
    const IdentitaProgramu identita;
    modulPrehledFrames.Spustit(nullptr, nullptr);
    HWND okno = nullptr;
    TestSupport::PumpUntil([&] { return (okno = modulPrehledFrames.OknoPrehledu()) && IsWindowVisible(okno); }, 15000);
    ASSERT_NE(nullptr, okno);
    TestSupport::PumpUntil([] { return false; }, 200); // let its thread settle after showing

    GUITHREADINFO vlakno{sizeof vlakno};
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(okno, nullptr), &vlakno));
    EXPECT_EQ(GetDlgItem(PrehledFrames::Panel(okno), IDC_PREHLED_SEZNAM), vlakno.hwndFocus);

    const UINT dpi = DpiSystemu();
    const RECT oblast = PracovniOblast(okno);
    const SIZE vytvoreni{std::min<LONG>(Skalovat(800, dpi), oblast.right - oblast.left),
                         std::min<LONG>(Skalovat(600, dpi), oblast.bottom - oblast.top)};
    const POINT stred = Tarnel::WinApi::PolohaNaStred(vytvoreni, oblast, oblast);
    RECT r{};
    GetWindowRect(okno, &r);
    EXPECT_EQ(stred.x, r.left) << "centred as a window of the scaled creation size";
    EXPECT_EQ(stred.y, r.top);
    modulPrehledFrames.Ukoncit();
}

// ---- the rules, each at every DPI ---------------------------------------------------------

// A rule: the name the suite lists it under, and the check the child runs.
struct Pravidlo {
    const char* nazev;
    const char* kontrola;
};
const Pravidlo kPravidla[] = {
    {"MainWindowFirstSize", "PriDpiOkno.FirstSizeIs800x600ScaledToTheDpi"},
    {"ToolbarPictureSize", "PriDpiOkno.ToolbarShowsThePicturesOfTheDpiInABandThatHoldsThem"},
    {"StatusParts", "PriDpiOkno.StatusPartsHoldTheirLongestTextsInTheBarsFont"},
    {"DialogTexts", "PriDpiDialogy.EveryStaticTextOfEveryDialogHoldsItsText"},
    {"HeadingFont", "PriDpiNadpis.HeadingIs20PixelsHighScaledToTheDpi"},
    {"FramesOverviewOpening", "PriDpiPrehled.OpensCentredAsAScaled800x600WindowWithTheKeyboardOnItsList"},
};

void PrintTo(const Pravidlo& pravidlo, std::ostream* vystup) { *vystup << pravidlo.nazev; }

class PravidlaDpi : public testing::TestWithParam<std::tuple<Pravidlo, UINT>> {};

TEST_P(PravidlaDpi, HoldsAtTheDpi) { SpustitPriDpi(std::get<1>(GetParam()), std::get<0>(GetParam()).kontrola); }

INSTANTIATE_TEST_SUITE_P(Dpi, PravidlaDpi, testing::Combine(testing::ValuesIn(kPravidla), testing::Values(96u, 120u, 144u, 192u)),
                         [](const testing::TestParamInfo<std::tuple<Pravidlo, UINT>>& info) {
                             return std::string(std::get<0>(info.param).nazev) + "_" +
                                    std::to_string(std::get<1>(info.param));
                         });

} // namespace
