// One hand of the stand-in from the deal to the last card, played by the automatic
// players (sim/players.h). A hand is a pure function of its seed: the shuffle uses
// its own generator (SplitMix64) and its own bounded draw, never the standard
// library's distributions, so every compiler and standard library deals the same.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "sim/cards.h"

namespace vantrel::sim {

// Steele, Lea and Flood's SplitMix64; the same stream everywhere.
class SplitMix64 {
public:
    explicit SplitMix64(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next();
    // Uniform in 0 .. bound - 1 (bound > 0), by rejection, without modulo bias.
    std::uint64_t Below(std::uint64_t bound);

private:
    std::uint64_t state_;
};

// Each seat's cards, in ascending code order: for seat 0 the order in which its row
// is shown, left to right.
using Deal = std::array<std::vector<CardCode>, kSeats>;

// A Fisher-Yates shuffle of the deck; seat s gets cards 16 s .. 16 s + 15 of it.
Deal DealCards(std::uint64_t seed);

// The seat holding the 3 of spades, which moves first.
int FirstSeat(const Deal& deal);

struct Move {
    int seat = 0;
    std::vector<CardCode> cards;      // left to right as laid; empty for a pass
    std::array<int, kSeats> counts{};  // each seat's cards in hand after the move
    bool IsPass() const { return cards.empty(); }
    friend bool operator==(const Move&, const Move&) = default;
};

struct HandRecord {
    int hand_number = 0;
    Deal deal;
    int first_seat = 0;
    std::vector<Move> moves;  // in order; the last one empties its seat's hand
    // The seat that laid its last card: the mover of the last move (-1 when none).
    int Winner() const { return moves.empty() ? -1 : moves.back().seat; }
    friend bool operator==(const HandRecord&, const HandRecord&) = default;
};

HandRecord PlayHand(std::uint64_t seed, int hand_number = 0);

// The seed of hand `hand_index` of a series started from `series_seed`.
std::uint64_t HandSeed(std::uint64_t series_seed, int hand_index);

// Hands 0 .. count - 1 of a series: hand i is PlayHand(HandSeed(series_seed, i), i).
std::vector<HandRecord> PlayHands(std::uint64_t series_seed, int count);

}  // namespace vantrel::sim
