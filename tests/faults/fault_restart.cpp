// fault_restart: the game closed mid-hand, then started again.
//
//   fault_restart VANTREL_EXE TABLE_EXE WORK_DIR
//
// vantrel.exe follows a hand of the stand-in; the table is moved by hand to
// (190, 30), and a few moves on it is closed mid-hand. Within the locator's
// second the grid must be reset (all 48 marks, no counts) and settings record 4
// must hold (190, 30), where the table last stood. A new table then comes up
// elsewhere: about 1.5 s after it appears it must be moved to (190, 30) and made
// topmost, and its hand followed move by move with no difference from its log.
#include "live_run.h"

namespace {

using namespace vantrel::e2e;

int Run(LiveRun& run) {
    Checks& check = run.check();
    if (!run.StartVantrel()) return run.Verdict();
    const std::wstring settings = run.SettingsPath();

    Table first = run.StartTable(L"--seed 21 --hands 1 " + std::wstring(kQuickClock), L"first.log");
    if (!first) return run.Verdict();
    run.ExpectPlaced(first);
    SetWindowPos(first.window, nullptr, 190, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    LogFollower before(check, first.log);
    check.That(before.FollowUntil(60000, [](const Expected& e) { return e.inHand && e.moves >= 3; }),
               "the first hand did not get going");
    Sleep(1200);  // the follower measures the moved table
    PostMessageW(first.window, WM_CLOSE, 0, 0);
    check.That(first.process->ExitsWithin(10000), "the table did not close");
    first.process.reset();

    Sleep(1500);  // the locator notices within a second
    check.That(before.CheckAgainst(Expected{}, "after the table went"), "the hand was not reset when the table went");
    const Record lost = RecordOf(FileBytes(settings), 4);
    check.That(lost == Record{190, 30}, "record 4 holds " + Describe(lost) + " after the loss, not (190, 30)");

    const Table second = run.StartTable(L"--seed 22 --hands 1 --pos 400,320 " + std::wstring(kQuickClock), L"second.log");
    if (!second) return run.Verdict({&before.reader()});
    run.ExpectPlacedOnTime(second, ScreenPoint({190, 30}));

    LogFollower after(check, second.log);
    check.That(after.FollowUntil(60000, [](const Expected& e) { return e.handsEnded >= 1; }),
               "the second table's hand did not finish");
    check.That(before.mismatches() + after.mismatches() == 0, "the main window differed from the logs");
    check.That(after.checked() >= 10, "only " + std::to_string(after.checked()) + " moves of the new table were checked");
    check.Note("before the close: " + before.Summary() + "; after the restart: " + after.Summary());
    run.CloseVantrel();
    return run.Verdict({&after.reader()});
}

}  // namespace

int wmain(int argc, wchar_t** argv) { return LiveTestMain(argc, argv, "fault_restart", Run); }
