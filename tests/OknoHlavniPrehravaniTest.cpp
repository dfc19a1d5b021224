// Playback in the real main window as it concerns time and painting: the finer system timer
// is held exactly while an animation plays, and a frame change repaints the picture only.
#include "tests/OknoHlavniTest.h"

#include "app/Aplikace.h"
#include "image/GifAnimace.h"
#include "resources/resource.h"
#include "winlib/RozliseniCasovace.h"

using namespace GifFixtures;
using Tarnel::WinApi::RozliseniCasovace;

namespace {

// What a control painted: how often, and the bounds of each area it was asked to repaint.
struct Malovani {
    int kolikrat = 0;
    std::vector<RECT> oblasti;
};

LRESULT CALLBACK SledovatMalovani(HWND okno, UINT zprava, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    if (zprava == WM_PAINT) {
        auto* malovani = reinterpret_cast<Malovani*>(data);
        ++malovani->kolikrat;
        RECT oblast{};
        GetUpdateRect(okno, &oblast, FALSE);
        malovani->oblasti.push_back(oblast);
    }
    return DefSubclassProc(okno, zprava, wParam, lParam);
}

// Watches one control's painting for the holder's lifetime.
class SledovaneMalovani {
public:
    explicit SledovaneMalovani(HWND okno) : okno_(okno)
    {
        EXPECT_TRUE(SetWindowSubclass(okno_, SledovatMalovani, 1, reinterpret_cast<DWORD_PTR>(&malovani_)));
    }
    ~SledovaneMalovani() { RemoveWindowSubclass(okno_, SledovatMalovani, 1); }
    SledovaneMalovani(const SledovaneMalovani&) = delete;
    SledovaneMalovani& operator=(const SledovaneMalovani&) = delete;
    const Malovani& Vysledek() const { return malovani_; }

private:
    HWND okno_;
    Malovani malovani_;
};

int Drzeno() { return RozliseniCasovace::Drzeno(); }

bool Uvnitr(const RECT& vnitrni, const RECT& vnejsi)
{
    return vnitrni.left >= vnejsi.left && vnitrni.top >= vnejsi.top && vnitrni.right <= vnejsi.right &&
           vnitrni.bottom <= vnejsi.bottom;
}

COLORREF PixelOkna(HWND okno, int x, int y)
{
    HDC dc = GetDC(okno);
    const COLORREF barva = GetPixel(dc, x, y);
    ReleaseDC(okno, dc);
    return barva;
}

} // namespace

// ---- the finer system timer --------------------------------------------------------------

TEST_F(OknoHlavniTest, TimerResolutionIsHeldExactlyWhileAnAnimationPlays)
{
    Vytvorit();
    ASSERT_EQ(0, Drzeno());
    const std::wstring animace = PomalaAnimace(4);
    const std::wstring obrazek = Gif(L"obrazek.gif", Still(20, 20, FrameColour(2)));

    okno->OtevritSoubor(animace, true);
    EXPECT_EQ(1, Drzeno()) << "playing";
    Tik();
    Tik();
    EXPECT_EQ(1, Drzeno()) << "ticks keep the one period";
    Prikaz(ID_ANIMACE_PRERUSIT);
    EXPECT_EQ(0, Drzeno()) << "paused";
    Prikaz(ID_ANIMACE_KROKVPRED);
    EXPECT_EQ(0, Drzeno()) << "stepping";
    Prikaz(ID_ANIMACE_SPUSTIT);
    EXPECT_EQ(1, Drzeno()) << "resumed";
    Prikaz(ID_ANIMACE_ZASTAVIT);
    EXPECT_EQ(0, Drzeno()) << "stopped";
    Prikaz(ID_ANIMACE_SPUSTIT);
    EXPECT_EQ(1, Drzeno());
    Prikaz(ID_SOUBOR_ZAVRIT);
    EXPECT_EQ(0, Drzeno()) << "closed";

    okno->OtevritSoubor(animace, true);
    okno->OtevritSoubor(animace, true);
    EXPECT_EQ(1, Drzeno()) << "opening again while playing takes no second period";
    okno->OtevritSoubor(obrazek, true);
    EXPECT_EQ(0, Drzeno()) << "a still image";
    okno->OtevritSoubor(animace, true);
    okno->OtevritSoubor(slozka.File(L"neni.gif"), true);
    EXPECT_EQ(0, Drzeno()) << "a file that does not open";
    okno->OtevritSoubor(animace, true);
    Prikaz(ID_ZOBRAZIT_PREHLEDSNIMKU);
    EXPECT_EQ(0, Drzeno()) << "the frames list pauses";
    Prikaz(ID_ZOBRAZIT_ANIMACI);
    EXPECT_EQ(1, Drzeno()) << "back to the animation";

    SendMessageW(Okno(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0, Drzeno()) << "window closed";
}

TEST_F(OknoHlavniTest, TimerResolutionGoesWithTheWindow)
{
    Vytvorit();
    okno->OtevritSoubor(PomalaAnimace(3), true);
    ASSERT_EQ(1, Drzeno());
    // Destroyed without being closed first, as the program's own destructor may.
    DestroyWindow(Okno());
    EXPECT_EQ(0, Drzeno());

    okno = std::make_unique<SledovaneOkno>();
    Vytvorit();
    okno->OtevritSoubor(PomalaAnimace(3), true);
    SendMessageW(Okno(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(0, Drzeno()) << "the session ends";
}

// ---- painting -----------------------------------------------------------------------------

TEST_F(OknoHlavniTest, FrameChangeRepaintsThePictureAndNotTheBars)
{
    Vytvorit();
    okno->OtevritSoubor(Gif(L"barvy.gif", Animation(40, 30, 4, {500, 500, 500, 500})), true);
    TestSupport::PumpMessages();
    RECT pocitadlo{};
    ASSERT_TRUE(SendMessageW(StavovaLista(), SB_GETRECT, kCastPocitadlo, reinterpret_cast<LPARAM>(&pocitadlo)));
    RECT klient{}, r{}, s{};
    GetClientRect(Okno(), &klient);
    GetWindowRect(Rebar(), &r);
    GetWindowRect(StavovaLista(), &s);
    const POINT stred{klient.right / 2, (r.bottom - r.top + klient.bottom - (s.bottom - s.top)) / 2};

    SledovaneMalovani panel(Panel());
    SledovaneMalovani rebar(Rebar());
    SledovaneMalovani lista(StavovaLista());

    Tik(); // by the timer's own message
    TestSupport::PumpMessages();
    EXPECT_LE(ColourDistance(FrameColour(1), PixelOkna(Okno(), stred.x, stred.y)), 2) << "the new frame shows";
    Prikaz(ID_ANIMACE_PRERUSIT);
    TestSupport::PumpMessages();
    const int tlacitka = panel.Vysledek().kolikrat; // pausing changes buttons: they repaint
    Prikaz(ID_ANIMACE_KROKVPRED);
    Prikaz(ID_ANIMACE_KROKZPET);
    TestSupport::PumpMessages();
    EXPECT_LE(ColourDistance(FrameColour(1), PixelOkna(Okno(), stred.x, stred.y)), 2);

    EXPECT_EQ(0, rebar.Vysledek().kolikrat) << "the rebar never changed";
    EXPECT_EQ(tlacitka, panel.Vysledek().kolikrat) << "steps change no button";
    // The status bar repaints its frame counter, which did change, and nothing else.
    EXPECT_GE(lista.Vysledek().kolikrat, 1);
    for (const RECT& oblast : lista.Vysledek().oblasti) {
        EXPECT_TRUE(Uvnitr(oblast, pocitadlo)) << "status bar repainted at " << oblast.left << "," << oblast.top << "-"
                                               << oblast.right << "," << oblast.bottom;
    }
}

TEST_F(OknoHlavniTest, PlayingToTheTimerTouchesNoButton)
{
    Vytvorit();
    okno->OtevritSoubor(Gif(L"rychla.gif", Animation(16, 16, 6, std::vector<UINT16>(6, 2))), true);
    TestSupport::PumpMessages();
    SledovaneMalovani panel(Panel());
    SledovaneMalovani rebar(Rebar());
    const int pred = okno->Snimek();
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return okno->Snimek() == (pred + 3) % 6; }, 5000));
    EXPECT_EQ(0, panel.Vysledek().kolikrat);
    EXPECT_EQ(0, rebar.Vysledek().kolikrat);
}
