// The playback and command-bar rules that need no window: conditions and command states,
// frame intervals, speed steps, frame stepping, layout edges, menu position and texts.
#include <gtest/gtest.h>

#include "app/Prikazy.h"
#include "image/PravidlaPrehravani.h"
#include "resources/resource.h"
#include "winlib/Cesta.h"
#include "winlib/ListBox.h"
#include "winlib/Retezce.h"

using namespace Tarnel::WinApi;

namespace {

StavModelu Animace(int snimku, uint32_t prvniZpozdeni = 100)
{
    return StavModelu{true, snimku, true, prvniZpozdeni};
}

// The rows of the command table, looked up by command.
struct Stavy {
    Stavy(const Podminky& podminky, bool seznam, bool prehled) : radky(UrcitStavyPrikazu(podminky, seznam, prehled)) {}
    const StavPrikazu& operator[](UINT prikaz) const
    {
        for (const StavPrikazu& radek : radky)
            if (radek.prikaz == prikaz) return radek;
        ADD_FAILURE() << "no row for " << prikaz;
        return radky[0];
    }
    bool Povoleno(UINT prikaz) const { return (*this)[prikaz].povoleno; }
    bool Zaskrtnuto(UINT prikaz) const { return (*this)[prikaz].zaskrtnuto; }
    StavyPrikazu radky;
};

} // namespace

TEST(PrehravaniPodminky, AnimationNeedsFramesDelaysAndAFirstDelay)
{
    EXPECT_TRUE(UrcitPodminky(Animace(2), false).a);
    EXPECT_TRUE(UrcitPodminky(Animace(2), false).l);
    EXPECT_FALSE(UrcitPodminky(Animace(1), false).a) << "one frame";
    EXPECT_FALSE(UrcitPodminky(Animace(12, 0), false).a) << "frame 0 without delay";
    EXPECT_FALSE(UrcitPodminky(StavModelu{true, 5, false, 0}, false).a) << "no delay table";
    EXPECT_TRUE(UrcitPodminky(StavModelu{true, 5, false, 0}, false).l);

    const Podminky prazdny = UrcitPodminky(StavModelu{}, false);
    EXPECT_FALSE(prazdny.l);
    EXPECT_FALSE(prazdny.a);
    // Nothing but the image makes L: stale numbers of a model without one do not count.
    EXPECT_FALSE(UrcitPodminky(StavModelu{false, 5, true, 100}, false).a);
    EXPECT_TRUE(UrcitPodminky(Animace(3), true).p);
}

TEST(PrehravaniPodminky, CommandStatesOfTheFourStates)
{
    const UINT prehravani[] = {ID_ANIMACE_KROKVPRED, ID_ANIMACE_KROKZPET, ID_ANIMACE_PRERUSIT, ID_ANIMACE_SPUSTIT,
                               ID_ANIMACE_ZASTAVIT};
    // Prázdný
    Stavy s(Podminky{false, false, false}, false, false);
    for (UINT prikaz : prehravani) EXPECT_FALSE(s.Povoleno(prikaz)) << prikaz;
    EXPECT_FALSE(s.Povoleno(ID_SOUBOR_ZAVRIT) || s.Povoleno(ID_ANIMACE_ULOZITSNIMEK));
    EXPECT_FALSE(s.Povoleno(ID_ZOBRAZIT_ANIMACI) || s.Zaskrtnuto(ID_ZOBRAZIT_ANIMACI));
    EXPECT_FALSE(s.Povoleno(ID_ZOBRAZIT_PREHLEDSNIMKU) || s.Zaskrtnuto(ID_ZOBRAZIT_PREHLEDSNIMKU));

    // Obrázek
    s = Stavy(Podminky{true, false, false}, false, false);
    for (UINT prikaz : prehravani) EXPECT_FALSE(s.Povoleno(prikaz)) << prikaz;
    EXPECT_TRUE(s.Povoleno(ID_SOUBOR_ZAVRIT) && s.Povoleno(ID_ANIMACE_ULOZITSNIMEK));
    EXPECT_TRUE(s.Povoleno(ID_ZOBRAZIT_ANIMACI) && s.Zaskrtnuto(ID_ZOBRAZIT_ANIMACI));
    EXPECT_FALSE(s.Povoleno(ID_ZOBRAZIT_PREHLEDSNIMKU));

    // Pozastaveno
    s = Stavy(Podminky{true, true, false}, false, false);
    for (UINT prikaz : prehravani) EXPECT_EQ(prikaz != ID_ANIMACE_PRERUSIT, s.Povoleno(prikaz)) << prikaz;
    EXPECT_TRUE(s.Povoleno(ID_SOUBOR_ZAVRIT) && s.Povoleno(ID_ANIMACE_ULOZITSNIMEK));
    EXPECT_TRUE(s.Povoleno(ID_ZOBRAZIT_PREHLEDSNIMKU));
    EXPECT_FALSE(s.Zaskrtnuto(ID_ZOBRAZIT_PREHLEDSNIMKU));

    // Přehrává
    s = Stavy(Podminky{true, true, true}, false, false);
    for (UINT prikaz : prehravani)
        EXPECT_EQ(prikaz == ID_ANIMACE_PRERUSIT || prikaz == ID_ANIMACE_ZASTAVIT, s.Povoleno(prikaz)) << prikaz;
    EXPECT_TRUE(s.Povoleno(ID_SOUBOR_ZAVRIT));
    EXPECT_FALSE(s.Povoleno(ID_ANIMACE_ULOZITSNIMEK));
}

TEST(PrehravaniPodminky, ViewChecksFollowTheFramesList)
{
    const Stavy s(Podminky{true, true, false}, true, false);
    EXPECT_TRUE(s.Povoleno(ID_ZOBRAZIT_ANIMACI));
    EXPECT_FALSE(s.Zaskrtnuto(ID_ZOBRAZIT_ANIMACI));
    EXPECT_TRUE(s.Zaskrtnuto(ID_ZOBRAZIT_PREHLEDSNIMKU));
    EXPECT_TRUE(Stavy(Podminky{}, false, true).Zaskrtnuto(ID_NASTROJE_PREHLEDOBRAZKU));
    EXPECT_TRUE(Stavy(Podminky{}, false, true).Povoleno(ID_NASTROJE_PREHLEDOBRAZKU));
    EXPECT_FALSE(Stavy(Podminky{true, true, true}, false, false).Zaskrtnuto(ID_NASTROJE_PREHLEDOBRAZKU));
}

TEST(PrehravaniInterval, WorkedValues)
{
    EXPECT_EQ(100u, IntervalSnimku(100, 100));
    EXPECT_EQ(50u, IntervalSnimku(100, 200));
    EXPECT_EQ(1000u, IntervalSnimku(100, 10));
    EXPECT_EQ(10u, IntervalSnimku(100, 1000));
    EXPECT_EQ(23u, IntervalSnimku(70, 300)) << "truncated, not rounded";
    EXPECT_EQ(0u, IntervalSnimku(0, 250));
    EXPECT_EQ(66u, IntervalSnimku(100, 150));
}

TEST(PrehravaniInterval, ZeroSpeedAndHugeDelaysAreSafe)
{
    EXPECT_EQ(100u, IntervalSnimku(100, 0)) << "a zero speed plays at the file's own timing";
    EXPECT_EQ(655350u * 10, IntervalSnimku(655350, 10)) << "the largest GIF delay at the slowest speed";
    EXPECT_EQ(UINT32_MAX, IntervalSnimku(UINT32_MAX, 10)) << "saturates instead of wrapping";
}

// Browsers show frames of 0 and 1 hundredth for 100 ms; the speed then scales what the rule
// gives, and the rule decides whether a file whose first frame has no delay plays at all.
TEST(PrehravaniPravidla, BrowserTimingAndConditionA)
{
    const struct {
        uint32_t ms, podleSouboru, jakoProhlizec;
    } radky[] = {{0, 0, 100}, {10, 10, 100}, {20, 20, 20}, {100, 100, 100}};
    for (const auto& r : radky) {
        EXPECT_EQ(r.podleSouboru, ZpozdeniPodlePravidla(r.ms, Casovani::PodleSouboru)) << r.ms;
        EXPECT_EQ(r.jakoProhlizec, ZpozdeniPodlePravidla(r.ms, Casovani::JakoProhlizec)) << r.ms;
    }
    EXPECT_EQ(50u, IntervalSnimku(ZpozdeniPodlePravidla(10, Casovani::JakoProhlizec), 200));
    EXPECT_FALSE(UrcitPodminky(Animace(3, ZpozdeniPodlePravidla(0, Casovani::PodleSouboru)), false).a);
    EXPECT_TRUE(UrcitPodminky(Animace(3, ZpozdeniPodlePravidla(0, Casovani::JakoProhlizec)), false).a);
}

// Plays as browsers count them: without the extension once, 0 for ever, n for n + 1 plays.
TEST(PrehravaniPravidla, LoopCountOfTheFile)
{
    const struct {
        int smycky;
        uint32_t prehrani; // plays before it stops; 0 for never
    } radky[] = {{-1, 1}, {0, 0}, {1, 2}, {3, 4}};
    for (const auto& r : radky) {
        for (uint32_t odehrano = 1; odehrano <= 6; ++odehrano) {
            const bool dale = r.prehrani == 0 || odehrano < r.prehrani;
            EXPECT_EQ(dale, DalsiPrehrani(Opakovani::PodleSouboru, r.smycky, odehrano)) << r.smycky << " " << odehrano;
            EXPECT_TRUE(DalsiPrehrani(Opakovani::StaleDokola, r.smycky, odehrano));
        }
    }
}

TEST(PrehravaniRychlost, RaisingStopsAt1000)
{
    EXPECT_EQ(110u, ZvysenaRychlost(100, 10));
    EXPECT_EQ(1000u, ZvysenaRychlost(990, 10));
    EXPECT_EQ(1000u, ZvysenaRychlost(1000, 10));
    EXPECT_EQ(1000u, ZvysenaRychlost(995, 100));
    EXPECT_EQ(1000u, ZvysenaRychlost(UINT32_MAX - 1, 10)) << "no wrap-around";
    EXPECT_EQ(10u, ZvysenaRychlost(0, 10));
}

TEST(PrehravaniRychlost, LoweringStopsAt10AndNeedsAFullStep)
{
    EXPECT_EQ(std::optional<uint32_t>(90), SnizenaRychlost(100, 10));
    EXPECT_EQ(std::optional<uint32_t>(10), SnizenaRychlost(15, 10));
    EXPECT_EQ(std::optional<uint32_t>(10), SnizenaRychlost(10, 10)) << "0 is held at 10";
    EXPECT_EQ(std::optional<uint32_t>(10), SnizenaRychlost(50, 50));
    EXPECT_EQ(std::nullopt, SnizenaRychlost(20, 50));
    EXPECT_EQ(std::nullopt, SnizenaRychlost(9, 10));
}

TEST(PrehravaniSnimky, ForwardWrapsBackStops)
{
    EXPECT_EQ(1, NasledujiciSnimek(0, 3));
    EXPECT_EQ(2, NasledujiciSnimek(1, 3));
    EXPECT_EQ(0, NasledujiciSnimek(2, 3));
    EXPECT_EQ(0, NasledujiciSnimek(0, 1));
    EXPECT_EQ(0, NasledujiciSnimek(-1, -1)) << "no image: back to the start";
    EXPECT_EQ(0, NasledujiciSnimek(7, 5)) << "beyond the end";
    EXPECT_EQ(0, PredchoziSnimek(0));
    EXPECT_EQ(0, PredchoziSnimek(1));
    EXPECT_EQ(4, PredchoziSnimek(5));
}

TEST(PanelyRozlozeni, StatusPartsAndFramesListArea)
{
    EXPECT_EQ((std::array<int, 3>{448, 492, -1}), CastiStavoveListy(600, 44, 108));
    const auto casti = CastiStavoveListy(1234, 70, 130);
    EXPECT_EQ(70, casti[1] - casti[0]);
    EXPECT_EQ(1234 - 130, casti[1]);
    EXPECT_EQ((std::array<int, 3>{0, 40, -1}), CastiStavoveListy(100, 70, 60)) << "the file part gives way first";
    EXPECT_EQ((std::array<int, 3>{0, 0, -1}), CastiStavoveListy(50, 70, 60)) << "no edge below 0";

    const Obdelnik o = OblastSeznamu(800, 540, 30, 22);
    EXPECT_EQ(0, o.x);
    EXPECT_EQ(30, o.y);
    EXPECT_EQ(800, o.cx);
    EXPECT_EQ(488, o.cy);
    EXPECT_EQ(0, OblastSeznamu(100, 40, 30, 22).cy) << "no room left, no negative height";
}

TEST(PanelyRozlozeni, ContextMenuPosition)
{
    const POINT kurzor{77, 88};
    const POINT roh{300, 200};
    auto pozice = [&](LPARAM l) { return PoziceKontextovehoMenu(l, kurzor, roh); };
    EXPECT_EQ(77, pozice(0).x);
    EXPECT_EQ(88, pozice(0).y);
    EXPECT_EQ(300, pozice(-1).x) << "keyboard";
    EXPECT_EQ(200, pozice(-1).y);
    EXPECT_EQ(300, pozice(MAKELPARAM(0xFFFF, 0xFFFF)).x) << "keyboard, as a 32-bit value";
    EXPECT_EQ(640, pozice(MAKELPARAM(640, 0)).x) << "only both zero mean the cursor";
    EXPECT_EQ(0, pozice(MAKELPARAM(640, 0)).y);
    // A mouse click on a monitor above or left of the primary one.
    EXPECT_EQ(50, pozice(MAKELPARAM(50, 0xFFFF)).x);
    EXPECT_EQ(-1, pozice(MAKELPARAM(50, 0xFFFF)).y) << "one coordinate of -1 is a real position";
    EXPECT_EQ(-1, pozice(MAKELPARAM(0xFFFF, 50)).x);
    EXPECT_EQ(-536, pozice(MAKELPARAM(65000, 10)).x) << "signed words";
    EXPECT_EQ(-1280, pozice(MAKELPARAM(static_cast<WORD>(-1280), 300)).x);
}

TEST(PanelyRozlozeni, RowHeightsAreCapped)
{
    EXPECT_EQ(16u, ListBox::VyskaPolozky(16));
    EXPECT_EQ(255u, ListBox::VyskaPolozky(255));
    EXPECT_EQ(255u, ListBox::VyskaPolozky(256));
    EXPECT_EQ(255u, ListBox::VyskaPolozky(2160));
}

TEST(PrehravaniTexty, FileInformationTakesNamesLiterally)
{
    EXPECT_EQ(L"a.gif", NazevSouboru(L"C:\\x\\a.gif"));
    EXPECT_EQ(L"b.gif", NazevSouboru(L"Z:/x/b.gif"));
    EXPECT_EQ(L"c.gif", NazevSouboru(L"c.gif"));
    EXPECT_EQ(L"", NazevSouboru(L"C:\\slozka\\"));
    EXPECT_EQ(L"%s%d%n.gif - obsahuje snímků: 3, plná cesta: C:\\%x\\%s%d%n.gif",
              TextInformaciOSouboru(L"C:\\%x\\%s%d%n.gif", 3));
    EXPECT_EQ(L"日本 kůň.gif - obsahuje snímků: -1, plná cesta: D:\\日本 kůň.gif",
              TextInformaciOSouboru(L"D:\\日本 kůň.gif", -1));
}

TEST(PrehravaniTexty, CounterAndSpeed)
{
    EXPECT_EQ(L"", TextPocitadla(Podminky{false, false, false}, -1, -1));
    EXPECT_EQ(L"1/1", TextPocitadla(Podminky{true, false, false}, 0, 7)) << "a still image whatever the count";
    EXPECT_EQ(L"3/12", TextPocitadla(Podminky{true, true, true}, 2, 12));
    EXPECT_EQ(L"Rychlost: 100 %", TextRychlosti(100));
    EXPECT_EQ(L"Rychlost: 1000 %", TextRychlosti(1000));
}

TEST(PrehravaniTexty, ReadyTextTakesTheNameLiterally)
{
    EXPECT_EQ(L"Animora - připraven", TextZdroje(IDS_PRIPRAVEN, {L"Animora"}));
    EXPECT_EQ(L"100% %1 %d - připraven", TextZdroje(IDS_PRIPRAVEN, {L"100% %1 %d"}));
}

TEST(PanelyTexty, MenuHelpAndTooltipParts)
{
    EXPECT_EQ(L"Spustit animaci.", TextNapovedyMenu(L"Spustit animaci"));
    EXPECT_EQ(L"Hotovo.", TextNapovedyMenu(L"Hotovo.")) << "no second full stop";
    EXPECT_EQ(L"Stav", TextNapovedyMenu(L"Stav\nTip")) << "the status part as it is";
    EXPECT_EQ(L".", TextNapovedyMenu(L""));

    EXPECT_EQ(L"Tip", TextTipu(L"Stav\nTip", 80));
    EXPECT_EQ(L"Tip\ndruhý", TextTipu(L"Stav\nTip\ndruhý", 80)) << "only the first line feed splits";
    EXPECT_EQ(L"Ukončit aplikaci", TextTipu(L"Ukončit aplikaci", 80));
    EXPECT_EQ(std::wstring(79, L'x'), TextTipu(std::wstring(200, L'x'), 80)) << "79 characters and the terminator";
    EXPECT_EQ(L"", TextTipu(L"abc", 0));
}
