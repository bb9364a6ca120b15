// Cards of the stand-in game: ranks, suits and the 48-card deck. A card is its code
// (CardCode, sim/table_state.h). Codes rise with rank and, within a rank, with suit,
// so a row of cards sorted by ascending code is exactly the left-to-right order in
// which the table shows it: ranks ascending, then spades, hearts, clubs, diamonds.
#pragma once

#include <array>

#include "sim/table_state.h"

namespace vantrel::sim {

using Rank = int;  // 3..10, J 11, Q 12, K 13, A 14, 2 15
using Suit = int;  // 1 spades, 2 hearts, 3 clubs, 4 diamonds

constexpr Rank kLowestRank = 3;
constexpr Rank kAce = 14;
constexpr Rank kTwo = 15;  // the highest rank; the deck holds one 2, the 2 of spades
constexpr CardCode kThreeOfSpades = 1;
constexpr CardCode kTwoOfSpades = 49;
constexpr int kDeckSize = 48;
constexpr int kHandSize = 16;
static_assert(kSeats * kHandSize == kDeckSize);

constexpr Rank RankOf(CardCode code) { return (code - 1) / 4 + kLowestRank; }
constexpr Suit SuitOf(CardCode code) { return (code - 1) % 4 + 1; }
constexpr CardCode CodeOf(Rank rank, Suit suit) { return (rank - kLowestRank) * 4 + suit; }

// True for the 48 codes of the deck: 1..47 and 49 (there is no ace of diamonds).
constexpr bool IsCardCode(CardCode code) {
    return (code >= 1 && code <= CodeOf(kAce, 3)) || code == kTwoOfSpades;
}

// The deck in ascending code order.
constexpr std::array<CardCode, kDeckSize> MakeDeck() {
    std::array<CardCode, kDeckSize> deck{};
    int n = 0;
    for (CardCode code = 1; code <= kTwoOfSpades; ++code) {
        if (IsCardCode(code)) deck[n++] = code;
    }
    return deck;
}
inline constexpr std::array<CardCode, kDeckSize> kDeck = MakeDeck();
static_assert(kDeck.back() == kTwoOfSpades && RankOf(kTwoOfSpades) == kTwo);

}  // namespace vantrel::sim
