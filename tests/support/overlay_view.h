// What the detail and the player window should show after some moves of a hand,
// worked out from the moves themselves (as the stand-in's log tells them), for the
// checks that hold the windows against the log: the headless follow check reads
// the windows' cells, the end-to-end test reads their pixels, and both compare
// with these.
//
// Detail window, play order: each opponent's plays one after the other from the
// row's first slot, 18 pixels apart, a divider in the gap in front of each play
// after the first; rank order: the same cards from the highest rank down, equal
// ranks in the order laid, no dividers. Player window, once its replay has caught
// up: the last two moves, each in its seat's area from the area's first slot, 16
// pixels apart, or squeezed so that the last of a long move starts 192 pixels
// right of the first; a pass is the pass tile in the first slot.
#pragma once

#include <algorithm>
#include <array>
#include <sstream>
#include <string>
#include <vector>

#include "overlays/frm_detail.h"
#include "overlays/frm_player.h"
#include "shared/layouts.h"
#include "shared/modqtc.h"

namespace vantrel::soak {

// One move: its seat and the ranks laid, left to right; no ranks for a pass.
struct SeatMove {
    int seat = 0;
    std::vector<int> ranks;
};

struct DetailRow {
    std::vector<int> ranks;     // slot by slot from the first; 0 for an empty slot
    std::vector<int> dividers;  // the x of each divider shown, left to right
    friend bool operator==(const DetailRow&, const DetailRow&) = default;
};

// Rows by seat; seat 0 has none.
struct DetailView {
    std::array<DetailRow, 3> row;
    friend bool operator==(const DetailView&, const DetailView&) = default;
};

inline constexpr int kDetailSlots = 20;

// Slot k (1..20) of a seat's row: the x of its left edge.
inline int DetailSlotLeft(int k) { return 40 + 18 * (k - 1); }

inline DetailView ExpectedDetail(const std::vector<SeatMove>& moves, bool rankOrder) {
    DetailView view;
    for (int seat : {1, 2}) {
        DetailRow& row = view.row[static_cast<std::size_t>(seat)];
        for (const SeatMove& move : moves) {
            if (move.seat != seat || move.ranks.empty()) continue;
            const int laid = static_cast<int>(row.ranks.size());
            if (laid > 0 && !rankOrder) row.dividers.push_back(DetailSlotLeft(laid + 1) - 2);
            row.ranks.insert(row.ranks.end(), move.ranks.begin(), move.ranks.end());
        }
        if (rankOrder) std::stable_sort(row.ranks.begin(), row.ranks.end(), std::greater<>());
        row.ranks.resize(kDetailSlots, 0);
    }
    return view;
}

inline constexpr int kReplaySlots = 20;

// The x of the first slot of a seat's replay area: the place the layout gives it.
inline int ReplayRowLeft(int seat) { return ui::FindControl(layouts::kPlayer, "imgEmit", 20 * seat + 1).left; }

inline int ReplayPitch(int count) { return count < 14 ? 16 : 192 / (count - 1); }

struct ReplayTile {
    int tile = 0;  // a rank, or modQTC::PassMark for the pass tile
    int left = 0;
    friend bool operator==(const ReplayTile&, const ReplayTile&) = default;
};

// The tiles on show in each seat's area, slot by slot.
struct ReplayView {
    std::array<std::vector<ReplayTile>, 3> area;
    friend bool operator==(const ReplayView&, const ReplayView&) = default;
};

// The replay's look once it has shown every one of `moves`.
inline ReplayView ExpectedReplay(const std::vector<SeatMove>& moves) {
    ReplayView view;
    const std::size_t shown = std::min<std::size_t>(moves.size(), 2);
    for (std::size_t i = moves.size() - shown; i < moves.size(); ++i) {
        const SeatMove& move = moves[i];
        auto& area = view.area[static_cast<std::size_t>(move.seat)];
        area.clear();
        if (move.ranks.empty()) {
            area.push_back({modQTC::PassMark, ReplayRowLeft(move.seat)});
            continue;
        }
        const int count = static_cast<int>(move.ranks.size());
        for (int n = 1; n <= count; ++n)
            area.push_back({move.ranks[static_cast<std::size_t>(n - 1)],
                            ReplayRowLeft(move.seat) + (n - 1) * ReplayPitch(count)});
    }
    return view;
}

// The tile a cell of either window shows: a rank, modQTC::PassMark, 0 for none, -1
// for a picture that is no tile of the window.
inline int TileOf(const ui::PictureCell& cell, const ui::ControlArray<ui::PictureStore>& tiles) {
    if (!cell.HasPicture()) return 0;
    int found = -1;
    tiles.ForEach([&](const ui::PictureStore& tile) {
        if (tile.picture() == cell.picture()) found = tile.index();
    });
    return found;
}

// What the detail window's cells show.
inline DetailView ReadDetail(const frmDetail& window) {
    DetailView view;
    for (int seat : {1, 2}) {
        DetailRow& row = view.row[static_cast<std::size_t>(seat)];
        for (int k = 1; k <= kDetailSlots; ++k)
            row.ranks.push_back(TileOf(window.imgEmit((seat - 1) * kDetailSlots + k), window.picCards));
        for (int d = 1; d <= 19; ++d) {
            const ui::PictureCell& divider = window.imgDivide(seat == 1 ? d : d + 19);
            if (divider.visible()) row.dividers.push_back(divider.left());
        }
        std::sort(row.dividers.begin(), row.dividers.end());
    }
    return view;
}

// What the player window's cells show.
inline ReplayView ReadReplay(const frmPlayer& window) {
    ReplayView view;
    for (int seat = 0; seat < 3; ++seat)
        for (int n = 1; n <= kReplaySlots; ++n) {
            const ui::PictureCell& slot = window.imgEmit(20 * seat + n);
            if (slot.HasPicture()) view.area[static_cast<std::size_t>(seat)].push_back({TileOf(slot, window.picCards), slot.left()});
        }
    return view;
}

inline std::string Describe(const DetailView& view) {
    std::ostringstream out;
    for (int seat : {1, 2}) {
        const DetailRow& row = view.row[static_cast<std::size_t>(seat)];
        out << (seat == 1 ? "lower [" : " upper [");
        for (std::size_t k = 0; k < row.ranks.size() && row.ranks[k] != 0; ++k) out << (k ? " " : "") << row.ranks[k];
        out << "] dividers [";
        for (std::size_t k = 0; k < row.dividers.size(); ++k) out << (k ? " " : "") << row.dividers[k];
        out << "]";
    }
    return out.str();
}

inline std::string Describe(const ReplayView& view) {
    std::ostringstream out;
    for (int seat = 0; seat < 3; ++seat) {
        out << (seat ? " " : "") << "seat " << seat << " [";
        for (std::size_t k = 0; k < view.area[static_cast<std::size_t>(seat)].size(); ++k) {
            const ReplayTile& t = view.area[static_cast<std::size_t>(seat)][k];
            out << (k ? " " : "") << (t.tile == modQTC::PassMark ? std::string("pass") : std::to_string(t.tile)) << "@"
                << t.left;
        }
        out << "]";
    }
    return out.str();
}

}  // namespace vantrel::soak
