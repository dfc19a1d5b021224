// Frame delays from the file's own blocks, and the repair of delays the decoder lost: the
// walk over the blocks, the repair rule, and the model on a file written the way ImageMagick
// writes its GIFs (an application extension after every frame's control extension).
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include "image/GifAnimace.h"
#include "image/GifZpozdeni.h"
#include "tests/GifFixtures.h"
#include "tests/TestSupport.h"

using namespace GifFixtures;
using TestSupport::ScratchDir;

namespace {

std::vector<UINT> Delays(const std::string& data)
{
    return GifFrameDelays(reinterpret_cast<const BYTE*>(data.data()), data.size());
}

// The decoder's own delay table of a file, without the model's repair.
std::vector<UINT> LibraryDelays(const std::wstring& path)
{
    namespace Gdip = Gdiplus::DllExports;
    std::vector<UINT> delays;
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (Gdip::GdipCreateBitmapFromFile(path.c_str(), &bitmap) != Gdiplus::Ok) return delays;
    UINT size = 0;
    if (Gdip::GdipGetPropertyItemSize(bitmap, 0x5100, &size) == Gdiplus::Ok && size > 0) {
        std::vector<BYTE> block(size);
        auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(block.data());
        if (Gdip::GdipGetPropertyItem(bitmap, 0x5100, size, item) == Gdiplus::Ok) {
            const auto* values = static_cast<const UINT*>(item->value);
            delays.assign(values, values + item->length / 4);
        }
    }
    Gdip::GdipDisposeImage(bitmap);
    return delays;
}

} // namespace

TEST(GifZpozdeniBloky, EachFrameTakesTheDelayOfItsOwnControlBlock)
{
    GifRecipe recipe = Animation(8, 8, 4, {7, 0, 300, 65535});
    recipe.comment = "a comment before the first frame";
    EXPECT_EQ((std::vector<UINT>{7, 0, 300, 65535}), Delays(EncodeGif(recipe)));

    recipe.applicationAfterControl = true;
    recipe.palette = Palette::Local;
    EXPECT_EQ((std::vector<UINT>{7, 0, 300, 65535}), Delays(EncodeGif(recipe)))
        << "application extensions and local colour tables in between";

    recipe.loop = false;
    recipe.palette = Palette::Global;
    EXPECT_EQ((std::vector<UINT>{7, 0, 300, 65535}), Delays(EncodeGif(recipe)));
}

TEST(GifZpozdeniBloky, FramesWithoutControlBlockAndDamagedData)
{
    // Take the control block out of the second frame: that frame has no delay, and the third
    // keeps its own rather than inheriting one.
    std::string data = EncodeGif(Animation(8, 8, 3, {10, 20, 30}));
    const std::string control = std::string("\x21\xF9\x04\x04\x14\x00\x00\x00", 8); // frame 1: 20
    const size_t at = data.find(control);
    ASSERT_NE(std::string::npos, at);
    data.erase(at, control.size());
    EXPECT_EQ((std::vector<UINT>{10, 0, 30}), Delays(data));

    // Cut inside the last frame's image data: only the complete frames count.
    const std::string whole = EncodeGif(Animation(8, 8, 3, {10, 20, 30}));
    EXPECT_EQ((std::vector<UINT>{10, 20}), Delays(whole.substr(0, whole.size() - 20)));
    EXPECT_EQ((std::vector<UINT>{10, 20, 30}), Delays(whole.substr(0, whole.size() - 1))) << "no trailer";

    EXPECT_TRUE(Delays("GIF89").empty());
    EXPECT_TRUE(Delays(std::string("\x89PNG\r\n\x1A\n", 8) + std::string(40, '\0')).empty());
    EXPECT_TRUE(GifFileFrameDelays(L"Z:\\no\\such\\file.gif").empty());
}

TEST(GifZpozdeniOprava, OnlyLostDelaysOfTheSameFramesAreRepaired)
{
    const std::vector<UINT> file = {10, 20, 30, 0};
    {
        UINT table[] = {10, 0, 0, 0};
        EXPECT_EQ(2u, RepairDelays(table, 4, 4, file));
        EXPECT_EQ((std::vector<UINT>{10, 20, 30, 0}), std::vector<UINT>(table, table + 4))
            << "a frame whose file says 0 stays 0";
    }
    {
        UINT table[] = {10, 5, 0, 8};
        EXPECT_EQ(1u, RepairDelays(table, 4, 4, file));
        EXPECT_EQ((std::vector<UINT>{10, 5, 30, 8}), std::vector<UINT>(table, table + 4))
            << "the decoder's non-zero delays are kept even where the file says otherwise";
    }
    {
        UINT table[] = {10, 0, 0, 0, 0};
        EXPECT_EQ(0u, RepairDelays(table, 5, 5, file)) << "the decoder found a frame more than the file lists";
        EXPECT_EQ((std::vector<UINT>{10, 0, 0, 0, 0}), std::vector<UINT>(table, table + 5));
        EXPECT_EQ(0u, RepairDelays(table, 3, 3, file)) << "or fewer";
    }
    {
        UINT table[] = {0, 0};
        EXPECT_EQ(2u, RepairDelays(table, 2, 4, file)) << "a short table is repaired as far as it goes";
        EXPECT_EQ((std::vector<UINT>{10, 20}), std::vector<UINT>(table, table + 2));
    }
}

TEST(GifZpozdeniOprava, ModelPlaysAFileWrittenTheImageMagickWay)
{
    ScratchDir dir;
    GifRecipe recipe = Animation(16, 16, 5, {4, 8, 12, 16, 20});
    recipe.applicationAfterControl = true;
    const std::wstring path = dir.File(L"magick.gif");
    ASSERT_TRUE(WriteGif(path, recipe));

    GifAnimace model;
    ASSERT_EQ(S_OK, model.Load(path, true));
    ASSERT_EQ(5, model.FrameCount());
    for (UINT i = 0; i < 5; ++i) EXPECT_EQ(recipe.frames[i].delay * 10u, model.FrameDelayMs(i)) << "frame " << i;

    // What the decoder alone reported, for the record: Wine 8 loses these delays, Windows not.
    const std::vector<UINT> library = LibraryDelays(path);
    std::string seen;
    for (UINT d : library) seen += std::to_string(d) + " ";
    RecordProperty("decoder_delays", seen);
}

TEST(GifZpozdeniOprava, DelaysTheDecoderReadsAreLeftAsTheyAre)
{
    // An ordinary file, one of its frames without a delay: nothing in the file to repair it with.
    ScratchDir dir;
    const std::wstring path = dir.File(L"plain.gif");
    ASSERT_TRUE(WriteGif(path, Animation(16, 16, 4, {10, 0, 30, 40})));
    GifAnimace model;
    ASSERT_EQ(S_OK, model.Load(path, true));
    EXPECT_EQ(100u, model.FrameDelayMs(0));
    EXPECT_EQ(0u, model.FrameDelayMs(1));
    EXPECT_EQ(300u, model.FrameDelayMs(2));
    EXPECT_EQ(400u, model.FrameDelayMs(3));
}
