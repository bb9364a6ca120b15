// The ground-truth log of the stand-in: every hand it plays, one line per event, in
// plain ASCII, so that tests can hold the program's view of a hand against what
// was really played. FormatHandLog writes one hand; a log is any number of hands one
// after another. ParseHandLog reads a whole log back into the same records.
//
// Format, one event per line, fields separated by single spaces, seats 0..2, card
// codes 1..47 and 49 (sim/cards.h):
//
//   deal <hand#> seat0 <16 codes> | seat1 <16 codes> | seat2 <16 codes>
//   first <seat>
//   move <seat> play <codes...> counts <c0> <c1> <c2>
//   move <seat> pass counts <c0> <c1> <c2>
//   end <winner seat>
//
// - deal opens a hand. Each seat's codes are in ascending order, which for seat 0 is
//   its row on the table from left to right.
// - first names the seat that makes the first move.
// - move is one turn, in turn order: the seat, then the codes it lays in the order
//   they lie on the table, left to right (ascending), or pass; then every seat's
//   number of cards in hand after the move.
// - end closes the hand; the winner is the seat of the last move, whose count is 0.
//
// Example:
//   deal 0 seat0 1 2 3 ... | seat1 5 9 ... | seat2 8 12 ...
//   first 0
//   move 0 play 1 2 counts 14 16 16
//   move 1 pass counts 14 16 16
//   ...
//   end 2
//
// The reader accepts "\n" or "\r\n" line ends and skips blank lines.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/hand.h"

namespace vantrel::sim {

std::string FormatHandLog(const HandRecord& hand);

// The hands of a log, or none when it is malformed: then `error`, if given, says
// which line and why ("line 7: ...").
std::optional<std::vector<HandRecord>> ParseHandLog(std::string_view text, std::string* error = nullptr);

}  // namespace vantrel::sim
