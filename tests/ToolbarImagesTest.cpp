// The toolbar's picture lists and the grey copy for disabled buttons.
#include <gtest/gtest.h>

#include <vector>

#include "app/ToolbarImages.h"
#include "resources/resource.h"
#include "winlib/Handles.h"

namespace {

TEST(ToolbarImages, GreyLevelWeightsTheChannels)
{
    EXPECT_EQ(76, SedaUroven(255, 0, 0));
    EXPECT_EQ(150, SedaUroven(0, 255, 0));
    EXPECT_EQ(28, SedaUroven(0, 0, 255));
    EXPECT_EQ(255, SedaUroven(255, 255, 255));
    EXPECT_EQ(0, SedaUroven(0, 0, 0));
    EXPECT_EQ(100, SedaUroven(100, 100, 100));
    EXPECT_EQ(1, SedaUroven(2, 1, 1)) << "the weighted sum 1.3 truncates toward zero";
}

TEST(ToolbarImages, GreyConversionKeepsAlphaAndBlack)
{
    uint8_t pixely[] = {
        0, 0, 255, 200,   // red, blue-green-red-alpha order
        255, 0, 0, 17,    // blue
        0, 0, 0, 0,       // transparent black
    };
    ZesednoutPixely(pixely, 3);
    const uint8_t ocekavane[] = {76, 76, 76, 200, 28, 28, 28, 17, 0, 0, 0, 0};
    for (size_t i = 0; i < sizeof pixely; ++i) EXPECT_EQ(ocekavane[i], pixely[i]) << "byte " << i;
}

// Draws one picture of a list onto white and returns its pixels (BGRA, top-down).
std::vector<uint32_t> Vykreslit(HIMAGELIST seznam, int index)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB};
    void* bity = nullptr;
    Tarnel::WinApi::Bitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bity, nullptr, 0));
    Tarnel::WinApi::MemoryDc dc(nullptr);
    Tarnel::WinApi::SelectGuard vyber(dc.Get(), dib.Get());
    RECT rc{0, 0, 16, 16};
    FillRect(dc.Get(), &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ImageList_Draw(seznam, index, dc.Get(), 0, 0, ILD_NORMAL);
    GdiFlush();
    auto* p = static_cast<uint32_t*>(bity);
    return std::vector<uint32_t>(p, p + 256);
}

TEST(ToolbarImages, LoadsFifteenPicturesAndAGreyCopy)
{
    ToolbarImages obrazky;
    obrazky.Load(IDB_PANEL_NASTROJU);
    ASSERT_NE(nullptr, obrazky.Normal());
    ASSERT_NE(nullptr, obrazky.Disabled());
    EXPECT_EQ(15, obrazky.Count());
    EXPECT_EQ(15, ImageList_GetImageCount(obrazky.Disabled()));
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(obrazky.Normal(), &cx, &cy));
    EXPECT_EQ(16, cx);
    EXPECT_EQ(16, cy);

    // The power button is red as drawn and grey in the disabled list; the background stays
    // transparent (white shows through) in both.
    auto barevny = Vykreslit(obrazky.Normal(), 0);
    auto sedy = Vykreslit(obrazky.Disabled(), 0);
    int cervene = 0, nebile = 0;
    for (int i = 0; i < 256; ++i) {
        const uint32_t b = barevny[i];
        const int r = (b >> 16) & 0xFF, g = (b >> 8) & 0xFF, m = b & 0xFF;
        if (r > g + 60 && r > m + 60) ++cervene;
        const uint32_t s = sedy[i];
        EXPECT_TRUE(((s >> 16) & 0xFF) == ((s >> 8) & 0xFF) && ((s >> 8) & 0xFF) == (s & 0xFF)) << "pixel " << i;
        if ((s & 0xFFFFFF) != 0xFFFFFF) ++nebile;
    }
    EXPECT_GT(cervene, 10);
    EXPECT_GT(nebile, 10);
    EXPECT_EQ(0xFFFFFFu, barevny[0] & 0xFFFFFF) << "corner of the picture is transparent";

    obrazky.Release();
    EXPECT_EQ(nullptr, obrazky.Normal());
    EXPECT_EQ(nullptr, obrazky.Disabled());
    EXPECT_EQ(0, obrazky.Count());
}

TEST(ToolbarImages, DpiTakesTheNearestPictureSizeAndTheLargerOfTwoAsNear)
{
    const std::vector<int> velikosti{16, 20, 24, 32};
    EXPECT_EQ(16, VelikostObrazkuProDpi(96, velikosti));
    EXPECT_EQ(20, VelikostObrazkuProDpi(120, velikosti));
    EXPECT_EQ(24, VelikostObrazkuProDpi(144, velikosti));
    EXPECT_EQ(32, VelikostObrazkuProDpi(192, velikosti));
    EXPECT_EQ(16, VelikostObrazkuProDpi(72, velikosti)) << "below the smallest";
    EXPECT_EQ(32, VelikostObrazkuProDpi(288, velikosti)) << "above the largest";
    EXPECT_EQ(24, VelikostObrazkuProDpi(160, velikosti)) << "27 pixels: nearer to 24 than to 32";
    EXPECT_EQ(20, VelikostObrazkuProDpi(108, velikosti)) << "18 pixels: as near to 16 as to 20";
    EXPECT_EQ(0, VelikostObrazkuProDpi(96, {}));
}

TEST(ToolbarImages, EverySizeHasAllPicturesAndItsOwnGreyCopy)
{
    ToolbarImages obrazky;
    obrazky.LoadSizes();
    EXPECT_EQ(15, obrazky.Count());
    for (const auto& [dpi, velikost] : {std::pair{96u, 16}, std::pair{120u, 20}, std::pair{144u, 24}, std::pair{192u, 32}}) {
        SCOPED_TRACE(dpi);
        EXPECT_EQ(velikost, obrazky.Size(dpi));
        for (HIMAGELIST seznam : {obrazky.Normal(dpi), obrazky.Disabled(dpi)}) {
            int cx = 0, cy = 0;
            ASSERT_TRUE(ImageList_GetIconSize(seznam, &cx, &cy));
            EXPECT_EQ(velikost, cx);
            EXPECT_EQ(velikost, cy);
            EXPECT_EQ(15, ImageList_GetImageCount(seznam));
        }
        EXPECT_NE(obrazky.Normal(dpi), obrazky.Disabled(dpi));
    }
    obrazky.Release();
    EXPECT_EQ(nullptr, obrazky.Normal(144));
    EXPECT_EQ(0, obrazky.Count());
}

} // namespace
