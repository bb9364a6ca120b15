// A running program on the headless backend beside a fake game window whose client
// area is a picture the test paints.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/program.h"
#include "main_window/frm_identify.h"
#include "overlays/frm_detail.h"
#include "overlays/frm_player.h"
#include "platform/headless/headless_platform.h"
#include "recognition/card_tally.h"
#include "shared/modqtc.h"
#include "support/painted_table.h"

namespace vantrel::testing {

inline const std::string kGameTitle = "\xE8\xB7\x91\xE5\xBE\x97\xE5\xBF\xAB" "1.13";

// A folder of its own for each test, removed afterwards.
class ScratchDir {
public:
    ScratchDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("vantrel-" + std::string(info->test_suite_name()) + "-" + info->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

class ProgramFixture : public ::testing::Test {
protected:
    ProgramFixture() { platform.SetExecutableDir(dir.path()); }

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

    ScratchDir dir;
    platform::headless::HeadlessPlatform platform;
    Program program{platform};
    base::Image screen{800, 600, {10, 100, 115}};
    platform::ForeignWindow game = 0;
};

}  // namespace vantrel::testing
