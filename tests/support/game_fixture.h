// A running program on the headless backend beside a fake game window whose client
// area is a picture the test paints.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/program.h"
#include "main_window/frm_identify.h"
#include "overlays/frm_detail.h"
#include "overlays/frm_player.h"
#include "platform/headless/headless_platform.h"
#include "recognition/card_tally.h"
#include "shared/modqtc.h"
#include "support/game_title.h"
#include "support/painted_table.h"

namespace vantrel::testing {

class ProgramFixture : public ::testing::Test {
protected:
    void Start() { program.Start(); }
    frmIdentify& main() { return program.shared().Instance<frmIdentify>(); }
    frmDetail& detail() { return program.shared().Instance<frmDetail>(); }
    frmPlayer& player() { return program.shared().Instance<frmPlayer>(); }
    modQTC& shared() { return program.shared(); }

    // A game window of the exact title whose client area is `screen`.
    platform::ForeignWindow OpenGame(base::Rect outer = {300, 200, 1108, 834}) {
        game = platform.fakeDesktop().AddWindow(kGameTitle, outer, [this](std::int64_t) -> const base::Image& {
            return screen;
        });
        return game;
    }

    // The game found at 1 s, its deal seen at the next watcher tick and the first
    // mover's sign at 1.1 s: the program follows the hand from 1.2 s.
    void StartFollowing(int firstSeat) {
        Start();
        OpenGame();
        PaintDealSigns(screen);
        PaintOwnRow(screen, 16);
        platform.AdvanceTo(1100);
        const recognition::ProbePoint sign = recognition::CardTally::FirstSeatProbe(firstSeat);
        screen.set(sign.X, sign.Y, kSign);
        platform.AdvanceBy(100);
        ASSERT_TRUE(main().tmrEmit.Enabled());
    }

    int VisibleMarks() const {
        int visible = 0;
        const_cast<ProgramFixture*>(this)->main().imgRMCard.ForEach([&](ui::PictureCell& c) { visible += c.visible(); });
        return visible;
    }

    platform::headless::HeadlessPlatform platform;
    Program program{platform};
    base::Image screen{800, 600, {10, 100, 115}};
    platform::ForeignWindow game = 0;
};

}  // namespace vantrel::testing
