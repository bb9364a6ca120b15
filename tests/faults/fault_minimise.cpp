// fault_minimise: the game minimised mid-hand and restored.
//
//   fault_minimise VANTREL_EXE TABLE_EXE WORK_DIR
//
// vantrel.exe follows a hand of the stand-in, checked after every move. Just
// after a move the table is minimised and stays so while the next seat plays;
// meanwhile the main window must show the hand as it stood (or, where the system
// still yields the minimised window's pixels, as the log says). Restored, the
// table shows the move played meanwhile: the program must read it and follow the
// rest of the hand with no difference from the log. The table stands where it was
// afterwards, and closing the program records that place, never the minimised
// window's far-off one.
#include "live_run.h"

namespace {

using namespace vantrel::e2e;

int Run(LiveRun& run) {
    Checks& check = run.check();
    if (!run.StartVantrel()) return run.Verdict();

    const Table table = run.StartTable(L"--seed 11 --hands 1 " + std::wstring(kQuickClock), L"hands.log");
    if (!table) return run.Verdict();
    run.ExpectPlaced(table);

    LogFollower follower(check, table.log);
    check.That(follower.FollowUntil(60000, [](const Expected& e) { return e.inHand && e.moves >= 4; }),
               "the hand did not get going");
    const Expected before = follower.expected();

    ShowWindow(table.window, SW_MINIMIZE);
    check.That(WaitFor(3000, [&] { return IsIconic(table.window) != FALSE; }), "the table did not minimise");
    const bool anotherMove = WaitFor(10000, [&] {
        follower.CatchUp();
        return follower.expected().moves > before.moves || follower.expected().handsEnded > 0;
    });
    check.That(anotherMove, "no move was played while the table was minimised");
    Sleep(150);  // three of the program's ticks
    // A minimised window's picture holds nothing to read, and nothing may be made
    // of it: the hand waits as it stood. (Where the system still yields the
    // window's real pixels, reading the move is right too.)
    MainWindowReader reader;
    const std::vector<std::string> againstBefore = Differences(reader, before);
    const std::vector<std::string> againstLog = Differences(reader, follower.expected());
    if (againstBefore.empty())
        check.Note("while minimised the hand waited");
    else if (againstLog.empty())
        check.Note("the move was read while minimised");
    else
        check.That(false, "while the table was minimised the main window showed neither the hand before (" +
                              againstBefore.front() + ") nor the log (" + againstLog.front() + ")");

    // Restored: the move played meanwhile still shows, and every later check
    // depends on its having been read.
    ShowWindow(table.window, SW_RESTORE);
    check.That(WaitFor(3000, [&] { return IsIconic(table.window) == FALSE; }), "the table was not restored");
    check.That(follower.FollowUntil(60000, [](const Expected& e) { return e.handsEnded >= 1; }),
               "the hand did not finish");
    check.That(follower.mismatches() == 0, "the main window differed from the log");
    check.Note(follower.Summary());

    const vantrel::base::Point placed = ScreenPoint(kGamePlace);
    check.That(OuterRect(table.window).left == placed.x && OuterRect(table.window).top == placed.y,
               "the table does not stand where it was after the restore");
    Sleep(1200);  // a position measure after the restore
    run.CloseVantrel();
    const Record game = RecordOf(FileBytes(run.SettingsPath()), 4);
    check.That(game == Record{175, 8}, "record 4 holds " + Describe(game) + ", not (175, 8)");
    return run.Verdict({&follower.reader()});
}

}  // namespace

int wmain(int argc, wchar_t** argv) { return LiveTestMain(argc, argv, "fault_minimise", Run); }
