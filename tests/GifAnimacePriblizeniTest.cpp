// Zoomed drawing through the real decoder, checked on the pixels it leaves: every image pixel
// a block of its own colour and of the zoom's size, nothing else anywhere, and the chosen
// background only under the image's rectangle.
#include <windows.h>

#include <gtest/gtest.h>

#include "image/GifAnimace.h"
#include "tests/GifFixtures.h"
#include "tests/TestSupport.h"

using namespace GifFixtures;

namespace {

const COLORREF kOkno = RGB(0x10, 0x20, 0x30);
const COLORREF kMimo = RGB(0x80, 0x80, 0x80);
constexpr int kW = 4;
constexpr int kH = 3;

// A 4 x 3 picture whose twelve pixels all differ; with `pruhledny` every pixel is transparent.
std::wstring Obrazek(const TestSupport::ScratchDir& slozka, bool pruhledny)
{
    std::vector<BYTE> pixely;
    std::vector<COLORREF> barvy;
    for (int i = 0; i < kW * kH; ++i) {
        pixely.push_back(static_cast<BYTE>(i));
        barvy.push_back(FrameColour(i));
    }
    GifRecipe popis;
    popis.width = kW;
    popis.height = kH;
    popis.frames.push_back(OwnFrame(0, 0, kW, kH, pruhledny ? std::vector<BYTE>(kW * kH, 0) : pixely, barvy));
    if (pruhledny) popis.frames.back().transparentIndex = 0;
    const std::wstring cesta = slozka.File(pruhledny ? L"pruhledny.gif" : L"bloky.gif");
    EXPECT_TRUE(WriteGif(cesta, popis));
    return cesta;
}

COLORREF Sachovnice(int x, int y)
{
    return ((x / 8 + y / 8) & 1) ? RGB(0xA8, 0xA8, 0xA8) : RGB(0xE6, 0xE6, 0xE6);
}

} // namespace

TEST(GifAnimacePriblizeni, EveryImagePixelIsABlockOfItsColour)
{
    TestSupport::ScratchDir slozka;
    GifAnimace model;
    ASSERT_EQ(S_OK, model.Load(Obrazek(slozka, false), true));
    struct Radek {
        int k;
        int cx, cy; // the area drawn into
        POINT posun;
        POINT pocatek; // where the picture's first pixel lands
    };
    const Radek tabulka[] = {
        {1, 100, 60, {}, {48, 28}},
        {3, 100, 60, {}, {44, 25}},
        {8, 100, 60, {}, {34, 18}},
        {8, 20, 16, {3, 5}, {-3, -5}}, // larger than the area: scrolled
    };
    for (const Radek& r : tabulka) {
        SCOPED_TRACE(testing::Message() << r.k << " x into " << r.cx << "x" << r.cy);
        Canvas platno(r.cx + 10, r.cy + 10, kMimo);
        model.DrawZoomed(platno.Dc(), RECT{5, 5, 5 + r.cx, 5 + r.cy}, r.k, r.posun, kOkno,
                         PozadiPruhlednosti::BarvaOkna);
        int spatne = 0;
        for (int y = 0; y < r.cy + 10; ++y)
            for (int x = 0; x < r.cx + 10; ++x) {
                COLORREF ocekavana = kMimo;
                if (x >= 5 && y >= 5 && x < 5 + r.cx && y < 5 + r.cy) {
                    const int ix = x - 5 - r.pocatek.x;
                    const int iy = y - 5 - r.pocatek.y;
                    const bool obraz = ix >= 0 && iy >= 0 && ix < kW * r.k && iy < kH * r.k;
                    ocekavana = obraz ? FrameColour(iy / r.k * kW + ix / r.k) : kOkno;
                }
                if (platno.Pixel(x, y) != ocekavana && ++spatne < 5)
                    ADD_FAILURE() << "(" << x << ", " << y << ") " << std::hex << platno.Pixel(x, y) << " not "
                                  << ocekavana;
            }
        EXPECT_EQ(0, spatne);
    }
}

TEST(GifAnimacePriblizeni, CheckerboardOnlyUnderTheImage)
{
    TestSupport::ScratchDir slozka;
    GifAnimace model;
    ASSERT_EQ(S_OK, model.Load(Obrazek(slozka, true), true));
    SolidBrush stetec(kOkno);
    // Zoomed 8 x (a 32 x 24 picture at (34, 18) of 100 x 60, squares of 8 device pixels from
    // its corner), and fitted (natural size, 4 x 3 at (48, 28)).
    struct Radek {
        bool fitted;
        RECT obraz;
    };
    const Radek tabulka[] = {{false, {34, 18, 66, 42}}, {true, {48, 28, 52, 31}}};
    for (const Radek& r : tabulka) {
        SCOPED_TRACE(r.fitted ? "fitted" : "8 x");
        Canvas platno(100, 60, kMimo);
        if (r.fitted)
            model.DrawFitted(platno.Dc(), 0, 0, 100, 60, stetec.Get(), PozadiPruhlednosti::Sachovnice);
        else
            model.DrawZoomed(platno.Dc(), RECT{0, 0, 100, 60}, 8.0, POINT{}, kOkno, PozadiPruhlednosti::Sachovnice);
        int spatne = 0;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 100; ++x) {
                const POINT bod{x, y};
                const COLORREF ocekavana =
                    PtInRect(&r.obraz, bod) ? Sachovnice(x - r.obraz.left, y - r.obraz.top) : kOkno;
                spatne += platno.Pixel(x, y) != ocekavana;
            }
        EXPECT_EQ(0, spatne);
    }
}
