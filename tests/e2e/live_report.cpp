// live_report: a report taken with Ctrl+S beside the stand-in replays to its log.
//
//   live_report VANTREL_EXE TABLE_EXE WORK_DIR     (VANTREL_REPLAY: the native vantrel-replay)
//
// vantrel.exe follows three hands of table.exe, which then pauses long before its
// fourth. The main window is clicked and Ctrl+S pressed on the real X keyboard
// (xdotool): a report must appear in reports/ beside vantrel.exe, the tip strip
// must say so, and the native replay of that file alone must print exactly the
// moves of the log's second and third hands.
#include <cstdlib>

#include "live_check.h"
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

std::wstring FirstReportIn(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((folder + L"\\vantrel-*.vxr").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return {};
    FindClose(search);
    return found.cFileName;
}

int Run(Checks& check, const LiveTestPaths& paths) {
    const char* replay = std::getenv("VANTREL_REPLAY");
    if (!check.That(replay && FileExists(WindowsPath(Widen(replay))),
                    "no native vantrel-replay (build the native preset first)"))
        return Verdict(check, paths.work);
    const std::wstring home = paths.work + L"\\vantrel-home";
    const auto vantrel = StartVantrel(check, paths.vantrelExe, home, paths.work);
    if (!vantrel) return 1;
    const std::wstring log = paths.work + L"\\hands.log";
    Table table = StartTable(paths.tableExe,
                             L"--seed 11 --hands 4 --pos 420,300 --think-ms 250-350 --deal-ms 600 --final-ms 700 --pause-ms 9000",
                             paths.work, log);
    if (!check.That(table.window != nullptr, "no table window")) return Verdict(check, paths.work);

    LogTail tail(log);
    std::vector<std::string> lines;
    int ended = 0;
    check.That(WaitFor(180000,
                       [&] {
                           for (const std::string& line : tail.NewLines()) {
                               lines.push_back(line);
                               ended += ParseLogLine(line).kind == LogEvent::Kind::End;
                           }
                           return ended >= 3;
                       }),
               "three hands did not finish");
    Sleep(1500);  // the last move read, the hand reset, well before the next deal

    const vantrel::platform::Rect main = OuterRect(FindCaption(kMainCaption));
    Xdotool xdotool(Widen(paths.hostWork));
    check.That(xdotool.Run("mousemove --sync " + std::to_string(main.left + 64) + " " + std::to_string(main.top + 5) +
                           " click 1"),
               "xdotool could not click the main window");
    check.That(xdotool.Run("search --name '^VXMain$' windowfocus --sync key ctrl+s"), "xdotool could not press Ctrl+S");
    const std::wstring reports = home + L"\\reports";
    std::wstring report;
    check.That(WaitFor(5000, [&] { return !(report = FirstReportIn(reports)).empty(); }), "no report in reports\\");
    WindowReader strip(vantrel::layouts::kMain);
    check.That(WaitFor(2000, [&] { return strip.Capture() && strip.Shows("main/tip-26", 16, 512); }),
               "the tip strip does not say the report was saved");

    if (!report.empty()) {
        const std::string hostReport = paths.hostWork + "/vantrel-home/reports/" + Narrow(report);
        const std::string out = paths.hostWork + "/replay.txt";
        const std::string command = std::string(1, '\'') + replay + "' '" + hostReport + "' > '" + out + "' 2>&1";
        const int status = RunOnHost(command,
                                     Widen(paths.hostWork + "/replay.done"), 60000);
        const auto printed = FileBytes(paths.work + L"\\replay.txt");
        const std::string got(printed.begin(), printed.end()), want = ReplayLinesOf(lines, 2, 3);
        check.That(status == 0, "vantrel-replay ended with status " + std::to_string(status));
        if (!check.That(got == want, "the replay differs from hands 2 and 3 of the log"))
            std::printf("replay:\n%s\nlog:\n%s\n", got.c_str(), want.c_str());
        check.Note(std::to_string(std::count(want.begin(), want.end(), '\n')) + " lines replayed from a report of " +
                   std::to_string(FileBytes(reports + L"\\" + report).size()) + " bytes");
    }
    PostMessageW(FindCaption(kMainCaption), WM_CLOSE, 0, 0);
    check.That(vantrel->ExitsWithin(12000), "vantrel.exe did not exit when its main window closed");
    return Verdict(check, paths.work);
}

}  // namespace

int wmain(int argc, wchar_t** argv) { return LiveTestMain(argc, argv, "live_report", Run); }
