// The program's table of the game's pixel contract, held entry by entry to the
// contract as the tests write it down from the game's layout: every probe and
// step equal, and every band deciding each colour one step either side of each
// of the contract's bounds as the contract does.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "recognition/game_contract.h"
#include "support/card_probes.h"
#include "support/pixel_contract.h"

namespace vantrel {
namespace {

namespace game = recognition::game;
namespace contract = testing::contract;

TEST(GameTableTest, EveryBandDecidesEachEdgeAsTheContractDoes) {
    const struct {
        const char* name;
        const recognition::ColourBand& program;
        const contract::Band& contract;
    } bands[] = {
        {"deal", game::kDealBand, contract::kDealBand},
        {"deal lamp", game::kDealLampBand, contract::kDealLampBand},
        {"first mover", game::kFirstSeatBand, contract::kFirstMoverBand},
        {"pass", game::kPassBand, contract::kPassBand},
        {"scan black", game::kScanBlack, contract::kScanBlack},
        {"scan white", game::kScanWhite, contract::kScanWhite},
        {"lower edge", game::kLowerEdge, contract::kLowerEdge},
    };
    for (const auto& band : bands) {
        EXPECT_TRUE(band.program.Holds(band.contract.inside)) << band.name;
        for (const contract::EdgeCase& edge : contract::EdgeCases(band.contract))
            EXPECT_EQ(band.program.Holds(edge.colour), edge.inBand) << band.name << ": " << edge.what;
    }
}

TEST(GameTableTest, EveryProbeAndStepIsTheContracts) {
    auto same = [](recognition::ProbePoint p, contract::Pixel q) { return p.X == q.x && p.Y == q.y; };
    for (int seat = 0; seat <= 2; ++seat) {
        const auto s = static_cast<std::size_t>(seat);
        EXPECT_TRUE(same(game::FirstSeatProbe(seat), contract::kFirstMoverProbe[s])) << seat;
        EXPECT_TRUE(same(game::PassProbe(seat), contract::kPassProbe[s])) << seat;
        EXPECT_EQ(game::ScanSpan(seat).first, contract::kScan[s].first) << seat;
        EXPECT_EQ(game::ScanSpan(seat).last, contract::kScan[s].last) << seat;
        EXPECT_EQ(game::ScanRow(seat), contract::kScan[s].row) << seat;
    }
    EXPECT_TRUE(same(game::kDealProbe, contract::kDealProbe));
    EXPECT_TRUE(same(game::kDealLamp, contract::kDealLamp));
    EXPECT_TRUE(same(game::kOwnRow, contract::kOwnRow));
    EXPECT_EQ(game::kHitToGlyphX, contract::kGlyphRightOfHit);
    EXPECT_EQ(game::kEdgeToGlyphY, contract::kGlyphAboveEdge);
    EXPECT_EQ(game::kCardStep, test::kCardPitch);
    EXPECT_EQ(game::kCardStep + game::kNextEdgeDx, test::kNextCardProbe);
    EXPECT_EQ(game::kNextEdgeRedBelow, test::kNextCardRedBelow);
    EXPECT_EQ(game::kStripDx, test::kSuitStrip.column);
    EXPECT_EQ(game::kStripDy, test::kSuitStrip.row);
    for (int blue : {game::kInkBelow - 1, game::kInkBelow}) EXPECT_EQ(blue < game::kInkBelow, test::IsInk(blue));
}

TEST(GameTableTest, TheGlyphAndSuitProbesAndTheDecisionListAreTheContracts) {
    ASSERT_EQ(game::kGlyphProbes.size(), test::kGlyphProbes.size());
    for (std::size_t i = 0; i < game::kGlyphProbes.size(); ++i) {
        EXPECT_EQ(game::kGlyphProbes[i].column, test::kGlyphProbes[i].column) << i;
        EXPECT_EQ(game::kGlyphProbes[i].row, test::kGlyphProbes[i].row) << i;
    }
    ASSERT_EQ(game::kGlyphTests.size(), test::kDecisionList.size());
    for (std::size_t i = 0; i < game::kGlyphTests.size(); ++i) {
        std::string classes(game::kGlyphTests[i].pattern);
        std::replace(classes.begin(), classes.end(), '-', '.');
        EXPECT_EQ(game::kGlyphTests[i].rank, test::kDecisionList[i].rank) << i;
        EXPECT_EQ(classes, test::kDecisionList[i].classes) << i;
    }
    EXPECT_EQ(game::kUnmatchedGlyph, test::kTwo);
    for (std::size_t i = 0; i < game::kSuitProbes.size(); ++i) {
        EXPECT_EQ(game::kSuitProbes[i].column, test::kSuitProbes[i].column) << i;
        EXPECT_EQ(game::kSuitProbes[i].row, test::kSuitProbes[i].row) << i;
    }
}

}  // namespace
}  // namespace vantrel
