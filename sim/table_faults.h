// Faults the stand-in can draw into a hand: what a misread, a skin the recogniser
// was not made for or a lost repaint would show the program, so that the program's
// checks and its recovery can be proven against them. A fault changes only what
// the table shows; the hand, its timeline and its ground-truth log stay true.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "sim/timeline.h"

namespace vantrel::sim {

enum class TableFault {
    kGoneRank,         // a card of a play drawn as a rank every card of which was laid before
    kUserOnlyRank,     // a card of an opponent's play drawn as a rank left only in seat 0's hand
    kDealCardMissing,  // seat 0's dealt row drawn without its eighth card, all hand long
    kExtraCard,        // a play drawn with its last card twice
    kPassDropped,      // a pass's repaint lost: the table shows the move before it until the next move
};

// Where a fault goes in one hand: the move it changes (-1 for the deal) and, for
// the faults that draw a card as another, the card drawn in the play's first place.
struct FaultSpot {
    TableFault fault = TableFault::kGoneRank;
    int move = -1;
    CardCode card = 0;
};

// The first place in `hand` where `fault` can go, never its last move, or none
// when the hand has none.
std::optional<FaultSpot> FindFaultSpot(const HandRecord& hand, TableFault fault);

// The first move from `from` on that is a pass (or a play) and is not the hand's last.
std::optional<int> FirstMove(const HandRecord& hand, int from, bool pass);

// A timeline's states with faults drawn into some of its hands.
class FaultyTable {
public:
    // `spots` by hand index (shorter than the series: the rest are clean); `timeline`
    // must outlive the table.
    FaultyTable(const Timeline& timeline, std::vector<std::optional<FaultSpot>> spots);

    // What the table shows from change `change` of the timeline until the next.
    TableState StateOf(std::size_t change) const;

private:
    const Timeline& timeline_;
    std::vector<std::optional<FaultSpot>> spots_;
};

}  // namespace vantrel::sim
