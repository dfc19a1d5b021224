// Every file of the shared decoder corpus against its row in MANIFEST.tsv: valid GIFs open
// with exactly the listed frame count, size and delays; everything else opens or fails
// cleanly and leaves the model consistent.
#include <windows.h>

#include <sstream>

#include <gtest/gtest.h>

#include "image/GifAnimace.h"
#include "tests/GifFixtures.h"
#include "tests/ManifestGifu.h"
#include "tests/TestSupport.h"

namespace ManifestGifu {
// Found by argument lookup where gtest names a parameter.
void PrintTo(const Radek& row, std::ostream* os) { *os << row.file; }
} // namespace ManifestGifu

namespace {

using ManifestRow = ManifestGifu::Radek;

std::vector<ManifestRow> ReadManifest()
{
    return ManifestGifu::Precist(TestSupport::ReadBytes(TestSupport::SharedGifs() + L"\\MANIFEST.tsv"));
}


std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

class ManifestTest : public testing::TestWithParam<ManifestRow> {
protected:
    std::wstring Path() const { return TestSupport::SharedGif(Wide(GetParam().file).c_str()); }
};

// Whatever happened, the model must agree with itself.
void ExpectConsistent(GifAnimace& model, HRESULT loaded, const std::wstring& path)
{
    if (!model.HasImage()) {
        EXPECT_EQ(E_INVALIDARG, loaded);
        EXPECT_EQ(-1, model.FrameCount());
        EXPECT_FALSE(model.HasDelayTable());
        EXPECT_EQ(0u, model.FrameDelayMs(0));
        EXPECT_TRUE(model.Path().empty());
        EXPECT_EQ(E_POINTER, model.SelectFrame(0));
        return;
    }
    EXPECT_TRUE(loaded == S_OK || loaded == S_FALSE) << std::hex << loaded;
    EXPECT_EQ(path, model.Path());
    EXPECT_GE(model.FrameCount(), 0);
    EXPECT_EQ(E_INVALIDARG, model.SelectFrame(static_cast<UINT>(model.FrameCount())));
    EXPECT_EQ(0u, model.FrameDelayMs(static_cast<UINT>(model.FrameCount())));
    if (model.Width() == 0 || model.Height() == 0) return;
    GifFixtures::Canvas canvas(40, 30, RGB(1, 2, 3));
    GifFixtures::SolidBrush brush(RGB(4, 5, 6));
    model.DrawFitted(canvas.Dc(), 0, 0, 40, 30, brush.Get());
    if (model.FrameCount() > 1) {
        EXPECT_EQ(S_OK, model.SelectFrame(static_cast<UINT>(model.FrameCount() - 1)));
        model.DrawFitted(canvas.Dc(), 0, 0, 40, 30, brush.Get());
    }
}

void ExpectDelays(const ManifestRow& row, const GifAnimace& model)
{
    ASSERT_EQ(static_cast<size_t>(row.frames), row.delays.size());
    for (UINT i = 0; i < row.delays.size(); ++i) EXPECT_EQ(row.frames > 1 ? row.delays[i] * 10 : 0, model.FrameDelayMs(i)) << "frame " << i;
}

} // namespace

TEST_P(ManifestTest, LoadsAsListedOrFailsCleanly)
{
    const ManifestRow& row = GetParam();
    const std::wstring path = Path();
    GifAnimace model;
    const HRESULT loaded = model.Load(path, true);
    ExpectConsistent(model, loaded, path);
    if (row.kind != "animated" && row.kind != "still" && row.kind != "edge") return;
    if (row.frames == 0) return; // listed as a file another decoder could not read

    ASSERT_EQ(S_OK, loaded);
    ASSERT_EQ(row.frames, model.FrameCount());
    EXPECT_EQ(row.frames > 1, model.HasDelayTable());
    EXPECT_EQ(row.width, model.Width());
    EXPECT_EQ(row.height, model.Height());
    ExpectDelays(row, model);
}

namespace {
std::string RowName(const testing::TestParamInfo<ManifestRow>& info)
{
    std::string name = info.param.file;
    for (char& c : name)
        if (!isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}
} // namespace

INSTANTIATE_TEST_SUITE_P(SharedGifs, ManifestTest, testing::ValuesIn(ReadManifest()), RowName);

TEST(ManifestCorpusTest, ManifestListsEveryKind)
{
    const std::vector<ManifestRow> rows = ReadManifest();
    int animated = 0;
    int still = 0;
    for (const ManifestRow& row : rows) {
        animated += row.kind == "animated";
        still += row.kind == "still";
    }
    // Guards against a manifest that silently failed to parse and so tested nothing.
    EXPECT_GE(rows.size(), 40u);
    EXPECT_GE(animated, 10);
    EXPECT_GE(still, 5);
}

TEST(ManifestCorpusTest, FilesCutShortOpenWithTheFramesTheyHold)
{
    // An interrupted download: the frames whose data arrived are shown, the one cut off shows
    // the rows it has. A file that ends before its first frame has nothing to show.
    GifAnimace model;
    ASSERT_EQ(S_OK, model.Load(TestSupport::SharedGif(L"pillow_iss634_trunc138000.gif"), true));
    EXPECT_EQ(16, model.FrameCount());
    GifAnimace whole;
    ASSERT_EQ(S_OK, whole.Load(TestSupport::SharedGif(L"pillow_iss634.gif"), true));
    for (UINT i = 1; i < 15; ++i) EXPECT_EQ(whole.FrameDelayMs(i), model.FrameDelayMs(i)) << i;
    EXPECT_EQ(E_INVALIDARG, model.Load(TestSupport::SharedGif(L"imagegif_gifplayer-muybridge_trunc13.gif"), true));
}

TEST(ManifestCorpusTest, GifWithoutAnyColourTableShowsItsFramesInBlack)
{
    // The image library ends the process on this file; our decoder shows it as browsers do.
    GifAnimace model;
    ASSERT_EQ(S_OK, model.Load(TestSupport::SharedGif(L"pillow_no_palette.gif"), true));
    EXPECT_EQ(2, model.FrameCount());
    GifFixtures::Canvas canvas(1, 1, RGB(1, 2, 3));
    GifFixtures::SolidBrush brush(RGB(200, 100, 50));
    model.DrawFitted(canvas.Dc(), 0, 0, 1, 1, brush.Get());
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(0, 0));
}
