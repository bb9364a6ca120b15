// FollowCheck: the whole program, on the headless backend, following seeded hands
// of the stand-in game end to end on the virtual clock, with its view compared
// with the stand-in's ground truth after every move: the visible marks of each
// rank, both count cells, the rows of the move history, the first seat and the
// seat whose move is awaited; the detail window's slots and dividers; and the
// player window's three areas whenever its replay has caught up. Used by the
// end-to-end tests and by vantrel-soak.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "sim/timeline.h"

namespace vantrel::soak {

struct FollowResult {
    int hands = 0;
    int moves = 0;
    std::array<int, 3> winsBySeat{};  // which seat played out, hand by hand
    std::int64_t simulatedMs = 0;
    int detailChecks = 0;  // states in which the detail window was compared
    int replayChecks = 0;  // ... and the player window, its replay caught up
    // Each names its seed, hand and move, and what differed.
    std::vector<std::string> differences;
};

// Plays `hands` hands of the series `seed` at the stand-in's settings and follows
// them. `onHand` (optional) hears of each finished hand, for progress output.
FollowResult FollowSeries(std::uint64_t seed, int hands, const sim::TimelineSettings& settings,
                          const std::function<void(const FollowResult&)>& onHand = {});

}  // namespace vantrel::soak
