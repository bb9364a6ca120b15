// The running program with its two overlay windows where the settings file's
// defaults put them, a history written row by row, and the real mouse on them.
#pragma once

#include <cmath>
#include <vector>

#include "support/game_fixture.h"
#include "support/overlay_view.h"

namespace vantrel::testing {

class OverlayFixture : public ProgramFixture {
protected:
    void SetUp() override { Start(); }

    recognition::CardTally& tally() { return main().watcher().tally; }

    // Moves of one hand from its first seat on, each the ranks laid, {} a pass,
    // written where the tally writes them.
    void Record(int firstSeat, const std::vector<std::vector<int>>& moves) {
        shared().FirstSeat = static_cast<std::int16_t>(firstSeat);
        for (const auto& ranks : moves) Append(ranks);
    }
    void Append(const std::vector<int>& ranks) {
        MoveTable& history = shared().PlayHistory;
        int row = 0;
        while (history(row, 21) != 0) ++row;
        if (ranks.empty()) {
            history(row, 1) = modQTC::PassMark;
            history(row, 21) = 1;
        } else {
            for (std::size_t m = 0; m < ranks.size(); ++m)
                history(row, static_cast<int>(m) + 1) = static_cast<std::int16_t>(ranks[m]);
            history(row, 21) = static_cast<std::int16_t>(ranks.size());
        }
        tally().nPlayCount = static_cast<std::int16_t>(row + 1);  // as the tally would count it
    }
    // The same moves as the checks against the stand-in's log see them.
    std::vector<soak::SeatMove> SeatMoves(int firstSeat, const std::vector<std::vector<int>>& moves) const {
        std::vector<soak::SeatMove> seatMoves;
        for (std::size_t i = 0; i < moves.size(); ++i)
            seatMoves.push_back({static_cast<int>((firstSeat + i) % 3), moves[i]});
        return seatMoves;
    }

    // A point of a window, in its own pixels, on the screen: where the window
    // stands, or would stand if it were open.
    static base::Point At(const ui::Form& window, int x, int y) {
        return {static_cast<int>(std::lround(window.Left() / ui::kTwipsPerPixel)) + x,
                static_cast<int>(std::lround(window.Top() / ui::kTwipsPerPixel)) + y};
    }
    void Click(base::Point at, base::Point releaseAt) {
        platform.PressMouse(at);
        platform.ReleaseMouse(releaseAt);
    }
    void Click(base::Point at) { Click(at, at); }
    // The cursor comes in over the bare background, which starts the hover timer,
    // and rests on `at` for one hover tick.
    void Hover(const ui::Form& window, base::Point at, int hoverTickMs) {
        platform.MoveMouse(At(window, 5, 5));
        platform.MoveMouse(at);
        platform.AdvanceBy(hoverTickMs);
    }
};

}  // namespace vantrel::testing
