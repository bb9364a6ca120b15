// The rules engine against hand-written tables of readings, beats and plays, and the
// play generator against an exhaustive search over every subset of a hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <span>
#include <sstream>
#include <stdexcept>

#include "sim/hand.h"
#include "sim/players.h"
#include "sim/rules.h"

namespace vantrel::sim {
namespace {

// "3s 10h Kc As 2s": rank, then suit letter s h c d.
std::vector<CardCode> Cards(const std::string& text) {
    static const std::string kRanks[] = {"3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K", "A", "2"};
    static const std::string kSuits = "shcd";
    std::vector<CardCode> codes;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        const std::string rank_name = word.substr(0, word.size() - 1);
        const auto rank = std::find(std::begin(kRanks), std::end(kRanks), rank_name);
        const auto suit = kSuits.find(word.back());
        if (rank == std::end(kRanks) || suit == std::string::npos) throw std::invalid_argument(word);
        codes.push_back(CodeOf(static_cast<Rank>(rank - std::begin(kRanks)) + kLowestRank,
                               static_cast<Suit>(suit) + 1));
    }
    return codes;
}

constexpr Combination Single(Rank key) { return {Kind::Single, key, 1}; }
constexpr Combination Pair(Rank key) { return {Kind::Pair, key, 1}; }
constexpr Combination PairRun(Rank key, int pairs) { return {Kind::PairRun, key, pairs}; }
constexpr Combination Triple(Rank key) { return {Kind::Triple, key, 1}; }
constexpr Combination ShortTriple(Rank key) { return {Kind::Triple, key, 1, true}; }
constexpr Combination Straight(Rank key, int cards) { return {Kind::Straight, key, cards}; }
constexpr Combination Airplane(Rank key, int triples) { return {Kind::Airplane, key, triples}; }
constexpr Combination ShortAirplane(Rank key, int triples) { return {Kind::Airplane, key, triples, true}; }
constexpr Combination Bomb(Rank key) { return {Kind::Bomb, key, 1}; }

TEST(SimCards, CodesFollowRankThenSuit) {
    EXPECT_EQ(Cards("3s 3d 10h As Ac 2s"), (std::vector<CardCode>{1, 4, 30, 45, 47, 49}));
    EXPECT_EQ(RankOf(49), kTwo);
    EXPECT_FALSE(IsCardCode(48));
    EXPECT_FALSE(IsCardCode(0));
    EXPECT_FALSE(IsCardCode(50));
    EXPECT_EQ(std::set<CardCode>(kDeck.begin(), kDeck.end()).size(), 48u);
}

TEST(SimRules, ClassifiesCombinations) {
    struct Case {
        const char* cards;
        std::optional<Combination> expected;
    };
    const Case cases[] = {
        {"As", Single(14)},
        {"2s", Single(15)},
        {"5s 5d", Pair(5)},
        {"5s 6s", std::nullopt},
        {"3s 3h 4s 4h", PairRun(4, 2)},
        {"3s 3h 4c 4d 5s 5h", PairRun(5, 3)},
        {"Ks Kh As Ah", PairRun(14, 2)},
        {"3s 3h 5s 5h", std::nullopt},
        {"3s 3h 4s 4h 5s", std::nullopt},
        {"3s 4h 5c 6d 7s", Straight(7, 5)},
        {"10s Jh Qc Kd As", Straight(14, 5)},
        {"3s 4s 5s 6s 7s 8s 9s 10s Js Qs Ks As", Straight(14, 12)},
        {"Js Qh Kc As 2s", std::nullopt},
        {"As 2s 3s 4s 5s", std::nullopt},
        {"3s 4s 5s 6s", std::nullopt},
        {"3s 4s 5s 6s 8s", std::nullopt},
        {"7s 7h 7c 3s 9d", Triple(7)},
        {"7s 7h 7c 9s 9d", Triple(7)},
        {"7s 7h 7c 2s 3s", Triple(7)},
        {"7s 7h 7c 7d 3s", std::nullopt},
        {"7s 7h 7c 3s 4s 5s", std::nullopt},
        {"7s 7h 7c", ShortTriple(7)},
        {"7s 7h 7c 9s", ShortTriple(7)},
        {"7s 7h 7c 7d", Bomb(7)},
        {"3s 3h 3c 4s 4h 4c 5s 6s 7s 8s", Airplane(4, 2)},
        {"3s 3h 3c 4s 4h 4c 5s 5h 5c 5d", Airplane(4, 2)},
        {"Ks Kh Kc As Ah Ac 3s 4s 5s 2s", Airplane(14, 2)},
        {"3s 3h 3c 5s 5h 5c 6s 7s 8s 9s", std::nullopt},
        {"3s 3h 3c 4s 4h 4c", ShortAirplane(4, 2)},
        {"3s 3h 3c 4s 4h 4c 5s 5h", ShortAirplane(4, 2)},
        {"3s 3h 3c 4s 4h 4c 4d 5s 6s 7s", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(Classify(Cards(c.cards)), c.expected) << c.cards;
    EXPECT_EQ(Classify(std::vector<CardCode>{48}), std::nullopt);
    EXPECT_EQ(Classify(std::vector<CardCode>{7, 7}), std::nullopt);
}

TEST(SimRules, ListsEveryReadingStrongestFirst) {
    EXPECT_EQ(Readings(Cards("3s 3h 3c 4s 4h 4c 5s 5h 5c 6s")),
              (std::vector<Combination>{Airplane(5, 2), Airplane(4, 2), ShortAirplane(5, 3)}));
    EXPECT_EQ(Readings(Cards("3s 3h 3c 4s 4h 4c 5s 5h 5c 6s 6h 6c")),
              (std::vector<Combination>{ShortAirplane(6, 4), ShortAirplane(6, 3), ShortAirplane(5, 3)}));
}

TEST(SimRules, BeatsOnlyTheSameKindAndLengthOrWithABomb) {
    struct Case {
        const char* play;
        const char* table;
        bool beats;
    };
    const Case cases[] = {
        {"4s", "3s", true},
        {"3s", "4s", false},
        {"3h", "3s", false},
        {"2s", "Ac", true},
        {"5s 5h", "4s 4h", true},
        {"5s 5h", "4s", false},
        {"4s 4h 5s 5h", "3s 3h 4c 4d", true},
        {"4s 4h 5s 5h 6s 6h", "3s 3h 4c 4d", false},
        {"4s 5h 6c 7d 8s", "3s 4s 5s 6s 7s", true},
        {"4s 5h 6c 7d 8s 9s", "3s 4s 5s 6s 7s", false},
        {"3s 4s 5s 6s 7s", "4h 5h 6c 7d 8s", false},
        {"8s 8h 8c 3s 4s", "7s 7h 7c 9s 9h", true},
        {"7s 7h 7c 9s 9h", "8s 8h 8c 3s 4s", false},
        {"9s 9h 9c", "8s 8h 8c 3s 4s", true},  // a short triple, as last cards
        {"4s 4h 4c 5s 5h 5c 6s 7s 8s 9s", "3s 3h 3c 4d 5d", false},
        {"4s 4h 4c 5s 5h 5c 6s 7s 8s 9s", "3s 3h 3c 4d 4c 4h 5d 6d 7d 8d", true},
        {"3s 3h 3c 3d", "10s Jh Qc Kd As", true},
        {"3s 3h 3c 3d", "2s", true},
        {"4s 4h 4c 4d", "3s 3h 3c 3d", true},
        {"3s 3h 3c 3d", "4s 4h 4c 4d", false},
        {"2s", "3s 3h 3c 3d", false},
        {"10s Jh Qc Kd As", "3s 3h 3c 3d", false},
    };
    for (const Case& c : cases) {
        const auto play = Classify(Cards(c.play));
        const auto table = Classify(Cards(c.table));
        ASSERT_TRUE(play && table) << c.play << " on " << c.table;
        EXPECT_EQ(Beats(*play, *table), c.beats) << c.play << " on " << c.table;
    }
}

std::vector<std::vector<CardCode>> CardsOf(const std::vector<Play>& plays) {
    std::vector<std::vector<CardCode>> cards;
    for (const Play& play : plays) cards.push_back(play.cards);
    return cards;
}

TEST(SimRules, GeneratesTheLegalPlays) {
    struct Case {
        const char* hand;
        std::optional<Combination> to_beat;
        std::vector<const char*> expected;
    };
    const char* const kMixed = "3s 3h 5s 5h 5c 7d 9s 9h 9c 9d Ks 2s";
    const Case cases[] = {
        {kMixed, Pair(5), {"9s 9h", "9s 9h 9c 9d"}},
        {kMixed, Single(13), {"9s 9h 9c 9d", "2s"}},
        {kMixed, Bomb(9), {}},
        {kMixed, Straight(7, 5), {"9s 9h 9c 9d"}},
        {"4s 5h 6c 7d 8s 9h 3c", Straight(7, 5), {"4s 5h 6c 7d 8s", "5h 6c 7d 8s 9h"}},
        {"3s 3h 4s", std::nullopt, {"3s", "3s 3h", "4s"}},
        {"6s 6h 6c 8s", std::nullopt, {"6s", "6s 6h", "6s 6h 6c 8s", "8s"}},
        {"6s 6h 6c 8s", Triple(5), {"6s 6h 6c 8s"}},
        {"6s 6h 6c 8s 9s", Triple(5), {"6s 6h 6c 8s 9s"}},
        {"6s 6h 6c 8s 9s", Triple(6), {}},
        {"4s 4h 5s 5h 6s 6h 8s", PairRun(5, 2), {"5s 5h 6s 6h"}},
        {"4s 4h 5s 5h 6s 6h 8s", PairRun(5, 3), {"4s 4h 5s 5h 6s 6h"}},
        {"4s 4h 5s 5h 6s 6h 8s", PairRun(6, 3), {}},
        {"5s 5h 5c 6s 6h 6c 3s 4s 9s 10s Ks",
         Airplane(4, 2),
         {"4s 5s 5h 5c 6s 6h 6c 9s 10s Ks", "3s 5s 5h 5c 6s 6h 6c 9s 10s Ks", "3s 4s 5s 5h 5c 6s 6h 6c 10s Ks",
          "3s 4s 5s 5h 5c 6s 6h 6c 9s Ks", "3s 4s 5s 5h 5c 6s 6h 6c 9s 10s"}},
    };
    for (const Case& c : cases) {
        std::vector<std::vector<CardCode>> expected;
        for (const char* play : c.expected) expected.push_back(Cards(play));
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(CardsOf(LegalMoves(Cards(c.hand), c.to_beat)), expected) << c.hand;
    }
}

TEST(SimRules, JudgesAPlayFromItsHandAndTable) {
    struct Case {
        const char* hand;
        const char* cards;
        std::optional<Combination> to_beat;
        std::optional<Combination> counts_as;
    };
    const Case cases[] = {
        {"9s 9h 9c 9d 3s", "9c 9d", Pair(5), Pair(9)},  // any suits, not only the listed ones
        {"9s 9h 3s", "9s 9d", std::nullopt, std::nullopt},  // 9d is not in the hand
        {"9s 9h 3s", "9s 9s", std::nullopt, std::nullopt},
        {"9s 9h 3s", "", std::nullopt, std::nullopt},
        {"6s 6h 6c 8s 9s", "6s 6h 6c 8s", std::nullopt, std::nullopt},  // short, not the last cards
        {"6s 6h 6c 8s", "6s 6h 6c 8s", Triple(5), ShortTriple(6)},
        {"6s 6h 6c", "6s 6h 6c", std::nullopt, ShortTriple(6)},
        {"6s 6h 6c", "6s 6h 6c", Pair(5), std::nullopt},
        {"3s 3h 3c 4s 4h 4c 5s 5h 5c 6s", "3s 3h 3c 4s 4h 4c 5s 5h 5c 6s", Airplane(5, 2), std::nullopt},
        {"3s 3h 3c 4s 4h 4c 5s 5h 5c 6s", "3s 3h 3c 4s 4h 4c 5s 5h 5c 6s", Airplane(4, 2), Airplane(5, 2)},
        {"3s 3h 3c 4s 4h 4c 5s 5h 5c 6s", "3s 3h 3c 4s 4h 4c 5s 5h 5c 6s", Airplane(4, 3), ShortAirplane(5, 3)},
        {"3s 3h 3c 4s 4h 4c 5s 5h 5c 6s 7s", "3s 3h 3c 4s 4h 4c 5s 5h 5c 6s", Airplane(4, 3), std::nullopt},
    };
    for (const Case& c : cases) {
        const auto hand = Cards(c.hand), cards = Cards(c.cards);
        EXPECT_EQ(ReadPlay(hand, cards, c.to_beat), c.counts_as) << c.cards << " from " << c.hand;
        EXPECT_EQ(IsLegal(hand, cards, c.to_beat), c.counts_as.has_value()) << c.cards << " from " << c.hand;
    }
}

TEST(SimRules, PassingOnlyWhenNothingBeats) {
    struct Case {
        const char* hand;
        std::optional<Combination> to_beat;
        bool may_pass;
    };
    const Case cases[] = {
        {"3s 4s", Single(5), true},
        {"3s 6s", Single(5), false},
        {"3s 4s", std::nullopt, false},
        {"4s 4h 4c 4d 3s", Single(15), false},  // only the bomb beats the 2, so it must go
        {"4s 4h 4c 4d 3s", Bomb(5), true},
        {"5s 5h 6s 7s", Pair(5), true},
    };
    for (const Case& c : cases) {
        const auto hand = Cards(c.hand);
        EXPECT_EQ(MayPass(hand, c.to_beat), c.may_pass) << c.hand;
        EXPECT_EQ(!ChoosePlay(hand, c.to_beat).has_value(), c.may_pass) << c.hand;
    }
}

TEST(SimRules, TheLastToLayLeadsFreelyAfterTwoPasses) {
    Trick trick(1);
    EXPECT_EQ(trick.Turn(), 1);
    EXPECT_EQ(trick.ToBeat(), std::nullopt);
    trick.Lay(Single(4));
    trick.Pass();
    EXPECT_EQ(trick.Turn(), 0);
    EXPECT_EQ(trick.ToBeat(), Single(4)) << "one pass leaves the play to beat";
    trick.Lay(Single(9));
    trick.Pass();
    EXPECT_EQ(trick.ToBeat(), Single(9));
    trick.Pass();
    EXPECT_EQ(trick.Turn(), 0);
    EXPECT_EQ(trick.ToBeat(), std::nullopt) << "seat 0 laid last and leads again";
    trick.Lay(Pair(3));
    EXPECT_EQ(trick.Turn(), 1);
    EXPECT_EQ(trick.ToBeat(), Pair(3));
}

TEST(SimPlayers, LeadLowAndBeatAsLowAsPossible) {
    struct Case {
        const char* hand;
        std::optional<Combination> to_beat;
        const char* expected;
    };
    const Case cases[] = {
        {"3s 4h 5c 6d 7s 9s 9h", std::nullopt, "3s 4h 5c 6d 7s"},
        {"3s 9s 9h 9c Js Qs", std::nullopt, "3s 9s 9h 9c Js"},  // the lowest card may go as a wing
        {"3s 3h 9s 9h 9c Js Qs", std::nullopt, "3s 3h 9s 9h 9c"},
        {"3s 3h 3c 3d 5s", std::nullopt, "3s 3h"},  // the bomb is kept back
        {"5s 8h 8c Ks 2s", Single(7), "8h"},
        {"5s 5h 8h 8c Ks", Pair(4), "5s 5h"},
        {"4s 4h 4c 4d 9s Ks", Single(12), "Ks"},
        {"4s 4h 4c 4d 9s Ks", Single(15), "4s 4h 4c 4d"},
        {"6s 6h 6c 8s", std::nullopt, "6s 6h 6c 8s"},
        {"9s 9h 9c 9d", Single(5), "9s 9h 9c 9d"},  // emptying the hand comes first
    };
    for (const Case& c : cases) {
        const auto play = ChoosePlay(Cards(c.hand), c.to_beat);
        ASSERT_TRUE(play) << c.hand;
        EXPECT_EQ(play->cards, Cards(c.expected)) << c.hand;
    }
}

// The lowest-suit version of `cards` from `hand` (ascending): the form LegalMoves lists.
std::vector<CardCode> LowestSuits(const std::vector<CardCode>& hand, const std::vector<CardCode>& cards) {
    std::array<int, kTwo + 1> taken{};
    for (CardCode code : cards) ++taken[RankOf(code)];
    std::vector<CardCode> lowest;
    for (CardCode code : hand) {
        if (taken[RankOf(code)] > 0) {
            --taken[RankOf(code)];
            lowest.push_back(code);
        }
    }
    return lowest;
}

// Every subset of the hand that ReadPlay accepts on a table must be listed by
// LegalMoves (in its lowest suits, with the same reading), and nothing else.
void ExpectGeneratorMatchesSearch(const std::vector<CardCode>& hand,
                                  std::span<const std::optional<Combination>> tables) {
    std::vector<std::vector<CardCode>> combinations;
    for (std::uint32_t mask = 1; mask < (1u << hand.size()); ++mask) {
        std::vector<CardCode> cards;
        for (std::size_t i = 0; i < hand.size(); ++i) {
            if (mask & (1u << i)) cards.push_back(hand[i]);
        }
        if (!Readings(cards).empty()) combinations.push_back(std::move(cards));
    }
    for (const auto& to_beat : tables) {
        std::map<std::vector<CardCode>, Combination> searched;
        for (const auto& cards : combinations) {
            const auto reading = ReadPlay(hand, cards, to_beat);
            if (!reading) continue;
            const auto lowest = LowestSuits(hand, cards);
            EXPECT_EQ(ReadPlay(hand, lowest, to_beat), reading) << "suits changed the reading";
            searched.emplace(lowest, *reading);
        }
        std::map<std::vector<CardCode>, Combination> generated;
        for (const Play& play : LegalMoves(hand, to_beat)) {
            EXPECT_TRUE(generated.emplace(play.cards, play.combination).second) << "listed twice";
        }
        EXPECT_EQ(generated, searched);
    }
}

TEST(SimRules, GeneratorFindsExactlyWhatAnExhaustiveSearchFinds) {
    const std::optional<Combination> tables[] = {
        std::nullopt, Single(9),         Pair(7),          PairRun(6, 2), PairRun(7, 3),     Triple(6),
        Straight(8, 5), Straight(9, 6),  Airplane(5, 2),   Bomb(3),       ShortTriple(4),
    };
    // Hands rich in runs, triples and bombs, then ordinary deals cut to 12 cards.
    std::vector<std::vector<CardCode>> hands = {
        Cards("3s 3h 3c 4s 4h 4c 5s 5h 5c 6s 7s 8s"),
        Cards("6s 6h 6c 6d 7s 7h 8s 8h 9s 10s Js 2s"),
        Cards("9s 9h 9c 10s 10h 10c Js Jh Qs Ks As 2s"),
    };
    for (std::uint64_t seed = 1; seed <= 4; ++seed) {
        auto dealt = DealCards(seed)[0];
        dealt.resize(12);
        hands.push_back(dealt);
    }
    for (const auto& hand : hands) ExpectGeneratorMatchesSearch(hand, tables);
    ExpectGeneratorMatchesSearch(DealCards(7)[1], tables);  // a whole 16-card hand
}

}  // namespace
}  // namespace vantrel::sim
