// Playback on the clock without a window: the intervals the reckoning arms for given
// lateness of each tick, and the holder of the finer system timer.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/RytmusSnimku.h"
#include "winlib/RozliseniCasovace.h"

using Tarnel::WinApi::RozliseniCasovace;

namespace {

constexpr int64_t kMs = 1000; // the reckoning's clock counts microseconds

} // namespace

TEST(RytmusSnimku, OnTimeTicksArmTheWholeInterval)
{
    RytmusSnimku rytmus;
    EXPECT_EQ(40u, rytmus.Zacit(1000 * kMs, 40, 100));
    // Every tick exactly when due: each frame gets exactly its own interval.
    int64_t due = 1040 * kMs;
    for (uint32_t interval : {40u, 70u, 0u, 10u, 500u}) {
        EXPECT_EQ(interval, rytmus.Dalsi(due, interval, 100));
        due += interval * kMs;
    }
}

TEST(RytmusSnimku, LateTicksShortenTheNextIntervalAndLatenessDoesNotAddUp)
{
    RytmusSnimku rytmus;
    rytmus.Zacit(0, 20, 100);
    // Ticks due every 20 ms, each handled late by the amount given: the interval armed is
    // what is left until the next one is due, rounded up to a whole millisecond.
    struct Tik {
        int64_t late;
        uint32_t armed;
    };
    const Tik ticks[] = {
        {3 * kMs, 17},      // 3 ms late: 17 ms to go
        {0, 20},            // back on time
        {kMs / 2, 20},      // half a millisecond: rounded up, never early
        {7 * kMs + 1, 13},  // 7.001 ms late: 12.999 rounds up to 13
        {20 * kMs, 0},      // a whole frame late: due again at once
    };
    int64_t due = 20 * kMs;
    for (const Tik& t : ticks) {
        EXPECT_EQ(t.armed, rytmus.Dalsi(due + t.late, 20, 100)) << "late by " << t.late << " us";
        due += 20 * kMs; // the schedule stays on the grid however late the ticks were
    }
}

TEST(RytmusSnimku, MoreThanAFrameBehindStartsAfresh)
{
    RytmusSnimku rytmus;
    rytmus.Zacit(0, 50, 100);
    // The window was dragged: the tick due at 50 ms comes at 400 ms. No racing through the
    // missed frames: this frame gets its whole interval from now on.
    EXPECT_EQ(50u, rytmus.Dalsi(400 * kMs, 50, 100));
    EXPECT_EQ(45u, rytmus.Dalsi(455 * kMs, 50, 100)) << "reckoned from the fresh start";
    // Just over one frame late counts as behind, exactly one frame does not.
    EXPECT_EQ(0u, rytmus.Dalsi(550 * kMs, 50, 100));
    EXPECT_EQ(30u, rytmus.Dalsi(600 * kMs + 30 * kMs + 1, 30, 100));
}

TEST(RytmusSnimku, EarlyTicksAndSpeedChangesStartAfresh)
{
    RytmusSnimku rytmus;
    rytmus.Zacit(0, 5000, 100);
    // A tick long before it was due (sent by hand) counts as on time.
    EXPECT_EQ(5100u, rytmus.Dalsi(10 * kMs, 5100, 100));
    EXPECT_EQ(5200u, rytmus.Dalsi(5110 * kMs, 5200, 100));

    // A new speed: the frame after the change gets its whole new interval, late or not.
    rytmus.Zacit(0, 100, 100);
    EXPECT_EQ(50u, rytmus.Dalsi(104 * kMs, 50, 200));
    EXPECT_EQ(47u, rytmus.Dalsi(157 * kMs, 50, 200)) << "and the count goes on from there";

    // Zacit always restarts, whatever came before.
    EXPECT_EQ(80u, rytmus.Zacit(9999 * kMs, 80, 200));
    EXPECT_EQ(80u, rytmus.Dalsi(10079 * kMs, 80, 200));
}

TEST(RytmusSnimku, WithoutAStartTheFirstTickStarts)
{
    RytmusSnimku rytmus;
    EXPECT_EQ(30u, rytmus.Dalsi(123 * kMs, 30, 100));
    EXPECT_EQ(28u, rytmus.Dalsi(155 * kMs, 30, 100));
}

TEST(RytmusSnimku, TheClockMovesForward)
{
    const int64_t a = CasRytmu();
    Sleep(5);
    const int64_t b = CasRytmu();
    EXPECT_GE(b - a, 4 * kMs);
    EXPECT_LT(b - a, 5000 * kMs);
}

TEST(RozliseniCasovace, EveryPeriodTakenIsGivenBackOnce)
{
    const int before = RozliseniCasovace::Drzeno();
    {
        RozliseniCasovace jedno;
        RozliseniCasovace druhe;
        EXPECT_FALSE(jedno.Drzi());
        jedno.Drzet();
        ASSERT_TRUE(jedno.Drzi()) << "the system grants a 1 ms period";
        jedno.Drzet();
        EXPECT_EQ(before + 1, RozliseniCasovace::Drzeno()) << "holding twice takes it once";
        druhe.Drzet();
        EXPECT_EQ(before + 2, RozliseniCasovace::Drzeno());
        jedno.Uvolnit();
        jedno.Uvolnit();
        EXPECT_FALSE(jedno.Drzi());
        EXPECT_EQ(before + 1, RozliseniCasovace::Drzeno()) << "releasing twice gives it back once";
    }
    EXPECT_EQ(before, RozliseniCasovace::Drzeno()) << "a holder going away gives its period back";
}
