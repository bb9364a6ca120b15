// TableState: one moment of the stand-in's table, everything the renderer needs to
// draw a frame and nothing else. The hand's timeline is a sequence of these on a
// clock; the renderer turns each into the 800 x 600 client area that the program reads.
#pragma once

#include <array>
#include <vector>

namespace vantrel::sim {

// Card code 1..49 (no 48): (rank - 3) * 4 + suit for 3..A, 49 for the one 2.
// Rank 3..10, J 11, Q 12, K 13, A 14, 2 15; suit 1 spades, 2 hearts, 3 clubs, 4 diamonds.
using CardCode = int;

constexpr int kSeats = 3;

struct SeatArea {
    std::vector<CardCode> laid;  // the seat's latest play, left to right as drawn; empty when none
    bool pass_sign = false;      // the seat's latest move is a pass, and its next turn has not begun

    friend bool operator==(const SeatArea&, const SeatArea&) = default;
};

struct TableState {
    bool in_hand = false;           // from the deal to the end of the hand: the hand-start signs show
    int first_mover_sign = -1;      // seat whose first-mover sign is lit, or -1
    std::vector<CardCode> own_row;  // seat 0's cards still in hand, left to right
    std::array<SeatArea, kSeats> areas;

    friend bool operator==(const TableState&, const TableState&) = default;
};

}  // namespace vantrel::sim
