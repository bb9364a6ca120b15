// Whole hands of the stand-in, replayed against the rules engine move by move, and
// the ground-truth log written and read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "sim/hand.h"
#include "sim/hand_log.h"
#include "sim/rules.h"

namespace vantrel::sim {
namespace {

TEST(SimSplitMix64, MatchesTheReferenceStream) {
    SplitMix64 random(0);
    EXPECT_EQ(random.Next(), 0xE220A8397B1DCDAFULL);
    EXPECT_EQ(random.Next(), 0x6E789E6AA1B965F4ULL);
    EXPECT_EQ(random.Next(), 0x06C45D188009454FULL);
}

TEST(SimDeal, GivesEachSeatSixteenSortedCardsOfOneDeck) {
    std::array<int, kSeats> first_seats{};
    std::array<std::array<int, kSeats>, kTwoOfSpades + 1> seat_of_card{};
    constexpr int kDeals = 600;
    for (std::uint64_t seed = 0; seed < kDeals; ++seed) {
        const Deal deal = DealCards(seed);
        std::multiset<CardCode> all;
        for (int seat = 0; seat < kSeats; ++seat) {
            ASSERT_EQ(deal[seat].size(), static_cast<std::size_t>(kHandSize));
            EXPECT_TRUE(std::is_sorted(deal[seat].begin(), deal[seat].end()));
            all.insert(deal[seat].begin(), deal[seat].end());
            for (CardCode code : deal[seat]) ++seat_of_card[code][seat];
        }
        ASSERT_EQ(all, std::multiset<CardCode>(kDeck.begin(), kDeck.end()));
        const int first = FirstSeat(deal);
        EXPECT_NE(std::find(deal[first].begin(), deal[first].end(), kThreeOfSpades), deal[first].end());
        ++first_seats[first];
    }
    for (int count : first_seats) EXPECT_GT(count, kDeals / 4);
    // Each card falls to each seat about a third of the time (expected 200, s.d. 12).
    for (CardCode code : kDeck) {
        for (int count : seat_of_card[code]) {
            EXPECT_GT(count, 140) << code;
            EXPECT_LT(count, 260) << code;
        }
    }
}

struct ReplayTally {
    int free_leads_after_passes = 0;
    int free_leads_changing_kind = 0;
    std::size_t longest_hand = 0;
};

// Replays `hand` from its deal with the engine alone, checking every move.
void ExpectHandAddsUp(const HandRecord& hand, ReplayTally& tally) {
    std::multiset<CardCode> dealt;
    for (int seat = 0; seat < kSeats; ++seat) {
        ASSERT_EQ(hand.deal[seat].size(), static_cast<std::size_t>(kHandSize));
        EXPECT_TRUE(std::is_sorted(hand.deal[seat].begin(), hand.deal[seat].end()));
        dealt.insert(hand.deal[seat].begin(), hand.deal[seat].end());
    }
    ASSERT_EQ(dealt, std::multiset<CardCode>(kDeck.begin(), kDeck.end()));
    ASSERT_EQ(hand.first_seat, FirstSeat(hand.deal));
    ASSERT_FALSE(hand.moves.empty());

    Deal held = hand.deal;
    std::array<int, kSeats> played{};
    std::set<CardCode> laid;
    std::optional<Combination> to_beat;
    std::optional<Combination> before_passes;
    int passes_in_row = 0;
    int seat = hand.first_seat;
    for (std::size_t i = 0; i < hand.moves.size(); ++i) {
        const Move& move = hand.moves[i];
        SCOPED_TRACE("move " + std::to_string(i));
        ASSERT_EQ(move.seat, seat);
        auto& cards_in_hand = held[seat];
        if (move.IsPass()) {
            ASSERT_TRUE(to_beat.has_value()) << "a free lead was passed";
            EXPECT_TRUE(MayPass(cards_in_hand, to_beat)) << "passed although a play beats";
            if (++passes_in_row == 2) {
                before_passes = to_beat;
                to_beat.reset();
            }
        } else {
            EXPECT_TRUE(std::is_sorted(move.cards.begin(), move.cards.end()));
            const auto reading = ReadPlay(cards_in_hand, move.cards, to_beat);
            ASSERT_TRUE(reading.has_value()) << "an illegal play";
            if (passes_in_row == 2) {
                ++tally.free_leads_after_passes;
                if (reading->kind != before_passes->kind) ++tally.free_leads_changing_kind;
            }
            for (CardCode code : move.cards) {
                EXPECT_TRUE(laid.insert(code).second) << "card " << code << " laid twice";
                std::erase(cards_in_hand, code);
            }
            played[seat] += static_cast<int>(move.cards.size());
            to_beat = reading;
            passes_in_row = 0;
        }
        for (int s = 0; s < kSeats; ++s) EXPECT_EQ(move.counts[s], kHandSize - played[s]);
        const bool last = i + 1 == hand.moves.size();
        EXPECT_EQ(std::count(move.counts.begin(), move.counts.end(), 0), last ? 1 : 0);
        seat = (seat + 1) % kSeats;
    }
    const int winner = hand.Winner();
    EXPECT_EQ(hand.moves.back().counts[winner], 0);
    EXPECT_TRUE(held[winner].empty());
    EXPECT_TRUE(std::includes(laid.begin(), laid.end(), hand.deal[winner].begin(), hand.deal[winner].end()));
    tally.longest_hand = std::max(tally.longest_hand, hand.moves.size());
}

TEST(SimHand, SeededHandsFollowTheRulesAndAddUp) {
    ReplayTally tally;
    for (const HandRecord& hand : PlayHands(20240611, 300)) {
        SCOPED_TRACE("hand " + std::to_string(hand.hand_number));
        ExpectHandAddsUp(hand, tally);
        if (HasFatalFailure()) return;
    }
    // The table really frees up: after two passes the leader may change the kind.
    EXPECT_GT(tally.free_leads_after_passes, 300);
    EXPECT_GT(tally.free_leads_changing_kind, 0);
    RecordProperty("longest_hand_moves", static_cast<int>(tally.longest_hand));
}

TEST(SimHand, IsAFunctionOfItsSeed) {
    constexpr std::uint64_t kSeries = 77;
    const auto series = PlayHands(kSeries, 20);
    ASSERT_EQ(series.size(), 20u);
    std::set<Deal> deals;
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(series[i].hand_number, i);
        EXPECT_EQ(series[i], PlayHand(HandSeed(kSeries, i), i));
        deals.insert(series[i].deal);
    }
    EXPECT_EQ(deals.size(), 20u);
    EXPECT_EQ(PlayHands(kSeries, 20), series);
    EXPECT_NE(PlayHands(kSeries + 1, 1)[0].deal, series[0].deal);
    EXPECT_NE(HandSeed(kSeries, 1), HandSeed(kSeries + 1, 0));
}

HandRecord SmallRecord() {
    HandRecord hand;
    hand.hand_number = 3;
    for (int seat = 0; seat < kSeats; ++seat) {
        hand.deal[seat].assign(kDeck.begin() + seat * kHandSize, kDeck.begin() + (seat + 1) * kHandSize);
    }
    hand.first_seat = 0;
    hand.moves = {
        {.seat = 0, .cards = {1, 5, 9, 13, 17}, .counts = {11, 16, 16}},
        {.seat = 1, .cards = {}, .counts = {11, 16, 16}},
        {.seat = 2, .cards = {49}, .counts = {11, 16, 15}},
    };
    return hand;
}

TEST(SimHandLog, WritesTheDocumentedLines) {
    EXPECT_EQ(FormatHandLog(SmallRecord()),
              "deal 3 seat0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16"
              " | seat1 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32"
              " | seat2 33 34 35 36 37 38 39 40 41 42 43 44 45 46 47 49\n"
              "first 0\n"
              "move 0 play 1 5 9 13 17 counts 11 16 16\n"
              "move 1 pass counts 11 16 16\n"
              "move 2 play 49 counts 11 16 15\n"
              "end 2\n");
}

TEST(SimHandLog, ReadsBackWhatItWrites) {
    const auto hands = PlayHands(5, 40);
    std::string log;
    for (const HandRecord& hand : hands) log += FormatHandLog(hand);
    std::string error;
    const auto parsed = ParseHandLog(log, &error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(*parsed, hands);

    std::string crlf_with_blanks = "\r\n";
    for (char c : FormatHandLog(SmallRecord())) crlf_with_blanks += c == '\n' ? std::string("\r\n\r\n") : std::string(1, c);
    EXPECT_EQ(ParseHandLog(crlf_with_blanks), (std::vector<HandRecord>{SmallRecord()}));
    EXPECT_EQ(ParseHandLog(""), std::vector<HandRecord>{});
}

TEST(SimHandLog, RejectsMalformedLogsNamingTheLine) {
    const std::string log = FormatHandLog(SmallRecord());
    const auto replace = [&](const std::string& from, const std::string& to) {
        std::string changed = log;
        changed.replace(changed.find(from), from.size(), to);
        return changed;
    };
    struct Case {
        std::string text;
        const char* error_prefix;
    };
    const Case cases[] = {
        {replace(" 16 |", " |"), "line 1:"},                 // 15 codes for seat 0
        {replace(" 47 49", " 47 48"), "line 1:"},             // no such card
        {replace("seat1", "seat2"), "line 1:"},
        {replace("first 0", "first 3"), "line 2:"},
        {replace("first 0\n", ""), "line 2:"},                // a move before first
        {replace("play 1 5", "play x 5"), "line 3:"},
        {replace("pass counts 11 16 16", "pass counts 11 16"), "line 4:"},
        {replace("pass counts", "fold counts"), "line 4:"},
        {replace("play 49 counts", "play counts"), "line 5:"},
        {replace("counts 11 16 15", "counts 11 16 15 0"), "line 5:"},
        {replace("end 2", "end 1"), "line 6:"},               // not the last mover
        {replace("end 2\n", ""), "line 5:"},                  // the hand never ends
        {log + log.substr(0, log.find("end")) + log, "line 12:"},  // a deal inside a hand
        {"first 0\n", "line 1:"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_EQ(ParseHandLog(c.text, &error), std::nullopt) << c.text;
        EXPECT_EQ(error.rfind(c.error_prefix, 0), 0u) << error << "\n" << c.text;
    }
}

}  // namespace
}  // namespace vantrel::sim
