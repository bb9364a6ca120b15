// The hand's self-check: which rows cannot be true, each with its reason.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "recognition/hand_check.h"

namespace vantrel::recognition {
namespace {

using Ranks = std::vector<std::int16_t>;
constexpr auto kNone = std::nullopt;

// Sixteen cards that a deal can hold: the 2, three aces and four kings among them.
const Ranks kDeal{15, 14, 14, 14, 13, 13, 13, 13, 3, 4, 5, 6, 7, 8, 9, 10};

TEST(HandCheck, TheDealRowHoldsSixteenCardsAndNoMoreOfARankThanTheDeck) {
    struct Case {
        Ranks row;
        std::optional<DoubtReason> doubt;
    };
    Ranks twoTwos = kDeal, fourAces = kDeal, fiveThrees(16, 3);
    twoTwos[15] = 15;
    fourAces[15] = 14;
    const Case cases[] = {
        {kDeal, kNone},
        {Ranks(kDeal.begin(), kDeal.end() - 1), DoubtReason::kDealNotSixteen},
        {[] { Ranks r = kDeal; r.push_back(3); return r; }(), DoubtReason::kDealNotSixteen},
        {twoTwos, DoubtReason::kDealTooManyOfRank},
        {fourAces, DoubtReason::kDealTooManyOfRank},
        {fiveThrees, DoubtReason::kDealTooManyOfRank},
    };
    for (const Case& c : cases) {
        HandCheck check;
        EXPECT_EQ(check.CheckDeal(c.row), c.doubt) << ::testing::PrintToString(c.row);
    }
}

TEST(HandCheck, TheUsersPlaysComeOutOfTheUsersOwnCards) {
    HandCheck check;
    ASSERT_EQ(check.CheckDeal(kDeal), kNone);
    EXPECT_EQ(check.CheckOwnPlay(Ranks{13, 13, 13}), kNone);
    EXPECT_EQ(check.CheckOwnPlay(Ranks{13, 13}), DoubtReason::kOwnRankNotHeld) << "one king is left, not two";
    EXPECT_EQ(check.CheckOwnPlay(Ranks{15}), kNone);
    EXPECT_EQ(check.CheckOwnPlay(Ranks{15}), DoubtReason::kOwnRankNotHeld) << "the one 2 was laid";
    EXPECT_EQ(check.CheckOwnPlay(Ranks{11}), DoubtReason::kOwnRankNotHeld) << "no jack was dealt";
    check.Clear();
    EXPECT_EQ(check.CheckOwnPlay(Ranks{3}), DoubtReason::kOwnRankNotHeld) << "a new hand holds nothing yet";
}

TEST(HandCheck, AnOpponentsPlayNeedsAShownMarkForEveryCard) {
    const auto marks = [](std::int16_t rank) { return rank == 9 ? 2 : rank == 15 ? 0 : 1; };
    EXPECT_EQ(HandCheck::CheckOpponentPlay(Ranks{9, 9}, marks), kNone);
    EXPECT_EQ(HandCheck::CheckOpponentPlay(Ranks{9, 9, 9}, marks), DoubtReason::kOpponentRankGone);
    EXPECT_EQ(HandCheck::CheckOpponentPlay(Ranks{4, 15}, marks), DoubtReason::kOpponentRankGone) << "the 2 is looked at";
}

TEST(HandCheck, TheFirstReasonStaysUntilTheNextHand) {
    HandCheck check;
    EXPECT_TRUE(check.Raise(DoubtReason::kCountBelowZero));
    EXPECT_FALSE(check.Raise(DoubtReason::kTooManyMoves));
    EXPECT_EQ(check.reason(), DoubtReason::kCountBelowZero);
    check.Clear();
    EXPECT_FALSE(check.InDoubt());
}

}  // namespace
}  // namespace vantrel::recognition
