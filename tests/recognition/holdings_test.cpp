// Who holds what: the ranges held to a brute force over every split of the cards
// out, and what passes and plays teach the caps.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "recognition/holdings.h"

namespace vantrel::recognition {
namespace {

using Caps = std::array<ByRank, 2>;
constexpr int kOpen = 4;

// Every split of `out` between the two opponents that meets the caps and both
// counts, tried one by one: the least and most of each rank the left one holds.
std::optional<HeldRanges> BruteForce(const ByRank& out, const Caps& caps, int left, int right) {
    std::optional<HeldRanges> found;
    ByRank split{};
    const auto walk = [&](auto& self, int rank, int leftSum, int rightSum) -> void {
        if (rank > kLastRank) {
            if (leftSum != left || rightSum != right) return;
            if (!found) found = HeldRanges{out, split, split};
            for (int r = kFirstRank; r <= kLastRank; ++r) {
                found->leastLeft[r] = std::min(found->leastLeft[r], split[r]);
                found->mostLeft[r] = std::max(found->mostLeft[r], split[r]);
            }
            return;
        }
        for (int l = 0; l <= out[rank]; ++l) {
            if (l > caps[0][rank] || out[rank] - l > caps[1][rank]) continue;
            split[rank] = static_cast<std::int8_t>(l);
            self(self, rank + 1, leftSum + l, rightSum + out[rank] - l);
        }
    };
    walk(walk, kFirstRank, 0, 0);
    return found;
}

ByRank Figures(std::initializer_list<std::pair<int, int>> byRank, int rest) {
    ByRank f{};
    for (int r = kFirstRank; r <= kLastRank; ++r) f[r] = static_cast<std::int8_t>(rest);
    for (const auto& [rank, n] : byRank) f[rank] = static_cast<std::int8_t>(n);
    return f;
}

TEST(Holdings, TheRangesAreExactlyThoseOfEverySplitThatMeetsTheCapsAndCounts) {
    struct Case {
        ByRank out;
        Caps caps;
        int left, right;
    };
    const Case table[] = {
        // A pass on a single K by the right: every A and the 2 are the left's.
        {Figures({{13, 2}, {14, 3}, {15, 1}, {5, 2}}, 0), {Figures({}, kOpen), Figures({{14, 0}, {15, 0}}, 3)}, 6, 2},
        // The counts alone: the right holds one card, so the left holds at least 3 of 4 fives.
        {Figures({{5, 4}, {9, 1}}, 0), {Figures({}, kOpen), Figures({}, kOpen)}, 4, 1},
        // No bomb on either side: two of four each.
        {Figures({{7, 4}}, 0), {Figures({}, 3), Figures({}, 3)}, 2, 2},
        // Caps that no split meets.
        {Figures({{7, 4}, {8, 1}}, 0), {Figures({{8, 0}}, 3), Figures({{8, 0}}, 3)}, 3, 2},
        // Counts that do not add up to the cards out.
        {Figures({{3, 2}}, 0), {Figures({}, kOpen), Figures({}, kOpen)}, 1, 2},
    };
    for (const Case& c : table) EXPECT_EQ(BoundHoldings(c.out, c.caps, c.left, c.right), BruteForce(c.out, c.caps, c.left, c.right));

    std::mt19937 random(23);
    for (int trial = 0; trial < 3000; ++trial) {
        ByRank out{};
        Caps caps{Figures({}, kOpen), Figures({}, kOpen)};
        int total = 0;
        for (int n = 0; n < 6; ++n) {
            const int rank = std::uniform_int_distribution(kFirstRank, kLastRank)(random);
            out[rank] = static_cast<std::int8_t>(std::uniform_int_distribution(0, cards::DeckCount(rank))(random));
            for (ByRank& cap : caps) cap[rank] = static_cast<std::int8_t>(std::uniform_int_distribution(0, 4)(random));
        }
        for (int r = kFirstRank; r <= kLastRank; ++r) total += out[r];
        const int left = std::uniform_int_distribution(0, total)(random);
        ASSERT_EQ(BoundHoldings(out, caps, left, total - left), BruteForce(out, caps, left, total - left)) << trial;
    }
}

// Plays a hand's moves (ranks, or none for a pass) from `first`, `hands` times over,
// on a table where the user holds no card and the left opponent `left` of the 48.
HoldingsReading Read(int first, const std::vector<std::vector<std::int16_t>>& moves, int left = 24, int hands = 1) {
    HoldingsReading reading;
    for (int hand = 0; hand < hands; ++hand) {
        reading.NewHand();
        MoveTable history;
        ByRank out = Figures({{14, 3}, {15, 1}}, 4);
        std::array<int, 3> counts{0, 48 - left, left};
        for (std::size_t i = 0; i < moves.size(); ++i) {
            const auto& m = moves[i];
            const int seat = (first + int(i)) % 3, row = int(i);
            history(row, 1) = modQTC::PassMark;
            for (std::size_t k = 0; k < m.size(); ++k) history(row, int(k) + 1) = m[k];
            history(row, 21) = std::int16_t(m.empty() ? 1 : m.size());
            if (seat != 0)
                for (const std::int16_t rank : m) --out[rank], --counts[seat];
            reading.Follow(history, row + 1, first, out, counts[2], counts[1]);
        }
    }
    return reading;
}

TEST(Holdings, APassLowersThePassersCapsAgainstTheLastPlay) {
    const std::vector<std::int16_t> pass;
    struct Case {
        const char* what;
        int first;
        std::vector<std::vector<std::int16_t>> moves;
        ByRank leftCaps;  // seat 2's
        bool off;
        int left = 24;  // cards, of the 48: enough that the caps can be met
    };
    const Case table[] = {
        {"single K", 1, {{13}, pass}, Figures({{14, 0}, {15, 0}}, 3), false},
        {"pair of 10", 1, {{10, 10}, pass}, Figures({{10, 2}, {11, 1}, {12, 1}, {13, 1}, {14, 1}, {15, 1}}, 3), false},
        {"bomb of 7", 1, {{7, 7, 7, 7}, pass}, Figures({{3, 4}, {4, 4}, {5, 4}, {6, 4}, {7, 0}, {14, 3}, {15, 1}}, 3), false},
        {"straight", 1, {{3, 4, 5, 6, 7}, pass}, Figures({{15, 1}}, 3), false},
        {"the user's pass", 2, {{13}, pass}, Figures({{13, 3}, {14, 3}, {15, 1}}, 4), false},
        {"a pass on its own play", 2, {{5}, pass, pass, pass}, Figures({{5, 3}, {14, 3}, {15, 1}}, 4), false, 40},
        {"the last play after two passes", 1, {{9}, pass, pass, {4, 4}, pass},
         Figures({{4, 2}, {5, 1}, {6, 1}, {7, 1}, {8, 1}, {9, 1}, {10, 0}, {11, 0}, {12, 0}, {13, 0}, {14, 0}, {15, 0}}, 3), false, 8},
        {"a play leaves its cap", 1, {{3, 4, 5, 6, 7}, pass, pass, {8}, {9}}, Figures({{9, 2}, {15, 1}}, 3), false},
        {"a play above its cap", 1, {{13}, pass, pass, {5}, {14}}, Figures({{14, 0}, {15, 0}}, 3), true},
    };
    for (const Case& c : table) {
        const HoldingsReading reading = Read(c.first, c.moves, c.left);
        for (int r = kFirstRank; r <= kLastRank; ++r) EXPECT_EQ(reading.Cap(Opponent::kLeft, r), c.leftCaps[r]) << c.what << " rank " << r;
        EXPECT_EQ(reading.OffForHand(), c.off) << c.what;
        EXPECT_EQ(reading.ranges().has_value(), !c.off) << c.what;
    }
}

TEST(Holdings, TheReadingStopsForTheSessionAfterTwoHandsItCouldNotHold) {
    // Both opponents pass a single 3: neither holds a 4, though four are out.
    const std::vector<std::vector<std::int16_t>> crossing{{3}, {}, {}};
    EXPECT_TRUE(Read(0, crossing).OffForHand());
    EXPECT_FALSE(Read(0, crossing).OffForSession());
    const HoldingsReading twice = Read(0, crossing, 24, 2);
    EXPECT_TRUE(twice.OffForSession());
    HoldingsReading after = twice;
    after.NewHand();
    after.Follow(MoveTable{}, 0, 0, Figures({{14, 3}, {15, 1}}, 4), 24, 24);
    EXPECT_FALSE(after.ranges()) << "the next hand shows nothing either";
}

}  // namespace
}  // namespace vantrel::recognition
