// The pixel arithmetic of fitted drawing on plain arrays: copying at natural size, area
// averaging with fractional coverage, premultiplied alpha and the background underneath.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "image/ZmenseniSnimku.h"

namespace {

constexpr uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) { return a << 24 | r << 16 | g << 8 | b; }
constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return Argb(0, r, g, b); }

struct Image {
    int width;
    int height;
    std::vector<uint32_t> pixels;

    Image(int w, int h, uint32_t fill) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}
    uint32_t& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    PixelSource Source(SourceAlpha alpha = SourceAlpha::Straight) const
    {
        return PixelSource{reinterpret_cast<const uint8_t*>(pixels.data()), 4 * width, width, height, alpha};
    }
    PixelTarget Target()
    {
        return PixelTarget{reinterpret_cast<uint8_t*>(pixels.data()), 4 * width, width, height};
    }
};

int Channel(uint32_t p, int shift) { return static_cast<int>((p >> shift) & 0xFF); }

// Largest channel difference of two pixels, the alpha byte ignored.
int Distance(uint32_t a, uint32_t b)
{
    int d = 0;
    for (int shift = 0; shift < 24; shift += 8) d = std::max(d, std::abs(Channel(a, shift) - Channel(b, shift)));
    return d;
}

// A pattern in which every pixel differs from its neighbours in every channel.
uint32_t Pattern(int x, int y) { return Argb(255, (x * 37 + y * 11) & 0xFF, (x * 5 + y * 71) & 0xFF, (x * y * 3 + 17) & 0xFF); }

} // namespace

TEST(ZmenseniCopy, NaturalSizeTakesEveryPixelAsItIs)
{
    Image source(7, 5, 0);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) source.At(x, y) = Pattern(x, y);
    Image target(7, 5, Rgb(1, 2, 3));
    CopyOver(source.Source(), target.Target());
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) EXPECT_EQ(Pattern(x, y) & 0xFFFFFF, target.At(x, y)) << x << "," << y;
}

TEST(ZmenseniCopy, TransparencyShowsWhatLiesBeneath)
{
    const uint32_t background = Rgb(200, 100, 50);
    Image source(3, 1, 0);
    source.At(0, 0) = Argb(0, 255, 0, 0);     // fully transparent red: not a trace of red
    source.At(1, 0) = Argb(255, 0, 0, 255);   // opaque blue
    source.At(2, 0) = Argb(128, 0, 255, 0);   // half-covering green
    Image target(3, 1, background);
    CopyOver(source.Source(), target.Target());
    EXPECT_EQ(background, target.At(0, 0));
    EXPECT_EQ(Rgb(0, 0, 255), target.At(1, 0));
    EXPECT_LE(Distance(Rgb(100, 178, 25), target.At(2, 0)), 1);

    // Premultiplied pixels add the colour they carry to what shows through.
    Image premultiplied(1, 1, Argb(128, 0, 128, 0));
    Image under(1, 1, background);
    CopyOver(premultiplied.Source(SourceAlpha::Premultiplied), under.Target());
    EXPECT_LE(Distance(Rgb(100, 178, 25), under.At(0, 0)), 1);

    // Without alpha the byte is noise: the pixel is opaque.
    Image opaque(1, 1, Argb(0, 9, 8, 7));
    Image covered(1, 1, background);
    CopyOver(opaque.Source(SourceAlpha::Opaque), covered.Target());
    EXPECT_EQ(Rgb(9, 8, 7), covered.At(0, 0));
}

TEST(ZmenseniReduce, HalfSizeIsTheMeanOfEachTwoByTwoBlock)
{
    Image source(16, 10, 0);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 16; ++x) source.At(x, y) = Pattern(x, y);
    Image target(8, 5, Rgb(255, 255, 255));
    AreaReduction reduction;
    reduction.ReduceOver(source.Source(), target.Target());
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 8; ++x) {
            uint32_t expected = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const int sum = Channel(source.At(2 * x, 2 * y), shift) + Channel(source.At(2 * x + 1, 2 * y), shift) +
                                Channel(source.At(2 * x, 2 * y + 1), shift) +
                                Channel(source.At(2 * x + 1, 2 * y + 1), shift);
                expected |= static_cast<uint32_t>((sum + 2) / 4) << shift;
            }
            EXPECT_LE(Distance(expected, target.At(x, y)), 1) << x << "," << y;
            EXPECT_EQ(0u, target.At(x, y) >> 24) << "alpha byte left 0, as GDI leaves it";
        }
}

TEST(ZmenseniReduce, EdgePixelsCountByTheFractionInside)
{
    // Three pixels into two: each target pixel covers one and a half source pixels, the
    // middle one shared half and half.
    Image source(3, 1, 0);
    source.At(0, 0) = Argb(255, 0, 0, 0);
    source.At(1, 0) = Argb(255, 150, 150, 150);
    source.At(2, 0) = Argb(255, 240, 240, 240);
    Image target(2, 1, 0);
    AreaReduction reduction;
    reduction.ReduceOver(source.Source(), target.Target());
    EXPECT_LE(Distance(Rgb(50, 50, 50), target.At(0, 0)), 1);   // (0 + 150 / 2) / 1.5
    EXPECT_LE(Distance(Rgb(210, 210, 210), target.At(1, 0)), 1); // (150 / 2 + 240) / 1.5
}

TEST(ZmenseniReduce, EveryPixelCountsInALargeReduction)
{
    // One white pixel among 999 black ones in each tenth: sampling would find it or miss it,
    // averaging always shows it as a faint grey.
    Image source(1000, 3, Argb(255, 0, 0, 0));
    for (int i = 0; i < 10; ++i) source.At(100 * i + 37, 1) = Argb(255, 255, 255, 255);
    Image target(10, 1, Rgb(9, 9, 9));
    AreaReduction reduction;
    reduction.ReduceOver(source.Source(), target.Target());
    for (int i = 0; i < 10; ++i) {
        // 255 / 300 rounds to 1.
        EXPECT_EQ(Rgb(1, 1, 1), target.At(i, 0)) << i;
    }

    // A plain colour stays exactly that colour at any ratio: the weights add up to 1.
    Image plain(997, 613, Argb(255, 12, 200, 99));
    for (const auto& size : {std::pair{800, 450}, std::pair{331, 17}, std::pair{1, 1}, std::pair{997, 1}}) {
        Image to(size.first, size.second, 0);
        reduction.ReduceOver(plain.Source(), to.Target());
        for (uint32_t p : to.pixels) ASSERT_EQ(Rgb(12, 200, 99), p) << size.first << "x" << size.second;
    }
}

// Hands an image out a few rows at a time, from a buffer of its own, as a band source of a
// frame too large to hold whole does; after `failAt` rows it has no more to give.
class FewRowsAtATime : public RowBands {
public:
    FewRowsAtATime(const Image& image, int rows, int failAt = 1 << 30)
        : RowBands(image.width, image.height, SourceAlpha::Straight), image_(image), rows_(rows), failAt_(failAt) {}
    PixelSource Band(int first, int count) override
    {
        const int rows = std::min(std::max(rows_, count), height - first);
        if (first + rows > failAt_) return PixelSource{};
        band_.assign(image_.pixels.begin() + static_cast<ptrdiff_t>(first) * width,
                     image_.pixels.begin() + static_cast<ptrdiff_t>(first + rows) * width);
        ++calls;
        return PixelSource{reinterpret_cast<const uint8_t*>(band_.data()), 4 * width, width, rows, alpha};
    }
    int calls = 0;

private:
    const Image& image_;
    int rows_;
    int failAt_;
    std::vector<uint32_t> band_;
};

TEST(ZmenseniBands, BandsGiveThePictureOfTheWholeFrame)
{
    Image source(301, 257, 0);
    for (int y = 0; y < source.height; ++y)
        for (int x = 0; x < source.width; ++x) source.At(x, y) = Pattern(x, y);
    for (const auto& size : {std::pair{97, 61}, std::pair{301, 257}}) {
        Image whole(size.first, size.second, Rgb(7, 8, 9));
        Image banded(size.first, size.second, Rgb(7, 8, 9));
        AreaReduction reduction;
        if (size.first == source.width) {
            CopyOver(source.Source(), whole.Target());
        } else {
            reduction.ReduceOver(source.Source(), whole.Target());
        }
        FewRowsAtATime bands(source, 5);
        if (size.first == source.width) {
            CopyOver(bands, banded.Target());
        } else {
            reduction.ReduceOver(bands, banded.Target());
        }
        EXPECT_EQ(whole.pixels, banded.pixels) << size.first << "x" << size.second;
        EXPECT_GT(bands.calls, 10) << "read a band at a time, not whole";
    }
}

TEST(ZmenseniBands, RowsThatCannotBeHadLeaveTheRestAsItWas)
{
    Image source(40, 40, Argb(255, 200, 0, 0));
    Image target(20, 20, Rgb(1, 2, 3));
    FewRowsAtATime bands(source, 4, 20);
    AreaReduction reduction;
    reduction.ReduceOver(bands, target.Target());
    EXPECT_EQ(Rgb(200, 0, 0), target.At(5, 5));
    EXPECT_EQ(Rgb(1, 2, 3), target.At(5, 15));
}

TEST(ZmenseniReduce, TransparentPixelsShowTheBackgroundAndLendNoColour)
{
    const uint32_t background = Rgb(240, 240, 240);
    Image source(4, 2, Argb(0, 255, 0, 0)); // transparent red everywhere...
    source.At(2, 0) = source.At(3, 0) = source.At(2, 1) = source.At(3, 1) = Argb(255, 0, 0, 200); // ...but a blue half
    Image target(2, 1, background);
    AreaReduction reduction;
    reduction.ReduceOver(source.Source(), target.Target());
    EXPECT_EQ(background, target.At(0, 0)) << "fully transparent: the background, no red";
    EXPECT_EQ(Rgb(0, 0, 200), target.At(1, 0));

    // Half covered: half blue, half background; the transparent pixels' red does not bleed in.
    Image mixed(2, 1, 0);
    mixed.At(0, 0) = Argb(0, 255, 0, 0);
    mixed.At(1, 0) = Argb(255, 0, 0, 200);
    Image one(1, 1, background);
    reduction.ReduceOver(mixed.Source(), one.Target());
    EXPECT_LE(Distance(Rgb(120, 120, 220), one.At(0, 0)), 1);
}

TEST(ZmenseniReduce, BottomUpRowsAndOddSizesAndFormats)
{
    // The same picture stored top-down and bottom-up (negative stride) gives the same result.
    Image source(37, 23, 0);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x) source.At(x, y) = Pattern(x, y);
    Image flipped(37, 23, 0);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x) flipped.At(x, 22 - y) = Pattern(x, y);
    PixelSource bottomUp = flipped.Source();
    bottomUp.first += 4 * 37 * 22;
    bottomUp.stride = -4 * 37;

    AreaReduction reduction;
    Image a(13, 9, 0);
    Image b(13, 9, 0);
    reduction.ReduceOver(source.Source(), a.Target());
    reduction.ReduceOver(bottomUp, b.Target());
    EXPECT_EQ(a.pixels, b.pixels);

    // Opaque pixels read as straight, as premultiplied and as opaque agree.
    Image c(13, 9, 0);
    Image d(13, 9, 0);
    reduction.ReduceOver(source.Source(SourceAlpha::Premultiplied), c.Target());
    reduction.ReduceOver(source.Source(SourceAlpha::Opaque), d.Target());
    EXPECT_EQ(a.pixels, c.pixels);
    EXPECT_EQ(a.pixels, d.pixels);
}

TEST(ZmenseniReduce, OnlyTheTargetRectangleIsWritten)
{
    // The target is a rectangle inside a larger picture: nothing around it changes.
    Image source(20, 20, Argb(255, 10, 20, 30));
    Image picture(12, 12, Rgb(1, 1, 1));
    PixelTarget inside{reinterpret_cast<uint8_t*>(&picture.At(2, 3)), 4 * 12, 7, 5};
    AreaReduction reduction;
    reduction.ReduceOver(source.Source(), inside);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool in = x >= 2 && x < 9 && y >= 3 && y < 8;
            EXPECT_EQ(in ? Rgb(10, 20, 30) : Rgb(1, 1, 1), picture.At(x, y)) << x << "," << y;
        }
}
