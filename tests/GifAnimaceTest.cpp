// The image model against real GDI+: loading, frame selection, delays, and fitted drawing
// checked on the pixels it leaves in a device context.
#include <windows.h>

#include <climits>

#include <gtest/gtest.h>

#include "image/GifAnimace.h"
#include "tests/GifFixtures.h"
#include "tests/TestSupport.h"
#include "winlib/Chyby.h"

using namespace GifFixtures;
using TestSupport::ScratchDir;
using TestSupport::SharedGif;

// Readable placements in failure messages.
static void PrintTo(const FittedPlacement& p, std::ostream* os)
{
    *os << "(" << p.x << ", " << p.y << ", " << p.cx << " x " << p.cy << ")";
}

namespace {

const COLORREF kOutside = RGB(0x80, 0x80, 0x80); // canvas outside the target rectangle
const COLORREF kBrush = RGB(0x10, 0x20, 0x30);   // background the model fills

std::wstring MakeGif(const ScratchDir& dir, const wchar_t* name, const GifRecipe& recipe)
{
    const std::wstring path = dir.File(name);
    EXPECT_TRUE(WriteGif(path, recipe));
    return path;
}

RECT Rect(int x, int y, int cx, int cy) { return {x, y, x + cx, y + cy}; }

::testing::AssertionResult SameRect(const RECT& expected, const RECT& actual)
{
    if (EqualRect(&expected, &actual)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected (" << expected.left << "," << expected.top << ")-("
                                         << expected.right << "," << expected.bottom << ") got (" << actual.left
                                         << "," << actual.top << ")-(" << actual.right << "," << actual.bottom << ")";
}

// Draws the model into (x, y, cx, cy) of a fresh canvas and checks where the frame landed:
// frame pixels filling exactly `frame` (target coordinates), brush everywhere else in the
// target, canvas untouched outside it.
void ExpectDrawnAt(const GifAnimace& model, int x, int y, int cx, int cy, const RECT& frame, COLORREF colour)
{
    Canvas canvas(x + cx + 20, y + cy + 20, kOutside);
    SolidBrush brush(kBrush);
    model.DrawFitted(canvas.Dc(), x, y, cx, cy, brush.Get());

    const RECT target = Rect(x, y, cx, cy);
    const RECT whole = {0, 0, canvas.Width(), canvas.Height()};
    EXPECT_TRUE(SameRect(frame, canvas.BoundsOfOther(kBrush, target)));
    const int frameArea = (frame.right - frame.left) * (frame.bottom - frame.top);
    EXPECT_EQ(cx * cy - frameArea, canvas.Count(kBrush, target));
    EXPECT_EQ(canvas.Width() * canvas.Height() - cx * cy, canvas.Count(kOutside, whole));
    // A solid frame stays solid up to its edges, scaled or not.
    EXPECT_EQ(frameArea, canvas.Count(colour, frame));
}

// What an empty model answers, whether new, cleared or refused a file.
void ExpectEmpty(const GifAnimace& model)
{
    EXPECT_FALSE(model.HasImage());
    EXPECT_EQ(-1, model.FrameCount());
    EXPECT_FALSE(model.HasDelayTable());
    EXPECT_TRUE(model.Path().empty());
}

COLORREF ColourDrawn(const GifAnimace& model)
{
    Canvas canvas(8, 8, kOutside);
    SolidBrush brush(kBrush);
    model.DrawFitted(canvas.Dc(), 0, 0, 8, 8, brush.Get());
    return canvas.Pixel(4, 4);
}

// A scratch folder and one model that loads the GIFs written into it.
class GifAnimaceTest : public testing::Test {
protected:
    HRESULT LoadGif(const wchar_t* name, const GifRecipe& recipe, bool frames = true)
    {
        return model.Load(MakeGif(dir, name, recipe), frames);
    }
    ScratchDir dir;
    GifAnimace model;
};
using GifAnimaceDrawTest = GifAnimaceTest;

} // namespace

// --- placement arithmetic ---------------------------------------------------------------

TEST(FittedRectTest, PlacementArithmetic)
{
    struct Case {
        UINT w, h;
        int cx, cy;
        FittedPlacement expected;
    };
    const Case cases[] = {
        {100, 50, 300, 200, {100, 75, 100, 50}}, // fits: natural size, centred
        {200, 200, 200, 200, {0, 0, 200, 200}},  // exactly fits
        {101, 51, 200, 100, {49, 24, 101, 51}},  // halving truncates
        {400, 100, 200, 200, {0, 75, 200, 50}},  // width limits
        {333, 100, 100, 100, {0, 35, 100, 30}},  // 100 * 100 / 333 truncates to 30
        {100, 400, 200, 200, {75, 0, 50, 200}},  // height limits
        {400, 100, 300, 60, {30, 0, 240, 60}},   // height limits a wide image too
        {101, 201, 10, 10, {2, 0, 5, 10}},       // 101 * 10 / 201 truncates to 5
        {300, 300, 200, 200, {0, 0, 200, 200}},  // equal ratios take the width branch
        {400, 200, 100, 50, {0, 0, 100, 50}},
        {200, 20, 100, 100, {0, 45, 100, 10}},   // only the width too large
        {20, 200, 100, 100, {45, 0, 10, 100}},   // only the height too large
        {100, 50, 0, 200, {0, 0, 0, 0}},         // empty boxes
        {100, 50, 300, -5, {0, 0, 0, 0}},
        {1, 2000, 800, 600, {399, 0, 1, 600}},   // a sliver keeps a pixel of width
        {2000, 1, 800, 600, {0, 299, 800, 1}},   // and of height
        {30000, 30000, 800, 545, {127, 0, 545, 545}}, // products past 32 bits
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, FittedRect(c.w, c.h, c.cx, c.cy)) << c.w << "x" << c.h << " in " << c.cx << "x" << c.cy;
    }
}

// --- drawing, checked on pixels ---------------------------------------------------------

TEST_F(GifAnimaceDrawTest, PlacementExamplesOnPixels)
{
    const COLORREF red = FrameColour(0);
    struct Case {
        UINT16 w, h;
        int x, y, cx, cy;
        RECT frame;
    };
    const Case cases[] = {
        {100, 50, 0, 30, 300, 200, Rect(100, 105, 100, 50)},
        {400, 100, 0, 0, 200, 200, Rect(0, 75, 200, 50)},
        {100, 400, 0, 0, 200, 200, Rect(75, 0, 50, 200)},
        {300, 300, 0, 0, 200, 200, Rect(0, 0, 200, 200)},
        {101, 51, 7, 3, 200, 100, Rect(7 + 49, 3 + 24, 101, 51)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " in " << c.cx << "x" << c.cy);
        ASSERT_EQ(S_OK, LoadGif(L"solid.gif", Still(c.w, c.h, red)));
        ExpectDrawnAt(model, c.x, c.y, c.cx, c.cy, c.frame, red);
    }
}

TEST_F(GifAnimaceDrawTest, ListItemsAtAnyOriginGetTheSamePlacementAndEmptyTargetsNothing)
{
    const COLORREF colour = FrameColour(1);
    ASSERT_EQ(S_OK, LoadGif(L"wide.gif", Still(400, 100, colour)));
    // Two items of 300 x 60, one at the top of the list and one further down at y = 510.
    Canvas canvas(320, 600, kOutside);
    SolidBrush brush(kBrush);
    model.DrawFitted(canvas.Dc(), 0, 0, 300, 60, brush.Get());
    model.DrawFitted(canvas.Dc(), 0, 510, 300, 60, brush.Get());
    // Empty targets between them draw nothing.
    model.DrawFitted(canvas.Dc(), 50, 200, 0, 20, brush.Get());
    model.DrawFitted(canvas.Dc(), 50, 200, 20, 0, brush.Get());
    model.DrawFitted(canvas.Dc(), 50, 200, -10, -10, brush.Get());
    EXPECT_TRUE(SameRect(Rect(30, 0, 240, 60), canvas.BoundsOfOther(kBrush, Rect(0, 0, 300, 60))));
    EXPECT_TRUE(SameRect(Rect(30, 510, 240, 60), canvas.BoundsOfOther(kBrush, Rect(0, 510, 300, 60))));
    // The space between the two items was never touched.
    EXPECT_EQ(320 * 450, canvas.Count(kOutside, Rect(0, 60, 320, 450)));
}

// --- loading, frames and delays ---------------------------------------------------------

TEST_F(GifAnimaceTest, TwelveFramesSelectAndDelays)
{
    const std::vector<UINT16> delays = {5, 10, 15, 23, 0, 7, 100, 1, 2, 3, 32767, 40};
    const std::wstring path = MakeGif(dir, L"twelve.gif", Animation(16, 16, 12, delays));
    ASSERT_EQ(S_OK, model.Load(path, true));
    EXPECT_EQ(path, model.Path());
    ASSERT_EQ(12, model.FrameCount());
    ASSERT_TRUE(model.HasDelayTable());
    EXPECT_EQ(230u, model.FrameDelayMs(3));
    for (UINT i = 0; i < 12; ++i) EXPECT_EQ(delays[i] * 10u, model.FrameDelayMs(i)) << "frame " << i;
    EXPECT_EQ(0u, model.FrameDelayMs(12));
    EXPECT_EQ(0u, model.FrameDelayMs(static_cast<UINT>(-1)));

    EXPECT_EQ(FrameColour(0), ColourDrawn(model));
    ASSERT_EQ(S_OK, model.SelectFrame(5));
    EXPECT_EQ(FrameColour(5), ColourDrawn(model));
    EXPECT_EQ(E_INVALIDARG, model.SelectFrame(12));
    EXPECT_EQ(E_INVALIDARG, model.SelectFrame(static_cast<UINT>(-1)));
    EXPECT_EQ(FrameColour(5), ColourDrawn(model));
    ASSERT_EQ(S_OK, model.SelectFrame(11));
    EXPECT_EQ(FrameColour(11), ColourDrawn(model));
    ASSERT_EQ(S_OK, model.SelectFrame(2));
    EXPECT_EQ(FrameColour(2), ColourDrawn(model));
}

TEST_F(GifAnimaceTest, DelaysAboveHalfTheRangeStayUnsigned)
{
    ASSERT_EQ(S_OK, LoadGif(L"long.gif", Animation(4, 4, 3, {65535, 40000, 32768})));
    const UINT expected[] = {655350, 400000, 327680};
    bool signExtended = false;
    for (UINT i = 0; i < 3; ++i) {
        const UINT got = model.FrameDelayMs(i);
        const auto asSigned16 = static_cast<UINT>(static_cast<INT16>(expected[i] / 10)) * 10u;
        if (got != expected[i] && got == asSigned16 && UnderWine()) {
            signExtended = true;
            continue;
        }
        EXPECT_EQ(expected[i], got) << "frame " << i;
    }
    if (signExtended) GTEST_SKIP() << "the decoder hands back delays of 32768 and more sign-extended (Wine 8)";
}

TEST_F(GifAnimaceTest, WithoutFrameInformationOnlyTheFirstFrameShows)
{
    ASSERT_EQ(S_OK, LoadGif(L"a.gif", Animation(16, 16, 4, {20, 30, 40, 50}), false));
    EXPECT_TRUE(model.HasImage());
    EXPECT_EQ(0, model.FrameCount());
    EXPECT_FALSE(model.HasDelayTable());
    EXPECT_EQ(0u, model.FrameDelayMs(0));
    EXPECT_EQ(E_INVALIDARG, model.SelectFrame(0));
    EXPECT_EQ(E_INVALIDARG, model.SelectFrame(1));
    EXPECT_EQ(FrameColour(0), ColourDrawn(model));
}

TEST_F(GifAnimaceTest, SingleImagesHaveOneFrameAndNoDelays)
{
    struct Case {
        std::wstring path;
        UINT w, h;
    };
    for (const Case& c : {Case{SharedGif(L"pillow_hopper.png"), 128, 128}, Case{SharedGif(L"pillow_hopper.jpg"), 128, 128},
                          Case{SharedGif(L"imagers_rgb24.bmp"), 127, 64},
                          Case{MakeGif(dir, L"still.gif", Still(30, 20, FrameColour(2))), 30, 20}}) {
        SCOPED_TRACE(testing::Message() << testing::PrintToString(c.path));
        ASSERT_EQ(S_OK, model.Load(c.path, true));
        EXPECT_EQ(1, model.FrameCount());
        EXPECT_FALSE(model.HasDelayTable());
        EXPECT_EQ(0u, model.FrameDelayMs(0));
        EXPECT_EQ(c.w, model.Width());
        EXPECT_EQ(c.h, model.Height());
        EXPECT_EQ(S_OK, model.SelectFrame(0));
        EXPECT_EQ(E_INVALIDARG, model.SelectFrame(1));
    }
}

TEST_F(GifAnimaceTest, NewModelIsEmptyAndFilesThatAreNotImagesLeaveItSo)
{
    ExpectEmpty(model);
    EXPECT_EQ(0u, model.FrameDelayMs(0));
    EXPECT_EQ(E_POINTER, model.SelectFrame(0));

    const std::string text = "Tohle není obrázek, jen text.";
    const std::wstring textFile = dir.File(L"text.gif");
    ASSERT_TRUE(TestSupport::WriteBytes(textFile, text.data(), text.size()));
    const std::wstring emptyFile = dir.File(L"empty.gif");
    ASSERT_TRUE(TestSupport::WriteBytes(emptyFile, "", 0));
    const std::wstring sub = dir.File(L"složka.gif");
    ASSERT_TRUE(CreateDirectoryW(sub.c_str(), nullptr));

    for (const std::wstring& path : {textFile, emptyFile, sub, dir.File(L"chybí.gif")}) {
        SCOPED_TRACE(testing::Message() << "file " << testing::PrintToString(path));
        ASSERT_EQ(S_OK, LoadGif(L"ok.gif", Still(4, 4, FrameColour(0))));
        EXPECT_EQ(E_INVALIDARG, model.Load(path, true));
        ExpectEmpty(model);
        EXPECT_EQ(E_POINTER, model.SelectFrame(0));
    }
}

TEST_F(GifAnimaceTest, ClearReleasesTheFile)
{
    const std::wstring path = MakeGif(dir, L"a.gif", Animation(8, 8, 3));
    // The image library keeps its file in use while the image lives.
    model.UseLibraryForGifs(true);
    ASSERT_EQ(S_OK, model.Load(path, true));
    EXPECT_FALSE(DeleteFileW(path.c_str()));
    model.Clear();
    ExpectEmpty(model);
    EXPECT_TRUE(DeleteFileW(path.c_str()));

    // Our own decoder reads the whole file at once and holds nothing: another program, or
    // the program itself saving over it, may write it while it shows.
    const std::wstring own = MakeGif(dir, L"b.gif", Animation(8, 8, 3));
    GifAnimace ours;
    ASSERT_EQ(S_OK, ours.Load(own, true));
    EXPECT_TRUE(DeleteFileW(own.c_str()));
    EXPECT_EQ(3, ours.FrameCount());
}

TEST_F(GifAnimaceTest, LoadReplacesThePreviousImage)
{
    const std::wstring first = MakeGif(dir, L"first.gif", Animation(8, 8, 5, {9, 9, 9, 9, 9}));
    const std::wstring second = MakeGif(dir, L"second.gif", Still(20, 10, FrameColour(7)));
    ASSERT_EQ(S_OK, model.Load(first, true));
    ASSERT_EQ(S_OK, model.SelectFrame(4));
    ASSERT_EQ(S_OK, model.Load(second, true));
    EXPECT_EQ(second, model.Path());
    EXPECT_EQ(1, model.FrameCount());
    EXPECT_FALSE(model.HasDelayTable());
    EXPECT_EQ(20u, model.Width());
    EXPECT_EQ(FrameColour(7), ColourDrawn(model));
    // The first file is no longer held.
    EXPECT_TRUE(DeleteFileW(first.c_str()));
}

TEST_F(GifAnimaceTest, DestroyDeletesAndNullsTheOwnersPointer)
{
    const std::wstring path = MakeGif(dir, L"a.gif", Animation(8, 8, 2));
    auto owned = std::make_unique<GifAnimace>();
    ASSERT_EQ(S_OK, owned->Load(path, true));
    DestroyGifAnimace(owned);
    EXPECT_EQ(nullptr, owned);
    EXPECT_TRUE(DeleteFileW(path.c_str()));
    DestroyGifAnimace(owned); // a null owner pointer is fine
    EXPECT_EQ(nullptr, owned);
}

// --- the fatal paths ----------------------------------------------------------------------

namespace {
// Ends the process with 6 when the fatal text is that of E_HANDLE, 7 for any other text, so
// that a death test can tell which failure was raised without a message box.
class ExitOnFatal : public Tarnel::WinApi::FatalErrorHook {
public:
    HRESULT OnFatalError(const wchar_t* text) override
    {
        Tarnel::WinApi::ErrorInfo handle(E_HANDLE);
        ExitProcess(text && wcscmp(text, handle.ErrorText()) == 0 ? 6 : 7);
    }
};

void RaiseOnEmptyModel(int what)
{
    static ExitOnFatal hook;
    Tarnel::WinApi::SetFatalErrorHook(&hook);
    GifAnimace model;
    Canvas canvas(10, 10, kOutside);
    if (what == 0) model.Width();
    if (what == 1) model.Height();
    if (what == 2) model.DrawFitted(canvas.Dc(), 0, 0, 10, 10, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (what == 3) model.SaveToFile(L"x.png");
    if (what == 4) model.SaveFrame(nullptr);
    ExitProcess(0);
}
} // namespace

TEST(GifAnimaceDeathTest, OperationsThatNeedAnImageRaiseEHandle)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (int what = 0; what < 5; ++what) {
        SCOPED_TRACE(what);
        EXPECT_EXIT(RaiseOnEmptyModel(what), testing::ExitedWithCode(6), "");
    }
}

// --- GIFs without any colour table --------------------------------------------------------

TEST(GifPaletaTest, OnlyTheLibraryIsSparedSuchAFile)
{
    ScratchDir dir;
    GifRecipe recipe = Animation(4, 4, 2);
    recipe.palette = Palette::None;
    const std::wstring path = MakeGif(dir, L"bez palety.gif", recipe);
    // Our decoder shows its frames in black, as browsers do.
    GifAnimace model;
    ASSERT_EQ(S_OK, model.Load(path, true));
    EXPECT_EQ(2, model.FrameCount());
    EXPECT_EQ(RGB(0, 0, 0), ColourDrawn(model));
    // The library would end the process on it: the model turns it away first.
    GifAnimace library;
    library.UseLibraryForGifs(true);
    EXPECT_EQ(E_INVALIDARG, library.Load(path, true));
    EXPECT_FALSE(library.HasImage());
    recipe.palette = Palette::Local;
    const std::wstring local = MakeGif(dir, L"mistni.gif", recipe);
    ASSERT_EQ(S_OK, library.Load(local, true));
    EXPECT_EQ(FrameColour(0), ColourDrawn(library));
}
