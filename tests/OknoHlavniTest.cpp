// The main window's creation and its playback states and transitions, driven by real
// messages. The shared fixture of the main-window tests lives here too.
#include "tests/OknoHlavniTest.h"
#include "frames/ModulPrehledFrames.h"

#include "app/Aplikace.h"
#include "image/GifAnimace.h"
#include "resources/resource.h"
#include "settings/Nastaveni.h"
#include "tests/DialogDriver.h"
#include "tests/PomocnikK2.h"
#include "tests/PrehledFramesTest.h"

using namespace GifFixtures;

// ---- fixture ------------------------------------------------------------------------------

void OknoHlavniTest::SetUp()
{
    aplikace.seznamObrazku = std::make_unique<ToolbarImages>();
    aplikace.seznamObrazku->LoadSizes();
    nastaveni = Nastaveni{};
    okno = std::make_unique<SledovaneOkno>();
}

void OknoHlavniTest::TearDown()
{
    if (okno && okno->Handle() && IsWindow(okno->Handle())) SendMessageW(okno->Handle(), WM_CLOSE, 0, 0);
    TestSupport::PumpMessages(); // takes the quit message the window posts on its way out
    okno.reset();
    aplikace.seznamObrazku.reset();
}

void OknoHlavniTest::Vytvorit(const wchar_t* cesta)
{
    okno->VytvoritHlavniOkno(cesta);
    TestSupport::PumpMessages();
}

std::wstring OknoHlavniTest::Gif(const std::wstring& nazev, const GifRecipe& popis)
{
    const std::wstring cesta = slozka.File(nazev);
    EXPECT_TRUE(WriteGif(cesta, popis)) << "fixture " << testing::PrintToString(nazev);
    return cesta;
}

std::wstring OknoHlavniTest::PomalaAnimace(int pocetSnimku)
{
    std::vector<UINT16> zpozdeni;
    for (int i = 0; i < pocetSnimku; ++i) zpozdeni.push_back(static_cast<UINT16>(500 + 10 * i));
    return Gif(L"pomala" + std::to_wstring(pocetSnimku) + L".gif", Animation(16, 16, pocetSnimku, zpozdeni));
}

void OknoHlavniTest::Pustit(const std::vector<std::wstring>& soubory)
{
    HGLOBAL drop = PomocnikK2::VytvoritDrop(soubory);
    ASSERT_NE(nullptr, drop);
    ASSERT_TRUE(PostMessageW(Okno(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0));
    TestSupport::PumpMessages();
}

std::wstring OknoHlavniTest::Cast(int cast) const
{
    wchar_t text[1024] = L"";
    SendMessageW(StavovaLista(), SB_GETTEXTW, static_cast<WPARAM>(cast), reinterpret_cast<LPARAM>(text));
    return text;
}

bool OknoHlavniTest::TlacitkoPovoleno(int prikaz) const
{
    return SendMessageW(Panel(), TB_ISBUTTONENABLED, static_cast<WPARAM>(prikaz), 0) != 0;
}

bool OknoHlavniTest::MenuPovoleno(int prikaz) const
{
    const UINT stav = GetMenuState(GetMenu(Okno()), static_cast<UINT>(prikaz), MF_BYCOMMAND);
    EXPECT_NE(static_cast<UINT>(-1), stav) << "no menu item " << prikaz;
    return !(stav & (MF_GRAYED | MF_DISABLED));
}

bool OknoHlavniTest::MenuZaskrtnuto(int prikaz) const
{
    return (GetMenuState(GetMenu(Okno()), static_cast<UINT>(prikaz), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void OknoHlavniTest::OcekavatStav(Stav stav, const char* kde)
{
    SCOPED_TRACE(kde);
    const bool prazdny = stav == Stav::Prazdny;
    const bool animace = stav == Stav::Pozastaveno || stav == Stav::Prehrava;
    const bool hraje = stav == Stav::Prehrava;

    struct Radek {
        int prikaz;
        bool povoleno;
        bool naPanelu;
    };
    const Radek radky[] = {
        {ID_ANIMACE_KROKVPRED, animace && !hraje, true},
        {ID_ANIMACE_KROKZPET, animace && !hraje, true},
        {ID_ANIMACE_PRERUSIT, hraje, true},
        {ID_ANIMACE_SPUSTIT, animace && !hraje, true},
        {ID_ANIMACE_ZASTAVIT, animace, true},
        {ID_NASTROJE_PREHLEDOBRAZKU, true, false},
        {ID_SOUBOR_ZAVRIT, !prazdny, true},
        {ID_ANIMACE_ULOZITSNIMEK, !prazdny && !hraje, true},
        {ID_ZOBRAZIT_ANIMACI, !prazdny, false},
        {ID_ZOBRAZIT_PREHLEDSNIMKU, animace, false},
    };
    for (const Radek& r : radky) {
        EXPECT_EQ(r.povoleno, MenuPovoleno(r.prikaz)) << "menu item " << r.prikaz;
        if (r.naPanelu) {
            EXPECT_EQ(r.povoleno, TlacitkoPovoleno(r.prikaz)) << "button " << r.prikaz;
        }
    }
    // Commands that never change state.
    for (int prikaz : {ID_SOUBOR_OTEVRIT, ID_SOUBOR_KONEC, ID_NASTROJE_PREDVOLBY, ID_NAPOVEDA_OAPLIKACI,
                       ID_NAPOVEDA_WEB, ID_ANIMACE_RYCHLOST})
        EXPECT_TRUE(MenuPovoleno(prikaz)) << "menu item " << prikaz;
    for (int prikaz : {ID_SOUBOR_OTEVRIT, ID_SOUBOR_KONEC, ID_NASTROJE_PREDVOLBY, ID_NAPOVEDA_OAPLIKACI,
                       ID_ANIMACE_RYCHLOST, ID_RYCHLOST_ZVYSIT, ID_RYCHLOST_SNIZIT})
        EXPECT_TRUE(TlacitkoPovoleno(prikaz)) << "button " << prikaz;

    EXPECT_FALSE(MenuZaskrtnuto(ID_NASTROJE_PREHLEDOBRAZKU));
    EXPECT_EQ(!prazdny && !Seznam(), MenuZaskrtnuto(ID_ZOBRAZIT_ANIMACI));
    EXPECT_EQ(!prazdny && Seznam() != nullptr, MenuZaskrtnuto(ID_ZOBRAZIT_PREHLEDSNIMKU));

    EXPECT_EQ(hraje, okno->Prehrava());
    switch (stav) {
    case Stav::Prazdny: EXPECT_EQ(L"", Cast(kCastPocitadlo)); break;
    case Stav::Obrazek: EXPECT_EQ(L"1/1", Cast(kCastPocitadlo)); break;
    default:
        ASSERT_NE(nullptr, okno->Animace());
        EXPECT_EQ(std::to_wstring(okno->Snimek() + 1) + L"/" + std::to_wstring(okno->Animace()->FrameCount()),
                  Cast(kCastPocitadlo));
    }
}

// ---- capturing a popup menu from inside its modal loop ------------------------------------

ZachyceneMenu ZachytitMenu(const std::function<void()>& akce)
{
    ZachyceneMenu cil;
    DialogDriver::Behem(akce, {{DialogDriver::OpenMenu, [&cil](HWND popup) {
                                    cil.otevreno = true;
                                    GetWindowRect(popup, &cil.poloha);
                                    // The program destroys the menu once it closes, so everything is read now.
                                    auto* menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
                                    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                                        const UINT prikaz = GetMenuItemID(menu, i);
                                        cil.polozky.push_back(prikaz == static_cast<UINT>(-1) ? ZachyceneMenu::kPodmenu
                                                                                               : prikaz);
                                    }
                                    for (UINT prikaz = ID_SOUBOR_KONEC; prikaz <= ID_RYCHLOST_VYCHOZI; ++prikaz) {
                                        const UINT stav = GetMenuState(menu, prikaz, MF_BYCOMMAND);
                                        if (stav != static_cast<UINT>(-1)) cil.stavy[prikaz] = stav;
                                    }
                                    EndMenu();
                                }}});
    TestSupport::PumpMessages();
    return cil;
}

// ---- creation -----------------------------------------------------------------------------

TEST_F(OknoHlavniTest, CreatedWindowIsAnEmptyAnimoraWindowCentredAt800By600)
{
    Vytvorit();
    ASSERT_TRUE(IsWindow(Okno()));
    EXPECT_TRUE(IsWindowVisible(Okno()));
    wchar_t trida[64] = L"";
    GetClassNameW(Okno(), trida, 64);
    EXPECT_STREQ(L"Animora", trida);
    wchar_t titulek[64] = L"";
    GetWindowTextW(Okno(), titulek, 64);
    EXPECT_STREQ(L"Animora", titulek);
    const auto styl = static_cast<DWORD>(GetWindowLongPtrW(Okno(), GWL_STYLE));
    EXPECT_EQ(static_cast<DWORD>(WS_OVERLAPPEDWINDOW), styl & WS_OVERLAPPEDWINDOW);
    EXPECT_EQ(0u, styl & (WS_CHILD | WS_POPUP));
    EXPECT_TRUE(GetWindowLongPtrW(Okno(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES) << "registered for drops";
    EXPECT_EQ(static_cast<ULONG_PTR>(CS_HREDRAW | CS_VREDRAW), GetClassLongPtrW(Okno(), GCL_STYLE));
    EXPECT_EQ(static_cast<ULONG_PTR>(COLOR_APPWORKSPACE + 1), GetClassLongPtrW(Okno(), GCLP_HBRBACKGROUND));

    RECT r{};
    GetWindowRect(Okno(), &r);
    EXPECT_EQ(800, r.right - r.left);
    EXPECT_EQ(600, r.bottom - r.top);
    RECT prace{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &prace, 0);
    EXPECT_NEAR((prace.left + prace.right) / 2, (r.left + r.right) / 2, 1);
    EXPECT_NEAR((prace.top + prace.bottom) / 2, (r.top + r.bottom) / 2, 1);

    EXPECT_EQ(reinterpret_cast<LRESULT>(aplikace.velkaIkona.Get()), SendMessageW(Okno(), WM_GETICON, ICON_BIG, 0));
    EXPECT_EQ(reinterpret_cast<LRESULT>(aplikace.malaIkona.Get()), SendMessageW(Okno(), WM_GETICON, ICON_SMALL, 0));
    EXPECT_EQ(100u, okno->Rychlost());
    EXPECT_EQ(-1, okno->Snimek());

    HMENU zdroj = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_HLAVNI_MENU));
    EXPECT_EQ(GetMenuItemCount(zdroj), GetMenuItemCount(GetMenu(Okno()))) << "the menu bar of the resource";
    EXPECT_EQ(TestSupport::MenuCommands(zdroj), TestSupport::MenuCommands(GetMenu(Okno())));
    DestroyMenu(zdroj);

    OcekavatStav(Stav::Prazdny, "after creation");
    EXPECT_EQ(L"Animora - připraven", Cast(kCastInformace));
    EXPECT_EQ(L"", Cast(kCastRychlost)) << "no speed is shown before a file is open";
    EXPECT_TRUE(okno->intervaly.empty());
}

TEST_F(OknoHlavniTest, StoredPlacementIsTakenByTheNextWindow)
{
    Vytvorit();
    ASSERT_TRUE(SetWindowPos(Okno(), nullptr, 100, 120, 640, 480, SWP_NOZORDER));
    SendMessageW(Okno(), WM_CLOSE, 0, 0);
    TestSupport::PumpMessages();
    EXPECT_FALSE(IsWindow(Okno()));
    DWORD poloha = 0;
    ASSERT_TRUE(PrehledFrames::CistDword(PrehledFrames::KlicPolohy(L"Animora"), L"Poloha", poloha))
        << "placement saved on close";

    okno = std::make_unique<SledovaneOkno>();
    Vytvorit();
    RECT r{};
    GetWindowRect(Okno(), &r);
    EXPECT_EQ(100, r.left);
    EXPECT_EQ(120, r.top);
    EXPECT_EQ(640, r.right - r.left);
    EXPECT_EQ(480, r.bottom - r.top);
}

TEST_F(OknoHlavniTest, DefaultSpeedComesFromTheSettings)
{
    nastaveni.rychlostAnimace = 250;
    Vytvorit();
    EXPECT_EQ(250u, okno->Rychlost());
    okno->OtevritSoubor(PomalaAnimace(), true);
    EXPECT_EQ(L"Rychlost: 250 %", Cast(kCastRychlost));
    ASSERT_EQ(1u, okno->intervaly.size());
    EXPECT_EQ(5000u * 100 / 250, okno->intervaly[0]);
}

// ---- states and transitions ---------------------------------------------------------------

TEST_F(OknoHlavniTest, AnimationGivenAtCreationPlaysFromFrameZero)
{
    const std::wstring cesta = PomalaAnimace(4);
    Vytvorit(cesta.c_str());
    OcekavatStav(Stav::Prehrava, "after opening");
    EXPECT_EQ(cesta, okno->CestaSouboru());
    EXPECT_EQ(0, okno->Snimek());
    EXPECT_EQ(L"pomala4.gif - obsahuje snímků: 4, plná cesta: " + cesta, Cast(kCastInformace));
    EXPECT_EQ(L"Rychlost: 100 %", Cast(kCastRychlost));
    EXPECT_EQ(std::vector<UINT>{5000}, okno->intervaly);
}

TEST_F(OknoHlavniTest, TicksAdvanceEachFrameWithItsOwnDelayAndWrapWhileStepsAreIgnored)
{
    VytvoritSAnimaci(3);
    Prikaz(ID_ANIMACE_KROKVPRED);
    Prikaz(ID_ANIMACE_KROKZPET);
    EXPECT_EQ(0, okno->Snimek()) << "no steps while playing";
    Tik();
    EXPECT_EQ(1, okno->Snimek());
    EXPECT_EQ(L"2/3", Cast(kCastPocitadlo));
    Tik();
    EXPECT_EQ(L"3/3", Cast(kCastPocitadlo));
    Tik();
    EXPECT_EQ(0, okno->Snimek()) << "after the last frame comes the first";
    EXPECT_EQ(L"1/3", Cast(kCastPocitadlo));
    EXPECT_EQ((std::vector<UINT>{5000, 5100, 5200, 5000}), okno->intervaly);
    EXPECT_EQ(3, okno->zruseni) << "each tick kills the timer before arming it again";
    OcekavatStav(Stav::Prehrava, "still playing");
}

TEST_F(OknoHlavniTest, PauseKeepsTheFrameAndStartResumesThere)
{
    VytvoritSAnimaci(4);
    Tik();
    Tik();
    Prikaz(ID_ANIMACE_PRERUSIT);
    OcekavatStav(Stav::Pozastaveno, "paused");
    EXPECT_EQ(2, okno->Snimek());
    Prikaz(ID_ANIMACE_PRERUSIT); // nothing to pause any more
    EXPECT_EQ(3, okno->zruseni);

    Prikaz(ID_ANIMACE_SPUSTIT);
    OcekavatStav(Stav::Prehrava, "resumed");
    EXPECT_EQ(2, okno->Snimek());
    EXPECT_EQ(5200u, okno->intervaly.back()) << "the resumed frame keeps its own delay";
    const size_t armings = okno->intervaly.size();
    Prikaz(ID_ANIMACE_SPUSTIT); // ignored while playing
    EXPECT_EQ(armings, okno->intervaly.size());
}

TEST_F(OknoHlavniTest, StopRewindsToTheFirstFrameWhetherPlayingOrPaused)
{
    Vytvorit();
    const std::wstring cesta = PomalaAnimace(4);
    okno->OtevritSoubor(cesta, true);
    Tik();
    Tik();
    Prikaz(ID_ANIMACE_ZASTAVIT);
    OcekavatStav(Stav::Pozastaveno, "stopped while playing");
    EXPECT_EQ(0, okno->Snimek());
    EXPECT_EQ(cesta, okno->CestaSouboru());
    EXPECT_EQ(L"pomala4.gif - obsahuje snímků: 4, plná cesta: " + cesta, Cast(kCastInformace));

    Prikaz(ID_ANIMACE_KROKVPRED);
    Prikaz(ID_ANIMACE_KROKVPRED);
    EXPECT_EQ(2, okno->Snimek());
    Prikaz(ID_ANIMACE_ZASTAVIT);
    OcekavatStav(Stav::Pozastaveno, "stopped while paused");
    EXPECT_EQ(0, okno->Snimek());
}

TEST_F(OknoHlavniTest, StepsWrapForwardAndStopAtTheFirstFrame)
{
    VytvoritSAnimaci(3, false);
    OcekavatStav(Stav::Pozastaveno, "opened without start");
    Prikaz(ID_ANIMACE_KROKZPET);
    EXPECT_EQ(0, okno->Snimek()) << "no wrap backwards";
    Prikaz(ID_ANIMACE_KROKVPRED);
    Prikaz(ID_ANIMACE_KROKVPRED);
    EXPECT_EQ(L"3/3", Cast(kCastPocitadlo));
    Prikaz(ID_ANIMACE_KROKVPRED);
    EXPECT_EQ(0, okno->Snimek()) << "forward wraps to the first frame";
    Prikaz(ID_ANIMACE_KROKVPRED);
    Prikaz(ID_ANIMACE_KROKZPET);
    EXPECT_EQ(0, okno->Snimek());
    OcekavatStav(Stav::Pozastaveno, "after stepping");
    EXPECT_TRUE(okno->intervaly.empty()) << "steps never start the timer";
}

TEST_F(OknoHlavniTest, SingleFrameOrAFirstFrameWithoutDelayIsAStillImage)
{
    Vytvorit();
    const std::pair<const wchar_t*, GifRecipe> soubory[] = {{L"jeden.gif", Still(20, 10, FrameColour(3))},
                                                            {L"nula.gif", Animation(16, 16, 3, {0, 50, 50})}};
    for (const auto& [nazev, popis] : soubory) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(nazev)));
        okno->OtevritSoubor(Gif(nazev, popis), true);
        OcekavatStav(Stav::Obrazek, "opened");
        EXPECT_EQ(std::wstring(nazev) + L" - obsahuje snímků: " + std::to_wstring(popis.frames.size()) +
                      L", plná cesta: " + slozka.File(nazev),
                  Cast(kCastInformace));
        for (UINT prikaz : {ID_ANIMACE_SPUSTIT, ID_ANIMACE_KROKVPRED, ID_ANIMACE_KROKZPET, ID_ANIMACE_ZASTAVIT})
            Prikaz(prikaz);
        OcekavatStav(Stav::Obrazek, "after playback commands");
        EXPECT_EQ(0, okno->Snimek());
        EXPECT_TRUE(okno->intervaly.empty());
    }
}

TEST_F(OknoHlavniTest, LaterFrameWithoutDelayArmsTheTimerWithZero)
{
    Vytvorit();
    okno->OtevritSoubor(Gif(L"pozdeji.gif", Animation(16, 16, 3, {500, 0, 500})), true);
    Tik();
    EXPECT_EQ(1, okno->Snimek());
    ASSERT_EQ(2u, okno->intervaly.size());
    EXPECT_EQ(0u, okno->intervaly[1]);
    EXPECT_TRUE(okno->Prehrava());
    // The zero interval still ticks on its own: the next frame comes without a sent tick.
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return okno->Snimek() == 2; }, 3000));
}

TEST_F(OknoHlavniTest, RealTimerPlaysThroughTheFrames)
{
    Vytvorit();
    okno->OtevritSoubor(Gif(L"rychla.gif", Animation(16, 16, 12, std::vector<UINT16>(12, 2))), true);
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return okno->Snimek() >= 5; }, 5000));
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return okno->Snimek() == 0; }, 5000)) << "wraps around";
    ASSERT_FALSE(okno->intervaly.empty());
    EXPECT_EQ(20u, okno->intervaly.front()) << "the first frame from the start of playback";
    // Later ticks come a little late and take their lateness off the next interval.
    for (UINT interval : okno->intervaly) EXPECT_LE(interval, 20u);
}

TEST_F(OknoHlavniTest, ClosingEmptiesTheWindowButKeepsTheLastSpeedText)
{
    VytvoritSAnimaci();
    Prikaz(ID_RYCHLOST_ZVYSIT);
    Prikaz(ID_SOUBOR_ZAVRIT);
    OcekavatStav(Stav::Prazdny, "closed");
    EXPECT_EQ(-1, okno->Snimek());
    EXPECT_EQ(L"", okno->CestaSouboru());
    EXPECT_EQ(nullptr, okno->Animace());
    EXPECT_EQ(L"Animora - připraven", Cast(kCastInformace));
    EXPECT_EQ(L"Rychlost: 110 %", Cast(kCastRychlost));
    EXPECT_EQ(1, okno->zruseni) << "the running timer was killed";

    Prikaz(ID_RYCHLOST_ZVYSIT);
    EXPECT_EQ(120u, okno->Rychlost());
    EXPECT_EQ(L"Rychlost: 110 %", Cast(kCastRychlost)) << "not shown until a file is open";
}

TEST_F(OknoHlavniTest, OpeningAnotherFileKillsTheOldTimerAndStartsAtFrameZero)
{
    VytvoritSAnimaci(4);
    Tik();
    const std::wstring druhy = Gif(L"druhy.gif", Animation(16, 16, 5, {700, 700, 700, 700, 700}));
    okno->OtevritSoubor(druhy, true);
    EXPECT_EQ(2, okno->zruseni);
    EXPECT_EQ(0, okno->Snimek());
    EXPECT_EQ(7000u, okno->intervaly.back());
    OcekavatStav(Stav::Prehrava, "second file");
}

TEST_F(OknoHlavniTest, SpeedStepsStopAtTheirBounds)
{
    VytvoritSAnimaci(4, false);
    nastaveni.krokZmenyRychlosti = 50;
    for (int i = 0; i < 25; ++i) Prikaz(ID_RYCHLOST_ZVYSIT);
    EXPECT_EQ(1000u, okno->Rychlost());
    EXPECT_EQ(L"Rychlost: 1000 %", Cast(kCastRychlost));

    nastaveni.krokZmenyRychlosti = 10;
    Prikaz(ID_RYCHLOST_ZVYSIT);
    EXPECT_EQ(1000u, okno->Rychlost()) << "1000 plus a step stays 1000";

    nastaveni.rychlostAnimace = 15;
    Prikaz(ID_RYCHLOST_VYCHOZI);
    EXPECT_EQ(L"Rychlost: 15 %", Cast(kCastRychlost));
    Prikaz(ID_RYCHLOST_SNIZIT);
    EXPECT_EQ(10u, okno->Rychlost()) << "15 minus 10 is held at 10";

    nastaveni.rychlostAnimace = 20;
    Prikaz(ID_RYCHLOST_VYCHOZI);
    nastaveni.krokZmenyRychlosti = 50;
    SendMessageW(StavovaLista(), SB_SETTEXTW, kCastRychlost, reinterpret_cast<LPARAM>(L"beze změny"));
    Prikaz(ID_RYCHLOST_SNIZIT);
    EXPECT_EQ(20u, okno->Rychlost()) << "a speed below the step is left alone";
    EXPECT_EQ(L"beze změny", Cast(kCastRychlost)) << "and nothing is refreshed";
}

TEST_F(OknoHlavniTest, SpeedChangeAppliesFromTheNextFrame)
{
    VytvoritSAnimaci(3);
    Prikaz(ID_RYCHLOST_ZVYSIT);
    Prikaz(ID_RYCHLOST_ZVYSIT);
    EXPECT_EQ(1u, okno->intervaly.size()) << "a running timer is not re-armed for a speed change";
    Tik();
    EXPECT_EQ(5100u * 100 / 120, okno->intervaly.back());
    OcekavatStav(Stav::Prehrava, "after a speed change");
}

TEST_F(OknoHlavniTest, ZeroDefaultSpeedNeverDividesByZero)
{
    nastaveni.rychlostAnimace = 0;
    VytvoritSAnimaci(2);
    ASSERT_EQ(1u, okno->intervaly.size());
    EXPECT_EQ(5000u, okno->intervaly[0]) << "played at the file's own timing";
    Tik();
    EXPECT_EQ(5100u, okno->intervaly.back());
}

TEST_F(OknoHlavniTest, OtherMessagesOfTheMessageTable)
{
    VytvoritSAnimaci(3);
    EXPECT_EQ(DLGC_WANTALLKEYS, SendMessageW(Okno(), WM_GETDLGCODE, 0, 0));
    EXPECT_EQ(0, SendMessageW(Okno(), WM_TIMER, 7, 0));
    EXPECT_EQ(0, okno->Snimek()) << "only timer 1 moves the animation";

    // Someone else's idea of the menu is put right by the refresh message.
    EnableMenuItem(GetMenu(Okno()), ID_ANIMACE_PRERUSIT, MF_BYCOMMAND | MF_GRAYED);
    CheckMenuItem(GetMenu(Okno()), ID_NASTROJE_PREHLEDOBRAZKU, MF_BYCOMMAND | MF_CHECKED);
    EXPECT_EQ(0, SendMessageW(Okno(), WM_AKTUALIZOVAT_STAV, 0, 0));
    OcekavatStav(Stav::Prehrava, "after the refresh message");
}

TEST_F(OknoHlavniTest, ExitCommandClosesAndDestroysTheWindow)
{
    VytvoritSAnimaci();
    Prikaz(ID_SOUBOR_KONEC);
    EXPECT_TRUE(IsWindow(Okno())) << "the close is posted, not sent";
    EXPECT_EQ(0, PomocnikK2::CekatNaKonec(2000)) << "the destroyed window posts the quit message with 0";
    EXPECT_EQ(nullptr, okno->Handle());
    EXPECT_EQ(nullptr, okno->Animace());
    EXPECT_FALSE(okno->Prehrava());
}

TEST_F(OknoHlavniTest, EndingSessionTearsDownButLeavesAUsableWindow)
{
    VytvoritSAnimaci();
    SendMessageW(Okno(), WM_ENDSESSION, FALSE, 0);
    EXPECT_NE(nullptr, StavovaLista());
    EXPECT_NE(nullptr, Panel());
    OcekavatStav(Stav::Prehrava, "log-off cancelled: the window stays whole");

    SendMessageW(Okno(), WM_ENDSESSION, TRUE, 0);
    EXPECT_TRUE(IsWindow(Okno()));
    EXPECT_EQ(nullptr, StavovaLista());
    EXPECT_EQ(nullptr, Rebar());
    EXPECT_EQ(nullptr, okno->Animace());
    EXPECT_FALSE(okno->Prehrava());

    // Whatever still arrives must not reach for the bars that are gone.
    okno->OtevritSoubor(PomalaAnimace(), true);
    Tik();
    Prikaz(ID_RYCHLOST_ZVYSIT);
    Prikaz(ID_ZOBRAZIT_PREHLEDSNIMKU);
    SendMessageW(Okno(), WM_MENUSELECT, MAKEWPARAM(ID_ANIMACE_SPUSTIT, MF_HILITE), 0);
    Prikaz(ID_SOUBOR_ZAVRIT);
    EXPECT_EQ(nullptr, okno->Animace());
}
