// The frames overview window on its own thread: starting and stopping it (also at once, also
// many times), what the main window hears of it, its class, size and stored position, closing
// it while the panel waits in a file dialog, and the real program closing with it open.
#include <gtest/gtest.h>

#include <memory>

#include "app/Aplikace.h"
#include "frames/ModulPrehledFrames.h"
#include "resources/resource.h"
#include "tests/ChildModes.h"
#include "tests/DialogDriver.h"
#include "tests/GifFixtures.h"
#include "tests/IdentitaProgramu.h"
#include "tests/OknoHlavniTest.h"
#include "tests/PrehledFramesTest.h"
#include "tests/SkutecnyProgram.h"
#include "tests/TestSupport.h"
#include "winlib/Okno.h"
#include "winlib/WindowImpl.h"

using namespace GifFixtures;
using namespace PrehledFrames;

namespace {
constexpr DWORD kCekani = 15000;

// The overview window once it shows; null when it does not.
HWND CekatNaNastroj()
{
    HWND okno = nullptr;
    TestSupport::PumpUntil(
        [&] {
            okno = modulPrehledFrames.OknoPrehledu();
            return okno && IsWindowVisible(okno);
        },
        kCekani);
    return okno && IsWindowVisible(okno) ? okno : nullptr;
}

// Stands in for the main window: counts the state messages and what the module said then.
class Posluchac : public Tarnel::WinApi::WindowImpl {
public:
    ~Posluchac() override
    {
        if (IsWindow()) ::DestroyWindow(hwnd_);
    }
    HWND Vytvorit()
    {
        return Create(Tarnel::WinApi::WindowClass{L"PrehledFramesTestListener"}, nullptr, L"", WS_POPUP, 0, RECT{});
    }
    std::vector<bool> beziPriZprave;

protected:
    bool ProcessWindowMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT& result) override
    {
        if (message != WM_AKTUALIZOVAT_STAV) return false;
        beziPriZprave.push_back(modulPrehledFrames.Bezi());
        result = 0;
        return true;
    }
};

// The module on its own, told of its state through a listener window.
class ModulTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, posluchac.Vytvorit());
    }
    void TearDown() override
    {
        modulPrehledFrames.Ukoncit();
        TestSupport::PumpMessages();
    }

    void Spustit(const std::wstring& cesta) { modulPrehledFrames.Spustit(cesta.c_str(), posluchac); }
    // Starts the window on a GIF of its own: the window once it shows, or null.
    HWND Zobrazit(const wchar_t* soubor, int snimku = 4)
    {
        Spustit(Gif(soubor, snimku));
        return Okno();
    }
    // The overview window once it shows; null when it does not.
    HWND Okno() { return CekatNaNastroj(); }
    std::wstring Gif(const std::wstring& nazev, int snimku = 4)
    {
        const std::wstring cesta = slozka.File(nazev);
        EXPECT_TRUE(WriteGif(cesta, Animation(60, 40, snimku)));
        return cesta;
    }
    static DWORD Vlakno(HWND okno) { return GetWindowThreadProcessId(okno, nullptr); }
    // Starts the window on a file of its own and clicks the panel's button that shows a file
    // dialog: the window, and the dialog on its thread once it shows (null when none does).
    std::pair<HWND, HWND> ZobrazitDialog(const wchar_t* soubor, int tlacitko)
    {
        HWND okno = Zobrazit(soubor);
        if (!okno) return {};
        Kliknout(okno, tlacitko);
        return {okno, WaitForDialog(Vlakno(okno))};
    }
    static int PocetRadku(HWND okno)
    {
        return static_cast<int>(SendMessageW(GetDlgItem(Panel(okno), IDC_PREHLED_SEZNAM), LB_GETCOUNT, 0, 0));
    }
    static void Kliknout(HWND okno, int id)
    {
        HWND panel = Panel(okno);
        PostMessageW(panel, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(panel, id)));
    }

    IdentitaProgramu identita;
    TestSupport::ScratchRegistry registr;
    TestSupport::ScratchDir slozka;
    Posluchac posluchac;
};

} // namespace

// ---- the thread ---------------------------------------------------------------------------

TEST_F(ModulTest, WindowRunsOnAThreadOfItsOwnThatReportsItsStartAndEnd)
{
    Spustit(Gif(L"a.gif"));
    EXPECT_TRUE(modulPrehledFrames.Bezi());
    HWND okno = Okno();
    ASSERT_NE(nullptr, okno);
    DWORD proces = 0;
    const DWORD vlakno = GetWindowThreadProcessId(okno, &proces);
    EXPECT_EQ(GetCurrentProcessId(), proces);
    EXPECT_NE(GetCurrentThreadId(), vlakno);
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return !posluchac.beziPriZprave.empty(); }, kCekani));
    EXPECT_TRUE(posluchac.beziPriZprave[0]) << "the first report comes while the thread runs";

    modulPrehledFrames.Ukoncit();
    EXPECT_FALSE(modulPrehledFrames.Bezi()) << "Ukoncit returns once the thread has finished";
    EXPECT_FALSE(IsWindow(okno));
    EXPECT_EQ(nullptr, modulPrehledFrames.OknoPrehledu());
    HANDLE ukonceno = OpenThread(SYNCHRONIZE, FALSE, vlakno);
    if (ukonceno) {
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(ukonceno, 0)) << "the thread itself has ended";
        CloseHandle(ukonceno);
    }
    TestSupport::PumpMessages();
    ASSERT_EQ(2u, posluchac.beziPriZprave.size());
    EXPECT_FALSE(posluchac.beziPriZprave[1]) << "the last report comes once it no longer counts as running";
}

TEST_F(ModulTest, WindowIsAnUnownedGifFramesListFittedToThePanelAndCentred)
{
    HWND okno = Zobrazit(L"třída.gif", 5);
    ASSERT_NE(nullptr, okno);
    EXPECT_EQ(L"GifFramesList", DialogDriver::ClassOf(okno));
    EXPECT_EQ(L"Animora - třída.gif (počet obrázků: 5)", TextOf(okno)) << "the panel's title";
    const auto styl = static_cast<DWORD>(GetWindowLongPtrW(okno, GWL_STYLE));
    EXPECT_EQ(0x008A0000u, styl & 0x008A0000u);
    EXPECT_TRUE(styl & WS_CAPTION) << "an overlapped window gets a caption";
    EXPECT_EQ(0u, styl & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CHILD | WS_POPUP)) << "the user cannot resize it";
    EXPECT_EQ(0, GetWindowLongPtrW(okno, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_WINDOWEDGE));
    EXPECT_EQ(nullptr, GetWindow(okno, GW_OWNER));
    EXPECT_EQ(nullptr, GetParent(okno));
    EXPECT_EQ(nullptr, GetMenu(okno));
    EXPECT_EQ(static_cast<ULONG_PTR>(CS_HREDRAW | CS_VREDRAW), GetClassLongPtrW(okno, GCL_STYLE));
    EXPECT_EQ(static_cast<ULONG_PTR>(COLOR_APPWORKSPACE + 1), GetClassLongPtrW(okno, GCLP_HBRBACKGROUND));
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(LoadCursorW(nullptr, IDC_ARROW)), GetClassLongPtrW(okno, GCLP_HCURSOR));
    EXPECT_EQ(reinterpret_cast<LRESULT>(aplikace.velkaIkona.Get()), SendMessageW(okno, WM_GETICON, ICON_BIG, 0));
    EXPECT_EQ(reinterpret_cast<LRESULT>(aplikace.malaIkona.Get()), SendMessageW(okno, WM_GETICON, ICON_SMALL, 0));

    HWND panel = Panel(okno);
    ASSERT_NE(nullptr, panel);
    EXPECT_TRUE(IsWindowVisible(panel));
    RECT klient{}, rozmerPanelu{}, polohaPanelu{};
    GetClientRect(okno, &klient);
    GetClientRect(panel, &rozmerPanelu);
    GetWindowRect(panel, &polohaPanelu);
    MapWindowPoints(nullptr, okno, reinterpret_cast<POINT*>(&polohaPanelu), 2);
    EXPECT_EQ(rozmerPanelu.right, klient.right) << "the window is as large as the panel";
    EXPECT_EQ(rozmerPanelu.bottom, klient.bottom);
    EXPECT_EQ(0, polohaPanelu.left);
    EXPECT_EQ(0, polohaPanelu.top);
    EXPECT_EQ(5, PocetRadku(okno));

    // Nothing stored: where centring put the 800 x 600 window it was created as.
    RECT r{};
    GetWindowRect(okno, &r);
    MONITORINFO monitor{sizeof monitor};
    GetMonitorInfoW(MonitorFromWindow(okno, MONITOR_DEFAULTTONEAREST), &monitor);
    const POINT stred = Tarnel::WinApi::PolohaNaStred(SIZE{800, 600}, monitor.rcWork, monitor.rcWork);
    EXPECT_EQ(stred.x, r.left);
    EXPECT_EQ(stred.y, r.top);
}

TEST_F(ModulTest, StartingWhileItRunsKeepsTheOneWindow)
{
    HWND okno = Zobrazit(L"jedno.gif");
    ASSERT_NE(nullptr, okno);
    Spustit(Gif(L"druhe.gif", 7));
    modulPrehledFrames.Spustit(nullptr, posluchac);
    TestSupport::PumpMessages();
    EXPECT_EQ(okno, modulPrehledFrames.OknoPrehledu());
    EXPECT_EQ(1u, OknaPrehledu().size());
    EXPECT_EQ(4, PocetRadku(okno)) << "the first file stays";
    EXPECT_EQ(1u, posluchac.beziPriZprave.size()) << "no second thread started";
}

TEST_F(ModulTest, StartsAndStopsManyTimesWithoutLeavingAThreadOrWindowBehind)
{
    const std::wstring cesta = Gif(L"opakovane.gif", 6);
    // The first opening brings up what the process keeps for good (COM, GDI+ workers).
    Spustit(cesta);
    ASSERT_NE(nullptr, Okno());
    modulPrehledFrames.Ukoncit();
    const int vlaken = PocetVlaken();
    ASSERT_GT(vlaken, 0);

    // (No SCOPED_TRACE below: GoogleTest watches a thread that uses one with a thread of its own.)
    const int kol = 16;
    for (int i = 0; i < kol; ++i) {
        Spustit(cesta);
        // Every other time the stop comes at once, before the thread can have made its window.
        if (i % 2) {
            ASSERT_NE(nullptr, Okno()) << "run " << i;
        }
        EXPECT_LE(OknaPrehledu().size(), 1u) << "run " << i;
        modulPrehledFrames.Ukoncit();
        EXPECT_FALSE(modulPrehledFrames.Bezi()) << "run " << i;
        EXPECT_TRUE(OknaPrehledu().empty()) << "run " << i;
    }
    EXPECT_EQ(vlaken, PocetVlaken());
    TestSupport::PumpMessages();
    EXPECT_EQ(static_cast<size_t>(2 * (kol + 1)), posluchac.beziPriZprave.size()) << "two reports per run";
    modulPrehledFrames.Ukoncit(); // stopping what is not running does nothing
}

TEST_F(ModulTest, PathsThatNameNoFileOpenAnEmptyPanel)
{
    for (const std::wstring& cesta : {slozka.File(L"neni.gif"), slozka.Path(), std::wstring()}) {
        SCOPED_TRACE(testing::PrintToString(cesta));
        modulPrehledFrames.Spustit(cesta.empty() ? nullptr : cesta.c_str(), posluchac);
        HWND okno = Okno();
        ASSERT_NE(nullptr, okno);
        EXPECT_EQ(kBezObrazku, TextOf(okno));
        EXPECT_EQ(0, PocetRadku(okno));
        modulPrehledFrames.Ukoncit();
    }
}

// ---- placement ----------------------------------------------------------------------------

TEST_F(ModulTest, PositionIsStoredUnderItsClassNameUnlessMinimisedAndOnlyThePositionIsRestored)
{
    HWND okno = Zobrazit(L"poloha.gif");
    ASSERT_NE(nullptr, okno);
    ASSERT_TRUE(SetWindowPos(okno, nullptr, 130, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
    RECT r{};
    GetWindowRect(okno, &r);
    PostMessageW(okno, WM_CLOSE, 0, 0); // as the user closes it
    ASSERT_TRUE(TestSupport::PumpUntil([] { return !modulPrehledFrames.Bezi(); }, kCekani));

    DWORD poloha = 0, velikost = 0;
    ASSERT_TRUE(CistDword(KlicPolohy(L"GifFramesList"), L"Poloha", poloha));
    ASSERT_TRUE(CistDword(KlicPolohy(L"GifFramesList"), L"Velikost", velikost));
    EXPECT_EQ(Tarnel::WinApi::ZabalitDvojici(130, 90), poloha);
    EXPECT_EQ(Tarnel::WinApi::ZabalitDvojici(r.right - r.left, r.bottom - r.top), velikost);
    DWORD zadna = 0;
    EXPECT_FALSE(CistDword(KlicPolohy(L"Animora"), L"Poloha", zadna)) << "the main window's key is not touched";

    // A stored size is not applied: the window always takes the panel's.
    HKEY klic = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, KlicPolohy(L"GifFramesList").c_str(), 0, KEY_SET_VALUE, &klic));
    const DWORD mala = Tarnel::WinApi::ZabalitDvojici(100, 100);
    RegSetValueExW(klic, L"Velikost", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&mala), sizeof mala);
    RegCloseKey(klic);
    okno = Zobrazit(L"poloha.gif");
    ASSERT_NE(nullptr, okno);
    RECT znovu{};
    GetWindowRect(okno, &znovu);
    EXPECT_EQ(130, znovu.left);
    EXPECT_EQ(90, znovu.top);
    EXPECT_EQ(r.right - r.left, znovu.right - znovu.left);
    EXPECT_EQ(r.bottom - r.top, znovu.bottom - znovu.top);

    // A minimised window stores nothing.
    PostMessageW(okno, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return IsIconic(okno) != FALSE; }, kCekani));
    modulPrehledFrames.Ukoncit();
    ASSERT_TRUE(CistDword(KlicPolohy(L"GifFramesList"), L"Poloha", poloha));
    EXPECT_EQ(Tarnel::WinApi::ZabalitDvojici(130, 90), poloha);
}

// ---- closing while the panel waits in a dialog --------------------------------------------

TEST_F(ModulTest, StopOrUserCloseWhileThePanelsOpenDialogIsUpEndsTheDialogAndTheWindow)
{
    for (const bool uzivatel : {false, true}) {
        const auto [okno, dialog] = ZobrazitDialog(uzivatel ? L"zavreni.gif" : L"otevirani.gif", IDC_PREHLED_OTEVRIT);
        ASSERT_NE(nullptr, dialog) << "the open dialog shows on the overview thread; user " << uzivatel;
        EXPECT_EQ(okno, GetAncestor(GetWindow(dialog, GW_OWNER), GA_ROOT));
        if (uzivatel) {
            // The user's close waits until the dialog has ended.
            PostMessageW(okno, WM_CLOSE, 0, 0);
            ASSERT_TRUE(TestSupport::PumpUntil([] { return !modulPrehledFrames.Bezi(); }, kCekani));
        } else {
            modulPrehledFrames.Ukoncit();
            EXPECT_FALSE(modulPrehledFrames.Bezi());
        }
        EXPECT_FALSE(IsWindow(dialog)) << "user " << uzivatel;
        EXPECT_FALSE(IsWindow(okno)) << "user " << uzivatel;
    }
}

TEST_F(ModulTest, StopWhileTheSaveDialogAsksAboutOverwritingKeepsTheFile)
{
    const std::wstring existujici = slozka.File(L"existuje.png");
    ASSERT_TRUE(TestSupport::WriteBytes(existujici, "puvodni", 7));
    const auto [okno, dialog] = ZobrazitDialog(L"ukladani.gif", IDC_PREHLED_ULOZIT);
    ASSERT_NE(nullptr, dialog);
    DialogDriver::Choose(Vlakno(okno), dialog, {existujici});
    HWND otazka = WaitForDialog(Vlakno(okno), dialog, dialog);
    ASSERT_NE(nullptr, otazka) << "the overwrite question";

    modulPrehledFrames.Ukoncit();
    EXPECT_FALSE(modulPrehledFrames.Bezi());
    EXPECT_FALSE(IsWindow(otazka));
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_FALSE(IsWindow(okno));
    EXPECT_EQ("puvodni", TestSupport::ReadBytes(existujici)) << "the question was answered No";
}

// ---- with the main window -----------------------------------------------------------------

TEST_F(OknoHlavniTest, Command40013TogglesTheOverviewAndItsCheckMarkFollowsTheThread)
{
    Vytvorit(Gif(L"prehled.gif", Animation(40, 30, 6)).c_str());
    EXPECT_FALSE(MenuZaskrtnuto(ID_NASTROJE_PREHLEDOBRAZKU));
    Prikaz(ID_NASTROJE_PREHLEDOBRAZKU);
    HWND nastroj = CekatNaNastroj();
    ASSERT_NE(nullptr, nastroj);
    EXPECT_NE(GetWindowThreadProcessId(Okno(), nullptr), GetWindowThreadProcessId(nastroj, nullptr));
    EXPECT_EQ(L"Animora - prehled.gif (počet obrázků: 6)", TextOf(nastroj)) << "the animation is handed over";
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return MenuZaskrtnuto(ID_NASTROJE_PREHLEDOBRAZKU); }, kCekani));
    EXPECT_TRUE(okno->Prehrava()) << "the main window goes on playing";

    Prikaz(ID_NASTROJE_PREHLEDOBRAZKU);
    EXPECT_FALSE(modulPrehledFrames.Bezi());
    EXPECT_FALSE(IsWindow(nastroj));
    EXPECT_TRUE(MenuZaskrtnuto(ID_NASTROJE_PREHLEDOBRAZKU)) << "until the thread's last report arrives";
    TestSupport::PumpMessages();
    EXPECT_FALSE(MenuZaskrtnuto(ID_NASTROJE_PREHLEDOBRAZKU));
    EXPECT_TRUE(MenuPovoleno(ID_NASTROJE_PREHLEDOBRAZKU));

    // The command twice in quick succession never leaves a window.
    for (int i = 0; i < 10; ++i) {
        Prikaz(ID_NASTROJE_PREHLEDOBRAZKU);
        Prikaz(ID_NASTROJE_PREHLEDOBRAZKU);
        EXPECT_FALSE(modulPrehledFrames.Bezi());
        EXPECT_TRUE(PrehledFrames::OknaPrehledu().empty());
    }
    TestSupport::PumpMessages();
    EXPECT_FALSE(MenuZaskrtnuto(ID_NASTROJE_PREHLEDOBRAZKU));
}

TEST_F(OknoHlavniTest, OverviewStartsEmptyUnlessAnAnimationIsOpen)
{
    Vytvorit();
    for (const bool obrazek : {false, true}) {
        if (obrazek) okno->OtevritSoubor(Gif(L"obraz.gif", Still(40, 30, FrameColour(2))), true);
        Prikaz(ID_NASTROJE_PREHLEDOBRAZKU);
        HWND nastroj = CekatNaNastroj();
        ASSERT_NE(nullptr, nastroj);
        EXPECT_EQ(kBezObrazku, TextOf(nastroj)) << (obrazek ? "a still image is not handed over" : "no file open");
        Prikaz(ID_NASTROJE_PREHLEDOBRAZKU);
    }
}

TEST_F(OknoHlavniTest, UserClosingTheOverviewUnchecksTheCommandAndTheMainWindowClosesItFirst)
{
    Vytvorit(PomalaAnimace(4).c_str());
    Prikaz(ID_NASTROJE_PREHLEDOBRAZKU);
    HWND nastroj = CekatNaNastroj();
    ASSERT_NE(nullptr, nastroj);
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return MenuZaskrtnuto(ID_NASTROJE_PREHLEDOBRAZKU); }, kCekani));
    PostMessageW(nastroj, WM_CLOSE, 0, 0);
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return !MenuZaskrtnuto(ID_NASTROJE_PREHLEDOBRAZKU); }, kCekani));
    EXPECT_FALSE(modulPrehledFrames.Bezi());
    Prikaz(ID_NASTROJE_PREHLEDOBRAZKU); // and it opens again
    nastroj = CekatNaNastroj();
    ASSERT_NE(nullptr, nastroj);

    // Closing the main window closes the overview first, and it saves its position again.
    RegDeleteKeyValueW(HKEY_CURRENT_USER, PrehledFrames::KlicPolohy(L"GifFramesList").c_str(), L"Poloha");
    SendMessageW(Okno(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(Okno()));
    EXPECT_FALSE(IsWindow(nastroj));
    EXPECT_FALSE(modulPrehledFrames.Bezi());
    DWORD poloha = 0;
    EXPECT_TRUE(PrehledFrames::CistDword(PrehledFrames::KlicPolohy(L"GifFramesList"), L"Poloha", poloha))
        << "the overview saved its position as it closed";
}

// ---- the real program ---------------------------------------------------------------------

TEST(ModulProgram, ClosingTheMainWindowWithTheOverviewOpenEndsTheProgramWithCodeZero)
{
    SkutecnyProgram program;
    ASSERT_TRUE(program.Start(L"\"" + TestSupport::SharedGif(L"nsgif_waves.gif") + L"\""));
    HWND hlavni = program.HlavniOkno(20000);
    ASSERT_NE(nullptr, hlavni);
    PostMessageW(hlavni, WM_COMMAND, MAKEWPARAM(ID_NASTROJE_PREHLEDOBRAZKU, 0), 0);
    HWND nastroj = nullptr;
    ASSERT_TRUE(TestSupport::PumpUntil(
        [&] {
            nastroj = FindWindowW(L"GifFramesList", nullptr);
            DWORD proces = 0;
            GetWindowThreadProcessId(nastroj, &proces);
            return nastroj && proces == program.Id() && IsWindowVisible(nastroj);
        },
        20000));
    EXPECT_NE(GetWindowThreadProcessId(hlavni, nullptr), GetWindowThreadProcessId(nastroj, nullptr))
        << "a thread of its own";
    ASSERT_TRUE(TestSupport::PumpUntil(
        [&] { return TextOf(nastroj) == L"Animora - nsgif_waves.gif (počet obrázků: 10)"; }, 20000))
        << testing::PrintToString(TextOf(nastroj));

    PostMessageW(hlavni, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, program.KodUkonceni(20000));
    EXPECT_FALSE(IsWindow(nastroj));
}

// ---- a stop while the thread does not end -------------------------------------------------------

TEST(ModulUkonceni, ClosingWhileTheOverviewThreadDoesNotEndSavesThePlacementAndEndsWithCodeZero)
{
    const std::wstring klic = L"Software\\AnimoraTests\\stuck-" + std::to_wstring(GetCurrentProcessId());
    struct Uklid {
        std::wstring klic;
        ~Uklid() { RegDeleteTreeW(HKEY_CURRENT_USER, klic.c_str()); RegDeleteKeyW(HKEY_CURRENT_USER, klic.c_str()); }
    } uklid{klic};
    ChildProcess child;
    ASSERT_TRUE(StartChild(L"close-with-stuck-overview", L"\"" + klic + L"\"", child));
    // The limit, and the rest of the start and close, well within this.
    EXPECT_EQ(0u, child.WaitForExit(30000));
    DWORD poloha = 0;
    EXPECT_TRUE(PrehledFrames::CistDword(klic + L"\\" + PrehledFrames::KlicPolohy(L"Animora"), L"Poloha", poloha))
        << "the main window's placement is saved before the program ends";
}
