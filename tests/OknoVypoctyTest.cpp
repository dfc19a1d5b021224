// Placement arithmetic without windows: the packing of the stored values, the pull into
// a work area and the centring.
#include <gtest/gtest.h>

#include "winlib/Okno.h"

using namespace Tarnel::WinApi;

namespace {

const RECT kScreen{0, 0, 1280, 1024};
// A second monitor's work area that does not start at the origin.
const RECT kRightMonitor{1280, 40, 3200, 1080};

RECT At(LONG left, LONG top, LONG width, LONG height) { return RECT{left, top, left + width, top + height}; }

testing::AssertionResult MovedTo(const std::optional<POINT>& moved, LONG x, LONG y)
{
    if (!moved) return testing::AssertionFailure() << "not moved";
    if (moved->x != x || moved->y != y)
        return testing::AssertionFailure() << "moved to " << moved->x << "," << moved->y;
    return testing::AssertionSuccess();
}

TEST(OknoVypocty, PairsKeepTheLow16BitsOfEachHalf)
{
    EXPECT_EQ(0x00780064u, ZabalitDvojici(100, 120));
    EXPECT_EQ(0x0064FFFBu, ZabalitDvojici(-5, 100)) << "left edge -5";
    EXPECT_EQ(0xFFFB0064u, ZabalitDvojici(100, -5));
    EXPECT_EQ(0x8300FFFFu, ZabalitDvojici(-1, -32000));
    EXPECT_EQ(0x00011170u, ZabalitDvojici(70000, 65537)) << "larger values lose their high bits";
    EXPECT_EQ(0u, ZabalitDvojici(0, 0));
}

TEST(OknoVypocty, UnpackedHalvesAreUnsigned)
{
    POINT p = RozbalitDvojici(0x0064FFFB);
    EXPECT_EQ(65531, p.x);
    EXPECT_EQ(100, p.y);
    p = RozbalitDvojici(0xFFFF0000);
    EXPECT_EQ(0, p.x);
    EXPECT_EQ(65535, p.y);
    p = RozbalitDvojici(ZabalitDvojici(1280, 1024));
    EXPECT_EQ(1280, p.x);
    EXPECT_EQ(1024, p.y);
}

TEST(OknoVypocty, WindowInsideTheWorkAreaStays)
{
    EXPECT_FALSE(PolohaVPracovniOblasti(At(100, 100, 400, 300), kScreen));
    EXPECT_FALSE(PolohaVPracovniOblasti(kScreen, kScreen)) << "exactly the work area";
    EXPECT_FALSE(PolohaVPracovniOblasti(At(1880, 500, 400, 300), kRightMonitor));
}

TEST(OknoVypocty, LeftAndTopEdgesArePulledToTheWorkArea)
{
    EXPECT_TRUE(MovedTo(PolohaVPracovniOblasti(At(-5, 100, 400, 300), kScreen), 0, 100));
    EXPECT_TRUE(MovedTo(PolohaVPracovniOblasti(At(100, -30, 400, 300), kScreen), 100, 0));
    EXPECT_TRUE(MovedTo(PolohaVPracovniOblasti(At(1000, 0, 400, 300), kRightMonitor), 1280, 40));
}

TEST(OknoVypocty, RightAndBottomEdgesOverrideTheFarEdgeRule)
{
    // Left beyond the last 10 pixels: the far-edge rule would say 1270, flush right wins.
    EXPECT_TRUE(MovedTo(PolohaVPracovniOblasti(At(65531, 100, 400, 300), kScreen), 880, 100));
    EXPECT_TRUE(MovedTo(PolohaVPracovniOblasti(At(100, 65000, 400, 300), kScreen), 100, 724));
    EXPECT_TRUE(MovedTo(PolohaVPracovniOblasti(At(1275, 1020, 400, 300), kScreen), 880, 724));
    // Only sticking out a little.
    EXPECT_TRUE(MovedTo(PolohaVPracovniOblasti(At(1000, 800, 400, 300), kScreen), 880, 724));
}

TEST(OknoVypocty, FarEdgeRuleAloneKeepsTenPixelsReachable)
{
    // A window no wider than the remaining strip never sticks out: only the far-edge rule acts.
    EXPECT_TRUE(MovedTo(PolohaVPracovniOblasti(At(1275, 100, 4, 4), kScreen), 1270, 100));
    EXPECT_TRUE(MovedTo(PolohaVPracovniOblasti(At(100, 1016, 5, 6), kScreen), 100, 1014));
    EXPECT_FALSE(PolohaVPracovniOblasti(At(1270, 1014, 10, 10), kScreen)) << "exactly on the limit";
}

TEST(OknoVypocty, WindowLargerThanTheWorkAreaGoesToItsLeftAndTopEdges)
{
    EXPECT_TRUE(MovedTo(PolohaVPracovniOblasti(At(50, 60, 1500, 1200), kScreen), 0, 0));
    EXPECT_TRUE(MovedTo(PolohaVPracovniOblasti(At(-100, -100, 1500, 1200), kScreen), 0, 0));
    EXPECT_TRUE(MovedTo(PolohaVPracovniOblasti(At(65531, 65531, 2000, 1100), kRightMonitor), 1280, 40));
    // Larger on one axis only.
    EXPECT_TRUE(MovedTo(PolohaVPracovniOblasti(At(300, 200, 1400, 300), kScreen), 0, 200));
}

TEST(OknoVypocty, CentredOnTheTarget)
{
    POINT p = PolohaNaStred(SIZE{400, 300}, kScreen, kScreen);
    EXPECT_EQ(440, p.x);
    EXPECT_EQ(362, p.y);
    p = PolohaNaStred(SIZE{200, 100}, RECT{100, 100, 500, 400}, kScreen);
    EXPECT_EQ(200, p.x);
    EXPECT_EQ(200, p.y);
    // Odd sizes: each half rounds towards zero on its own.
    p = PolohaNaStred(SIZE{201, 101}, RECT{0, 0, 301, 201}, kScreen);
    EXPECT_EQ(150 - 100, p.x);
    EXPECT_EQ(100 - 50, p.y);
}

TEST(OknoVypocty, CentringStaysInsideTheBounds)
{
    // Over a target near the bottom-right corner: pushed back left and up.
    POINT p = PolohaNaStred(SIZE{400, 300}, RECT{1100, 900, 1280, 1024}, kScreen);
    EXPECT_EQ(880, p.x);
    EXPECT_EQ(724, p.y);
    // Near the top-left corner of a monitor that does not start at the origin.
    p = PolohaNaStred(SIZE{400, 300}, RECT{1280, 40, 1380, 100}, kRightMonitor);
    EXPECT_EQ(1280, p.x);
    EXPECT_EQ(40, p.y);
    // Larger than the bounds: the left and top bounds win.
    p = PolohaNaStred(SIZE{1500, 1100}, kScreen, kScreen);
    EXPECT_EQ(0, p.x);
    EXPECT_EQ(0, p.y);
}

} // namespace
