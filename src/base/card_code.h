// Card codes, the one numbering of cards that the whole system shares: the game's
// rows are read into codes, the main window's grid has one mark per code, and the
// stand-in deals codes. Code = (rank - 3) * 4 + suit, so codes rise with rank and,
// within a rank, with suit. The deck is 48 cards: four of each rank 3..K (codes
// 1..44), three aces (45..47; there is no 48) and one 2, the 2 of spades (49).
#pragma once

#include <cstdint>

namespace vantrel::cards {

using Rank = int;  // 3..10, J 11, Q 12, K 13, A 14, 2 15
using Suit = int;  // 1 spades, 2 hearts, 3 clubs, 4 diamonds

constexpr Rank kLowestRank = 3;
constexpr Rank kAce = 14;
constexpr Rank kTwo = 15;
constexpr int kTwoOfSpades = 49;

// A pass where a move's ranks are written: no card code and no rank, so that a
// pass never matches a card.
constexpr std::int16_t PassMark = 9455;

struct Card {
    Rank rank = 0;
    Suit suit = 0;
    friend constexpr bool operator==(Card, Card) = default;
};

constexpr Rank RankOf(int code) { return (code - 1) / 4 + kLowestRank; }
constexpr Suit SuitOf(int code) { return (code - 1) % 4 + 1; }
constexpr Card CardOf(int code) { return {RankOf(code), SuitOf(code)}; }
constexpr int CodeOf(Rank rank, Suit suit) { return (rank - kLowestRank) * 4 + suit; }

// Cards of a rank in the deck: four, the ace three, the 2 one.
constexpr int DeckCount(Rank rank) { return rank == kTwo ? 1 : rank == kAce ? 3 : 4; }

// True for the 48 codes of the deck: 1..47 and 49.
constexpr bool IsCardCode(int code) { return (code >= 1 && code <= CodeOf(kAce, 3)) || code == kTwoOfSpades; }

static_assert(CardOf(kTwoOfSpades) == Card{kTwo, 1});
static_assert(CardOf(CodeOf(kAce, 3)) == Card{kAce, 3} && !IsCardCode(48));
static_assert(!IsCardCode(PassMark) && RankOf(PassMark) > kTwo);

}  // namespace vantrel::cards
