// FollowCheck: the whole program, on the headless backend, following seeded hands
// of the stand-in game end to end on the virtual clock, with its view compared
// with the stand-in's ground truth after every move: the visible marks of each
// rank, both count cells, the marks shown as held by each opponent (against a
// reading of its own from the game's rules, and their ranges against the true hands), the rows of the move history, the first seat and the
// seat whose move is awaited; the detail window's slots and dividers; and the
// player window's three areas whenever its replay has caught up. While the
// program holds a hand in doubt its view is not compared with the log; its doubt
// look is (no digit, no mark on its own tile, the strip shown), and from the next
// hand on everything must be exact again. Used by the end-to-end tests and by
// vantrel-soak, also with faults injected into what the program reads.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "sim/frame_source.h"
#include "sim/timeline.h"

namespace vantrel::soak {

// One hand as the program followed it.
struct HandReport {
    static constexpr int kNoDoubt = -2;
    int differences = 0;
    // The first state that showed the doubt, named by the last move it showed (-1
    // the deal), and whether every later state of the hand showed it too.
    int doubtFrom = kNoDoubt;
    bool doubtToTheEnd = false;
};

struct FollowResult {
    int hands = 0;
    int moves = 0;
    std::array<int, 3> winsBySeat{};  // which seat played out, hand by hand
    std::int64_t simulatedMs = 0;
    int detailChecks = 0;  // states in which the detail window was compared
    int replayChecks = 0;  // ... and the player window, its replay caught up
    int doubts = 0;  // hands that showed the doubt
    // Who holds what, after every move outside doubt: readings whose range leaves
    // out an opponent's true holding of a rank, hands whose reading stopped, the
    // held marks shown (summed over the states), and hands that showed an
    // opponent's certain bomb.
    int unsoundReadings = 0;
    int heldStopped = 0;
    std::int64_t heldMarks = 0;
    int heldStates = 0;
    int certainBombHands = 0;
    // Each names its seed, hand and move, and what differed.
    std::vector<std::string> differences;
    std::vector<HandReport> hands_followed;
};

// What the program reads of the game in place of the stand-in's clean table: the
// states drawn, moments when the client area is empty (the game minimised) and
// moments when the window goes mid-tick. Each left empty is the stand-in's own.
struct GameFeed {
    sim::FrameSource::StateOfChange states;
    std::function<bool(std::int64_t nowMs)> emptyAt;
    platform::headless::LossSchedule lossAt;
};

// Plays `hands` hands of the series `seed` at the stand-in's settings and follows
// them. `onHand` (optional) hears of each finished hand, for progress output.
FollowResult FollowSeries(std::uint64_t seed, int hands, const sim::TimelineSettings& settings,
                          const std::function<void(const FollowResult&)>& onHand = {});
// The same for a timeline made by the caller (the series `seed`), read through `feed`.
FollowResult FollowTimeline(std::uint64_t seed, const sim::Timeline& timeline, const GameFeed& feed,
                            const std::function<void(const FollowResult&)>& onHand = {});

}  // namespace vantrel::soak
