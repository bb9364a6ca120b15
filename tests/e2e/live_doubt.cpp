// live_doubt: vantrel.exe beside the stand-in, which lays an impossible card.
//
//   live_doubt VANTREL_EXE TABLE_EXE WORK_DIR
//
// table.exe plays two hands; in the first, the third move (seat 2's play) is drawn
// with a card of a rank every card of which was laid before (--impossible-card 0).
// The main window, read back off the screen after every move, must be exact up to
// that move; from it on it must show the doubt look (both counts a question mark,
// every mark either gone or on its rank's dimmed tile, the doubt strip) until the
// hand ends; and the second hand must be followed exactly, move by move.
#include "live_run.h"

#include "base/card_code.h"
#include "shared/layouts.h"

namespace {

using namespace vantrel::e2e;
using vantrel::ui::FindControl;
namespace layouts = vantrel::layouts;

// What of the doubt look the main window does not show now; nothing when it shows it.
std::string MissingDoubtLook(MainWindowReader& reader) {
    if (!reader.Capture()) return "the main window could not be read";
    for (int seat : {1, 2}) {
        const auto& cell = FindControl(layouts::kMain, "imgRMNum", seat);
        if (!reader.Shows("main/count-doubt", cell.left, cell.top))
            return "count cell " + std::to_string(seat) + " does not show the question mark";
    }
    int dimmed = 0;
    for (int code = 1; code <= vantrel::cards::kTwoOfSpades; ++code) {
        if (!vantrel::cards::IsCardCode(code)) continue;
        const auto& mark = FindControl(layouts::kMain, "imgRMCard", code);
        const int rank = vantrel::cards::RankOf(code);
        if (reader.Shows("main/rank-dim-" + std::to_string(rank), mark.left, mark.top))
            ++dimmed;
        else if (!reader.ShowsBackground(mark))
            return "mark " + std::to_string(code) + " is neither dimmed nor gone";
    }
    if (dimmed == 0) return "no mark is dimmed";
    const auto& strip = FindControl(layouts::kMain, "imgDoubt", 0);
    if (!reader.Shows(strip.picture, strip.left, strip.top)) return "the doubt strip does not show";
    return {};
}

int Run(LiveRun& run) {
    Checks& check = run.check();
    if (!run.StartVantrel()) return run.Verdict();
    const Table table =
        run.StartTable(L"--seed 31 --hands 2 --impossible-card 0 " + std::wstring(kQuickClock), L"hands.log");
    if (!table) return run.Verdict();

    LogFollower follower(check, table.log);
    check.That(follower.FollowUntil(60000, [](const Expected& e) { return e.inHand && e.moves >= 2; }),
               "the hand did not get to its third move");
    check.That(WaitFor(5000, [&] {
                   follower.CatchUp();
                   return follower.expected().moves >= 3;
               }),
               "the impossible card was not laid");
    MainWindowReader reader;
    std::string missing;
    check.That(WaitFor(2000, [&] { return (missing = MissingDoubtLook(reader)).empty(); }),
               "after the impossible card: " + missing);
    check.Note("the impossible card put the hand in doubt");

    // Until the hand ends the look stays; then the next hand is followed exactly.
    check.That(WaitFor(60000, [&] {
                   follower.CatchUp();
                   if (follower.expected().handsEnded == 0 && !(missing = MissingDoubtLook(reader)).empty())
                       follower.CatchUp();  // the hand may have ended while the window was read
                   return follower.expected().handsEnded >= 1 || !missing.empty();
               }) && missing.empty(),
               "the doubt look went before the hand ended: " + missing);
    check.That(follower.FollowUntil(90000, [](const Expected& e) { return e.handsEnded >= 2; }),
               "the next hand did not finish");
    check.That(follower.mismatches() == 0, "the main window differed from the log");
    check.That(follower.checked() >= 5, "only " + std::to_string(follower.checked()) + " moves were checked");
    check.Note(follower.Summary());

    run.CloseVantrel();
    return run.Verdict({&follower.reader()});
}

}  // namespace

int wmain(int argc, wchar_t** argv) { return LiveTestMain(argc, argv, "live_doubt", Run); }
