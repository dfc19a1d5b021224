// Our GIF decoder on GIFs the tests write themselves, checked pixel for pixel: disposal,
// offsets and clipping, the screen against the first frame, transparency, interlacing,
// frames cut short, stepping back, LZW at every code size, and what opens at all.
#include <windows.h>

#include <algorithm>

#include <gtest/gtest.h>

#include "image/GifDekoder.h"
#include "tests/GifFixtures.h"

namespace {

using GifFixtures::Frame;
using GifFixtures::GifRecipe;
using GifFixtures::OwnFrame;
using Otevreni = GifDekoder::Otevreni;

const COLORREF kA = RGB(200, 0, 0);
const COLORREF kB = RGB(0, 150, 0);
const COLORREF kC = RGB(0, 0, 255);

uint32_t Argb(COLORREF c) { return 0xFF000000u | GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c); }

// The expected canvas: transparent, with rectangles painted on it.
struct Expected {
    Expected(int w, int h) : width(w), pixels(static_cast<size_t>(w) * h, 0u) {}
    Expected& Paint(int x, int y, int w, int h, uint32_t argb)
    {
        for (int r = y; r < y + h; ++r)
            for (int c = x; c < x + w; ++c) pixels[static_cast<size_t>(r) * width + c] = argb;
        return *this;
    }
    int width;
    std::vector<uint32_t> pixels;
};

GifRecipe Screen(UINT16 w, UINT16 h, std::vector<Frame> frames)
{
    GifRecipe recipe;
    recipe.width = w;
    recipe.height = h;
    recipe.loop = false;
    recipe.frames = std::move(frames);
    return recipe;
}

Frame Solid(UINT16 x, UINT16 y, UINT16 w, UINT16 h, COLORREF colour, BYTE disposal = 1)
{
    return OwnFrame(x, y, w, h, std::vector<BYTE>(size_t{w} * h, 0), {colour}, disposal);
}

std::vector<uint8_t> Bytes(const std::string& gif) { return std::vector<uint8_t>(gif.begin(), gif.end()); }

// The composed frames of a file that must open.
std::vector<std::vector<uint32_t>> Compose(const std::string& gif, GifDekoder& d)
{
    std::vector<std::vector<uint32_t>> frames;
    if (d.Open(Bytes(gif)) != Otevreni::Otevreno) {
        ADD_FAILURE() << "does not open";
        return frames;
    }
    for (size_t i = 0; i < d.FrameCount(); ++i) {
        const uint32_t* p = d.Snimek(i);
        frames.emplace_back(p, p + size_t{d.Width()} * d.Height());
    }
    return frames;
}

std::vector<std::vector<uint32_t>> Compose(const GifRecipe& recipe)
{
    GifDekoder d;
    return Compose(GifFixtures::EncodeGif(recipe), d);
}

// Disposal of a frame drawn over a full-screen one, seen in the frame after it.
enum class Then { Stays, Cleared, Restored };
struct DisposalCase {
    BYTE disposal;
    Then then;
};
void PrintTo(const DisposalCase& c, std::ostream* os) { *os << "disposal " << int{c.disposal}; }

class GifDekoderDisposal : public testing::TestWithParam<DisposalCase> {};

TEST_P(GifDekoderDisposal, AppliesBeforeTheNextFrame)
{
    const auto frames = Compose(Screen(6, 4, {Solid(0, 0, 6, 4, kA), Solid(1, 1, 3, 2, kB, GetParam().disposal),
                                              Solid(5, 3, 1, 1, kC)}));
    ASSERT_EQ(3u, frames.size());
    EXPECT_EQ(Expected(6, 4).Paint(0, 0, 6, 4, Argb(kA)).Paint(1, 1, 3, 2, Argb(kB)).pixels, frames[1]);
    const uint32_t left[] = {Argb(kB), 0u, Argb(kA)};
    EXPECT_EQ(Expected(6, 4)
                  .Paint(0, 0, 6, 4, Argb(kA))
                  .Paint(1, 1, 3, 2, left[static_cast<int>(GetParam().then)])
                  .Paint(5, 3, 1, 1, Argb(kC))
                  .pixels,
              frames[2]);
}

// 4 is how some encoders write "restore to previous"; 5..7 are undefined and keep the frame.
INSTANTIATE_TEST_SUITE_P(EveryValue, GifDekoderDisposal,
                         testing::Values(DisposalCase{0, Then::Stays}, DisposalCase{1, Then::Stays},
                                         DisposalCase{2, Then::Cleared}, DisposalCase{3, Then::Restored},
                                         DisposalCase{4, Then::Restored}, DisposalCase{5, Then::Stays},
                                         DisposalCase{6, Then::Stays}, DisposalCase{7, Then::Stays}));

TEST(GifDekoder, FirstFrameSmallerThanTheScreenRestoresToTransparent)
{
    const auto frames = Compose(Screen(4, 4, {Solid(1, 1, 2, 2, kB, 3), Solid(0, 0, 1, 1, kC)}));
    ASSERT_EQ(2u, frames.size());
    EXPECT_EQ(Expected(4, 4).Paint(1, 1, 2, 2, Argb(kB)).pixels, frames[0]);
    EXPECT_EQ(Expected(4, 4).Paint(0, 0, 1, 1, Argb(kC)).pixels, frames[1]);
}

TEST(GifDekoder, FramesLandAtTheirOffsetsClippedToTheScreen)
{
    // A 4 x 3 frame of its own pixels at (3, 2) on a 5 x 4 screen: only its top-left 2 x 2 shows.
    Frame part = OwnFrame(3, 2, 4, 3, {0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2}, {kA, kB, kC});
    const auto frames = Compose(Screen(5, 4, {Solid(0, 0, 5, 4, kC), part}));
    ASSERT_EQ(2u, frames.size());
    EXPECT_EQ(Expected(5, 4)
                  .Paint(0, 0, 5, 4, Argb(kC))
                  .Paint(3, 2, 1, 1, Argb(kA))
                  .Paint(4, 2, 1, 1, Argb(kB))
                  .Paint(3, 3, 1, 1, Argb(kB))
                  .Paint(4, 3, 1, 1, Argb(kC))
                  .pixels,
              frames[1]);
}

TEST(GifDekoder, TransparentIndexLeavesTheCanvas)
{
    Frame first = OwnFrame(0, 0, 2, 2, {1, 0, 0, 1}, {kA, kB});
    first.transparentIndex = 1;
    Frame second = OwnFrame(0, 0, 2, 2, {2, 2, 0, 2}, {kB, kA, kC});
    second.transparentIndex = 2;
    const auto frames = Compose(Screen(2, 2, {first, second}));
    ASSERT_EQ(2u, frames.size());
    EXPECT_EQ((std::vector<uint32_t>{0u, Argb(kA), Argb(kA), 0u}), frames[0]) << "the canvas starts transparent";
    EXPECT_EQ((std::vector<uint32_t>{0u, Argb(kA), Argb(kB), 0u}), frames[1]);
}

class GifDekoderInterlace : public testing::TestWithParam<UINT16> {};

TEST_P(GifDekoderInterlace, RowsComeBackInPlace)
{
    // Every row its own colour, so a row out of place shows.
    const UINT16 h = GetParam();
    std::vector<BYTE> pixels;
    std::vector<COLORREF> colours;
    Expected expected(2, h);
    for (UINT16 y = 0; y < h; ++y) {
        colours.push_back(RGB(10 * y, 255 - 10 * y, 7));
        pixels.insert(pixels.end(), 2, static_cast<BYTE>(y));
        expected.Paint(0, y, 2, 1, Argb(colours.back()));
    }
    Frame frame = OwnFrame(0, 0, 2, h, pixels, colours);
    frame.interlaced = true;
    const auto frames = Compose(Screen(2, h, {frame}));
    ASSERT_EQ(1u, frames.size());
    EXPECT_EQ(expected.pixels, frames[0]);
}

// Heights that leave every combination of the four passes empty or not.
INSTANTIATE_TEST_SUITE_P(Heights, GifDekoderInterlace, testing::Values(1, 2, 3, 4, 5, 8, 9, 11));

// A frame whose data ends after 14 of its 24 pixels shows its 3 whole rows and the 2 pixels
// of the fourth over the canvas, as browsers show it.
class GifDekoderCutShort : public testing::TestWithParam<bool> {};

TEST_P(GifDekoderCutShort, ShowsThePixelsItDecoded)
{
    const bool fileCut = GetParam();
    Frame cut = OwnFrame(0, 0, 4, 6, std::vector<BYTE>(24, 0), {kB});
    if (!fileCut) cut.pixelsWritten = 14;
    std::string gif = GifFixtures::EncodeGif(Screen(4, 6, {Solid(0, 0, 4, 6, kA), cut}));
    if (fileCut) {
        // The frame's data is one sub-block of 26 9-bit codes (clear, 24 pixels, end); the
        // first 17 bytes hold the clear code and 14 pixels.
        const size_t dataBytes = (26 * 9 + 7) / 8;
        ASSERT_EQ(dataBytes, static_cast<BYTE>(gif[gif.size() - 3 - dataBytes]));
        gif.resize(gif.size() - 2 - dataBytes + 17);
    }
    GifDekoder d;
    const auto frames = Compose(gif, d);
    ASSERT_EQ(2u, frames.size());
    EXPECT_EQ(Expected(4, 6).Paint(0, 0, 4, 6, Argb(kA)).Paint(0, 0, 4, 3, Argb(kB)).Paint(0, 3, 2, 1, Argb(kB)).pixels,
              frames[1]);
    EXPECT_TRUE(d.Uplny(0));
    EXPECT_FALSE(d.Uplny(1));
}

INSTANTIATE_TEST_SUITE_P(FileOrData, GifDekoderCutShort, testing::Bool());

// Where the file ends inside its second frame: past its separator when positive, else
// before its image data; the frame is listed as browsers list it, holds its delay and leaves
// the canvas as it was.
class GifDekoderCutFrame : public testing::TestWithParam<int> {};

TEST_P(GifDekoderCutFrame, CountsAndShowsTheCanvasAsItWas)
{
    Frame second = Solid(1, 1, 2, 2, kB);
    second.delay = 33;
    const std::string whole = GifFixtures::EncodeGif(Screen(4, 4, {Solid(0, 0, 4, 4, kA), second}));
    // The second frame's local table of two entries follows its separator and descriptor.
    const GifStruktura::Obsah obsah = GifStruktura::Projdi(reinterpret_cast<const uint8_t*>(whole.data()), whole.size());
    ASSERT_EQ(2u, obsah.snimky.size());
    const size_t separator = obsah.snimky[1].paleta - 10;
    ASSERT_EQ('\x2C', whole[separator]);

    GifDekoder d;
    const size_t end = GetParam() > 0 ? separator + GetParam() : obsah.snimky[1].data + GetParam();
    const auto frames = Compose(whole.substr(0, end), d);
    ASSERT_EQ(2u, frames.size());
    EXPECT_EQ(frames[0], frames[1]);
    EXPECT_EQ(33u, d.Delay(1));
    EXPECT_FALSE(d.Uplny(1));
}

// The separator only; inside the descriptor; inside the table; before the code size; before
// the data.
INSTANTIATE_TEST_SUITE_P(Where, GifDekoderCutFrame, testing::Values(1, 6, 13, -1, 0));

TEST(GifDekoder, FramesWithNothingToDrawKeepTheirPlace)
{
    // No width, no height, and an LZW code size past 12 bits: each is a frame that holds its
    // delay and disposal and leaves the canvas as it was; the frames after them still show.
    Frame noWidth = OwnFrame(0, 0, 0, 2, {0}, {kB}, 3);
    Frame noHeight = OwnFrame(1, 1, 2, 0, {0}, {kB}, 2);
    Frame wideCodes = Solid(0, 0, 4, 4, kB);
    noWidth.delay = 7;
    noHeight.delay = 8;
    wideCodes.delay = 9;
    std::string gif = GifFixtures::EncodeGif(
        Screen(4, 4, {Solid(0, 0, 4, 4, kA), noWidth, noHeight, wideCodes, Solid(1, 1, 1, 1, kC)}));
    GifStruktura::Obsah obsah = GifStruktura::Projdi(reinterpret_cast<const uint8_t*>(gif.data()), gif.size());
    ASSERT_EQ(5u, obsah.snimky.size());
    gif[obsah.snimky[3].data - 1] = 12;

    GifDekoder d;
    const auto frames = Compose(gif, d);
    ASSERT_EQ(5u, frames.size());
    const auto full = Expected(4, 4).Paint(0, 0, 4, 4, Argb(kA)).pixels;
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(full, frames[i]) << "frame " << i;
    EXPECT_EQ(Expected(4, 4).Paint(0, 0, 4, 4, Argb(kA)).Paint(1, 1, 1, 1, Argb(kC)).pixels, frames[4]);
    EXPECT_EQ((std::vector<uint16_t>{7, 8, 9}), (std::vector<uint16_t>{d.Delay(1), d.Delay(2), d.Delay(3)}));
    EXPECT_EQ(GifStruktura::Likvidace::Obnovit, d.Info(1).likvidace);
    EXPECT_EQ(GifStruktura::Likvidace::Vymazat, d.Info(2).likvidace);

    // A file whose only frame draws nothing shows its screen, transparent.
    const auto empty = Compose(Screen(3, 2, {OwnFrame(0, 0, 0, 2, {0}, {kB})}));
    ASSERT_EQ(1u, empty.size());
    EXPECT_EQ(Expected(3, 2).pixels, empty[0]);
}

TEST(GifDekoder, ScreenGrowsOnlyForAFirstFrameLargerThanIt)
{
    // 6 wide on a 4 x 3 screen: the screen grows to hold it at its offset; the next frame,
    // 2 x 2 at (6, 2), is clipped to its corner.
    GifDekoder grown;
    const auto frames = Compose(GifFixtures::EncodeGif(Screen(4, 3, {Solid(1, 0, 6, 2, kA), Solid(6, 2, 2, 2, kB)})), grown);
    EXPECT_EQ(7u, grown.Width());
    EXPECT_EQ(3u, grown.Height());
    ASSERT_EQ(2u, frames.size());
    EXPECT_EQ(Expected(7, 3).Paint(1, 0, 6, 2, Argb(kA)).Paint(6, 2, 1, 1, Argb(kB)).pixels, frames[1]);

    // A frame that would fit, placed past the edge, is clipped like any other.
    GifDekoder kept;
    const auto clipped = Compose(GifFixtures::EncodeGif(Screen(4, 4, {Solid(3, 3, 2, 2, kA)})), kept);
    EXPECT_EQ(4u, kept.Width());
    EXPECT_EQ(4u, kept.Height());
    ASSERT_EQ(1u, clipped.size());
    EXPECT_EQ(Expected(4, 4).Paint(3, 3, 1, 1, Argb(kA)).pixels, clipped[0]);
}

TEST(GifDekoder, SteppingBackComposesAsGoingForward)
{
    // Mixed disposals and transparency over 20 frames; three checkpoints' worth of memory,
    // given only once every frame has been composed forward.
    std::vector<Frame> frames;
    for (UINT16 i = 0; i < 20; ++i) {
        Frame f = OwnFrame(i % 5, i % 3, 3, 2, {0, 1, 2, 1, 0, 1}, {GifFixtures::FrameColour(i), kA, kB},
                           static_cast<BYTE>(i % 4));
        if (i % 3 == 1) f.transparentIndex = 1;
        frames.push_back(f);
    }
    const std::string gif = GifFixtures::EncodeGif(Screen(8, 5, frames));
    constexpr size_t kCanvas = 8 * 5 * sizeof(uint32_t);
    GifDekoder d;
    const auto forward = Compose(gif, d);
    ASSERT_EQ(20u, forward.size());
    EXPECT_EQ(0u, d.PametKontrol()) << "going forward needs no checkpoint";
    d.NastavitRozpocetKontrol(3 * kCanvas);
    ASSERT_EQ(5u, d.RozestupKontrol()); // ceil(20 / (3 + 1))

    // The first step back starts from the blank canvas and fills only the checkpoint nearest
    // before its frame, the one the next steps back start from.
    EXPECT_EQ(0u, d.PrvniSnimekCesty(18));
    EXPECT_EQ(forward[18], std::vector<uint32_t>(d.Snimek(18), d.Snimek(18) + 40));
    EXPECT_EQ(kCanvas, d.PametKontrol());
    EXPECT_EQ(15u, d.PrvniSnimekCesty(17));
    for (size_t i : {19, 3, 12, 0, 17, 4, 5, 19, 1}) {
        EXPECT_LE(d.PrvniSnimekCesty(i), i);
        const uint32_t* p = d.Snimek(i);
        EXPECT_EQ(forward[i], std::vector<uint32_t>(p, p + 40)) << "frame " << i;
    }
    // Each checkpoint has been the nearest to a frame asked for.
    EXPECT_EQ(3 * kCanvas, d.PametKontrol());
    EXPECT_EQ(10u, d.PrvniSnimekCesty(14));

    // One canvas's worth keeps the checkpoint of frame 10 only, which still composes frame 12.
    d.NastavitRozpocetKontrol(kCanvas + kCanvas / 2);
    EXPECT_EQ(kCanvas, d.PametKontrol());
    EXPECT_EQ(10u, d.PrvniSnimekCesty(12));
    const uint32_t* p = d.Snimek(12);
    EXPECT_EQ(forward[12], std::vector<uint32_t>(p, p + 40));
}

// The data in sub-blocks of every length from 1 to 255 in turn, so that codes straddle
// sub-block boundaries wherever they can.
std::string SubBlocks(const std::string& data)
{
    std::string out;
    size_t length = 1;
    for (size_t pos = 0; pos < data.size(); pos += length, length = length % 255 + 1) {
        length = std::min(length, data.size() - pos);
        out += static_cast<char>(length);
        out += data.substr(pos, length);
    }
    return out + '\0';
}

TEST(GifDekoder, LzwAtEveryCodeSize)
{
    for (int code = 1; code <= 11; ++code) {
        for (bool deferred : {false, true}) {
            SCOPED_TRACE(testing::Message() << "minimum code size " << code << (deferred ? ", deferred clear" : ""));
            // Runs and noise, long enough to fill the table several times over.
            std::vector<uint16_t> values(30000);
            uint32_t x = 7;
            for (size_t i = 0; i < values.size(); ++i) {
                x = x * 1103515245u + 12345u;
                values[i] = static_cast<uint16_t>((i % 5 < 2 ? x >> 16 : i / 40) % (1u << code));
            }
            const std::string data = SubBlocks(GifFixtures::LzwCompressed(values, code, deferred));
            GifLzw lzw;
            lzw.Start(code, reinterpret_cast<const uint8_t*>(data.data()), data.size(), 30000, 1);
            ASSERT_EQ(values.size(), lzw.Fill(values.size()));
            if (code <= 8)
                EXPECT_TRUE(std::equal(values.begin(), values.end(), lzw.Values8()));
            else
                EXPECT_TRUE(std::equal(values.begin(), values.end(), lzw.Values16()));
        }
    }
}

TEST(GifDekoder, OpensOnlyWhatItCanShow)
{
    GifDekoder d;
    EXPECT_EQ(Otevreni::NeniGif, d.Open(Bytes("\x89PNG\r\n\x1A\n")));
    const std::string still = GifFixtures::EncodeGif(GifFixtures::Still(300, 200, kA));
    EXPECT_EQ(Otevreni::ZadnySnimek, d.Open(Bytes(still.substr(0, 13)))) << "the screen only";
    EXPECT_EQ(0u, d.FrameCount());
    EXPECT_EQ(nullptr, d.Snimek(0));

    GifDekoder::Limity small;
    small.pixelu = 300 * 200 - 1;
    EXPECT_EQ(Otevreni::PrilisVelky, GifDekoder(small).Open(Bytes(still)));

    // Without any colour table every value is opaque black.
    GifRecipe bare = GifFixtures::Still(2, 1, kA);
    bare.palette = GifFixtures::Palette::None;
    ASSERT_EQ(Otevreni::Otevreno, d.Open(Bytes(GifFixtures::EncodeGif(bare))));
    EXPECT_EQ((std::vector<uint32_t>{0xFF000000u, 0xFF000000u}), std::vector<uint32_t>(d.Snimek(0), d.Snimek(0) + 2));
}

} // namespace
