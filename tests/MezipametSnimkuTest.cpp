// The main window's cache of drawn frames on plain pictures: its byte budget, which picture
// goes first, and what empties it.
#include <gtest/gtest.h>

#include <vector>

#include "app/MezipametSnimku.h"

namespace {

// A 10 x 10 picture whose every pixel carries the frame number.
std::vector<uint32_t> Obraz(unsigned snimek) { return std::vector<uint32_t>(100, 0xFF000000u | snimek); }

void Ulozit(MezipametSnimku& m, unsigned snimek)
{
    const std::vector<uint32_t> obraz = Obraz(snimek);
    m.Ulozit(snimek, reinterpret_cast<const uint8_t*>(obraz.data()), 40);
}

} // namespace

TEST(MezipametSnimku, BudgetIsNeverExceededAndTheLeastRecentlyUsedGoFirst)
{
    MezipametSnimku m(3 * 400 + 399); // room for three pictures of 400 bytes, not four
    m.Nastavit(10, 10, 0xFFFFFF);
    ASSERT_EQ(3u, m.Kapacita());
    for (unsigned i = 0; i < 3; ++i) Ulozit(m, i);
    ASSERT_NE(nullptr, m.Najit(0)); // 0 is now the most recently used, 1 the least
    Ulozit(m, 3);
    EXPECT_LE(m.ObsazenoBajtu(), m.Rozpocet());
    EXPECT_EQ(3u, m.Pocet());
    EXPECT_FALSE(m.Obsahuje(1));
    for (unsigned i : {0u, 2u, 3u}) {
        const uint32_t* obraz = m.Najit(i);
        ASSERT_NE(nullptr, obraz) << i;
        EXPECT_EQ(Obraz(i), std::vector<uint32_t>(obraz, obraz + 100)) << "each keeps its own pixels";
    }
    Ulozit(m, 2); // drawn again: replaced, not counted twice
    EXPECT_EQ(3u, m.Pocet());
    EXPECT_EQ(1200u, m.ObsazenoBajtu());
}

TEST(MezipametSnimku, AnotherSizeOrBackgroundEmptiesItAndAPictureLargerThanTheBudgetIsNotKept)
{
    MezipametSnimku m(1000);
    m.Nastavit(10, 10, 0xFFFFFF);
    Ulozit(m, 0);
    m.Nastavit(10, 10, 0xFFFFFF);
    EXPECT_TRUE(m.Obsahuje(0)) << "the same size keeps it";
    m.Nastavit(10, 10, 0x000000);
    EXPECT_EQ(0u, m.Pocet());
    Ulozit(m, 0);
    m.Nastavit(20, 10, 0x000000);
    EXPECT_EQ(0u, m.Pocet());
    EXPECT_EQ(0u, m.ObsazenoBajtu());
    m.Nastavit(20, 20, 0x000000); // 1600 bytes: more than the whole budget
    const std::vector<uint32_t> velky(400, 1);
    m.Ulozit(0, reinterpret_cast<const uint8_t*>(velky.data()), 80);
    EXPECT_EQ(0u, m.Pocet());
}

TEST(MezipametSnimku, BudgetIsAnEighthOfTheMemoryUpTo128Megabytes)
{
    EXPECT_EQ(size_t{128} << 20, MezipametSnimku::VychoziRozpocet(uint64_t{24} << 30));
    EXPECT_EQ(size_t{64} << 20, MezipametSnimku::VychoziRozpocet(uint64_t{512} << 20));
}
