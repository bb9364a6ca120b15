// The stand-in's clock checked against the hands it lays out: every screen rule
// the program's probes rely on, stated here from the hand records alone (not by
// replaying the timeline's own bookkeeping), across a few hundred hands and
// several clock settings; and the headless frame source that draws it.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

#include "sim/frame_source.h"
#include "sim/hand_log.h"
#include "sim/table_renderer.h"
#include "sim/timeline.h"

namespace vantrel::sim {

void PrintTo(const TableState& state, std::ostream* out) {
    *out << "{in_hand " << state.in_hand << ", sign " << state.first_mover_sign << ", own_row " << state.own_row.size()
         << " cards";
    for (int seat = 0; seat < kSeats; ++seat) {
        *out << ", seat" << seat << (state.areas[seat].pass_sign ? " pass" : "");
        for (CardCode code : state.areas[seat].laid) *out << ' ' << code;
    }
    *out << '}';
}

namespace {

SeatArea AreaOf(const Move& move) { return SeatArea{.laid = move.cards, .pass_sign = move.IsPass()}; }

// Seat 0's dealt cards less what it has laid in moves 0 .. through - 1.
std::vector<CardCode> OwnRowBefore(const HandRecord& hand, std::size_t through) {
    std::vector<CardCode> row = hand.deal[0];
    for (std::size_t k = 0; k < through; ++k) {
        if (hand.moves[k].seat != 0) continue;
        for (CardCode code : hand.moves[k].cards) std::erase(row, code);
    }
    return row;
}

// Each move's time since the previous change, through the series.
std::vector<std::int64_t> ThinkTimes(const Timeline& timeline) {
    std::vector<std::int64_t> thinks;
    for (const HandTimes& times : timeline.hand_times()) {
        std::int64_t previous = times.sign_ms;
        for (std::int64_t at : times.move_ms) thinks.push_back(at - std::exchange(previous, at));
    }
    return thinks;
}

struct ClockCase {
    const char* name;
    TimelineSettings settings;
};

const ClockCase kClocks[] = {
    {"defaults", TimelineSettings{}},
    {"fast", TimelineSettings{.think_min_ms = 5, .think_max_ms = 9, .deal_ms = 3, .final_play_ms = 4, .pause_ms = 6}},
    {"fixed think", TimelineSettings{.think_min_ms = 1, .think_max_ms = 1, .deal_ms = 1, .final_play_ms = 1, .pause_ms = 1}},
};

class TimelineRules : public testing::TestWithParam<ClockCase> {};

TEST_P(TimelineRules, EveryHandHonoursTheScreenRules) {
    const TimelineSettings& settings = GetParam().settings;
    constexpr int kHands = 300;
    const Timeline timeline(20240601, kHands, settings);
    ASSERT_EQ(timeline.hands().size(), static_cast<std::size_t>(kHands));
    ASSERT_EQ(timeline.hand_times().size(), timeline.hands().size());

    const auto& changes = timeline.changes();
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.front().time_ms, 0);
    EXPECT_EQ(changes.front().state, TableState{});
    for (std::size_t i = 1; i < changes.size(); ++i) {
        ASSERT_GT(changes[i].time_ms, changes[i - 1].time_ms) << i;
        ASSERT_NE(changes[i].state, changes[i - 1].state) << i;
    }

    // One change for the deal, the sign, each move and the clearing: with the
    // checks at each of those times below, nothing else can change in between.
    std::size_t events = 1;
    std::set<int> think_times;
    std::int64_t cleared = 0;
    for (std::size_t h = 0; h < timeline.hands().size(); ++h) {
        SCOPED_TRACE(testing::Message() << "hand " << h);
        const HandRecord& hand = timeline.hands()[h];
        const HandTimes& times = timeline.hand_times()[h];
        ASSERT_EQ(times.move_ms.size(), hand.moves.size());
        events += 3 + hand.moves.size();

        EXPECT_EQ(times.deal_ms, cleared + settings.pause_ms);
        EXPECT_EQ(timeline.StateAt(cleared), TableState{});
        EXPECT_EQ(timeline.StateAt(times.deal_ms - 1), TableState{});

        TableState dealt{.in_hand = true, .first_mover_sign = -1, .own_row = hand.deal[0], .areas = {}};
        EXPECT_EQ(timeline.StateAt(times.deal_ms), dealt);
        EXPECT_EQ(timeline.StateAt(times.sign_ms - 1), dealt);
        EXPECT_EQ(times.sign_ms, times.deal_ms + settings.deal_ms);
        dealt.first_mover_sign = hand.first_seat;
        EXPECT_EQ(timeline.StateAt(times.sign_ms), dealt);

        std::int64_t previous = times.sign_ms;
        for (std::size_t k = 0; k < hand.moves.size(); ++k) {
            SCOPED_TRACE(testing::Message() << "move " << k);
            const Move& move = hand.moves[k];
            const std::int64_t at = times.move_ms[k];
            const int think = static_cast<int>(at - previous);
            EXPECT_GE(think, settings.think_min_ms);
            EXPECT_LE(think, settings.think_max_ms);
            think_times.insert(think);

            // Until the move, its seat's area is empty and the sign is lit only
            // while the first move is awaited.
            const TableState& before = timeline.StateAt(at - 1);
            EXPECT_EQ(before.areas[move.seat], SeatArea{});
            EXPECT_EQ(before.first_mover_sign, k == 0 ? hand.first_seat : -1);
            if (k == 0) {
                EXPECT_EQ(move.seat, hand.first_seat);
            }

            // At the move: the mover shows it, the previous seat still shows its
            // own move, the next seat is cleared. Turns go 0 -> 1 -> 2, so this
            // is the whole table.
            const int next = (move.seat + 1) % kSeats;
            const int prior = (move.seat + kSeats - 1) % kSeats;
            TableState expected{.in_hand = true, .first_mover_sign = -1, .own_row = OwnRowBefore(hand, k + 1), .areas = {}};
            expected.areas[move.seat] = AreaOf(move);
            if (k > 0) expected.areas[prior] = AreaOf(hand.moves[k - 1]);
            const TableState& shown = timeline.StateAt(at);
            EXPECT_EQ(shown, expected);
            EXPECT_EQ(shown.areas[next], SeatArea{});
            previous = at;
        }

        const TableState& final_play = timeline.StateAt(previous);
        EXPECT_EQ(timeline.StateAt(previous + settings.final_play_ms - 1), final_play);
        EXPECT_EQ(times.cleared_ms, previous + settings.final_play_ms);
        EXPECT_EQ(timeline.StateAt(times.cleared_ms), TableState{});
        cleared = times.cleared_ms;
    }
    EXPECT_EQ(changes.size(), events);
    EXPECT_EQ(timeline.end_ms(), cleared);
    EXPECT_EQ(timeline.StateAt(cleared + 1'000'000), TableState{});

    // Every think time in the range turns up, the bounds included.
    EXPECT_EQ(*think_times.begin(), settings.think_min_ms);
    EXPECT_EQ(*think_times.rbegin(), settings.think_max_ms);
    if (settings.think_max_ms - settings.think_min_ms < 10) {
        EXPECT_EQ(think_times.size(), static_cast<std::size_t>(settings.think_max_ms - settings.think_min_ms + 1));
    }
}

INSTANTIATE_TEST_SUITE_P(Clocks, TimelineRules, testing::ValuesIn(kClocks),
                         [](const testing::TestParamInfo<ClockCase>& clock) {
                             std::string name = clock.param.name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

TEST(TimelineLog, LinesAreTheHandLogEachTimedByTheEventItStates) {
    const TimelineSettings settings{.think_min_ms = 7, .think_max_ms = 40, .deal_ms = 5, .final_play_ms = 9, .pause_ms = 11};
    const Timeline timeline(77, 40, settings);

    std::string expected_text;
    for (const HandRecord& hand : timeline.hands()) expected_text += FormatHandLog(hand);
    std::string text;
    for (const LogLine& line : timeline.log_lines()) text += line.text;
    ASSERT_EQ(text, expected_text);
    std::string error;
    const auto parsed = ParseHandLog(text, &error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(*parsed, timeline.hands());

    // Per hand: deal and first at the deal, move k at its move, end with the last.
    std::size_t line = 0;
    for (std::size_t h = 0; h < timeline.hands().size(); ++h) {
        const HandTimes& times = timeline.hand_times()[h];
        const auto& lines = timeline.log_lines();
        ASSERT_LT(line + 2 + times.move_ms.size(), lines.size());
        EXPECT_TRUE(lines[line].text.starts_with("deal "));
        EXPECT_EQ(lines[line++].time_ms, times.deal_ms);
        EXPECT_TRUE(lines[line].text.starts_with("first "));
        EXPECT_EQ(lines[line++].time_ms, times.deal_ms);
        for (std::int64_t move_ms : times.move_ms) {
            EXPECT_TRUE(lines[line].text.starts_with("move "));
            EXPECT_EQ(lines[line++].time_ms, move_ms);
        }
        EXPECT_TRUE(lines[line].text.starts_with("end "));
        EXPECT_EQ(lines[line++].time_ms, times.move_ms.back());
    }
    EXPECT_EQ(line, timeline.log_lines().size());
}

TEST(TimelineLookup, StateAtAgreesWithALinearScanAnywhere) {
    const Timeline timeline(5, 6, TimelineSettings{});
    const auto& changes = timeline.changes();
    auto scan = [&](std::int64_t t) {
        std::size_t index = 0;
        while (index + 1 < changes.size() && changes[index + 1].time_ms <= t) ++index;
        return index;
    };
    std::vector<std::int64_t> probes = {-5, -1, 0, 1, timeline.end_ms() - 1, timeline.end_ms(), timeline.end_ms() + 1};
    for (const TimedState& change : changes) {
        probes.insert(probes.end(), {change.time_ms - 1, change.time_ms, change.time_ms + 1});
    }
    SplitMix64 random(99);
    for (int i = 0; i < 2000; ++i) probes.push_back(static_cast<std::int64_t>(random.Below(timeline.end_ms() + 500)));
    for (std::int64_t t : probes) {
        ASSERT_EQ(timeline.ChangeIndexAt(t), scan(t)) << "t = " << t;
        EXPECT_EQ(&timeline.StateAt(t), &changes[scan(t)].state);
    }
}

TEST(TimelineSeed, SameSeedSameTimelineAndTheClockNeverChangesThePlay) {
    const TimelineSettings fast{.think_min_ms = 2, .think_max_ms = 30, .deal_ms = 3, .final_play_ms = 4, .pause_ms = 5};
    const Timeline first(123, 20, fast);
    const Timeline again(123, 20, fast);
    ASSERT_EQ(first.changes().size(), again.changes().size());
    for (std::size_t i = 0; i < first.changes().size(); ++i) {
        ASSERT_EQ(first.changes()[i].time_ms, again.changes()[i].time_ms);
        ASSERT_EQ(first.changes()[i].state, again.changes()[i].state);
    }
    EXPECT_EQ(first.hands(), PlayHands(123, 20));

    const Timeline slower(123, 20, TimelineSettings{});
    EXPECT_EQ(slower.hands(), first.hands());

    const Timeline other(124, 20, fast);
    EXPECT_NE(other.hands(), first.hands());
    EXPECT_NE(ThinkTimes(other), ThinkTimes(first));
}

TEST(TimelineSeries, NoHandsIsOneBetweenHandsScreen) {
    const Timeline timeline(1, 0, TimelineSettings{});
    ASSERT_EQ(timeline.changes().size(), 1u);
    EXPECT_EQ(timeline.StateAt(123456), TableState{});
    EXPECT_TRUE(timeline.log_lines().empty());
}

TEST(TimelineSettingsCheck, EverySpanMustBePositiveAndTheRangeOrdered) {
    struct Case {
        TimelineSettings settings;
        bool ok;
    };
    const Case cases[] = {
        {TimelineSettings{}, true},
        {TimelineSettings{.think_min_ms = 1, .think_max_ms = 1, .deal_ms = 1, .final_play_ms = 1, .pause_ms = 1}, true},
        {TimelineSettings{.think_min_ms = 0}, false},
        {TimelineSettings{.think_min_ms = 900, .think_max_ms = 899}, false},
        {TimelineSettings{.deal_ms = 0}, false},
        {TimelineSettings{.final_play_ms = -1}, false},
        {TimelineSettings{.pause_ms = 0}, false},
        {TimelineSettings{.think_max_ms = 2'000'000'000}, false},
    };
    for (const Case& c : cases) {
        const auto problem = SettingsProblem(c.settings);
        EXPECT_EQ(!problem.has_value(), c.ok) << problem.value_or("no problem");
    }
}

TEST(SeriesOptions, AppliesTheSharedKnobsAndRejectsBadValues) {
    struct Case {
        std::string_view name, value;
        OptionResult result;
    };
    const Case cases[] = {
        {"--seed", "18446744073709551615", OptionResult::kApplied},
        {"--seed", "18446744073709551616", OptionResult::kBadValue},
        {"--seed", "-1", OptionResult::kBadValue},
        {"--seed", "+1", OptionResult::kBadValue},
        {"--seed", "", OptionResult::kBadValue},
        {"--hands", "12", OptionResult::kApplied},
        {"--hands", "12x", OptionResult::kBadValue},
        {"--hands", "999999999", OptionResult::kBadValue},
        {"--think-ms", "20-30", OptionResult::kApplied},
        {"--think-ms", "30-20", OptionResult::kBadValue},
        {"--think-ms", "0-20", OptionResult::kBadValue},
        {"--think-ms", "20", OptionResult::kBadValue},
        {"--think-ms", "20-", OptionResult::kBadValue},
        {"--think-ms", "-20", OptionResult::kBadValue},
        {"--deal-ms", "0", OptionResult::kBadValue},
        {"--deal-ms", "15", OptionResult::kApplied},
        {"--final-ms", "16", OptionResult::kApplied},
        {"--pause-ms", "17", OptionResult::kApplied},
        {"--pause-ms", " 17", OptionResult::kBadValue},
        {"--log", "x.log", OptionResult::kNotSeriesOption},
    };
    SeriesOptions options;
    for (const Case& c : cases) {
        EXPECT_EQ(ApplySeriesOption(c.name, c.value, options), c.result) << c.name << ' ' << c.value;
    }
    EXPECT_EQ(options.seed, 18446744073709551615ULL);
    EXPECT_EQ(options.hands, 12);
    EXPECT_EQ(options.settings.think_min_ms, 20);
    EXPECT_EQ(options.settings.think_max_ms, 30);
    EXPECT_EQ(options.settings.deal_ms, 15);
    EXPECT_EQ(options.settings.final_play_ms, 16);
    EXPECT_EQ(options.settings.pause_ms, 17);
    EXPECT_FALSE(SettingsProblem(options.settings));
}

}  // namespace
}  // namespace vantrel::sim

namespace vantrel::sim {
namespace {

TEST(FrameSource, OneFrameShowsTheStateAtEveryTimeAskedForwardsOrBack) {
    const TimelineSettings settings{.think_min_ms = 10, .think_max_ms = 20, .deal_ms = 5, .final_play_ms = 7, .pause_ms = 9};
    const Timeline timeline(31, 2, settings);
    FrameSource frames(timeline);
    const HandTimes& first = timeline.hand_times()[0];
    const HandTimes& second = timeline.hand_times()[1];

    const base::Image& opening = frames.FrameAt(-100);
    EXPECT_EQ(opening, RenderTable(TableState{}));
    // Forwards through the first hand's moves, then back to its deal, then a jump
    // into the second hand: every time shows its own state in the one frame.
    std::vector<std::int64_t> times = {first.deal_ms, first.sign_ms};
    for (std::int64_t move : first.move_ms) times.insert(times.end(), {move, move + 1});
    times.insert(times.end(), {first.cleared_ms, first.deal_ms, first.move_ms[4], second.move_ms[3], first.sign_ms,
                               second.cleared_ms + 50});
    for (std::int64_t t : times) {
        const base::Image& frame = frames.FrameAt(t);
        EXPECT_EQ(&frame, &opening) << t;
        EXPECT_EQ(frame, RenderTable(timeline.StateAt(t))) << t;
    }
}

}  // namespace
}  // namespace vantrel::sim
