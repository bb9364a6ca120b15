// window-snapshots: the three windows as a player sees them. The whole program
// runs on the headless backend beside the stand-in game, follows a seeded hand on
// the virtual clock up to a chosen move, and writes each window as it composes
// itself, at 1x and enlarged 2x and 4x pixel for pixel (nearest neighbour), so that
// the artwork can be judged in place: main.png, main-2x.png, main-4x.png, and the
// same for detail and player; then main-hover.png (the cursor resting on the detail
// button) and detail-rank.png (the detail window switched to rank order).
//
//   window-snapshots [--seed S] [--move N] OUTPUT-FOLDER
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "app/program.h"
#include "main_window/frm_identify.h"
#include "overlays/frm_detail.h"
#include "overlays/frm_player.h"
#include "platform/headless/headless_platform.h"
#include "base/png.h"
#include "shared/layouts.h"
#include "shared/modqtc.h"
#include "sim/frame_source.h"
#include "sim/timeline.h"
#include "support/game_title.h"

namespace {

using namespace vantrel;
namespace fs = std::filesystem;

using vantrel::testing::kGameTitle;

base::Image Enlarged(const base::Image& picture, int factor) {
    base::Image out(picture.width() * factor, picture.height() * factor);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) out.at(x, y) = picture.at(x / factor, y / factor);
    return out;
}

bool Write(const base::Image& picture, const fs::path& folder, const std::string& name, bool enlarged) {
    bool written = base::WritePng(picture, folder / (name + ".png"));
    if (enlarged)
        for (int factor : {2, 4})
            written = written && base::WritePng(Enlarged(picture, factor),
                                                     folder / (name + "-" + std::to_string(factor) + "x.png"));
    if (!written) std::fprintf(stderr, "window-snapshots: cannot write %s under %s\n", name.c_str(), folder.c_str());
    return written;
}

// The centre of a control, on the screen.
base::Point ScreenCentre(const ui::Form& form, const ui::FormLayout& layout, std::string_view control, int index) {
    const ui::ControlSpec& c = ui::FindControl(layout, control, index);
    return {static_cast<int>(form.Left()) / ui::kTwipsPerPixel + c.left + c.width / 2,
            static_cast<int>(form.Top()) / ui::kTwipsPerPixel + c.top + c.height / 2};
}

}  // namespace

int main(int argc, char** argv) {
    std::uint64_t seed = 3;
    int move = 14;
    fs::path folder;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--seed" && i + 1 < argc) {
            seed = std::strtoull(argv[++i], nullptr, 10);
        } else if (arg == "--move" && i + 1 < argc) {
            move = std::atoi(argv[++i]);
        } else if (folder.empty() && !arg.starts_with("--")) {
            folder = arg;
        } else {
            folder.clear();
            break;
        }
    }
    if (folder.empty()) {
        std::fprintf(stderr, "usage: window-snapshots [--seed S] [--move N] OUTPUT-FOLDER\n");
        return 2;
    }
    fs::create_directories(folder);

    const sim::Timeline timeline(seed, 1, sim::TimelineSettings{});
    sim::FrameSource frames(timeline);
    platform::headless::HeadlessPlatform platform;
    Program program(platform);
    program.Start();
    platform.fakeDesktop().AddWindow(kGameTitle, {300, 200, 1108, 834},
                                     [&frames](std::int64_t t) -> const base::Image& { return frames.FrameAt(t); });

    // Just before the move after `move` appears, so that `move` has been followed
    // and the player window has stepped through it.
    const auto& times = timeline.hand_times().front().move_ms;
    const std::size_t next = static_cast<std::size_t>(std::clamp(move + 1, 1, static_cast<int>(times.size()) - 1));
    platform.AdvanceTo(times[next] - 1);

    modQTC& shared = program.shared();
    auto& main = shared.Instance<frmIdentify>();
    auto& detail = shared.Instance<frmDetail>();
    auto& player = shared.Instance<frmPlayer>();
    bool ok = Write(main.Compose(), folder, "main", true) && Write(detail.Compose(), folder, "detail", true) &&
              Write(player.Compose(), folder, "player", true);

    // The cursor on the detail button, long enough for the hover timer to see it.
    platform.MoveMouse(ScreenCentre(main, layouts::kMain, "imgMouseOn", 2));
    platform.AdvanceBy(120);
    ok = ok && Write(main.Compose(), folder, "main-hover", true);

    // A click on the order button switches the detail window to rank order.
    const base::Point order = ScreenCentre(detail, layouts::kDetail, "imgButton", 1);
    platform.MoveMouse(order);
    platform.PressMouse(order);
    platform.ReleaseMouse(order);
    platform.AdvanceBy(120);
    ok = ok && Write(detail.Compose(), folder, "detail-rank", true);

    if (ok) std::printf("wrote the windows to %s\n", folder.c_str());
    return ok ? 0 : 1;
}
