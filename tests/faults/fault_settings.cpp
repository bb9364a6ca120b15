// fault_settings: settings files the program did not write, and a folder it
// cannot write to.
//
//   fault_settings VANTREL_EXE TABLE_EXE WORK_DIR [--read-only-folder DIR]
//
// For each case vantrel.exe starts from its own folder; its three windows must
// come up visible and wholly on the screen, it must keep running, and closing
// the main window must end it with status 0. Then the file must hold 16 bytes
// whose records put every window where it stood:
//  - an empty file (0 bytes): every record reads as its default; the close
//    writes the whole default file back;
//  - 7 bytes, record 1 whole and record 2 cut short: record 1 places the main
//    window, the cut record and the missing ones read as their defaults, and the
//    close completes the file with them;
//  - four records off every screen, with a table running: each window, the
//    table too, is brought the shortest way onto the screen, and the close writes
//    the places they were brought to;
//  - a read-only folder holding vantrel.exe alone (made so by fault_settings.sh):
//    the windows open at the defaults, and no file ever appears;
//  - a file this process holds open, sharing nothing, from before the close until
//    after it: the program still ends, the file is exactly as it was, and the
//    next run's close writes where the main window was moved;
//  - a file held the same way from before the start until the windows are up,
//    then let go: the windows open at the defaults, and the close, nothing moved,
//    leaves the file byte for byte as it was.
#include "live_run.h"
#include "platform/win32/handles.h"

#include <cmath>
#include <optional>

namespace {

using namespace vantrel::e2e;
using vantrel::base::Point;
using vantrel::base::Rect;

struct Places {
    Point main, detail, player;
};

bool OnScreen(const Rect& r) {
    return r.left >= 0 && r.top >= 0 && r.right <= GetSystemMetrics(SM_CXSCREEN) &&
           r.bottom <= GetSystemMetrics(SM_CYSCREEN) && r.width() > 0 && r.height() > 0;
}

std::string Describe(const Rect& r) {
    char text[64];
    std::snprintf(text, sizeof text, "(%d, %d)-(%d, %d)", static_cast<int>(r.left), static_cast<int>(r.top),
                  static_cast<int>(r.right), static_cast<int>(r.bottom));
    return text;
}

// The record of a window standing at `p`: logical twips, 15 to a pixel of the
// display scale's.
Record Twips(Point p) {
    const double twipsPerPixel = 15 / LiveScale().factor();
    return {static_cast<int>(std::nearbyint(p.x * twipsPerPixel)), static_cast<int>(std::nearbyint(p.y * twipsPerPixel))};
}

// Runs vantrel.exe as `start` says, from its own folder, until its windows are up
// and checked, runs `meanwhile`, and closes it. The windows' places, when they
// all came up.
std::optional<Places> RunOnce(LiveRun& run, const std::string& name, const VantrelStart& start,
                              const std::function<void()>& meanwhile = {}) {
    Checks& check = run.check();
    check.Note(name);
    if (!run.StartVantrel(start)) return std::nullopt;
    std::optional<Places> places;
    const bool up = WaitFor(60000, [] {
        for (const wchar_t* caption : {kMainCaption, kDetailCaption, kPlayerCaption}) {
            const HWND w = FindCaption(caption);
            if (!w || !IsWindowVisible(w)) return false;
        }
        return true;
    });
    if (check.That(up, name + ": the three windows did not all come up")) {
        Sleep(1000);  // the start-up is over and the timers have run
        Places p;
        for (auto [caption, at] : {std::pair{kMainCaption, &p.main}, std::pair{kDetailCaption, &p.detail},
                                   std::pair{kPlayerCaption, &p.player}}) {
            const Rect r = OuterRect(FindCaption(caption));
            const std::string window(caption, caption + wcslen(caption));
            check.That(OnScreen(r), name + ": " + window + " stands at " + Describe(r) + ", not wholly on the screen");
            *at = {r.left, r.top};
        }
        places = p;
        if (meanwhile) meanwhile();
    }
    run.CloseVantrel();
    return places;
}

void ExpectFile(Checks& check, const std::string& name, const std::wstring& folder, const std::array<Record, 4>& want) {
    const std::vector<unsigned char> bytes = FileBytes(SettingsPathIn(folder));
    check.That(bytes.size() == 16, name + ": the file holds " + std::to_string(bytes.size()) + " bytes, not 16");
    for (int record = 1; record <= 4; ++record)
        check.That(RecordOf(bytes, record) == want[static_cast<std::size_t>(record - 1)],
                   name + ": record " + std::to_string(record) + " holds " + Describe(RecordOf(bytes, record)) +
                       ", not " + Describe(want[static_cast<std::size_t>(record - 1)]));
}

void ExpectDefaultPlaces(Checks& check, const std::string& name, const std::optional<Places>& places) {
    if (!places) return;
    check.That(places->main == ScreenPoint({8, 8}) && places->detail == ScreenPoint({8, 640}) &&
                   places->player == ScreenPoint({476, 640}),
               name + ": the windows did not open at the default places");
}

void EmptyFile(LiveRun& run) {
    Checks& check = run.check();
    const std::string name = "an empty settings file";
    const std::wstring folder = run.work() + L"\\empty";
    const std::vector<unsigned char> none;
    ExpectDefaultPlaces(check, name, RunOnce(run, name, {.home = folder, .settings = &none}));
    ExpectFile(check, name, folder, kDefaultRecords);
}

void SevenBytes(LiveRun& run) {
    Checks& check = run.check();
    const std::string name = "a settings file of 7 bytes";
    const std::wstring folder = run.work() + L"\\seven";
    std::vector<unsigned char> bytes = SettingsBytes({{{1500, 1500}, {0x1234, 0x7856}, {0, 0}, {0, 0}}});
    bytes.resize(7);
    const auto places = RunOnce(run, name, {.home = folder, .settings = &bytes});
    if (places)
        check.That(places->main == ScreenPoint({100, 100}) && places->detail == ScreenPoint({8, 640}) &&
                       places->player == ScreenPoint({476, 640}),
                   name + ": record 1 did not place the main window, or a cut record was taken");
    ExpectFile(check, name, folder, {{{1500, 1500}, kDefaultRecords[1], kDefaultRecords[2], kDefaultRecords[3]}});
}

void OffScreen(LiveRun& run) {
    Checks& check = run.check();
    const std::string name = "records off every screen";
    const std::wstring folder = run.work() + L"\\off-screen";
    const std::vector<unsigned char> bytes = SettingsBytes({{{-30000, -30000}, {-32768, 20000}, {32767, 32767}, {5000, 300}}});
    Point game{};
    const auto places = RunOnce(run, name, {.home = folder, .settings = &bytes}, [&] {
        const Table table = run.StartTable(L"--seed 2 --hands 1 --pos 300,200 " + std::wstring(kQuickClock));
        if (!table) return;
        // Brought back the shortest way: to the screen's right edge, at its own height.
        const int width = OuterRect(table.window).width();
        run.ExpectPlaced(table, {GetSystemMetrics(SM_CXSCREEN) - width, ScreenPoint({0, 300}).y});
        check.That(OnScreen(OuterRect(table.window)), name + ": the table is not wholly on the screen");
        game = {OuterRect(table.window).left, OuterRect(table.window).top};
        Sleep(1200);  // its place is measured
    });
    if (!places) return;
    const vantrel::ui::Scale scale = LiveScale();
    ExpectFile(check, name, folder,
               {{Twips(places->main), Twips(places->detail), Twips(places->player),
                 {scale.Unapply(game.x), scale.Unapply(game.y)}}});
}

void ReadOnlyFolder(LiveRun& run, const std::wstring& folder) {
    Checks& check = run.check();
    const std::string name = "a read-only settings folder";
    const std::wstring probe = folder + L"\\probe";
    if (!check.That(!WriteFileBytes(probe, {1}) && !FileExists(probe), name + ": the folder can be written to")) return;
    ExpectDefaultPlaces(check, name, RunOnce(run, name, {.home = folder, .install = false}));
    check.That(!FileExists(SettingsPathIn(folder)), name + ": a settings file appeared");
}

void HeldAtTheClose(LiveRun& run) {
    Checks& check = run.check();
    const std::string name = "a settings file held at the close";
    const std::wstring folder = run.work() + L"\\held";
    const std::vector<unsigned char> bytes = SettingsBytes(kDefaultRecords);
    auto moveMain = [] { SetWindowPos(FindCaption(kMainCaption), nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER); };
    std::optional<vantrel::platform::win32::FileHandle> holder;
    RunOnce(run, name, {.home = folder, .settings = &bytes}, [&] {
        moveMain();
        holder.emplace(CreateFileW(SettingsPathIn(folder).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        check.That(static_cast<bool>(*holder), name + ": cannot hold the file");
    });
    holder.reset();
    check.That(FileBytes(SettingsPathIn(folder)) == bytes, name + ": the held file was changed");
    check.That(!FileExists(SettingsPathIn(folder) + L".new"), name + ": a temporary file was left");
    RunOnce(run, name + ", the next run", {.home = folder, .install = false}, moveMain);
    ExpectFile(check, name + ", the next run", folder,
               {{Twips({100, 100}), kDefaultRecords[1], kDefaultRecords[2], kDefaultRecords[3]}});
}

void HeldAtTheStart(LiveRun& run) {
    Checks& check = run.check();
    const std::string name = "a settings file held from before the start";
    const std::wstring folder = run.work() + L"\\held-start";
    const std::vector<unsigned char> bytes = SettingsBytes({{{1500, 1500}, {3000, 300}, {4500, 450}, {60, 70}}});
    if (run.InstallVantrel(folder, &bytes).empty()) return;
    std::optional<vantrel::platform::win32::FileHandle> holder;
    holder.emplace(CreateFileW(SettingsPathIn(folder).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!check.That(static_cast<bool>(*holder), name + ": cannot hold the file")) return;
    ExpectDefaultPlaces(check, name,
                        RunOnce(run, name, {.home = folder, .install = false}, [&] { holder.reset(); }));
    holder.reset();
    check.That(FileBytes(SettingsPathIn(folder)) == bytes, name + ": the file was changed");
}

int Run(LiveRun& run) {
    const std::vector<std::wstring>& more = run.more();
    if (!more.empty() && !(more.size() == 2 && more[0] == L"--read-only-folder")) return kWrongUsage;
    EmptyFile(run);
    SevenBytes(run);
    OffScreen(run);
    HeldAtTheClose(run);
    HeldAtTheStart(run);
    if (!more.empty()) ReadOnlyFolder(run, WindowsPath(more[1]));
    return run.Verdict();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    return LiveTestMain(argc, argv, "fault_settings", Run, "[--read-only-folder DIR]");
}
