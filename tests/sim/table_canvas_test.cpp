// The canvas that redraws only what changed, held to the full renderer pixel for
// pixel: through whole seeded series change by change, and in random jumps between
// random tables, where every piece (each seat's cards, the own row, the signs, the
// deck and lamp) appears, vanishes and overlaps the others in every combination.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "sim/hand.h"
#include "sim/table_layout.h"
#include "sim/table_renderer.h"
#include "sim/timeline.h"

namespace vantrel::sim {
namespace {

// Where two frames first differ, for a readable failure.
std::string FirstDifference(const base::Image& got, const base::Image& want) {
    if (got.width() != want.width() || got.height() != want.height()) return "the sizes differ";
    for (int y = 0; y < want.height(); ++y)
        for (int x = 0; x < want.width(); ++x)
            if (got.at(x, y) != want.at(x, y))
                return "first at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
    return "none";
}

void ExpectShowsLikeAFullRedraw(TableCanvas& canvas, const TableState& state, const std::string& when) {
    const base::Image& frame = canvas.Show(state);
    const base::Image full = RenderTable(state);
    EXPECT_TRUE(frame == full) << when << ": the canvas differs from a full redraw, " << FirstDifference(frame, full);
    EXPECT_EQ(canvas.shown(), state) << when;
}

TEST(TableCanvas, StartsOnTheEmptyTable) {
    const TableCanvas canvas;
    EXPECT_EQ(canvas.frame(), RenderTable(TableState{}));
}

TEST(TableCanvas, FollowsSeededSeriesChangeByChange) {
    struct Series {
        std::uint64_t seed;
        int hands;
    };
    for (const Series series : {Series{1, 3}, Series{77, 3}, Series{4242, 2}, Series{900001, 2}}) {
        const Timeline timeline(series.seed, series.hands, TimelineSettings{});
        TableCanvas canvas;
        for (std::size_t i = 0; i < timeline.changes().size(); ++i)
            ExpectShowsLikeAFullRedraw(canvas, timeline.changes()[i].state,
                                       "seed " + std::to_string(series.seed) + " change " + std::to_string(i));
    }
}

// A random table: any mix of deal state, sign, own row and plays, up to each row's
// capacity, with pass signs over cards too (the renderer draws any state).
TableState RandomTable(SplitMix64& random) {
    auto cards = [&](int most) {
        std::vector<CardCode> row(random.Below(static_cast<std::uint64_t>(most) + 1));
        for (CardCode& code : row) {
            code = static_cast<CardCode>(random.Below(48)) + 1;
            if (code == 48) code = 49;
        }
        return row;
    };
    TableState state;
    state.in_hand = random.Below(2) == 1;
    state.first_mover_sign = static_cast<int>(random.Below(4)) - 1;
    state.own_row = cards(layout::kOwnRowCapacity);
    for (int seat = 0; seat < kSeats; ++seat) {
        SeatArea& area = state.areas[static_cast<std::size_t>(seat)];
        // Often empty, as most seats' areas are at any one time.
        if (random.Below(3) != 0) area.laid = cards(layout::kPlayCapacity[static_cast<std::size_t>(seat)]);
        area.pass_sign = random.Below(3) == 0;
    }
    return state;
}

// Each step changes a few pieces of the table shown, or jumps to a new table.
TEST(TableCanvas, AgreesWithAFullRedrawAcrossRandomChanges) {
    SplitMix64 random(0x7461626C65ULL);
    TableCanvas canvas;
    TableState state;
    for (int step = 0; step < 400; ++step) {
        const TableState other = RandomTable(random);
        if (random.Below(4) == 0) {
            state = other;
        } else {
            switch (random.Below(5)) {
                case 0: state.in_hand = other.in_hand; break;
                case 1: state.first_mover_sign = other.first_mover_sign; break;
                case 2: state.own_row = other.own_row; break;
                default: {
                    const auto seat = static_cast<std::size_t>(random.Below(kSeats));
                    state.areas[seat] = other.areas[seat];
                }
            }
        }
        ExpectShowsLikeAFullRedraw(canvas, state, "step " + std::to_string(step));
        if (HasFailure()) return;
    }
}

TEST(TableCanvas, ABadCardLeavesTheFrameAsItWas) {
    TableCanvas canvas;
    TableState dealt;
    dealt.in_hand = true;
    dealt.own_row = {1, 5, 9, 49};
    canvas.Show(dealt);
    TableState bad = dealt;
    bad.areas[1].laid = {3, 50};
    EXPECT_THROW(canvas.Show(bad), std::invalid_argument);
    EXPECT_EQ(canvas.shown(), dealt);
    EXPECT_EQ(canvas.frame(), RenderTable(dealt));
    ExpectShowsLikeAFullRedraw(canvas, TableState{}, "after the bad card");
}

}  // namespace
}  // namespace vantrel::sim
