// The program information dialog for real: opened by the About command of a real main
// window, looked at and worked from inside its own modal loop, and read back through its
// controls (texts, tooltips, the heading's pixels and drawing calls, its place on the screen).
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "about/DlgProgramInfo.h"
#include "app/Aplikace.h"
#include "resources/resource.h"
#include "tests/DialogDriver.h"
#include "tests/KresleniPrvku.h"
#include "tests/OknoHlavniTest.h"
#include "winlib/ModalniSmycka.h"
#include "winlib/Verze.h"

using GifFixtures::Canvas;

namespace {

constexpr COLORREF kBila = RGB(255, 255, 255);
constexpr COLORREF kCerna = RGB(0, 0, 0);
constexpr COLORREF kTmaveCervena = RGB(0x80, 0, 0); // 0x800000 as red, green, blue
constexpr COLORREF kZelena = RGB(0, 255, 0);

std::wstring Text(HWND okno) { return Tarnel::WinApi::Window(okno).Text(); }
std::wstring TextPrvku(HWND dialog, int id) { return Text(GetDlgItem(dialog, id)); }

// Both rectangles have the same centre, give or take a pixel of rounding.
testing::AssertionResult Soustredne(const RECT& a, const RECT& b)
{
    const LONG dx = (a.left + a.right) / 2 - (b.left + b.right) / 2;
    const LONG dy = (a.top + a.bottom) / 2 - (b.top + b.bottom) / 2;
    if (std::abs(dx) <= 1 && std::abs(dy) <= 1) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "centres " << dx << "," << dy << " apart";
}

RECT PracovniOblast(HWND okno)
{
    MONITORINFO info{sizeof info};
    GetMonitorInfoW(MonitorFromWindow(okno, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

RECT Obdelnik(HWND okno) { return Tarnel::WinApi::Window(okno).WindowRect(); }

// Visible dialogs of this thread over the owner.
int PocetDialogu(HWND vlastnik)
{
    int pocet = 0;
    for (HWND okno : DialogDriver::ThreadWindows(GetCurrentThreadId(), L"#32770"))
        pocet += IsWindowVisible(okno) && GetWindow(okno, GW_OWNER) == vlastnik;
    return pocet;
}

// The tooltip of this thread that knows a control of the dialog.
Uzivatel::Tip TipPrvku(HWND dialog, HWND prvek)
{
    return Uzivatel::NajitTip(GetCurrentThreadId(), dialog, reinterpret_cast<UINT_PTR>(prvek));
}

// The heading control of the dialog and its client area.
std::pair<HWND, RECT> Nadpis(HWND dialog)
{
    HWND nadpis = GetDlgItem(dialog, IDC_APLIKACE);
    RECT klient{};
    GetClientRect(nadpis, &klient);
    return {nadpis, klient};
}

// Clicks a link the way the link control reports it.
LRESULT KliknoutNaOdkaz(HWND dialog, int id, UINT kod = NM_CLICK)
{
    NMLINK oznameni{};
    oznameni.hdr.hwndFrom = GetDlgItem(dialog, id);
    oznameni.hdr.idFrom = static_cast<UINT_PTR>(id);
    oznameni.hdr.code = kod;
    return SendMessageW(dialog, WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&oznameni));
}

// Sets the scheme's window and window-text colours for the object's life.
class BarevneSchema : TestSupport::NonCopyable {
public:
    BarevneSchema(COLORREF okno, COLORREF text)
        : puvodni_{GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT)}
    {
        const COLORREF nove[] = {okno, text};
        SetSysColors(2, kPrvky, nove);
    }
    ~BarevneSchema() { SetSysColors(2, kPrvky, puvodni_); }

private:
    static constexpr INT kPrvky[2] = {COLOR_WINDOW, COLOR_WINDOWTEXT};
    COLORREF puvodni_[2];
};

class DlgProgramInfoTest : public OknoHlavniTest {
protected:
    void SetUp() override
    {
        OknoHlavniTest::SetUp();
        Vytvorit();
        SetWindowPos(Okno(), nullptr, 120, 90, 760, 560, SWP_NOZORDER);
        TestSupport::PumpMessages();
    }
    void TearDown() override
    {
        EXPECT_EQ(nullptr, dlgProgramInfo) << "no dialog is left open";
        OknoHlavniTest::TearDown();
    }
    // The About command with a check run inside the dialog's loop.
    void OtevritAZkontrolovat(std::function<void(HWND)> kontrola)
    {
        EXPECT_TRUE(DialogDriver::BehemDialogu(Okno(), [this] { Prikaz(ID_NAPOVEDA_OAPLIKACI); }, std::move(kontrola)))
            << "the dialog showed";
        EXPECT_EQ(nullptr, dlgProgramInfo) << "and is gone after its run";
    }
    // The dialog run over the main window with a check inside its loop, which then cancels
    // it unless the check ends it; what its run gave.
    INT_PTR Spustit(DlgProgramInfo& dialog, std::function<void(HWND)> kontrola, bool zrusit = true)
    {
        INT_PTR vysledek = 0;
        EXPECT_TRUE(DialogDriver::BehemDialogu(Okno(), [&] { vysledek = dialog.DoModal(Okno()); }, std::move(kontrola),
                                               zrusit));
        return vysledek;
    }
};

// ---- contents ------------------------------------------------------------------------------

TEST_F(DlgProgramInfoTest, ShowsTheProductItsVersionAndNoticeOverTheMainWindowAndTipsOverItsLinks)
{
    HWND tooltip = nullptr;
    std::wstring pravo;
    ASSERT_EQ(S_OK, Tarnel::WinApi::ReadVersionString(L"LegalCopyright", pravo));
    ASSERT_FALSE(pravo.empty());

    OtevritAZkontrolovat([&](HWND dialog) {
        ASSERT_NE(nullptr, dlgProgramInfo);
        EXPECT_EQ(dialog, dlgProgramInfo->Handle());
        EXPECT_EQ(Okno(), GetWindow(dialog, GW_OWNER));
        EXPECT_FALSE(IsWindowEnabled(Okno())) << "modal over the main window";
        EXPECT_EQ(dialog, GetForegroundWindow());

        EXPECT_EQ(L"O programu Animora", Text(dialog));
        EXPECT_EQ(L"Animora", TextPrvku(dialog, IDC_APLIKACE));
        EXPECT_EQ(L"verze: 1.0.0.4  (64-bitová verze)", TextPrvku(dialog, IDC_VERZE)) << "two spaces before the parenthesis";
        EXPECT_EQ(pravo, TextPrvku(dialog, IDC_INFO_PRAVA));
        EXPECT_EQ(reinterpret_cast<LRESULT>(aplikace.velkaIkona.Get()), SendMessageW(dialog, WM_GETICON, ICON_BIG, 0));
        EXPECT_EQ(reinterpret_cast<LRESULT>(aplikace.malaIkona.Get()), SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0));
        EXPECT_NE(0, SendDlgItemMessageW(dialog, IDC_IKONA, STM_GETICON, 0, 0)) << "the program icon";

        const Uzivatel::Tip email = TipPrvku(dialog, GetDlgItem(dialog, IDC_INFO_EMAIL));
        const Uzivatel::Tip web = TipPrvku(dialog, GetDlgItem(dialog, IDC_INFO_WEB));
        EXPECT_EQ(L"Odeslat email firmě Tarnel", email.text);
        EXPECT_EQ(L"Zobrazit webové stránky firmy Tarnel", web.text);
        ASSERT_NE(nullptr, email.okno);
        EXPECT_EQ(email.okno, web.okno) << "one tooltip window serves both";
        EXPECT_EQ(dlgProgramInfo->Tipy().Handle(), email.okno);
        EXPECT_EQ(static_cast<UINT>(TTF_IDISHWND | TTF_SUBCLASS), email.priznaky & (TTF_IDISHWND | TTF_SUBCLASS));
        EXPECT_TRUE(GetWindowLongW(email.okno, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(L"", TipPrvku(dialog, GetDlgItem(dialog, IDOK)).text) << "nothing else has a tip";
        tooltip = email.okno;
    });
    EXPECT_TRUE(IsWindowEnabled(Okno()));
    EXPECT_EQ(0, PocetDialogu(Okno()));
    EXPECT_FALSE(IsWindow(tooltip)) << "the tooltip window goes with the dialog";
}

// ---- the heading -----------------------------------------------------------------------------

// The heading is drawn once in the text colour and shows in it on the background alone (with
// smoothed edges), printed and on the screen; the dialog and its other texts stand on the
// same background.
void OcekavatNadpis(HWND dialog, COLORREF pozadi, COLORREF barva)
{
    const auto [nadpis, klient] = Nadpis(dialog);
    const auto volani = KresleniPrvku::ZaznamenatText(nadpis);
    ASSERT_EQ(1u, volani.size());
    EXPECT_EQ(barva, volani[0].barva);
    auto tisk = KresleniPrvku::Vytisknout(nadpis, kZelena);
    EXPECT_EQ(0, tisk->Count(kZelena, klient)) << "the whole control is painted";
    auto obrazovka = KresleniPrvku::ZObrazovky(nadpis);
    for (const auto* plocha : {tisk.get(), obrazovka.get()}) {
        EXPECT_EQ(0, KresleniPrvku::CiziPixely(*plocha, pozadi, barva, klient));
        EXPECT_GT(plocha->Count(barva, klient), 20);
    }
    for (HWND prvek : {dialog, GetDlgItem(dialog, IDC_VERZE), GetDlgItem(dialog, IDC_INFO_PRAVA)}) {
        auto plocha = KresleniPrvku::ZObrazovky(prvek);
        EXPECT_EQ(pozadi, plocha->Pixel(plocha->Width() - 3, plocha->Height() / 2)) << DialogDriver::ClassOf(prvek);
    }
}

TEST_F(DlgProgramInfoTest, HeadingIsDarkRedVerdanaTwentyPixelsHighOnWhite)
{
    OtevritAZkontrolovat([&](HWND dialog) {
        OcekavatNadpis(dialog, kBila, kTmaveCervena);
        const auto [nadpis, klient] = Nadpis(dialog);
        const auto volani = KresleniPrvku::ZaznamenatText(nadpis);
        ASSERT_EQ(1u, volani.size());
        EXPECT_EQ(L"Animora", volani[0].text);
        EXPECT_EQ(0x00000080u, volani[0].barva) << "as a COLORREF";
        ASSERT_TRUE(volani[0].pismoZnamo);
        EXPECT_STREQ(L"Verdana", volani[0].pismo.lfFaceName);
        EXPECT_EQ(-20, volani[0].pismo.lfHeight);
        auto tisk = KresleniPrvku::Vytisknout(nadpis, kZelena);
        EXPECT_GT(tisk->Count(kBila, klient), (klient.right * klient.bottom) / 2);
        const RECT inkoust = tisk->BoundsOfOther(kBila, klient);
        EXPECT_GE(inkoust.bottom - inkoust.top, 12) << "letters of a 20-pixel font";
    });
}

TEST_F(DlgProgramInfoTest, TextWiderThanTheHeadingIsCutOffAtItsEdge)
{
    const std::wstring dlouhy = L"Animora – přehrávač animovaných obrázků GIF";
    OtevritAZkontrolovat([&](HWND dialog) {
        const auto [nadpis, klient] = Nadpis(dialog);
        SetWindowTextW(nadpis, dlouhy.c_str());
        constexpr int kNavic = 80;
        auto tisk = KresleniPrvku::Vytisknout(nadpis, kZelena, klient.right + kNavic);
        const RECT vedle{klient.right, 0, klient.right + kNavic, klient.bottom};
        EXPECT_EQ(kNavic * klient.bottom, tisk->Count(kZelena, vedle)) << "nothing beyond the control";

        // The same text drawn in the same font without any limit: the control shows exactly
        // its left part (no ellipsis, no second line).
        LOGFONTW popis{};
        GetObjectW(dlgProgramInfo->Nadpis().Pismo(), sizeof popis, &popis);
        Tarnel::WinApi::Font pismo(CreateFontIndirectW(&popis));
        Canvas vzor(1200, klient.bottom, kBila);
        RECT cely{0, 0, 1200, klient.bottom};
        SIZE rozmer{};
        {
            Tarnel::WinApi::SelectGuard vyber(vzor.Dc(), pismo.Get());
            SetTextColor(vzor.Dc(), kTmaveCervena);
            SetBkMode(vzor.Dc(), TRANSPARENT);
            DrawTextW(vzor.Dc(), dlouhy.c_str(), static_cast<int>(dlouhy.size()), &cely, DT_SINGLELINE | DT_NOCLIP);
            GetTextExtentPoint32W(vzor.Dc(), dlouhy.c_str(), static_cast<int>(dlouhy.size()), &rozmer);
        }
        ASSERT_GT(rozmer.cx, klient.right + 20) << "the text is wider than the control";
        int rozdilnych = 0;
        for (int y = 0; y < klient.bottom; ++y)
            for (int x = 0; x < klient.right; ++x) rozdilnych += tisk->Pixel(x, y) != vzor.Pixel(x, y);
        EXPECT_EQ(0, rozdilnych);
        const RECT okraj{klient.right - 8, 0, klient.right, klient.bottom};
        EXPECT_GT(tisk->Count(kBila, okraj), 0);
        EXPECT_LT(tisk->Count(kBila, okraj), 8 * klient.bottom) << "letters reach the edge";
    });
}

TEST_F(DlgProgramInfoTest, HeadingTakesTheWindowTextColourOfASchemeWhoseTextIsNotBlack)
{
    BarevneSchema schema(kCerna, kBila);
    OtevritAZkontrolovat([&](HWND dialog) { OcekavatNadpis(dialog, kCerna, kBila); });
}

// ---- place, front, end ---------------------------------------------------------------------

TEST_F(DlgProgramInfoTest, CentredOverTheMainWindowKeptOnItsMonitorOrInTheWorkAreaWhenMinimised)
{
    OtevritAZkontrolovat([&](HWND dialog) { EXPECT_TRUE(Soustredne(Obdelnik(dialog), Obdelnik(Okno()))); });

    // A main window hanging over the bottom-left corner: the dialog stays inside the work area.
    const RECT oblast = PracovniOblast(Okno());
    SetWindowPos(Okno(), nullptr, oblast.left - 300, oblast.bottom - 150, 500, 400, SWP_NOZORDER);
    OtevritAZkontrolovat([&](HWND dialog) {
        const RECT r = Obdelnik(dialog);
        EXPECT_EQ(oblast.left, r.left);
        EXPECT_EQ(oblast.bottom, r.bottom);
    });

    // Minimised, it is passed over for the work area.
    ShowWindow(Okno(), SW_MINIMIZE);
    TestSupport::PumpMessages();
    ASSERT_TRUE(IsIconic(Okno()));
    OtevritAZkontrolovat([&](HWND dialog) { EXPECT_TRUE(Soustredne(Obdelnik(dialog), PracovniOblast(dialog))); });
    ShowWindow(Okno(), SW_RESTORE);
}

TEST_F(DlgProgramInfoTest, SecondRequestBringsTheOpenDialogToTheFront)
{
    std::optional<TestSupport::OwnerWindow> jineOkno(std::in_place);
    HWND jine = jineOkno->Get();
    OtevritAZkontrolovat([&](HWND dialog) {
        DlgProgramInfo* otevreny = dlgProgramInfo;
        SetForegroundWindow(jine);
        ASSERT_EQ(jine, GetForegroundWindow());

        Prikaz(ID_NAPOVEDA_OAPLIKACI);
        EXPECT_EQ(dialog, GetForegroundWindow());
        EXPECT_EQ(1, PocetDialogu(Okno())) << "no second dialog";
        EXPECT_EQ(otevreny, dlgProgramInfo);

        SetForegroundWindow(jine);
        aplikace.ShowProgramInfo(nullptr);
        EXPECT_EQ(dialog, GetForegroundWindow());
        EXPECT_EQ(1, PocetDialogu(Okno()));
    });
    jineOkno.reset();

    // While another modal loop runs, no dialog is started over it.
    EXPECT_FALSE(DialogDriver::BehemDialogu(
        nullptr,
        [this] {
            Tarnel::WinApi::ModalniSmycka jinaSmycka;
            aplikace.ShowProgramInfo(Okno());
        },
        [](HWND) {}));
    EXPECT_EQ(nullptr, dlgProgramInfo);
}

TEST_F(DlgProgramInfoTest, EndsWithOkEscapeOrTheCloseBox)
{
    struct Zpusob {
        const char* nazev;
        std::function<void(HWND)> akce;
        INT_PTR vysledek;
    };
    const Zpusob zpusoby[] = {
        {"OK", [](HWND d) { DialogDriver::Click(d, IDOK); }, IDOK},
        {"Esc", [](HWND d) { PostMessageW(d, WM_KEYDOWN, VK_ESCAPE, 0); }, IDCANCEL},
        {"close box", [](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL},
    };
    for (const Zpusob& z : zpusoby) {
        SCOPED_TRACE(z.nazev);
        DlgProgramInfo dialog;
        EXPECT_EQ(z.vysledek, Spustit(dialog, z.akce, false));
        EXPECT_EQ(nullptr, dialog.Handle());
    }
}

TEST_F(DlgProgramInfoTest, MainWindowClosedMeanwhileClosesOnceTheDialogHasEnded)
{
    EXPECT_TRUE(DialogDriver::BehemDialogu(
        Okno(), [this] { Prikaz(ID_NAPOVEDA_OAPLIKACI); }, [&](HWND) { PostMessageW(Okno(), WM_CLOSE, 0, 0); }, false));
    EXPECT_EQ(nullptr, dlgProgramInfo);
    EXPECT_TRUE(IsWindow(Okno())) << "the close waits for the dialog's caller to return";
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return !IsWindow(Okno()); }, 3000)) << "and happens then";
}

// ---- other version resources, links -------------------------------------------------------

TEST_F(DlgProgramInfoTest, VersionResourceWithoutTheNoticeOrWithoutAnythingDoesNotStopTheDialog)
{
    const std::wstring test = TestSupport::ExecutablePath();
    const std::wstring knihovna = test.substr(0, test.find_last_of(L'\\') + 1) + L"animora_test_verze.dll";
    ASSERT_TRUE(PathFileExistsW(knihovna.c_str()));
    std::wstring nazev;
    ASSERT_EQ(S_OK, Tarnel::WinApi::ReadVersionString(L"ProductName", nazev, knihovna.c_str()));
    EXPECT_EQ(L"Zkouška", nazev) << "the reader reads that file";
    const std::wstring bezVerze = slozka.File(L"bez verze.txt");
    ASSERT_TRUE(TestSupport::WriteBytes(bezVerze, "no version here", 15));
    for (const auto& [soubor, verze] : {std::pair{knihovna, L"verze: 2.3.5.7  (64-bitová verze)"},
                                        std::pair{bezVerze, L"verze: neznámá  (64-bitová verze)"}}) {
        SCOPED_TRACE(testing::PrintToString(soubor));
        DlgProgramInfo dialog(soubor);
        EXPECT_EQ(IDCANCEL, Spustit(dialog, [&](HWND d) {
            EXPECT_EQ(L"", TextPrvku(d, IDC_INFO_PRAVA)) << "a frame without caption";
            EXPECT_EQ(verze, TextPrvku(d, IDC_VERZE));
            EXPECT_EQ(L"O programu Animora", Text(d));
        }));
    }
}

TEST_F(DlgProgramInfoTest, LinkTheShellCannotOpenIsIgnored)
{
    const wchar_t kNikam[] = L"animora-nikam:nic";
    ASSERT_LE(reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", kNikam, nullptr, nullptr, SW_SHOWMAXIMIZED)), 32)
        << "the shell knows no such link";
    DlgProgramInfo dialog;
    EXPECT_EQ(ANIMORA_WEB_URL, dialog.adresaWebu) << "the links open the maker's addresses";
    EXPECT_EQ(L"mailto:" ANIMORA_EMAIL L"?subject=Zadost o technickou podporu", dialog.adresaPodpory);
    dialog.adresaWebu = kNikam;
    dialog.adresaPodpory = kNikam;
    EXPECT_EQ(IDCANCEL, Spustit(dialog, [](HWND d) {
        for (int id : {IDC_INFO_WEB, IDC_INFO_EMAIL}) {
            EXPECT_EQ(0, KliknoutNaOdkaz(d, id));
            EXPECT_EQ(0, KliknoutNaOdkaz(d, id, NM_RETURN));
        }
        EXPECT_TRUE(IsWindowVisible(d)) << "the dialog stays open";
        EXPECT_EQ(nullptr, DialogDriver::FindDialog(GetCurrentThreadId(), d)) << "and nothing is shown over it";
    }));
}

// A link scheme of the test's own, whose handler is this executable in its "record-start"
// mode: what the shell started shows in the file the handler writes.
class ZkusebniOdkaz : TestSupport::NonCopyable {
public:
    static constexpr wchar_t kSchema[] = L"animora-zkouska";
    explicit ZkusebniOdkaz(const std::wstring& zaznam)
    {
        const std::wstring prikaz =
            L"\"" + TestSupport::ExecutablePath() + L"\" --child=record-start \"" + zaznam + L"\" \"%1\"";
        const std::wstring klic = std::wstring(kSchema) + L"\\shell\\open\\command";
        pripraveno_ = RegSetKeyValueW(HKEY_CLASSES_ROOT, kSchema, L"URL Protocol", REG_SZ, L"", sizeof(wchar_t)) ==
                          ERROR_SUCCESS &&
                      RegSetKeyValueW(HKEY_CLASSES_ROOT, klic.c_str(), nullptr, REG_SZ, prikaz.c_str(),
                                      static_cast<DWORD>((prikaz.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    }
    ~ZkusebniOdkaz() { RegDeleteTreeW(HKEY_CLASSES_ROOT, kSchema); }
    bool Pripraveno() const { return pripraveno_; }

private:
    bool pripraveno_ = false;
};

// What the handler recorded: its show state and the link, once the file is there.
std::wstring PockatNaZaznam(const std::wstring& zaznam)
{
    TestSupport::PumpUntil([&] { return PathFileExistsW(zaznam.c_str()) != FALSE; }, 10000);
    const std::string bajty = TestSupport::ReadBytes(zaznam);
    return std::wstring(reinterpret_cast<const wchar_t*>(bajty.data()), bajty.size() / sizeof(wchar_t));
}

TEST_F(DlgProgramInfoTest, LinkIsOpenedThroughTheShellMaximised)
{
    const std::wstring zaznam = slozka.File(L"otevreno.txt");
    ZkusebniOdkaz odkaz(zaznam);
    ASSERT_TRUE(odkaz.Pripraveno());
    DlgProgramInfo dialog;
    dialog.adresaWebu = std::wstring(ZkusebniOdkaz::kSchema) + L":web";
    dialog.adresaPodpory = std::wstring(ZkusebniOdkaz::kSchema) + L":podpora";
    std::wstring web;
    std::wstring podpora;
    Spustit(dialog, [&](HWND d) {
        EXPECT_EQ(0, KliknoutNaOdkaz(d, IDC_INFO_WEB));
        web = PockatNaZaznam(zaznam);
        DeleteFileW(zaznam.c_str());
        EXPECT_EQ(0, KliknoutNaOdkaz(d, IDC_INFO_EMAIL));
        podpora = PockatNaZaznam(zaznam);
    });
    EXPECT_EQ(std::to_wstring(SW_SHOWMAXIMIZED) + L" animora-zkouska:web", web);
    EXPECT_EQ(std::to_wstring(SW_SHOWMAXIMIZED) + L" animora-zkouska:podpora", podpora);
}

} // namespace
