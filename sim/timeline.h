// The stand-in's clock: a series of hands laid out as screen states in time. Each
// change point holds its TableState until the next one, so a front end only has to
// ask "what is on the table at t?" (StateAt) and draw it.
//
// What the states promise, hand by hand (the program's probes rely on each):
// - before a deal, and from the moment a finished hand's screen goes until the
//   next deal, `in_hand` is false and nothing else is drawn;
// - from the deal to the end of the hand `in_hand` is true and `own_row` is seat
//   0's cards still in hand, in dealt order;
// - no first-mover sign shows for the first `deal_ms` after the deal; then the
//   first mover's sign is lit until, and off in the very change point of, its
//   first move;
// - a move shows at once in its seat's area (its cards, or the pass sign), and
//   the same change point clears the next seat's area, so nothing laid is ever
//   seen twice; the next seat's think time starts there;
// - the play that empties a hand stays for `final_play_ms`, then the table is
//   between hands for `pause_ms`, then the next deal.
// The series opens with one `pause_ms` between hands before the first deal, and
// after the last hand stays between hands for good. Change times strictly
// increase; everything is a pure function of the series seed and the settings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/hand.h"
#include "sim/table_state.h"

namespace vantrel::sim {

struct TimelineSettings {
    // Each move comes this long after the previous change: uniform in
    // think_min_ms..think_max_ms, drawn from the timeline's own stream so that the
    // hands themselves do not depend on it.
    int think_min_ms = 600;
    int think_max_ms = 1500;
    int deal_ms = 800;         // from the deal to the first-mover sign
    int final_play_ms = 1000;  // the hand's last play stays this long
    int pause_ms = 3000;       // between hands, with the hand-start signs off
};

// Why `settings` cannot make a timeline (every span must be at least 1 ms so that
// change times strictly increase), or nothing when it can.
std::optional<std::string> SettingsProblem(const TimelineSettings& settings);

struct TimedState {
    std::int64_t time_ms = 0;
    TableState state;
};

// The times at which one hand's events appear.
struct HandTimes {
    std::int64_t deal_ms = 0;
    std::int64_t sign_ms = 0;             // the first-mover sign lights
    std::vector<std::int64_t> move_ms;    // one per HandRecord::moves entry
    std::int64_t cleared_ms = 0;          // the hand's screen goes
};

// One line of the ground-truth log (with its "\n") and the time from which it is
// true on screen: the deal and first-mover lines at the deal, each move's line at
// its move, the end line with the final play.
struct LogLine {
    std::int64_t time_ms = 0;
    std::string text;
};

class Timeline {
public:
    // Plays hands 0 .. hand_count - 1 of the series (PlayHands) and lays them out.
    // `settings` must pass SettingsProblem; hand_count may be 0.
    Timeline(std::uint64_t series_seed, int hand_count, const TimelineSettings& settings);

    const std::vector<TimedState>& changes() const { return changes_; }
    const std::vector<HandRecord>& hands() const { return hands_; }
    const std::vector<HandTimes>& hand_times() const { return hand_times_; }
    const std::vector<LogLine>& log_lines() const { return log_lines_; }

    // The index in changes() of the state shown at `time_ms`; times before the
    // first change show the first state.
    std::size_t ChangeIndexAt(std::int64_t time_ms) const;
    const TableState& StateAt(std::int64_t time_ms) const { return changes_[ChangeIndexAt(time_ms)].state; }
    // The last change: from here on the table stays between hands.
    std::int64_t end_ms() const { return changes_.back().time_ms; }

private:
    std::vector<HandRecord> hands_;
    std::vector<HandTimes> hand_times_;
    std::vector<TimedState> changes_;
    std::vector<LogLine> log_lines_;
};

// The command-line knobs that both front ends share: which hands, and the clock.
struct SeriesOptions {
    std::uint64_t seed = 1;
    int hands = 1;
    TimelineSettings settings;
};

enum class OptionResult { kApplied, kBadValue, kNotSeriesOption };

// Applies "--seed N", "--hands K", "--think-ms A-B", "--deal-ms N",
// "--final-ms N" or "--pause-ms N" to `options`. Any other name is left to the
// caller (kNotSeriesOption). Values are plain decimal, with no sign.
OptionResult ApplySeriesOption(std::string_view name, std::string_view value, SeriesOptions& options);

// A whole string of decimal digits as a number no greater than `max`.
std::optional<std::int64_t> ParseDecimal(std::string_view text, std::int64_t max);

inline constexpr std::string_view kSeriesOptionsUsage =
    "  --seed N         series seed (default 1)\n"
    "  --hands K        hands to play (default 1)\n"
    "  --think-ms A-B   think time per move, ms (default 600-1500)\n"
    "  --deal-ms N      deal shown before the first-mover sign, ms (default 800)\n"
    "  --final-ms N     the last play of a hand stays, ms (default 1000)\n"
    "  --pause-ms N     between hands, ms (default 3000)\n";

}  // namespace vantrel::sim
