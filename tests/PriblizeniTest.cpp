// The arithmetic of the zoomed view, without a window: steps, sizes, scrolling, the point kept
// under the cursor, the source pixel of each screen pixel, and the checkerboard.
#include <gtest/gtest.h>

#include <cmath>

#include "image/Priblizeni.h"

TEST(Priblizeni, StepsFromAnyScale)
{
    struct Radek {
        double z;
        double vetsi;
        double mensi;
    };
    // 0.37 is a fitted view's scale between two steps; the ends stay where they are.
    const Radek tabulka[] = {
        {0.37, 0.4096, 0.32768}, {1.0, 2.0, 0.8},  {2.0, 3.0, 1.0},  {6.0, 8.0, 5.0},
        {8.0, 10.0, 6.0},        {32.0, 32.0, 31.0}, {1.0 / 16, std::pow(1.25, -12), 1.0 / 16},
    };
    for (const Radek& r : tabulka) {
        SCOPED_TRACE(r.z);
        EXPECT_NEAR(r.vetsi, VetsiPriblizeni(r.z), 1e-9);
        EXPECT_NEAR(r.mensi, MensiPriblizeni(r.z), 1e-9);
    }
    // Above 1 x every step is a whole multiple, so pixels become blocks of one size.
    for (const double stupen : StupnePriblizeni()) {
        if (stupen > 1) {
            EXPECT_EQ(stupen, static_cast<int>(stupen));
        }
    }
}

TEST(Priblizeni, ZoomedSizesAndScrollRanges)
{
    EXPECT_EQ(32, ZvetsenaDelka(4, 8.0));
    EXPECT_EQ(1000, ZvetsenaDelka(4000, 0.25));
    EXPECT_EQ(1, ZvetsenaDelka(3, 1.0 / 16)) << "never less than a pixel";
    EXPECT_EQ(200, RozsahPosunu(1000, 800));
    EXPECT_EQ(0, RozsahPosunu(500, 800));
    EXPECT_EQ(0, OmezitPosun(-5, 1000, 800));
    EXPECT_EQ(200, OmezitPosun(300, 1000, 800));
    EXPECT_EQ(150, PocatekObrazu({100, 400, 70})) << "a picture that fits is centred, whatever the position";
    EXPECT_EQ(-70, PocatekObrazu({800, 400, 70}));
}

TEST(Priblizeni, WheelZoomKeepsThePointUnderTheCursor)
{
    struct Radek {
        Osa stara;
        double zOd;
        double zNa;
        int kurzor;
    };
    const Radek tabulka[] = {
        {{100, 400, 0}, 1.0, 8.0, 175},    // from a centred picture
        {{800, 400, 100}, 8.0, 16.0, 50},  // from a scrolled one
        {{1600, 400, 600}, 16.0, 8.0, 390}, // zooming out
    };
    for (const Radek& r : tabulka) {
        SCOPED_TRACE(r.kurzor);
        const double bod = (r.kurzor - PocatekObrazu(r.stara)) / r.zOd;
        const int novy = static_cast<int>(r.stara.obraz / r.zOd * r.zNa);
        const int posun = PosunPoPriblizeni(r.stara, novy, r.kurzor);
        EXPECT_NEAR(bod, (r.kurzor - PocatekObrazu({novy, r.stara.okno, posun})) / r.zNa, 0.5 / r.zNa);
    }
    // Where keeping the point would scroll past the picture's edge, the edge wins.
    EXPECT_EQ(0, PosunPoPriblizeni({100, 400, 0}, 800, 0));
    EXPECT_EQ(0, PosunPoPriblizeni({800, 400, 200}, 200, 10));
}

TEST(Priblizeni, SourcePixelOfEachScreenPixel)
{
    std::vector<int> p;
    ZdrojovePixely(4, 12, 0, 12, p);
    EXPECT_EQ((std::vector<int>{0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3}), p);
    ZdrojovePixely(4, 12, 5, 3, p);
    EXPECT_EQ((std::vector<int>{1, 2, 2}), p) << "from the first pixel in view";
    ZdrojovePixely(3, 3, 0, 3, p);
    EXPECT_EQ((std::vector<int>{0, 1, 2}), p);
}

TEST(Priblizeni, ScrollBarsNeeded)
{
    struct Radek {
        int sirka, vyska;
        bool vodorovny, svisly;
    };
    // An area of 800 x 600, bars 17 pixels thick: one bar can make the other one needed.
    const Radek tabulka[] = {
        {1000, 100, true, false}, {790, 595, false, false}, {790, 700, true, true},
        {900, 590, true, true},   {100, 700, false, true},
    };
    for (const Radek& r : tabulka) {
        SCOPED_TRACE(testing::Message() << r.sirka << "x" << r.vyska);
        const Posuvniky p = PotrebnePosuvniky(r.sirka, r.vyska, 800, 600, 17, 17);
        EXPECT_EQ(r.vodorovny, p.vodorovny);
        EXPECT_EQ(r.svisly, p.svisly);
    }
}

TEST(Priblizeni, BackgroundsAndPercentages)
{
    using P = PozadiPruhlednosti;
    EXPECT_EQ(kSachovniceSvetla, PixelPozadi(P::Sachovnice, 0, 0, 0));
    EXPECT_EQ(kSachovniceSvetla, PixelPozadi(P::Sachovnice, 0, 7, 7));
    EXPECT_EQ(kSachovniceStredni, PixelPozadi(P::Sachovnice, 0, 8, 0));
    EXPECT_EQ(kSachovniceStredni, PixelPozadi(P::Sachovnice, 0, 0, 15));
    EXPECT_EQ(kSachovniceSvetla, PixelPozadi(P::Sachovnice, 0, 8, 8));
    EXPECT_EQ(0x123456u, PixelPozadi(P::BarvaOkna, 0x123456, 3, 3));
    uint32_t radek[20] = {};
    VyplnitRadekPozadi(P::Sachovnice, 0, 5, 9, 20, radek);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(PixelPozadi(P::Sachovnice, 0, 5 + i, 9), radek[i]) << i;
    EXPECT_EQ(P::Sachovnice, DalsiPozadi(P::BarvaOkna));
    EXPECT_EQ(P::BarvaOkna, DalsiPozadi(P::Svetle)) << "B goes round";

    EXPECT_EQ(L"100", ProcentaPriblizeni(1.0));
    EXPECT_EQ(L"3200", ProcentaPriblizeni(32.0));
    EXPECT_EQ(L"41", ProcentaPriblizeni(0.4096));
    EXPECT_EQ(L"6,3", ProcentaPriblizeni(1.0 / 16));
}
