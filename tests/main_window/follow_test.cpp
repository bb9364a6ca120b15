// The whole program follows seeded hands of the stand-in end to end on the virtual
// clock, and after every move its view equals the stand-in's log: the main
// window, the detail window, and the player window whenever its replay has caught up.
#include <gtest/gtest.h>

#include "support/follow_check.h"

namespace vantrel {
namespace {

class FollowTest : public ::testing::TestWithParam<std::uint64_t> {};

TEST_P(FollowTest, FiftyHandsWithoutADifference) {
    const soak::FollowResult result = soak::FollowSeries(GetParam(), 50, sim::TimelineSettings{});
    EXPECT_EQ(result.hands, 50);
    EXPECT_GT(result.moves, 50 * 10);
    for (int seat = 0; seat < 3; ++seat) EXPECT_GT(result.winsBySeat[seat], 0) << "no hand ended on seat " << seat;
    // Every state before a move, and at these think times the replay keeps up with each.
    EXPECT_EQ(result.detailChecks, result.moves);
    EXPECT_EQ(result.replayChecks, result.moves);
    EXPECT_EQ(result.doubts, 0);
    EXPECT_EQ(result.heldStopped, 0);
    EXPECT_GT(result.heldMarks, result.moves / 2) << "held marks are shown, and were compared";
    for (const std::string& difference : result.differences) ADD_FAILURE() << difference;
}

// Four series of fifty: two hundred seeded hands.
INSTANTIATE_TEST_SUITE_P(Series, FollowTest, ::testing::Values(1u, 2u, 3u, 4u));

TEST(FollowFastTest, ShortThinkTimesAreFollowedToo) {
    sim::TimelineSettings quick;
    quick.think_min_ms = 120;
    quick.think_max_ms = 200;
    quick.pause_ms = 400;
    quick.final_play_ms = 150;
    const soak::FollowResult result = soak::FollowSeries(77, 20, quick);
    EXPECT_EQ(result.hands, 20);
    EXPECT_EQ(result.detailChecks, result.moves);
    EXPECT_GT(result.replayChecks, 0);
    EXPECT_LT(result.replayChecks, result.moves);  // a 500 ms replay falls behind 120 ms moves
    for (const std::string& difference : result.differences) ADD_FAILURE() << difference;
}

}  // namespace
}  // namespace vantrel
