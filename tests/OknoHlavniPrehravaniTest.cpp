// Playback in the real main window as it concerns time and painting: the finer system timer
// is held exactly while an animation plays, and a frame change repaints the picture only.
#include "tests/OknoHlavniTest.h"
#include "tests/PomocnikK2.h"

#include "app/Aplikace.h"
#include "image/GifAnimace.h"
#include "resources/resource.h"
#include "settings/Nastaveni.h"
#include "tests/PrehledFramesTest.h"
#include "winlib/RozliseniCasovace.h"

using namespace GifFixtures;
using Tarnel::WinApi::RozliseniCasovace;

namespace {

// Watches one control's painting for the holder's lifetime: how often, and the bounds of each
// area it was asked to repaint.
class SledovaneMalovani : TestSupport::NonCopyable {
public:
    explicit SledovaneMalovani(HWND okno) : okno_(okno)
    {
        EXPECT_TRUE(SetWindowSubclass(okno_, Sledovat, 1, reinterpret_cast<DWORD_PTR>(this)));
    }
    ~SledovaneMalovani() { RemoveWindowSubclass(okno_, Sledovat, 1); }
    int kolikrat = 0;
    std::vector<RECT> oblasti;

private:
    static LRESULT CALLBACK Sledovat(HWND okno, UINT zprava, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
    {
        if (zprava == WM_PAINT) {
            auto* malovani = reinterpret_cast<SledovaneMalovani*>(data);
            ++malovani->kolikrat;
            RECT oblast{};
            GetUpdateRect(okno, &oblast, FALSE);
            malovani->oblasti.push_back(oblast);
        }
        return DefSubclassProc(okno, zprava, wParam, lParam);
    }
    HWND okno_;
};

int Drzeno() { return RozliseniCasovace::Drzeno(); }

bool Uvnitr(const RECT& vnitrni, const RECT& vnejsi)
{
    return vnitrni.left >= vnejsi.left && vnitrni.top >= vnejsi.top && vnitrni.right <= vnejsi.right &&
           vnitrni.bottom <= vnejsi.bottom;
}

using PomocnikK2::PixelOkna;

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
    VytvoritSAnimaci(3);
    ASSERT_EQ(1, Drzeno());
    // Destroyed without being closed first, as the program's own destructor may.
    DestroyWindow(Okno());
    EXPECT_EQ(0, Drzeno());

    okno = std::make_unique<SledovaneOkno>();
    VytvoritSAnimaci(3);
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
    const RECT plocha = PomocnikK2::Plocha(Okno(), Rebar(), StavovaLista());
    const POINT stred{plocha.right / 2, (plocha.top + plocha.bottom) / 2};

    SledovaneMalovani panel(Panel());
    SledovaneMalovani rebar(Rebar());
    SledovaneMalovani lista(StavovaLista());

    Tik(); // by the timer's own message
    TestSupport::PumpMessages();
    EXPECT_LE(ColourDistance(FrameColour(1), PixelOkna(Okno(), stred.x, stred.y)), 2) << "the new frame shows";
    Prikaz(ID_ANIMACE_PRERUSIT);
    TestSupport::PumpMessages();
    const int tlacitka = panel.kolikrat; // pausing changes buttons: they repaint
    Prikaz(ID_ANIMACE_KROKVPRED);
    Prikaz(ID_ANIMACE_KROKZPET);
    TestSupport::PumpMessages();
    EXPECT_LE(ColourDistance(FrameColour(1), PixelOkna(Okno(), stred.x, stred.y)), 2);

    EXPECT_EQ(0, rebar.kolikrat) << "the rebar never changed";
    EXPECT_EQ(tlacitka, panel.kolikrat) << "steps change no button";
    // The status bar repaints its frame counter, which did change, and nothing else.
    EXPECT_GE(lista.kolikrat, 1);
    for (const RECT& oblast : lista.oblasti) {
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
    EXPECT_EQ(0, panel.kolikrat);
    EXPECT_EQ(0, rebar.kolikrat);
}

// ---- frames drawn once ------------------------------------------------------------------------

namespace {

std::vector<COLORREF> Pixely(const Canvas& platno)
{
    std::vector<COLORREF> pixely;
    for (int y = 0; y < platno.Height(); ++y)
        for (int x = 0; x < platno.Width(); ++x) pixely.push_back(platno.Pixel(x, y));
    return pixely;
}

// The picture between the bars as the window shows it now.
std::vector<COLORREF> ObrazOkna(HWND okno, const RECT& oblast)
{
    UpdateWindow(okno);
    Canvas platno(oblast.right - oblast.left, oblast.bottom - oblast.top, RGB(0, 0, 0));
    HDC dc = GetDC(okno);
    BitBlt(platno.Dc(), 0, 0, platno.Width(), platno.Height(), dc, oblast.left, oblast.top, SRCCOPY);
    ReleaseDC(okno, dc);
    return Pixely(platno);
}

// Frame i of the file as a model of its own decodes and draws it afresh into that size.
std::vector<COLORREF> ObrazNaprimo(const std::wstring& cesta, UINT snimek, const RECT& oblast)
{
    GifAnimace model;
    EXPECT_EQ(S_OK, model.Load(cesta, true));
    EXPECT_EQ(S_OK, model.SelectFrame(snimek));
    Canvas platno(oblast.right - oblast.left, oblast.bottom - oblast.top, RGB(0, 0, 0));
    model.DrawFitted(platno.Dc(), 0, 0, platno.Width(), platno.Height(), GetSysColorBrush(COLOR_WINDOW));
    return Pixely(platno);
}

} // namespace

class SnimkyOkna : public OknoHlavniTest {
protected:
    // A paused animation larger than the window, so that every picture is a reduction, with
    // frames held for seconds so that only the test's own ticks move it; played once round.
    // Named .png (the decoder goes by the content), so that a save over it keeps the name.
    void OtevritAPrehratSmycku()
    {
        cesta = Gif(L"velka.png", Animation(1000, 900, kSnimku, {300, 300, 300, 300, 300, 300}));
        Vytvorit(cesta.c_str());
        for (int i = 0; i < kSnimku; ++i) Tik();
        Prikaz(ID_ANIMACE_PRERUSIT);
        ASSERT_EQ(0, okno->Snimek());
        oblast = Oblast();
    }
    RECT Oblast() const { return PomocnikK2::Plocha(Okno(), Rebar(), StavovaLista()); }
    const GifAnimace& Model() const { return *okno->Animace(); }
    void OcekavatSnimek(int i)
    {
        ASSERT_EQ(i, okno->Snimek());
        EXPECT_EQ(ObrazNaprimo(cesta, static_cast<UINT>(i), oblast), ObrazOkna(Okno(), oblast)) << "frame " << i;
    }

    static constexpr int kSnimku = 6;
    std::wstring cesta;
    RECT oblast{};
};

TEST_F(SnimkyOkna, PlayingKeepsNothingAndStepsBackShowTheFramesAsDrawnAfresh)
{
    OtevritAPrehratSmycku();
    EXPECT_EQ(0u, Model().DrzenaPamet()) << "a loop played forward keeps nothing";
    Prikaz(ID_ANIMACE_KROKVPRED);
    Prikaz(ID_ANIMACE_KROKVPRED);
    Prikaz(ID_ANIMACE_KROKZPET);
    OcekavatSnimek(1);
    Prikaz(ID_ANIMACE_KROKZPET);
    OcekavatSnimek(0);
    EXPECT_GT(Model().DrzenaPamet(), 0u) << "going back keeps what it drew";
    EXPECT_LE(Model().DrzenaPamet(), Model().Rozpocet());
    // Kept pictures again, and across the loop: from the last frame forward to the first.
    Prikaz(ID_ANIMACE_KROKVPRED);
    OcekavatSnimek(1);
    for (int i = 1; i < kSnimku - 1; ++i) Prikaz(ID_ANIMACE_KROKVPRED);
    OcekavatSnimek(kSnimku - 1);
    Prikaz(ID_ANIMACE_KROKVPRED);
    OcekavatSnimek(0);
}

TEST_F(SnimkyOkna, StepBackIntoFramesNotShownComposesThemAsGoingForward)
{
    // More frames than the budget keeps checkpoints for, so that going back the decoder
    // composes frames before the one asked for.
    constexpr int kMnoho = 24;
    cesta = Gif(L"mnoho.gif", Animation(1000, 900, kMnoho, {300}));
    Vytvorit(cesta.c_str());
    Prikaz(ID_ANIMACE_PRERUSIT);
    for (int i = 0; i < kMnoho - 1; ++i) Prikaz(ID_ANIMACE_KROKVPRED);
    EXPECT_EQ(0u, Model().DrzenaPamet());
    // At another size nothing drawn so far is of use.
    SetWindowPos(Okno(), nullptr, 0, 0, 640, 480, SWP_NOMOVE | SWP_NOZORDER);
    TestSupport::PumpMessages();
    UpdateWindow(Okno());
    oblast = Oblast();
    for (int i = kMnoho - 2; i >= kMnoho - 8; --i) {
        Prikaz(ID_ANIMACE_KROKZPET);
        OcekavatSnimek(i);
        EXPECT_LE(Model().DrzenaPamet(), Model().Rozpocet());
    }
}

TEST_F(SnimkyOkna, ResizeStopAndSaveOverTheOpenFileShowTheFileAsItIs)
{
    OtevritAPrehratSmycku();
    Prikaz(ID_ANIMACE_KROKVPRED);
    Prikaz(ID_ANIMACE_KROKZPET);
    SetWindowPos(Okno(), nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER);
    TestSupport::PumpMessages();
    UpdateWindow(Okno());
    oblast = Oblast();
    OcekavatSnimek(0);

    Prikaz(ID_ANIMACE_KROKVPRED);
    Prikaz(ID_ANIMACE_SPUSTIT);
    Prikaz(ID_ANIMACE_ZASTAVIT); // the file is read again, from its first frame
    EXPECT_EQ(0u, Model().DrzenaPamet());
    OcekavatSnimek(0);

    Prikaz(ID_ANIMACE_KROKVPRED);
    ASSERT_TRUE(PrehledFrames::ObslouzitDialog([&] { Prikaz(ID_ANIMACE_ULOZITSNIMEK); },
                                               PrehledFrames::Scenar{cesta, IDYES}));
    // Opened again as a dropped file is: the one frame written, still.
    EXPECT_EQ(1, Model().FrameCount());
    EXPECT_FALSE(okno->Prehrava());
    EXPECT_EQ(L"1/1", Cast(kCastPocitadlo));
    COLORREF barva = 0;
    ASSERT_TRUE(DecodedPixel(cesta, 0, 500, 450, barva));
    EXPECT_LE(ColourDistance(FrameColour(1), barva), 2) << "frame 1 was on screen";
    OcekavatSnimek(0);
}

TEST_F(SnimkyOkna, SaveRightAfterAStepBackWritesTheFrameOnScreen)
{
    OtevritAPrehratSmycku();
    Prikaz(ID_ANIMACE_KROKVPRED);
    Prikaz(ID_ANIMACE_KROKVPRED);
    Prikaz(ID_ANIMACE_KROKVPRED);
    Prikaz(ID_ANIMACE_KROKZPET); // 2, kept
    const std::wstring cil = slozka.File(L"na obrazovce.png");
    ASSERT_TRUE(PrehledFrames::ObslouzitDialog([&] { Prikaz(ID_ANIMACE_ULOZITSNIMEK); }, PrehledFrames::Scenar{cil}));
    COLORREF barva = 0;
    ASSERT_TRUE(DecodedPixel(cil, 0, 500, 450, barva));
    EXPECT_LE(ColourDistance(FrameColour(2), barva), 2);
}

// The browsers' rules, chosen in the Animace menu and remembered: a first frame without a delay
// plays for 100 ms, and a file's loop count ends its playback on its last frame.
TEST_F(OknoHlavniTest, BrowserTimingAndTheFilesLoopCount)
{
    GifFixtures::GifRecipe popis = GifFixtures::Animation(30, 20, 3, {0, 1, 50});
    popis.loopCount = 1;
    const std::wstring cesta = Gif(L"prohlizec.gif", popis);
    Vytvorit(cesta.c_str());
    OcekavatStav(Stav::Obrazek, "a first frame without a delay: a still image");

    Prikaz(ID_CASOVANI_JAKO_PROHLIZEC);
    EXPECT_TRUE(MenuZaskrtnuto(ID_CASOVANI_JAKO_PROHLIZEC));
    EXPECT_FALSE(MenuZaskrtnuto(ID_CASOVANI_PODLE_SOUBORU));
    OcekavatStav(Stav::Pozastaveno, "the same file under the browsers' timing");
    Prikaz(ID_OPAKOVANI_PODLE_SOUBORU);
    okno->intervaly.clear();
    Prikaz(ID_ANIMACE_SPUSTIT);
    for (int i = 0; i < 5; ++i) Tik(); // the first play, and the second up to its last frame
    EXPECT_EQ((std::vector<UINT>{100, 100, 500, 100, 100, 500}), okno->intervaly);
    ASSERT_TRUE(okno->Prehrava());
    Tik(); // two plays for a count of 1
    EXPECT_FALSE(okno->Prehrava());
    EXPECT_EQ(2, okno->Snimek()) << "the last frame stays";
    OcekavatStav(Stav::Pozastaveno, "after the file's plays");
    Prikaz(ID_ANIMACE_SPUSTIT);
    EXPECT_TRUE(okno->Prehrava());
    EXPECT_EQ(0, okno->Snimek()) << "played again from its start";

    // Both choices are stored under the program's key, and read back by the next run.
    nastaveni = Nastaveni{};
    ASSERT_EQ(S_OK, NacistNastaveni());
    EXPECT_EQ(Casovani::JakoProhlizec, nastaveni.casovaniSnimku);
    EXPECT_EQ(Opakovani::PodleSouboru, nastaveni.opakovani);
    Prikaz(ID_CASOVANI_PODLE_SOUBORU);
    OcekavatStav(Stav::Obrazek, "back to the file's own timing");
    EXPECT_EQ(0, okno->Snimek());
    Prikaz(ID_OPAKOVANI_STALE);
}
