// What vantrel-replay should print for hands of the stand-in's log, numbered from 1
// in the order given; a hand cut after `moves` moves has no end line. After each
// move but a hand's last, the ranks each opponent must hold when they changed.
#pragma once

#include <string>
#include <vector>

#include "sim/cards.h"
#include "sim/hand.h"
#include "support/held_by_rules.h"

namespace vantrel::testing {

inline std::vector<std::string> ReplayLinesOf(const std::vector<sim::HandRecord>& hands, std::size_t lastHandMoves = SIZE_MAX) {
    std::vector<std::string> lines;
    for (std::size_t h = 0; h < hands.size(); ++h) {
        const sim::HandRecord& hand = hands[h];
        lines.push_back("hand " + std::to_string(h + 1) + " first " + std::to_string(hand.first_seat));
        std::string held = "held left right";
        const std::size_t moves = h + 1 == hands.size() ? std::min(lastHandMoves, hand.moves.size()) : hand.moves.size();
        for (std::size_t i = 0; i < moves; ++i) {
            const sim::Move& move = hand.moves[i];
            std::string line = "move " + std::to_string(i) + " seat " + std::to_string(move.seat);
            if (move.IsPass()) line += " pass";
            // In two steps: GCC 12 at -O2 and above takes `" " + std::to_string(...)` for an
            // overlapping copy and stops the build (-Werror=restrict, a false alarm).
            for (const sim::CardCode code : move.cards) line.append(" ").append(std::to_string(sim::RankOf(code)));
            lines.push_back(line);
            if (i + 1 == hand.moves.size()) continue;  // the hand is over
            const std::string heldLine = HeldLine(*HeldByRulesAfter(hand, int(i) + 1));
            if (heldLine != held) lines.push_back(held = heldLine);
        }
        if (moves == hand.moves.size()) lines.push_back("end");
    }
    return lines;
}

}  // namespace vantrel::testing
