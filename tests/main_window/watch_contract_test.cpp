// The watcher's pixel contract, entry by entry: both deal probes with every bound
// of their bands, each seat's scan span ends and scan row, the black and white
// bounds of a hit and the skip after a black pixel that is not followed by white,
// the lower edge that ends the walk down from a hit, and the position tracker's
// edges. Each entry is tested one step inside and one step outside, on synthetic
// pixels painted into the game's screen, through the watcher's own ticks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/card_code.h"
#include "support/card_probes.h"
#include "support/game_fixture.h"
#include "support/painted_table.h"
#include "support/pixel_contract.h"

namespace vantrel {
namespace {

using namespace vantrel::testing;
using namespace vantrel::testing::contract;

class WatchContractTest : public ProgramFixture {
protected:
    void SetUp() override {
        Start();
        OpenGame();
        screen.Fill(kFelt);
        platform.AdvanceTo(1000);  // the game is found; no watcher tick has run yet
        ASSERT_EQ(main().gameWindow().window, game);
    }
    recognition::CardTally& tally() { return main().watcher().tally; }

    // The rank the contract reads, on the screen as painted, for a hit whose white
    // pixel is at whiteX and whose walk down ends at edgeY.
    int RankRead(int whiteX, int edgeY) const {
        const auto row = test::ReadCardRow(screen, whiteX + kGlyphRightOfHit, edgeY - kGlyphAboveEdge);
        return cards::RankOf(row.codes.at(0));
    }
    // One play tick with `seat` to move on a fresh hand: the rank of the first card
    // recorded, or 0 when no play was found.
    int PlayTick(int seat) {
        tally().ResetHand(true);
        tally().nTurn = static_cast<std::int16_t>(seat);
        tally().RemainCards.Fill(16);
        main().watcher().tmrEmit_Timer();
        return shared().PlayHistory(0, 21) == 0 ? 0 : shared().PlayHistory(0, 1);
    }
};

TEST_F(WatchContractTest, ADealShowsExactlyWhenBothProbesAreInsideTheirBands) {
    struct Probe {
        Pixel at;
        const Band& band;
        Pixel other;
        const Band& otherBand;
    };
    for (const Probe& p : {Probe{kDealProbe, kDealBand, kDealLamp, kDealLampBand},
                           Probe{kDealLamp, kDealLampBand, kDealProbe, kDealBand}}) {
        screen.set(p.other.x, p.other.y, p.otherBand.inside);
        for (const EdgeCase& c : EdgeCases(p.band)) {
            screen.set(p.at.x, p.at.y, c.colour);
            tally().bInHand = false;
            main().watcher().tmrStart_Timer();
            EXPECT_EQ(tally().bInHand, c.inBand) << "(" << p.at.x << "," << p.at.y << ") " << c.what;
        }
    }
}

// Each seat's span from its first x to its last (whose white may lie one past it),
// along its own row only.
TEST_F(WatchContractTest, EachSeatsScanCoversItsSpanOnItsRowAndNoFurther) {
    for (int seat = 0; seat < 3; ++seat) {
        const Scan scan = kScan[static_cast<std::size_t>(seat)];
        struct Case {
            int blackX, rowOffset;
            bool hit;
            const char* what;
        };
        const Case cases[] = {
            {scan.first, 0, true, "black at the first x"},
            {scan.first - 1, 0, false, "black left of the first x"},
            {scan.last, 0, true, "black at the last x, white one past it"},
            {scan.last + 1, 0, false, "black right of the last x"},
            {scan.first, -1, false, "black a row above the scan row"},
            {scan.first, 1, false, "black a row below the scan row"},
        };
        for (const Case& c : cases) {
            screen.Fill(kFelt);
            PaintLaidSix(screen, c.blackX + 1, scan.row);
            screen.set(c.blackX, scan.row + c.rowOffset, kBlack);
            const int expected = c.hit ? RankRead(c.blackX + 1, scan.row + kLaidSixEdge) : 0;
            EXPECT_EQ(PlayTick(seat), expected) << "seat " << seat << ": " << c.what;
        }
    }
}

TEST_F(WatchContractTest, AHitIsABlackPixelThenAWhiteOneEachByItsBounds) {
    const int row = kScan[1].row, x = 500;
    PaintLaidSix(screen, x + 1, row);
    const int six = RankRead(x + 1, row + kLaidSixEdge);
    ASSERT_EQ(six, 6);
    for (const EdgeCase& c : EdgeCases(kScanBlack)) {
        screen.Fill(kFelt);
        PaintLaidSix(screen, x + 1, row);
        screen.set(x, row, c.colour);
        EXPECT_EQ(PlayTick(1), c.inBand ? six : 0) << "black " << c.what;
    }
    for (const EdgeCase& c : EdgeCases(kScanWhite)) {
        screen.Fill(kFelt);
        PaintLaidSix(screen, x + 1, row);
        screen.set(x, row, kBlack);
        screen.set(x + 1, row, c.colour);
        EXPECT_EQ(PlayTick(1), c.inBand ? six : 0) << "white " << c.what;
    }
    // After a black pixel that is not followed by white the scan skips that pixel,
    // so black, black, white is no hit.
    screen.Fill(kFelt);
    PaintLaidSix(screen, x + 2, row);
    screen.set(x, row, kBlack);
    screen.set(x + 1, row, kBlack);
    EXPECT_EQ(PlayTick(1), 0);
}

// The walk stops at the first pixel inside the band; one just outside lets it go a
// row further, and the row is read there.
TEST_F(WatchContractTest, TheWalkDownStopsAtTheLowerEdgeByItsBounds) {
    const int row = kScan[1].row, x = 500, edge = row + kLaidSixEdge;
    for (const EdgeCase& c : EdgeCases(kLowerEdge)) {
        screen.Fill(kFelt);
        PaintLaidSix(screen, x + 1, row);
        screen.set(x, row, kBlack);
        screen.set(x + 1, edge, c.colour);
        EXPECT_EQ(PlayTick(1), RankRead(x + 1, c.inBand ? edge : edge + 1)) << c.what;
    }
    EXPECT_NE(RankRead(x + 1, edge), RankRead(x + 1, edge + 1)) << "a row lower must read differently";
}

// Only a place right of and below the screen's top-left corner is taken.
// Any place with a pixel on a monitor, one left of the primary included; never a
// minimised window's place or one just off every monitor.
TEST_F(WatchContractTest, TheGamesPlaceIsTakenWhereverItLiesOnAMonitor) {
    platform.fakeDesktop().SetMonitors({{0, 0, 1280, 1024}, {-1920, 0, 0, 1080}});
    const int width = platform.fakeDesktop().WindowRect(game).width();
    const int height = platform.fakeDesktop().WindowRect(game).height();
    struct Case {
        base::Point at;
        bool taken;
    };
    for (const Case& c : {Case{{0, 0}, true}, Case{{-1500, 300}, true}, Case{{1279, 1023}, true},
                          Case{{1280, 100}, false}, Case{{100, 1 - height}, true}, Case{{100, -height}, false},
                          Case{{-1920 - width, 0}, false}, Case{{-32000, -32000}, false}}) {
        platform.fakeDesktop().MoveWindow(game, {77, 77});
        main().tmrGamePos_Timer();
        platform.fakeDesktop().MoveWindow(game, c.at);
        main().tmrGamePos_Timer();
        EXPECT_EQ(main().gameWindow().left, c.taken ? c.at.x : 77) << c.at.x << "," << c.at.y;
        EXPECT_EQ(main().gameWindow().top, c.taken ? c.at.y : 77) << c.at.x << "," << c.at.y;
    }
}

}  // namespace
}  // namespace vantrel
