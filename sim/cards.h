// Cards of the stand-in game: ranks, suits and the 48-card deck. A card is its code
// (CardCode, sim/table_state.h). Codes rise with rank and, within a rank, with suit,
// so a row of cards sorted by ascending code is exactly the left-to-right order in
// which the table shows it: ranks ascending, then spades, hearts, clubs, diamonds.
#pragma once

#include <array>

#include "base/card_code.h"
#include "sim/table_state.h"

namespace vantrel::sim {

using cards::Rank;
using cards::Suit;
using cards::kLowestRank;
using cards::kAce;
using cards::kTwo;  // the highest rank; the deck holds one 2, the 2 of spades
using cards::kTwoOfSpades;
using cards::RankOf;
using cards::SuitOf;
using cards::CodeOf;
using cards::IsCardCode;
using cards::DeckCount;
constexpr CardCode kThreeOfSpades = 1;
constexpr int kDeckSize = 48;
constexpr int kHandSize = 16;
static_assert(kSeats * kHandSize == kDeckSize);

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
