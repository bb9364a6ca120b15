// fault_session: a wide desktop and the end of the session.
//
//   fault_session VANTREL_EXE TABLE_EXE WORK_DIR      (on a 5120 x 1440 screen)
//
// vantrel.exe runs beside a table it has placed; its three windows and the table
// are then moved where a 16-bit twip record cannot hold them (x = 4008 pixels is
// 60120 twips), and the session ends through `wineboot --end-session`, with no
// close. The settings file must then hold every place: the 16 bytes clamped as
// they always were, and the exact places after them. A second run must open the
// three windows exactly there and put a new table exactly where the last one
// was left.
#include "live_run.h"

namespace {

using namespace vantrel::e2e;
using vantrel::base::Point;

struct Moved {
    const wchar_t* caption;
    Point at;
};
const Moved kMoved[] = {{kMainCaption, {4008, 100}}, {kDetailCaption, {2900, 1300}}, {kPlayerCaption, {4600, 1300}}};
constexpr Point kTableAt{4200, 500};

void MoveTo(HWND window, Point at) {
    SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::int32_t Int32At(const std::vector<unsigned char>& bytes, std::size_t at) {
    std::uint32_t u = 0;
    for (std::size_t i = 0; i < 4; ++i) u |= std::uint32_t{bytes[at + i]} << (8 * i);
    return static_cast<std::int32_t>(u);
}

void ExpectEveryPlace(Checks& check, const std::vector<unsigned char>& bytes) {
    if (!check.That(bytes.size() == 48, "the file holds " + std::to_string(bytes.size()) + " bytes, not 48")) return;
    const Record exact[] = {{4008 * 15, 100 * 15}, {2900 * 15, 1300 * 15}, {4600 * 15, 1300 * 15}, {kTableAt.x, kTableAt.y}};
    const Record clamped[] = {{32767, 1500}, {32767, 19500}, {32767, 19500}, {kTableAt.x, kTableAt.y}};
    for (int record = 1; record <= 4; ++record) {
        const std::size_t i = static_cast<std::size_t>(record - 1);
        check.That(RecordOf(bytes, record) == clamped[i], "record " + std::to_string(record) + " holds " +
                                                              Describe(RecordOf(bytes, record)) + ", not " + Describe(clamped[i]));
        const Record kept{Int32At(bytes, 16 + 8 * i), Int32At(bytes, 20 + 8 * i)};
        check.That(kept == exact[i], "the exact place of record " + std::to_string(record) + " is " + Describe(kept) +
                                         ", not " + Describe(exact[i]));
    }
}

int Run(LiveRun& run) {
    Checks& check = run.check();
    check.That(GetSystemMetrics(SM_CXSCREEN) == 5120, "the screen is not 5120 pixels wide");
    if (!run.StartVantrel()) return run.Verdict();
    const std::wstring home = run.home(), settings = run.SettingsPath();
    const Table table = run.StartTable(L"--seed 5 --hands 1 " + std::wstring(kQuickClock));
    if (!table) return run.Verdict();
    run.ExpectPlaced(table);
    for (const Moved& m : kMoved) MoveTo(FindCaption(m.caption), m.at);
    MoveTo(table.window, kTableAt);
    Sleep(1500);  // the table's place is measured

    wchar_t system[MAX_PATH];
    const std::wstring wineboot = std::wstring(system, GetSystemDirectoryW(system, MAX_PATH)) + L"\\wineboot.exe";
    check.Note("wineboot --end-session");
    ChildProcess endSession(wineboot, L"--end-session");
    check.That(endSession.started() && endSession.ExitsWithin(60000), "wineboot --end-session did not end");
    run.ExpectExit("at the end of the session");
    ExpectEveryPlace(check, FileBytes(settings));

    check.Note("the next run");
    if (!run.StartVantrel({.home = home, .install = false})) return run.Verdict();
    const bool up = WaitFor(60000, [] {
        return std::all_of(std::begin(kMoved), std::end(kMoved), [](const Moved& m) {
            const HWND w = FindCaption(m.caption);
            return w && IsWindowVisible(w);
        });
    });
    if (check.That(up, "the windows did not come up again")) {
        for (const Moved& m : kMoved) {
            const vantrel::base::Rect r = OuterRect(FindCaption(m.caption));
            check.That(Point{r.left, r.top} == m.at, std::string(m.caption, m.caption + wcslen(m.caption)) +
                                                         " came back at " + Describe(Record{r.left, r.top}));
        }
    }
    const Table next = run.StartTable(L"--seed 6 --hands 1 " + std::wstring(kQuickClock));
    if (next) run.ExpectPlaced(next, kTableAt);
    run.CloseVantrel();
    return run.Verdict();
}

}  // namespace

int wmain(int argc, wchar_t** argv) { return LiveTestMain(argc, argv, "fault_session", Run); }
