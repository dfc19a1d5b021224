// Widening static texts whose text would be cut: the layout alone, in client pixels.
#include <gtest/gtest.h>

#include <vector>

#include "winlib/RozvrhTextu.h"

using Tarnel::WinApi::PrvekRozvrhu;
using Tarnel::WinApi::RozvrhnoutTexty;

namespace {

constexpr int kOkraj = 10;
constexpr int kMezera = 6;

PrvekRozvrhu Text(RECT r, int sirkaTextu) { return PrvekRozvrhu{r, sirkaTextu, false}; }
PrvekRozvrhu Edit(RECT r) { return PrvekRozvrhu{r, 0, true}; }
PrvekRozvrhu Tlacitko(RECT r) { return PrvekRozvrhu{r, 0, false}; }

void OcekavatObdelnik(const RECT& ocekavany, const RECT& skutecny, const char* co)
{
    EXPECT_TRUE(EqualRect(&ocekavany, &skutecny))
        << co << ": " << skutecny.left << "," << skutecny.top << " - " << skutecny.right << "," << skutecny.bottom;
}

TEST(RozvrhTextu, TextThatFitsAndControlsBesideItStayAsTheyAre)
{
    std::vector<PrvekRozvrhu> prvky{Text({10, 10, 200, 22}, 150), Edit({210, 8, 300, 30}), Text({10, 40, 100, 52}, 0)};
    const auto puvodni = prvky;
    EXPECT_EQ(0, RozvrhnoutTexty(prvky, 310, kOkraj, kMezera));
    for (size_t i = 0; i < prvky.size(); ++i) OcekavatObdelnik(puvodni[i].obdelnik, prvky[i].obdelnik, "unchanged");
}

TEST(RozvrhTextu, TextWidensToWhatItNeedsUpToTheMarginThenTheDialogGrows)
{
    // Alone in its row: as wide as its text, within the margin.
    std::vector<PrvekRozvrhu> prvky{Text({10, 10, 200, 22}, 250), Edit({10, 30, 290, 50})};
    EXPECT_EQ(0, RozvrhnoutTexty(prvky, 300, kOkraj, kMezera));
    OcekavatObdelnik({10, 10, 260, 22}, prvky[0].obdelnik, "widened");
    OcekavatObdelnik({10, 30, 290, 50}, prvky[1].obdelnik, "the edit below does not move");

    // Beyond the margin: the dialog grows by what is missing.
    prvky = {Text({10, 10, 200, 22}, 300)};
    EXPECT_EQ(20, RozvrhnoutTexty(prvky, 300, kOkraj, kMezera));
    OcekavatObdelnik({10, 10, 310, 22}, prvky[0].obdelnik, "widened past the old edge");

    // A second text counts on the room the first one's growth made.
    prvky = {Text({10, 10, 200, 22}, 300), Text({10, 30, 200, 42}, 295)};
    EXPECT_EQ(20, RozvrhnoutTexty(prvky, 300, kOkraj, kMezera));
    OcekavatObdelnik({10, 30, 305, 42}, prvky[1].obdelnik, "within the grown dialog");
}

TEST(RozvrhTextu, TextStopsAShortGapBeforeTheNextControlInItsRow)
{
    // The template's gap of 4 is kept rather than the usual 6; the edit has room to spare.
    std::vector<PrvekRozvrhu> prvky{Text({10, 10, 150, 22}, 180), Tlacitko({250, 8, 300, 30})};
    EXPECT_EQ(0, RozvrhnoutTexty(prvky, 310, kOkraj, kMezera));
    OcekavatObdelnik({10, 10, 190, 22}, prvky[0].obdelnik, "widened");

    prvky = {Text({10, 10, 150, 22}, 141), Edit({154, 8, 300, 30})};
    EXPECT_EQ(0, RozvrhnoutTexty(prvky, 310, kOkraj, kMezera));
    OcekavatObdelnik({10, 10, 151, 22}, prvky[0].obdelnik, "up to the gap");
    OcekavatObdelnik({155, 8, 300, 30}, prvky[1].obdelnik, "the edit gives up one pixel, its right edge stays");
}

TEST(RozvrhTextu, EditGivesUpAQuarterAtMostThenTheRowMovesOverAndTheDialogGrows)
{
    // An edit 100 wide gives up to 25.
    std::vector<PrvekRozvrhu> prvky{Text({10, 10, 150, 22}, 165), Edit({156, 8, 256, 30})};
    EXPECT_EQ(0, RozvrhnoutTexty(prvky, 266, kOkraj, kMezera));
    OcekavatObdelnik({10, 10, 175, 22}, prvky[0].obdelnik, "widened into the edit's room");
    OcekavatObdelnik({181, 8, 256, 30}, prvky[1].obdelnik, "the edit keeps its gap and its right edge");

    // More than that, or a neighbour that cannot give room: the row moves over by what is
    // missing, and the dialog grows as far as the row now reaches; the row below stays.
    for (const bool muzeUstoupit : {true, false}) {
        SCOPED_TRACE(muzeUstoupit);
        prvky = {Text({10, 10, 150, 22}, 200), PrvekRozvrhu{{156, 8, 256, 30}, 0, muzeUstoupit},
                 Tlacitko({260, 8, 290, 30}), Edit({10, 40, 290, 60})};
        EXPECT_EQ(60, RozvrhnoutTexty(prvky, 300, kOkraj, kMezera));
        OcekavatObdelnik({10, 10, 210, 22}, prvky[0].obdelnik, "widened");
        OcekavatObdelnik({216, 8, 316, 30}, prvky[1].obdelnik, "moved over whole");
        OcekavatObdelnik({320, 8, 350, 30}, prvky[2].obdelnik, "the rest of the row with it");
        OcekavatObdelnik({10, 40, 290, 60}, prvky[3].obdelnik, "another row stays");
    }
}

TEST(RozvrhTextu, ControlsLeftOfTheTextOrOverItDoNotStopIt)
{
    // A frame around the text and a label on its left are not in its way.
    std::vector<PrvekRozvrhu> prvky{Tlacitko({5, 2, 295, 60}), Tlacitko({0, 10, 8, 22}), Text({10, 10, 100, 22}, 200)};
    EXPECT_EQ(0, RozvrhnoutTexty(prvky, 300, kOkraj, kMezera));
    OcekavatObdelnik({10, 10, 210, 22}, prvky[2].obdelnik, "widened across the frame");
    OcekavatObdelnik({5, 2, 295, 60}, prvky[0].obdelnik, "the frame stays");
}

} // namespace
