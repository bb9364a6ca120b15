#include "shared/layouts.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string_view>
#include <utility>

#include "base/card_code.h"

namespace vantrel::layouts {
namespace {

using ui::ButtonRect;
using ui::ControlKind;
using ui::ControlSpec;
using ui::ReleaseExtent;
using ui::TimerSpec;

// A table filled by a constexpr builder; the count is checked when it is built.
template <std::size_t N>
struct ControlTable {
    std::array<ControlSpec, N> items{};
    std::size_t count = 0;
    constexpr void Add(ControlSpec c) { items[count++] = c; }
};

template <std::size_t N, class Build>
constexpr std::array<ControlSpec, N> MakeTable(Build build) {
    ControlTable<N> table;
    build(table);
    if (table.count != N) throw "the table's size is not the number of its controls";
    return table.items;
}

constexpr ControlSpec Store(std::string_view name, int index, std::string_view picture) {
    return {name, index, ControlKind::Store, 0, 0, 0, 0, false, picture, {}};
}

// Pictures that come in numbered series.
constexpr std::array<std::string_view, 17> kCountDigits{
    "main/count-0",  "main/count-1",  "main/count-2",  "main/count-3",  "main/count-4",  "main/count-5",
    "main/count-6",  "main/count-7",  "main/count-8",  "main/count-9",  "main/count-10", "main/count-11",
    "main/count-12", "main/count-13", "main/count-14", "main/count-15", "main/count-16"};
// Index rank - 3, for ranks 3..15.
constexpr std::array<std::string_view, 13> kGridRanks{
    "main/rank-3",  "main/rank-4",  "main/rank-5",  "main/rank-6",  "main/rank-7",  "main/rank-8", "main/rank-9",
    "main/rank-10", "main/rank-11", "main/rank-12", "main/rank-13", "main/rank-14", "main/rank-15"};
// The same tiles dimmed, for a hand in doubt.
constexpr std::array<std::string_view, 13> kDimRanks{
    "main/rank-dim-3",  "main/rank-dim-4",  "main/rank-dim-5",  "main/rank-dim-6",  "main/rank-dim-7",
    "main/rank-dim-8",  "main/rank-dim-9",  "main/rank-dim-10", "main/rank-dim-11", "main/rank-dim-12",
    "main/rank-dim-13", "main/rank-dim-14", "main/rank-dim-15"};
// The tiles of marks that the left or the right opponent must hold.
constexpr std::array<std::string_view, 13> kLeftRanks{
    "main/rank-left-3",  "main/rank-left-4",  "main/rank-left-5",  "main/rank-left-6",  "main/rank-left-7",
    "main/rank-left-8",  "main/rank-left-9",  "main/rank-left-10", "main/rank-left-11", "main/rank-left-12",
    "main/rank-left-13", "main/rank-left-14", "main/rank-left-15"};
constexpr std::array<std::string_view, 13> kRightRanks{
    "main/rank-right-3",  "main/rank-right-4",  "main/rank-right-5",  "main/rank-right-6",  "main/rank-right-7",
    "main/rank-right-8",  "main/rank-right-9",  "main/rank-right-10", "main/rank-right-11", "main/rank-right-12",
    "main/rank-right-13", "main/rank-right-14", "main/rank-right-15"};
// Index rank - 3, for ranks 3..17 (16 and 17 the jokers).
constexpr std::array<std::string_view, 15> kCardRanks{
    "common/card-3",  "common/card-4",  "common/card-5",  "common/card-6",  "common/card-7",
    "common/card-8",  "common/card-9",  "common/card-10", "common/card-11", "common/card-12",
    "common/card-13", "common/card-14", "common/card-15", "common/card-16", "common/card-17"};

// --- frmIdentify -------------------------------------------------------------

// A release counts as a click over a button's picture only: 20 x 20 pixels for
// buttons 1 to 3, and for the close button its 19 pixels across and the top two
// thirds of its lowest row.
struct MainButton {
    int index, left, top, width, height;
    std::string_view hover, pressed, tooltip;
    ButtonRect hoverRect;
    ReleaseExtent release;
};
constexpr std::array<MainButton, 4> kMainButtons{{
    {1, 12, 463, 20, 20, "main/hover-1", "main/pressed-1", "新一局", {12, 31, 463, 482}, {300, 300}},
    {2, 40, 463, 20, 20, "main/hover-2", "main/pressed-2", "出牌查看器", {40, 59, 463, 482}, {300, 300}},
    {3, 68, 463, 20, 20, "main/hover-3", "main/pressed-3", "出牌播放器", {68, 87, 463, 482}, {300, 300}},
    {5, 108, 0, 19, 15, "main/hover-5", "main/pressed-5", "关闭", {108, 126, 0, 14}, {285, 220}},
}};

constexpr auto kMainControls = MakeTable<2 + 17 + 48 + 8 + 2 + 3 + 13 + 1 + 1 + 26>([](auto& t) {
    t.Add({"imgRMNum", 2, ControlKind::Cell, 24, 22, 17, 18, true, {}, {}});
    t.Add({"imgRMNum", 1, ControlKind::Cell, 93, 22, 17, 18, true, {}, {}});
    for (int count = 0; count <= 16; ++count) t.Add(Store("picRMNum", count, kCountDigits[count]));
    // The grid: a column per suit, a row per rank with 3 at the bottom and the
    // aces above K, and the one 2 alone at the top.
    for (int code = 1; code <= cards::kTwoOfSpades; ++code) {
        if (!cards::IsCardCode(code)) continue;
        const cards::Card card = cards::CardOf(code);
        const bool two = card.rank == cards::kTwo;
        t.Add({"imgRMCard", code, ControlKind::Cell, two ? 16 : 16 + 25 * (card.suit - 1),
               two ? 57 : 417 - 30 * (card.rank - 3), 21, 28, true, kGridRanks[card.rank - 3], {}});
    }
    // Each button's pressed look lies over its hover look, which takes the presses.
    for (const MainButton& b : kMainButtons) {
        t.Add({"imgMouseOn", b.index, ControlKind::Cell, b.left, b.top, b.width, b.height, false, b.hover, b.tooltip,
               b.hoverRect, b.release});
        t.Add({"imgMouseDown", b.index, ControlKind::Cell, b.left, b.top, b.width, b.height, false, b.pressed, {}});
    }
    t.Add({"imgStar", 0, ControlKind::Cell, 2, 512, 12, 12, true, "main/star", {}});
    t.Add({"imgTips", 0, ControlKind::Cell, 16, 512, 111, 12, true, {}, {}});
    t.Add(Store("picTips", kMainRollingTips[0], "main/tip-24"));
    t.Add(Store("picTips", kMainRollingTips[1], "main/tip-25"));
    // A hand in doubt: the grid's dimmed tiles, the counts' question mark, and a
    // steady strip over the rolling tips whose tooltip says why.
    for (int rank = 3; rank <= 15; ++rank) t.Add(Store("picRMDim", rank, kDimRanks[rank - 3]));
    t.Add(Store("picRMDoubt", 0, "main/count-doubt"));
    t.Add({"imgDoubt", 0, ControlKind::Cell, 16, 512, 111, 12, false, "main/tip-doubt", {}});
    t.Add(Store("picTips", kMainReportSavedTip, "main/tip-26"));
    // Marks that an opponent must hold, by rank; a mark that shows one carries its
    // store's tooltip, whose it is.
    for (int rank = 3; rank <= 15; ++rank) {
        t.Add({"picRMLeft", rank, ControlKind::Store, 0, 0, 0, 0, false, kLeftRanks[rank - 3], "左家必有"});
        t.Add({"picRMRight", rank, ControlKind::Store, 0, 0, 0, 0, false, kRightRanks[rank - 3], "右家必有"});
    }
});

constexpr std::array<TimerSpec, 10> kMainTimers{{
    {"tmrFindDDZ", 1000, true},
    {"tmrGamePos", 1000, false},
    {"tmrDelay", 1500, false},
    {"tmrStart", 50, false},
    {"tmrEmit", 50, false},
    {"tmrPOS", 50, false},
    {"tmrStar", 300, true},
    {"tmrTipInterval", 5000, true},
    {"tmrTipMove", 20, true},
    {"tmrSaved", 3000, false},
}};

constexpr std::array<std::string_view, 2> kMainIcons{"main/icon-32", "main/icon-16"};

// --- frmDetail ---------------------------------------------------------------

// The order button's hover rectangle and release extent, and the close button's:
// a release up to 43 x 15 pixels from the close image's corner, though the image
// is 34 x 13.
constexpr ButtonRect kOrderHover{411, 454, 20, 63};
constexpr ReleaseExtent kOrderRelease{47 * 15, 47 * 15};
constexpr ButtonRect kCloseHover{420, 453, 0, 12};
constexpr ReleaseExtent kCloseRelease{43 * 15, 15 * 15};

constexpr auto kDetailControls = MakeTable<40 + 38 + 15 + 8>([](auto& t) {
    // The upper row (the left opponent, seat 2) is 21..40, the lower (seat 1) 1..20.
    constexpr auto slotLeft = [](int slot) { return kDetailFirstCardLeft + kDetailCardPitch * (slot - 1); };
    for (int i = 21; i <= 40; ++i)
        t.Add({"imgEmit", i, ControlKind::Cell, slotLeft(i - 20), 23, kDetailCardWidth, 20, true, {}, {}});
    for (int i = 1; i <= 20; ++i)
        t.Add({"imgEmit", i, ControlKind::Cell, slotLeft(i), 54, kDetailCardWidth, 20, true, {}, {}});
    for (int i = 20; i <= 38; ++i) t.Add({"imgDivide", i, ControlKind::Cell, 10, 21, 1, 24, false, "detail/divider", {}});
    for (int i = 1; i <= 19; ++i) t.Add({"imgDivide", i, ControlKind::Cell, 10, 52, 1, 24, false, "detail/divider", {}});
    for (int rank = 3; rank <= 17; ++rank) t.Add(Store("picCards", rank, kCardRanks[rank - 3]));
    t.Add({"imgButton", 1, ControlKind::Cell, 407, 18, 47, 47, true, "detail/order-play", {}, kOrderHover, kOrderRelease});
    t.Add({"imgDown", 1, ControlKind::Cell, 407, 18, 47, 47, false, "detail/order-play-pressed", {}});
    t.Add({"imgButton", 2, ControlKind::Cell, 407, 18, 47, 47, false, "detail/order-rank", {}, kOrderHover, kOrderRelease});
    t.Add({"imgDown", 2, ControlKind::Cell, 407, 18, 47, 47, false, "detail/order-rank-pressed", {}});
    t.Add({"imgNote", 1, ControlKind::Cell, 407, 65, 45, 12, true, "detail/note-play", {}});
    t.Add({"imgNote", 2, ControlKind::Cell, 407, 65, 45, 12, false, "detail/note-rank", {}});
    t.Add({"imgClose", 0, ControlKind::Cell, 420, 0, 34, 13, false, "common/close-hover", {}, kCloseHover, kCloseRelease});
    t.Add({"imgClose", 1, ControlKind::Cell, 420, 0, 34, 13, false, "common/close-pressed", {}, kCloseHover, kCloseRelease});
});

constexpr std::array<TimerSpec, 1> kDetailTimers{{{"tmrPOS", 100, false}}};

// --- frmPlayer ---------------------------------------------------------------

// Each transport button's hover rectangle is its picture less its right and lower
// edge; a release within its 20 x 20 pixels is a click.
struct PlayerButton {
    int index, left;
    bool visible;
    std::string_view face, hover, pressed;
    constexpr ButtonRect HoverRect() const { return {std::int16_t(left), std::int16_t(left + 19), 54, 73}; }
};
constexpr ReleaseExtent kTransportRelease{20 * 15, 20 * 15};
// Buttons 7 (play) and 2 (pause) share one place; only one of them shows.
constexpr std::array<PlayerButton, 7> kPlayerButtons{{
    {1, 263, true, "player/button-1", "player/hover-1", "player/pressed-1"},
    {7, 286, true, "player/button-7", "player/hover-7", "player/pressed-7"},
    {2, 286, false, "player/button-2", "player/hover-2", "player/pressed-2"},
    {3, 309, true, "player/button-3", "player/hover-3", "player/pressed-3"},
    {4, 332, true, "player/button-4", "player/hover-4", "player/pressed-4"},
    {5, 355, true, "player/button-5", "player/hover-5", "player/pressed-5"},
    {6, 378, true, "player/button-6", "player/hover-6", "player/pressed-6"},
}};

constexpr auto kPlayerControls = MakeTable<61 + 16 + 2 + 7 + 16>([](auto& t) {
    // Each seat area's cells stop advancing after the thirteenth: the rest lie on it.
    for (int i = 41; i <= 60; ++i)
        t.Add({"imgEmit", i, ControlKind::Cell, std::min(13 + 16 * (i - 41), 205), 23, 15, 20, true, {}, {}});
    for (int i = 21; i <= 40; ++i)
        t.Add({"imgEmit", i, ControlKind::Cell, std::min(240 + 16 * (i - 21), 432), 23, 15, 20, true, {}, {}});
    for (int i = 1; i <= 20; ++i)
        t.Add({"imgEmit", i, ControlKind::Cell, std::min(44 + 16 * (i - 1), 236), 54, 15, 20, true, {}, {}});
    t.Add({"imgEmit", 0, ControlKind::Cell, 0, 56, 15, 20, true, {}, {}});
    for (int rank = 3; rank <= 17; ++rank) t.Add(Store("picCards", rank, kCardRanks[rank - 3]));
    t.Add(Store("picCards", cards::PassMark, "common/pass"));
    t.Add(Store("picMark", 0, "player/tick"));
    t.Add({"imgMark", 0, ControlKind::Cell, 402, 61, 14, 11, true, {}, {}});
    for (const PlayerButton& b : kPlayerButtons)
        t.Add({"imgButton", b.index, ControlKind::Cell, b.left, 54, 20, 20, b.visible, b.face, {}});
    // The hover looks lie over the faces and the pressed looks over both.
    for (const PlayerButton& b : kPlayerButtons) {
        t.Add({"imgMouseOn", b.index, ControlKind::Cell, b.left, 54, 20, 20, false, b.hover, {}, b.HoverRect(),
               kTransportRelease});
        t.Add({"imgMouseDown", b.index, ControlKind::Cell, b.left, 54, 20, 20, false, b.pressed, {}});
    }
    t.Add({"imgMouseOn", 8, ControlKind::Cell, 420, 0, 34, 13, false, "common/close-hover", {}, kCloseHover,
           kCloseRelease});
    t.Add({"imgMouseDown", 8, ControlKind::Cell, 420, 0, 34, 13, false, "common/close-pressed", {}});
});

constexpr std::array<TimerSpec, 2> kPlayerTimers{{{"tmrPOS", 50, false}, {"tmrShow", 500, false}}};

}  // namespace

const ui::FormLayout kMain{"VXMain", 128, 526, "main/background", kMainIcons, kMainControls, kMainTimers};
const ui::FormLayout kDetail{"VXDetail", 460, 83, "detail/background", {}, kDetailControls, kDetailTimers};
const ui::FormLayout kPlayer{"VXPlayer", 460, 83, "player/background", {}, kPlayerControls, kPlayerTimers};

const ui::FormLayout& Scaled(const ui::FormLayout& table, ui::Scale scale) {
    if (scale.IsOne()) return table;
    static std::map<std::pair<const ui::FormLayout*, int>, std::unique_ptr<ui::ScaledLayout>> scaled;
    auto& entry = scaled[{&table, scale.percent()}];
    if (!entry) entry = std::make_unique<ui::ScaledLayout>(table, scale);
    return entry->layout();
}

}  // namespace vantrel::layouts
