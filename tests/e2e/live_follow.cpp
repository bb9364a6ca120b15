// live_follow: vantrel.exe beside the stand-in table.exe, both real Windows
// programs under Wine, checked from outside as a user would see them.
//
//   live_follow VANTREL_EXE TABLE_EXE WORK_DIR
//
// vantrel.exe is copied into a fresh folder of WORK_DIR and started from another
// folder, so its settings file must appear beside the executable, with the
// default bytes. Then:
//  - the main window stands at its size and default place times the display
//    scale (at 144 dpi: 192 x 789 at 12, 12);
//  - the table comes up at (420, 300) and is moved to (175, 8) logical pixels
//    (263, 12 at 144 dpi), topmost, about 1.5 s after it appears;
//  - it plays two hands; after every move its log reports, the main window is read
//    back off the screen, and its grid marks and both count cells must show
//    exactly what the log implies (all 48 marks and no counts after a hand ends),
//    among them the marks each opponent must hold by the game's rules; the main
//    window with the most held marks is left as live_follow_held.png;
//  - the table and the main window are moved from outside, the main window is
//    closed: records 1 and 4 hold the new places in logical pixels and
//    vantrel.exe exits.
// (The table's loss mid-hand and its return are fault_restart's.) Exit status 0
// when everything held; on failure a screenshot is left in WORK_DIR. Every process
// started here is ended by its handle on every path.
#include "live_run.h"

#include "base/png.h"

namespace {

using namespace vantrel::e2e;

int Run(LiveRun& run) {
    Checks& check = run.check();
    const std::wstring& work = run.work();
    if (!run.StartVantrel({.from = work})) return run.Verdict();
    const std::wstring settings = run.SettingsPath();
    // The main window is shown at the end of its load, which writes the file first.
    check.That(FileBytes(settings) == SettingsBytes(kDefaultRecords),
               "the settings file beside vantrel.exe does not hold the defaults");
    check.That(!FileExists(SettingsPathIn(work)), "a settings file appeared in the working folder");
    const vantrel::ui::Scale scale = LiveScale();
    const vantrel::base::Rect main = OuterRect(FindCaption(kMainCaption));
    check.That(main == vantrel::base::Rect{scale.Apply(8), scale.Apply(8), scale.Apply(8) + scale.Apply(128),
                                           scale.Apply(8) + scale.Apply(526)},
               "the main window stands at (" + std::to_string(main.left) + ", " + std::to_string(main.top) + "), " +
                   std::to_string(main.width()) + " x " + std::to_string(main.height()) + " at " +
                   std::to_string(scale.percent()) + "%");

    // The table, placed 1.5 s after it appears.
    const Table table = run.StartTable(L"--seed 5 --hands 2 --pos 420,300 " + std::wstring(kQuickClock), L"hands.log");
    if (!table) return run.Verdict();
    run.ExpectPlacedOnTime(table);
    const vantrel::base::Rect placedRect = OuterRect(table.window);
    check.That(placedRect.width() > 800 && placedRect.height() > 600, "the table changed size");

    // Two hands, checked after every move.
    LogFollower follower(check, table.log);
    int mostHeld = 0;
    check.That(follower.FollowUntil(180000,
                                    [&](const Expected& e) {
                                        if (const int held = follower.reader().HeldShown(); held > mostHeld) {
                                            mostHeld = held;
                                            vantrel::base::WritePng(follower.reader().picture(),
                                                                    std::filesystem::path(work) / "live_follow_held.png");
                                        }
                                        return e.handsEnded >= 2;
                                    }),
               "two hands did not finish");
    check.That(follower.mismatches() == 0, "the main window differed from the log");
    check.That(follower.heldMarks() > follower.checked(), "fewer held marks were shown than moves were checked");
    check.That(follower.checked() >= 20, "only " + std::to_string(follower.checked()) + " moves were checked");
    check.Note(std::to_string(follower.expected().handsEnded) + " hands: " + follower.Summary());

    // Moved from outside, then the main window closed.
    const vantrel::base::Point tableAt = ScreenPoint({180, 20}), mainAt = ScreenPoint({30, 40});
    SetWindowPos(table.window, nullptr, tableAt.x, tableAt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(FindCaption(kMainCaption), nullptr, mainAt.x, mainAt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Sleep(1500);  // the follower measures the game once a second
    run.CloseVantrel();
    const auto bytes = FileBytes(settings);
    check.That(RecordOf(bytes, 1) == Record{450, 600}, "record 1 holds " + Describe(RecordOf(bytes, 1)) + ", not (450, 600)");
    check.That(RecordOf(bytes, 4) == Record{180, 20}, "record 4 holds " + Describe(RecordOf(bytes, 4)) + ", not (180, 20)");
    check.That(bytes.size() == 16, "the settings file has " + std::to_string(bytes.size()) + " bytes");
    return run.Verdict({&follower.reader()});
}

}  // namespace

int wmain(int argc, wchar_t** argv) { return LiveTestMain(argc, argv, "live_follow", Run); }
