// Fitted drawing through the real decoder, checked on the pixels it leaves: pictures saved by
// the image library with a known pattern come back exact at natural size, averaged when
// reduced, and with the brush wherever they are transparent.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <functional>

#include <gtest/gtest.h>

#include "image/ExportSnimku.h"
#include "image/GifAnimace.h"
#include "tests/GifFixtures.h"
#include "tests/TestSupport.h"

using namespace GifFixtures;
using TestSupport::ScratchDir;

namespace {

namespace Gdip = Gdiplus::DllExports;

const COLORREF kOutside = RGB(0x80, 0x80, 0x80);
const COLORREF kBrush = RGB(0x10, 0x20, 0x30);

using Picture = std::function<Gdiplus::ARGB(int x, int y)>;

// Writes a w x h picture through the image library's encoder for the extension; 24-bit
// pictures drop the alpha.
std::wstring SavePicture(const ScratchDir& dir, const wchar_t* name, int w, int h, const Picture& picture,
                         Gdiplus::PixelFormat format = PixelFormat32bppARGB)
{
    const std::wstring path = dir.File(name);
    Gdiplus::GpBitmap* bitmap = nullptr;
    EXPECT_EQ(Gdiplus::Ok, Gdip::GdipCreateBitmapFromScan0(w, h, 0, format, nullptr, &bitmap));
    if (!bitmap) return path;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) Gdip::GdipBitmapSetPixel(bitmap, x, y, picture(x, y));
    CLSID encoder{};
    const wchar_t* ext = wcsrchr(name, L'.');
    EXPECT_GE(FindEncoder(ext, &encoder), 0);
    EXPECT_EQ(Gdiplus::Ok, Gdip::GdipSaveImageToFile(bitmap, path.c_str(), &encoder, nullptr));
    Gdip::GdipDisposeImage(bitmap);
    return path;
}

constexpr Gdiplus::ARGB Argb(BYTE a, BYTE r, BYTE g, BYTE b)
{
    return static_cast<Gdiplus::ARGB>(a) << 24 | static_cast<Gdiplus::ARGB>(r) << 16 |
           static_cast<Gdiplus::ARGB>(g) << 8 | b;
}

// Every pixel differs from its neighbours in every channel.
Gdiplus::ARGB Pattern(int x, int y)
{
    return Argb(255, static_cast<BYTE>(x * 37 + y * 11), static_cast<BYTE>(x * 5 + y * 71),
                static_cast<BYTE>(x * y * 3 + 17));
}

COLORREF AsColour(Gdiplus::ARGB p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }

} // namespace

TEST(GifAnimaceKresleni, NaturalSizeIsCopiedPixelForPixel)
{
    ScratchDir dir;
    // 32-bit pictures are read where the library keeps them, 24-bit ones converted first.
    for (const auto format : {PixelFormat32bppARGB, PixelFormat24bppRGB}) {
        SCOPED_TRACE(testing::Message() << "format " << std::hex << format);
        const std::wstring path = SavePicture(dir, format == PixelFormat24bppRGB ? L"p.bmp" : L"p.png", 40, 30,
                                              Pattern, format);
        GifAnimace model;
        ASSERT_EQ(S_OK, model.Load(path, true));
        Canvas canvas(120, 100, kOutside);
        SolidBrush brush(kBrush);
        model.DrawFitted(canvas.Dc(), 5, 7, 100, 80, brush.Get());
        // Centred: (100 - 40) / 2 = 30 and (80 - 30) / 2 = 25 from the origin (5, 7).
        int wrong = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x) wrong += canvas.Pixel(35 + x, 32 + y) != AsColour(Pattern(x, y));
        EXPECT_EQ(0, wrong) << "pixels that differ from the picture";
        EXPECT_EQ(100 * 80 - 40 * 30, canvas.Count(kBrush, RECT{5, 7, 105, 87}));
        EXPECT_EQ(120 * 100 - 100 * 80, canvas.Count(kOutside, RECT{0, 0, 120, 100}));
    }
}

TEST(GifAnimaceKresleni, HalfSizeIsTheMeanOfEachTwoByTwoBlock)
{
    ScratchDir dir;
    GifAnimace model;
    ASSERT_EQ(S_OK, model.Load(SavePicture(dir, L"p.png", 80, 60, Pattern), true));
    Canvas canvas(40, 30, kOutside);
    SolidBrush brush(kBrush);
    model.DrawFitted(canvas.Dc(), 0, 0, 40, 30, brush.Get());
    int worst = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            int expected[3] = {};
            for (int k = 0; k < 4; ++k) {
                const Gdiplus::ARGB p = Pattern(2 * x + k % 2, 2 * y + k / 2);
                for (int c = 0; c < 3; ++c) expected[c] += (p >> (8 * c)) & 0xFF;
            }
            const COLORREF mean = RGB((expected[2] + 2) / 4, (expected[1] + 2) / 4, (expected[0] + 2) / 4);
            worst = std::max(worst, ColourDistance(mean, canvas.Pixel(x, y)));
        }
    EXPECT_LE(worst, 1) << "largest difference from the block means";
}

TEST(GifAnimaceKresleni, TransparentPixelsShowTheBrush)
{
    ScratchDir dir;
    // The left half transparent (in a colour that must not show), the right half opaque.
    const std::wstring path = SavePicture(dir, L"half.png", 20, 10, [](int x, int) {
        return x < 10 ? Argb(0, 255, 0, 0) : Argb(255, 0, 0, 200);
    });
    GifAnimace model;
    ASSERT_EQ(S_OK, model.Load(path, true));
    SolidBrush brush(kBrush);
    {
        Canvas canvas(20, 10, kOutside);
        model.DrawFitted(canvas.Dc(), 0, 0, 20, 10, brush.Get());
        EXPECT_EQ(100, canvas.Count(kBrush, RECT{0, 0, 10, 10})) << "natural size";
        EXPECT_EQ(100, canvas.Count(RGB(0, 0, 200), RECT{10, 0, 20, 10}));
    }
    {
        Canvas canvas(10, 5, kOutside);
        model.DrawFitted(canvas.Dc(), 0, 0, 10, 5, brush.Get());
        EXPECT_EQ(25, canvas.Count(kBrush, RECT{0, 0, 5, 5})) << "reduced";
        EXPECT_EQ(25, canvas.Count(RGB(0, 0, 200), RECT{5, 0, 10, 5}));
    }

    // A GIF frame whose only colour is its transparent one is nothing but brush.
    GifRecipe recipe = Still(12, 12, FrameColour(0));
    recipe.frames[0].transparent = true;
    const std::wstring gif = dir.File(L"transparent.gif");
    ASSERT_TRUE(WriteGif(gif, recipe));
    ASSERT_EQ(S_OK, model.Load(gif, true));
    Canvas canvas(30, 30, kOutside);
    model.DrawFitted(canvas.Dc(), 0, 0, 30, 30, brush.Get());
    EXPECT_EQ(30 * 30, canvas.Count(kBrush, RECT{0, 0, 30, 30}));
}

TEST(GifAnimaceKresleni, AnyBrushFillsTheBackground)
{
    // A hatch brush is GDI's to paint: its pattern shows around and through the frame.
    ScratchDir dir;
    const std::wstring path = SavePicture(dir, L"clear.png", 16, 16, [](int, int) { return Argb(0, 0, 0, 0); });
    GifAnimace model;
    ASSERT_EQ(S_OK, model.Load(path, true));
    HBRUSH hatch = CreateHatchBrush(HS_CROSS, RGB(255, 0, 0));
    ASSERT_NE(nullptr, hatch);
    Canvas canvas(64, 64, kOutside);
    model.DrawFitted(canvas.Dc(), 0, 0, 64, 64, hatch);
    DeleteObject(hatch);
    // Hatch lines on the off-screen DC's own (default, white) background, nothing else.
    const RECT all{0, 0, 64, 64};
    const int lines = canvas.Count(RGB(255, 0, 0), all);
    EXPECT_GT(lines, 0);
    EXPECT_GT(canvas.Count(RGB(255, 255, 255), all), 0);
    EXPECT_EQ(64 * 64, lines + canvas.Count(RGB(255, 255, 255), all));
}

TEST(GifAnimaceKresleni, EachSizeGetsItsOwnPicture)
{
    // The off-screen picture is kept while the size stays and remade when it changes: a draw
    // never shows anything of the one before.
    ScratchDir dir;
    const std::wstring path = dir.File(L"two.gif");
    ASSERT_TRUE(WriteGif(path, Animation(60, 40, 2)));
    GifAnimace model;
    ASSERT_EQ(S_OK, model.Load(path, true));
    SolidBrush brush(kBrush);
    struct Draw {
        UINT frame;
        int cx, cy;
        RECT expected; // where the frame lands
    };
    const Draw draws[] = {
        {0, 200, 100, RECT{70, 30, 130, 70}}, {1, 200, 100, RECT{70, 30, 130, 70}},
        {0, 30, 30, RECT{0, 5, 30, 25}},      {1, 200, 100, RECT{70, 30, 130, 70}},
        {1, 60, 40, RECT{0, 0, 60, 40}},
    };
    for (const Draw& d : draws) {
        SCOPED_TRACE(testing::Message() << "frame " << d.frame << " in " << d.cx << "x" << d.cy);
        ASSERT_EQ(S_OK, model.SelectFrame(d.frame));
        Canvas canvas(d.cx, d.cy, kOutside);
        model.DrawFitted(canvas.Dc(), 0, 0, d.cx, d.cy, brush.Get());
        const int area = (d.expected.right - d.expected.left) * (d.expected.bottom - d.expected.top);
        EXPECT_EQ(area, canvas.Count(FrameColour(static_cast<int>(d.frame)), d.expected));
        EXPECT_EQ(d.cx * d.cy - area, canvas.Count(kBrush, RECT{0, 0, d.cx, d.cy}));
    }
}

// The frame service: nothing is kept while a file plays forward; going back keeps pictures and
// checkpoints within the file's budget, however small; and whatever is kept or composed on the
// way, every frame shows exactly as a model that just opened the file draws it.
TEST(GifAnimaceKresleni, GoingBackKeepsWithinTheBudgetAndShowsEachFrameAsDrawnAfresh)
{
    ScratchDir dir;
    constexpr int kFrames = 20;
    GifRecipe recipe = Animation(90, 60, kFrames);
    for (int i = 1; i < kFrames; i += 3) recipe.frames[static_cast<size_t>(i)].transparent = true;
    const std::wstring path = dir.File(L"zpet.gif");
    ASSERT_TRUE(WriteGif(path, recipe));
    auto drawn = [](const GifAnimace& model, UINT frame) {
        const_cast<GifAnimace&>(model).SelectFrame(frame);
        const GifAnimace::Obraz obraz = model.FittedPicture(60, 40, kBrush);
        return std::vector<uint32_t>(obraz.pixely, obraz.pixely + obraz.kde.cx * obraz.kde.cy);
    };
    // One picture of 60 x 40, then room for all, then none at all.
    for (const size_t budget : {size_t{60 * 40 * 4 + 100}, size_t{64} << 20, size_t{0}}) {
        SCOPED_TRACE(budget);
        GifAnimace model;
        ASSERT_EQ(S_OK, model.Load(path, true));
        model.NastavitRozpocet(budget);
        for (UINT i = 0; i < kFrames; ++i) drawn(model, i);
        EXPECT_EQ(0u, model.DrzenaPamet()) << "playing forward keeps nothing";
        for (UINT i = kFrames - 1; i-- > 0;) {
            GifAnimace fresh;
            ASSERT_EQ(S_OK, fresh.Load(path, true));
            EXPECT_EQ(drawn(fresh, i), drawn(model, i)) << "frame " << i;
            EXPECT_LE(model.DrzenaPamet(), budget);
        }
        EXPECT_EQ(drawn(model, 5), drawn(model, 5)) << "a kept picture is the picture";
    }
}
