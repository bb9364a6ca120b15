// The rendered table read the way the program reads it: the hand-start, first-mover
// and pass probes against their bands, each play area's scan and downward walk, and
// every row of cards walked and decoded through the fixed glyph and suit probes.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "support/card_probes.h"
#include "sim/table_renderer.h"
#include "base/png.h"

namespace vantrel::test {
namespace {

using sim::TableState;

// --- Bands, as the program tests them (all strict) -----------------------------

enum class Channel { kB, kG, kR };
struct Clause {
    Channel channel;
    bool below;  // value < bound, else value > bound
    int bound;
};
struct Band {
    std::string_view name;
    std::vector<Clause> clauses;
};

const Band kDealBand{"deal (400,192)", {{Channel::kB, false, 80}, {Channel::kB, true, 150}, {Channel::kR, true, 20}}};
const Band kDealLampBand{"deal lamp (785,591)",
                         {{Channel::kB, false, 120}, {Channel::kB, true, 180}, {Channel::kG, false, 110},
                          {Channel::kR, true, 175}}};
const Band kFirstSeatBand{"first mover",
                          {{Channel::kB, false, 20}, {Channel::kB, true, 90}, {Channel::kG, false, 170},
                           {Channel::kG, true, 230}, {Channel::kR, false, 220}}};
const Band kPassBand{"pass",
                     {{Channel::kG, false, 170}, {Channel::kB, true, 70}, {Channel::kG, true, 230},
                      {Channel::kR, false, 230}}};

// The least margin we accept on either side of a band.
constexpr int kBandMargin = 20;

int Value(base::Rgb c, Channel channel) {
    return channel == Channel::kB ? c.b : channel == Channel::kG ? c.g : c.r;
}

// Positive: inside the band by this much (the tightest clause). Negative: outside
// it by this much (the most clearly failed clause).
int SignedMargin(const Band& band, base::Rgb c) {
    int inside = 1 << 20, outside = 0;
    for (const Clause& clause : band.clauses) {
        const int v = Value(c, clause.channel);
        const int distance = clause.below ? clause.bound - v : v - clause.bound;
        if (distance > 0) inside = std::min(inside, distance);
        else outside = std::max(outside, -distance);
    }
    return outside > 0 ? -outside : inside;
}

void ExpectBand(const base::Image& frame, const Band& band, int x, int y, bool lit) {
    const base::Rgb c = frame.rgb(x, y);
    const int margin = SignedMargin(band, c);
    const std::string where = std::string(band.name) + " at (" + std::to_string(x) + "," + std::to_string(y) +
                              ") reads RGB " + std::to_string(c.r) + "," + std::to_string(c.g) + "," +
                              std::to_string(c.b);
    if (lit) EXPECT_GE(margin, kBandMargin) << where << ": should be lit";
    else EXPECT_LE(margin, -kBandMargin) << where << ": should be unlit";
}

// --- The play scan and the downward walk, as the program runs them ---------------

constexpr std::array<int, 3> kScanRow{330, 214, 214};
constexpr std::array<std::pair<int, int>, 3> kScanSpan{{{240, 360}, {460, 640}, {1, 140}}};
constexpr std::array<int, 3> kFirstWhiteX{243, 463, 11};
constexpr std::array<int, 3> kGlyphTop{238, 114, 114};

bool Black(base::Rgb c) { return c.r < 4 && c.g < 4 && c.b < 4; }
bool White(base::Rgb c) { return c.r > 220 && c.g > 220 && c.b > 220; }
bool Dark(base::Rgb c) { return c.r <= 100 && c.g <= 100 && c.b <= 100; }

// x of the white pixel of the first black-then-white pair, or none.
std::optional<int> Scan(const base::Image& frame, int seat) {
    const int y = kScanRow[static_cast<std::size_t>(seat)];
    const auto [first, last] = kScanSpan[static_cast<std::size_t>(seat)];
    for (int x = first; x <= last;) {
        if (Black(frame.rgb(x, y))) {
            ++x;
            if (White(frame.rgb(x, y))) return x;
        }
        ++x;
    }
    return std::nullopt;
}

std::optional<int> WalkDown(const base::Image& frame, int x, int y) {
    while (++y < frame.height())
        if (Dark(frame.rgb(x, y))) return y;
    return std::nullopt;
}

// --- States -----------------------------------------------------------------------

// The deck's codes in a scrambled but fixed order, so rows mix ranks and suits.
std::vector<sim::CardCode> Cards(int count, int start) {
    std::vector<sim::CardCode> deck;
    for (int code = 1; code <= 47; ++code) deck.push_back(code);
    deck.push_back(49);
    std::vector<sim::CardCode> cards;
    for (int k = 0; k < count; ++k) cards.push_back(deck[static_cast<std::size_t>((start + 29 * k) % 48)]);
    return cards;
}

struct NamedState {
    std::string name;
    TableState state;
};

std::vector<NamedState> States() {
    std::vector<NamedState> states;
    states.push_back({"between-hands", {}});
    {
        TableState leftovers;  // the hand's last play still lies on the table
        leftovers.areas[2].laid = Cards(5, 3);
        leftovers.areas[1].pass_sign = true;
        states.push_back({"between-hands-last-play-showing", leftovers});
    }
    TableState dealt;
    dealt.in_hand = true;
    dealt.own_row = Cards(16, 0);
    states.push_back({"dealt", dealt});
    for (int seat = 0; seat < 3; ++seat) {
        TableState first = dealt;
        first.first_mover_sign = seat;
        states.push_back({"first-mover-" + std::to_string(seat), first});
    }
    constexpr std::array<int, 3> kCapacity{16, 15, 16};
    for (int seat = 0; seat < 3; ++seat) {
        for (int count = 1; count <= kCapacity[static_cast<std::size_t>(seat)]; ++count) {
            TableState play = dealt;
            play.own_row = Cards(seat == 0 ? 16 - count : 16, 5);
            play.areas[static_cast<std::size_t>(seat)].laid = Cards(count, 7 * seat + count);
            states.push_back({"seat-" + std::to_string(seat) + "-plays-" + std::to_string(count), play});
        }
        TableState pass = dealt;
        pass.areas[static_cast<std::size_t>(seat)].pass_sign = true;
        states.push_back({"seat-" + std::to_string(seat) + "-passes", pass});
        // A sign is drawn over whatever lies beneath it and must still read lit.
        pass.areas[static_cast<std::size_t>(seat)].laid = Cards(kCapacity[static_cast<std::size_t>(seat)], seat);
        states.push_back({"seat-" + std::to_string(seat) + "-passes-over-a-play", pass});
    }
    {
        TableState full = dealt;  // cards over the seat-0 first-mover and every pass probe
        full.first_mover_sign = 0;
        full.areas[0].laid = Cards(16, 1);
        full.areas[1].laid = Cards(15, 2);
        full.areas[2].laid = Cards(16, 3);
        states.push_back({"mixed-full-table", full});
    }
    {
        TableState mixed = dealt;
        mixed.own_row = Cards(9, 4);
        mixed.areas[0].laid = Cards(3, 10);
        mixed.areas[1].pass_sign = true;
        mixed.areas[2].laid = Cards(6, 20);
        mixed.areas[2].pass_sign = false;
        states.push_back({"mixed-pass-and-plays", mixed});
        mixed.areas[0].pass_sign = true;
        mixed.areas[0].laid.clear();
        mixed.areas[2].pass_sign = true;
        mixed.areas[2].laid.clear();
        mixed.areas[1].pass_sign = false;
        mixed.areas[1].laid = Cards(2, 30);
        states.push_back({"mixed-two-passes", mixed});
    }
    return states;
}

void ExpectRow(const base::Image& frame, int x, int y, const std::vector<sim::CardCode>& cards) {
    const ReadRow row = ReadCardRow(frame, x, y);
    EXPECT_EQ(row.codes, cards);  // CardCode is the program's code: 49 for the 2
    for (std::size_t k = 0; k < row.next_probe_red.size(); ++k) {
        if (k + 1 < cards.size()) EXPECT_EQ(row.next_probe_red[k], 0) << "card " << k << " continues the row";
        else EXPECT_GE(row.next_probe_red[k], 200) << "card " << k << " ends the row";
    }
}

class RenderedTable : public ::testing::TestWithParam<NamedState> {};

TEST_P(RenderedTable, ProbesScansAndRowsReadAsTheStateSays) {
    const TableState& state = GetParam().state;
    const base::Image frame = sim::RenderTable(state);
    ASSERT_EQ(frame.width(), 800);
    ASSERT_EQ(frame.height(), 600);
    if (const char* dump = std::getenv("VANTREL_FRAME_DUMP_DIR"))
        base::WritePng(frame, std::filesystem::path(dump) / (GetParam().name + ".png"));

    ExpectBand(frame, kDealBand, 400, 192, state.in_hand);
    ExpectBand(frame, kDealLampBand, 785, 591, state.in_hand);
    constexpr std::array<std::pair<int, int>, 3> kFirstSeatProbe{{{542, 322}, {562, 80}, {244, 76}}};
    constexpr std::array<std::pair<int, int>, 3> kPassProbe{{{498, 451}, {658, 154}, {108, 154}}};
    for (int seat = 0; seat < 3; ++seat) {
        SCOPED_TRACE("seat " + std::to_string(seat));
        const auto s = static_cast<std::size_t>(seat);
        ExpectBand(frame, kFirstSeatBand, kFirstSeatProbe[s].first, kFirstSeatProbe[s].second,
                   state.first_mover_sign == seat);
        ExpectBand(frame, kPassBand, kPassProbe[s].first, kPassProbe[s].second, state.areas[s].pass_sign);

        const auto& laid = state.areas[s].laid;
        const std::optional<int> hit = Scan(frame, seat);
        if (laid.empty()) {
            EXPECT_EQ(hit, std::nullopt) << "an empty play area must give no hit";
            continue;
        }
        ASSERT_EQ(hit, kFirstWhiteX[s]);
        const std::optional<int> edge = WalkDown(frame, *hit, kScanRow[s]);
        ASSERT_TRUE(edge.has_value());
        EXPECT_EQ(*edge - 109, kGlyphTop[s]);
        ExpectRow(frame, *hit + 3, *edge - 109, laid);
    }
    if (!state.own_row.empty()) ExpectRow(frame, 198, 358, state.own_row);
}

INSTANTIATE_TEST_SUITE_P(States, RenderedTable, ::testing::ValuesIn(States()),
                         [](const ::testing::TestParamInfo<NamedState>& param_info) {
                             std::string name = param_info.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(RenderTable, RejectsCardCodesOutsideTheDeckRange) {
    TableState state;
    state.own_row = {50};
    EXPECT_THROW(sim::RenderTable(state), std::invalid_argument);
    state.own_row = {0};
    EXPECT_THROW(sim::RenderTable(state), std::invalid_argument);
}

}  // namespace
}  // namespace vantrel::test
