// live_report: a report taken with Ctrl+S beside the stand-in replays to its log.
//
//   live_report VANTREL_EXE TABLE_EXE WORK_DIR     (VANTREL_REPLAY: the native vantrel-replay)
//
// vantrel.exe follows table.exe's hands. Twice the main window is clicked and
// Ctrl+S pressed on the real X keyboard (xdotool): each time a new report must
// appear in reports/ beside vantrel.exe and the tip strip must say so. The native
// replay of the first, taken six moves into the first hand, must print the start of
// that hand; of the second, taken after three hands in the long pause before the
// fourth, exactly the log's second and third hands.
#include <algorithm>
#include <cstdlib>
#include <functional>

#include "live_run.h"
#include "platform/win32/utf16.h"
#include "shared/layouts.h"

namespace {

using namespace vantrel::e2e;
using vantrel::platform::win32::Narrow;
using vantrel::platform::win32::Widen;

// What vantrel-replay prints for the log's hands `from` to `to` (1-based), numbered from 1.
std::string ReplayLinesOf(const std::vector<std::string>& log, int from, int to) {
    std::string lines;
    int hand = 0, move = 0;
    for (const std::string& line : log) {
        const LogEvent e = ParseLogLine(line);
        if (e.kind == LogEvent::Kind::Deal) ++hand;
        if (hand < from || hand > to) continue;
        if (e.kind == LogEvent::Kind::First) {
            lines += "hand " + std::to_string(hand - from + 1) + " first " + std::to_string(e.seat) + "\n";
            move = 0;
        } else if (e.kind == LogEvent::Kind::Move) {
            lines += "move " + std::to_string(move++) + " seat " + std::to_string(e.seat);
            if (e.codes.empty()) lines += " pass";
            for (const int code : e.codes) (lines += ' ') += std::to_string(code == 49 ? 15 : (code - 1) / 4 + 3);
            lines += "\n";
        } else if (e.kind == LogEvent::Kind::End) {
            lines += "end\n";
        }
    }
    return lines;
}

// The replay's lines but its held marks: what each opponent must hold follows from
// the dealt hands, which the log does not give; the native recorder tests hold
// those lines to the rules.
std::string WithoutHeldLines(const std::string& replay) {
    std::string kept;
    for (std::size_t at = 0; at < replay.size();) {
        const std::size_t end = std::min(replay.find('\n', at), replay.size() - 1) + 1;
        if (replay.compare(at, 5, "held ") != 0) kept.append(replay, at, end - at);
        at = end;
    }
    return kept;
}

// The reports in `folder`, oldest first (their names sort by time).
std::vector<std::wstring> ReportsIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((folder + L"\\vantrel-*.vxr").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.push_back(found.cFileName);
    while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

class ReportTaker {
public:
    ReportTaker(LiveRun& run, std::string replay)
        : check_(run.check()), run_(run), replay_(std::move(replay)), xdotool_(Widen(run.hostWork())) {}

    // A click on the main window's title strip, then Ctrl+S: the new report's name,
    // once the tip strip says it was saved; empty when none came.
    std::wstring Take() {
        const std::size_t before = ReportsIn(reports_).size();
        const vantrel::base::Rect main = OuterRect(FindCaption(kMainCaption));
        // Somewhere new each time: a --sync move to where the pointer stands waits forever.
        const int x = main.left + 40 + 8 * taken_++;
        check_.That(xdotool_.Run("mousemove --sync " + std::to_string(x) + " " + std::to_string(main.top + 5) + " click 1"),
                    "xdotool could not click the main window");
        check_.That(xdotool_.Run("search --name '^VXMain$' windowfocus --sync key ctrl+s"), "xdotool could not press Ctrl+S");
        if (!check_.That(WaitFor(5000, [&] { return ReportsIn(reports_).size() > before; }), "no new report in reports\\"))
            return {};
        WindowReader strip(vantrel::layouts::kMain);
        check_.That(WaitFor(2000, [&] { return strip.Capture() && strip.Shows("main/tip-26", 16, 512); }),
                    "the tip strip does not say the report was saved");
        const std::wstring name = ReportsIn(reports_).back();
        check_.Note(Narrow(name) + ": " + std::to_string(FileBytes(reports_ + L"\\" + name).size()) + " bytes");
        return name;
    }

    // What the native replay prints for the report; its exit status is checked.
    std::string Replay(const std::wstring& report) {
        const std::string out = run_.hostWork() + "/replay.txt";
        const std::string command = std::string(1, '\'') + replay_ + "' '" + run_.hostWork() + "/vantrel-home/reports/" +
                                    Narrow(report) + "' > '" + out + "' 2>&1";
        const int status = RunOnHost(command, Widen(run_.hostWork() + "/replay.done"), 60000);
        check_.That(status == 0, "vantrel-replay ended with status " + std::to_string(status));
        const auto printed = FileBytes(run_.work() + L"\\replay.txt");
        return WithoutHeldLines({printed.begin(), printed.end()});
    }

private:
    Checks& check_;
    LiveRun& run_;
    std::string replay_;
    Xdotool xdotool_;
    std::wstring reports_ = run_.work() + L"\\vantrel-home\\reports";
    int taken_ = 0;
};

int Run(LiveRun& run) {
    Checks& check = run.check();
    const char* replay = std::getenv("VANTREL_REPLAY");
    if (!check.That(replay && FileExists(WindowsPath(Widen(replay))), "no native vantrel-replay (build the native preset first)"))
        return run.Verdict();
    if (!run.StartVantrel({.from = run.work()})) return run.Verdict();
    const Table table = run.StartTable(
        L"--seed 11 --hands 4 --pos 420,300 --think-ms 500-600 --deal-ms 600 --final-ms 700 --pause-ms 9000", L"hands.log");
    if (!table) return run.Verdict();
    ReportTaker reports(run, replay);
    const std::wstring& log = table.log;

    LogTail tail(log);
    std::vector<std::string> lines;
    int ended = 0, moves = 0;
    auto readLogUntil = [&](const std::function<bool()>& done) {
        return WaitFor(180000, [&] {
            for (const std::string& line : tail.NewLines()) {
                lines.push_back(line);
                ended += ParseLogLine(line).kind == LogEvent::Kind::End;
                moves += ParseLogLine(line).kind == LogEvent::Kind::Move;
            }
            return done();
        });
    };

    // In the first hand the report starts with the program: its replay is the hand so far.
    check.That(readLogUntil([&] { return moves >= 6; }), "the first hand did not reach its sixth move");
    const std::wstring early = reports.Take();
    if (!early.empty()) {
        readLogUntil([] { return true; });  // the moves made while the keys were pressed
        const std::string got = reports.Replay(early), hand = ReplayLinesOf(lines, 1, 1);
        check.That(std::count(got.begin(), got.end(), '\n') >= 6 && hand.starts_with(got),
                   "the replay of the first hand's report is not the start of the log's first hand:\n" + got);
    }

    // After three hands, in the pause before the fourth deal: the last two hands whole.
    check.That(readLogUntil([&] { return ended >= 3; }), "three hands did not finish");
    Sleep(1500);  // the last move read, the hand reset
    const std::wstring late = reports.Take();
    if (!late.empty()) {
        const std::string got = reports.Replay(late), want = ReplayLinesOf(lines, 2, 3);
        if (!check.That(got == want, "the replay differs from hands 2 and 3 of the log"))
            std::printf("replay:\n%s\nlog:\n%s\n", got.c_str(), want.c_str());
        check.Note(std::to_string(std::count(want.begin(), want.end(), '\n')) + " lines replayed exactly");
    }
    run.CloseVantrel();
    return run.Verdict();
}

}  // namespace

int wmain(int argc, wchar_t** argv) { return LiveTestMain(argc, argv, "live_report", Run); }
