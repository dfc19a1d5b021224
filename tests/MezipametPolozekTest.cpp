// The cache of rendered overview rows: what it keeps within its budget, what it drops first,
// and that a kept row is copied back pixel for pixel.
#include <gtest/gtest.h>

#include "frames/MezipametPolozek.h"
#include "tests/GifFixtures.h"

using GifFixtures::Canvas;
using Klic = MezipametPolozek::Klic;
using Tarnel::WinApi::Bitmap;

namespace {

constexpr int kSirka = 40;
constexpr int kVyska = 10;
const size_t kJedna = MezipametPolozek::Velikost(kSirka, kVyska);

// A row rendering filled with one colour, as the panel would make it.
Bitmap Radek(COLORREF barva, int sirka = kSirka, int vyska = kVyska)
{
    HDC obrazovka = GetDC(nullptr);
    Bitmap bitmapa(CreateCompatibleBitmap(obrazovka, sirka, vyska));
    HDC dc = CreateCompatibleDC(obrazovka);
    HGDIOBJ predchozi = SelectObject(dc, bitmapa.Get());
    GifFixtures::SolidBrush stetec(barva);
    const RECT vse{0, 0, sirka, vyska};
    FillRect(dc, &vse, stetec.Get());
    SelectObject(dc, predchozi);
    DeleteDC(dc);
    ReleaseDC(nullptr, obrazovka);
    return bitmapa;
}

Klic K(UINT snimek, COLORREF pozadi = RGB(255, 255, 255)) { return Klic{snimek, kSirka, kVyska, pozadi}; }

} // namespace

TEST(MezipametPolozek, KeptRowIsCopiedBackWhereAsked)
{
    MezipametPolozek mezipamet(10 * kJedna);
    Canvas platno(100, 50, RGB(1, 2, 3));
    EXPECT_FALSE(mezipamet.Vykreslit(K(3), platno.Dc(), 0, 0)) << "nothing kept yet";
    EXPECT_EQ(RGB(1, 2, 3), platno.Pixel(0, 0)) << "a miss draws nothing";

    mezipamet.Ulozit(K(3), Radek(RGB(0, 102, 204)));
    ASSERT_TRUE(mezipamet.Vykreslit(K(3), platno.Dc(), 20, 30));
    EXPECT_EQ(RGB(0, 102, 204), platno.Pixel(20, 30));
    EXPECT_EQ(RGB(0, 102, 204), platno.Pixel(20 + kSirka - 1, 30 + kVyska - 1));
    EXPECT_EQ(RGB(1, 2, 3), platno.Pixel(20 + kSirka, 30)) << "exactly the row's size";
    EXPECT_EQ(RGB(1, 2, 3), platno.Pixel(19, 30));
}

TEST(MezipametPolozek, FrameSizeAndBackgroundAllTellRenderingsApart)
{
    MezipametPolozek mezipamet(100 * kJedna);
    mezipamet.Ulozit(K(1, RGB(255, 255, 255)), Radek(RGB(255, 0, 0)));
    EXPECT_TRUE(mezipamet.Obsahuje(K(1, RGB(255, 255, 255))));
    EXPECT_FALSE(mezipamet.Obsahuje(K(1, RGB(0, 0, 255)))) << "the selected row's background is another rendering";
    EXPECT_FALSE(mezipamet.Obsahuje(K(2, RGB(255, 255, 255))));
    EXPECT_FALSE(mezipamet.Obsahuje(Klic{1, kSirka + 1, kVyska, RGB(255, 255, 255)})) << "a wider list";

    // The same key again replaces the rendering rather than keeping two.
    mezipamet.Ulozit(K(1, RGB(255, 255, 255)), Radek(RGB(0, 255, 0)));
    EXPECT_EQ(1u, mezipamet.Pocet());
    EXPECT_EQ(kJedna, mezipamet.ObsazenoBajtu());
    Canvas platno(kSirka, kVyska, RGB(1, 2, 3));
    ASSERT_TRUE(mezipamet.Vykreslit(K(1, RGB(255, 255, 255)), platno.Dc(), 0, 0));
    EXPECT_EQ(RGB(0, 255, 0), platno.Pixel(5, 5));
}

TEST(MezipametPolozek, StaysWithinItsBudgetDroppingTheLeastRecentlyUsed)
{
    MezipametPolozek mezipamet(3 * kJedna + kJedna / 2);
    EXPECT_EQ(3u, mezipamet.Kapacita(kSirka, kVyska));
    Canvas platno(kSirka, kVyska, RGB(1, 2, 3));
    mezipamet.Ulozit(K(0), Radek(RGB(10, 0, 0)));
    mezipamet.Ulozit(K(1), Radek(RGB(20, 0, 0)));
    mezipamet.Ulozit(K(2), Radek(RGB(30, 0, 0)));
    ASSERT_TRUE(mezipamet.Vykreslit(K(0), platno.Dc(), 0, 0)) << "row 0 is used again, so row 1 is now the oldest";

    mezipamet.Ulozit(K(3), Radek(RGB(40, 0, 0)));
    EXPECT_EQ(3u, mezipamet.Pocet());
    EXPECT_LE(mezipamet.ObsazenoBajtu(), mezipamet.Rozpocet());
    EXPECT_TRUE(mezipamet.Obsahuje(K(0)));
    EXPECT_FALSE(mezipamet.Obsahuje(K(1)));
    EXPECT_TRUE(mezipamet.Obsahuje(K(2)));
    EXPECT_TRUE(mezipamet.Obsahuje(K(3)));

    for (UINT i = 4; i < 40; ++i) mezipamet.Ulozit(K(i), Radek(RGB(50, 0, 0)));
    EXPECT_EQ(3u, mezipamet.Pocet()) << "however many rows are drawn";
    EXPECT_LE(mezipamet.ObsazenoBajtu(), mezipamet.Rozpocet());
    EXPECT_TRUE(mezipamet.Obsahuje(K(39)));

    mezipamet.Vyprazdnit();
    EXPECT_EQ(0u, mezipamet.Pocet());
    EXPECT_EQ(0u, mezipamet.ObsazenoBajtu());
}

TEST(MezipametPolozek, KeepsNothingItsBudgetCannotHold)
{
    MezipametPolozek zadna(0);
    EXPECT_EQ(0u, zadna.Kapacita(kSirka, kVyska));
    zadna.Ulozit(K(0), Radek(RGB(1, 1, 1)));
    EXPECT_EQ(0u, zadna.Pocet());

    MezipametPolozek mala(kJedna);
    mala.Ulozit(Klic{0, kSirka * 2, kVyska, 0}, Radek(RGB(1, 1, 1), kSirka * 2));
    EXPECT_EQ(0u, mala.Pocet()) << "a row larger than the whole budget";
    EXPECT_EQ(0u, mala.Kapacita(kSirka, 0)) << "an empty row is never worth keeping";
}

TEST(MezipametPolozek, TinyRowsAreCappedInNumber)
{
    // Each rendering is a GDI object; a budget counted in bytes alone would allow thousands.
    MezipametPolozek mezipamet(MezipametPolozek::Velikost(4, 1) * 5000);
    EXPECT_EQ(MezipametPolozek::kNejvicePolozek, mezipamet.Kapacita(4, 1));
    for (UINT i = 0; i < MezipametPolozek::kNejvicePolozek + 10; ++i)
        mezipamet.Ulozit(Klic{i, 4, 1, 0}, Radek(RGB(1, 1, 1), 4, 1));
    EXPECT_EQ(MezipametPolozek::kNejvicePolozek, mezipamet.Pocet());
    EXPECT_TRUE(mezipamet.Obsahuje(Klic{MezipametPolozek::kNejvicePolozek + 9, 4, 1, 0}));
    EXPECT_FALSE(mezipamet.Obsahuje(Klic{0, 4, 1, 0}));
}
