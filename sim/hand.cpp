#include "sim/hand.h"

#include <algorithm>
#include <cassert>
#include <utility>

#include "sim/players.h"
#include "sim/rules.h"

namespace vantrel::sim {

std::uint64_t SplitMix64::Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::uint64_t SplitMix64::Below(std::uint64_t bound) {
    // Draws at or above the largest multiple of `bound` would favour small results.
    const std::uint64_t limit = UINT64_MAX - UINT64_MAX % bound;
    std::uint64_t draw = Next();
    while (draw >= limit) draw = Next();
    return draw % bound;
}

Deal DealCards(std::uint64_t seed) {
    std::array<CardCode, kDeckSize> deck = kDeck;
    SplitMix64 random(seed);
    for (std::size_t i = deck.size() - 1; i > 0; --i) {
        std::swap(deck[i], deck[random.Below(i + 1)]);
    }
    Deal deal;
    for (int seat = 0; seat < kSeats; ++seat) {
        const auto first = deck.begin() + seat * kHandSize;
        deal[seat].assign(first, first + kHandSize);
        std::sort(deal[seat].begin(), deal[seat].end());
    }
    return deal;
}

int FirstSeat(const Deal& deal) {
    for (int seat = 0; seat < kSeats; ++seat) {
        if (std::find(deal[seat].begin(), deal[seat].end(), kThreeOfSpades) != deal[seat].end()) return seat;
    }
    assert(false && "the 3 of spades is always dealt");
    return 0;
}

HandRecord PlayHand(std::uint64_t seed, int hand_number) {
    HandRecord record{.hand_number = hand_number, .deal = DealCards(seed), .first_seat = 0, .moves = {}};
    record.first_seat = FirstSeat(record.deal);
    Deal hands = record.deal;
    std::array<int, kSeats> counts;
    counts.fill(kHandSize);
    Trick trick(record.first_seat);

    // Every play sheds a card and at most two passes follow one, so a hand ends
    // well within this bound.
    constexpr int kMoveBound = 3 * kDeckSize;
    for (int n = 0; n < kMoveBound; ++n) {
        const int seat = trick.Turn();
        std::vector<CardCode>& hand = hands[seat];
        Move move{.seat = seat, .cards = {}, .counts = {}};
        if (auto play = ChoosePlay(hand, trick.ToBeat())) {
            std::erase_if(hand, [&](CardCode code) {
                return std::find(play->cards.begin(), play->cards.end(), code) != play->cards.end();
            });
            trick.Lay(play->combination);
            move.cards = std::move(play->cards);
        } else {
            trick.Pass();
        }
        counts[seat] = static_cast<int>(hand.size());
        move.counts = counts;
        record.moves.push_back(std::move(move));
        if (hand.empty()) return record;
    }
    assert(false && "a hand cannot outlast its move bound");
    return record;
}

std::uint64_t HandSeed(std::uint64_t series_seed, int hand_index) {
    // Two finalising steps keep neighbouring series and neighbouring hands apart.
    SplitMix64 series(series_seed);
    SplitMix64 hand(series.Next() ^ static_cast<std::uint64_t>(hand_index));
    return hand.Next();
}

std::vector<HandRecord> PlayHands(std::uint64_t series_seed, int count) {
    std::vector<HandRecord> hands;
    hands.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) hands.push_back(PlayHand(HandSeed(series_seed, i), i));
    return hands;
}

}  // namespace vantrel::sim
