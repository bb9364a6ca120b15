#include "live_run.h"

#include <cstdio>
#include <utility>

#include "platform/win32/desktop.h"
#include "platform/win32/utf16.h"

namespace vantrel::e2e {

LiveRun::LiveRun(Checks checks, std::wstring vantrelExe, std::wstring tableExe, std::wstring work,
                 std::string hostWork, std::vector<std::wstring> more)
    : checks_(std::move(checks)),
      vantrelExe_(std::move(vantrelExe)),
      tableExe_(std::move(tableExe)),
      work_(std::move(work)),
      hostWork_(std::move(hostWork)),
      more_(std::move(more)) {
    CreateDirectoryW(work_.c_str(), nullptr);
}

std::wstring LiveRun::InstallVantrel(const std::wstring& home, const std::vector<unsigned char>* settings) {
    CreateDirectoryW(home.c_str(), nullptr);
    const std::wstring exe = home + L"\\vantrel.exe";
    const std::wstring file = SettingsPathIn(home);
    bool installed = CopyFileW(vantrelExe_.c_str(), exe.c_str(), FALSE);
    if (installed) {
        DeleteFileW(file.c_str());
        installed = !settings || WriteFileBytes(file, *settings);
    }
    if (!checks_.That(installed, "cannot copy vantrel.exe and its settings to " + platform::win32::Narrow(home)))
        return {};
    return exe;
}

bool LiveRun::StartVantrel(const VantrelStart& start) {
    vantrel_.reset();
    home_ = start.home.empty() ? work_ + L"\\vantrel-home" : start.home;
    const std::wstring exe = start.install ? InstallVantrel(home_, start.settings) : home_ + L"\\vantrel.exe";
    if (exe.empty()) return false;
    vantrel_ = std::make_unique<ChildProcess>(exe, L"", start.from.empty() ? home_ : start.from);
    if (!checks_.That(vantrel_->started(), "vantrel.exe did not start")) return false;
    AwaitVantrel();
    return true;
}

// The main window exists from the start of its load but is shown only at its end,
// once it stands at its stored place.
void LiveRun::AwaitVantrel() {
    checks_.That(WaitFor(60000,
                         [] {
                             const HWND main = FindCaption(kMainCaption);
                             return main && IsWindowVisible(main);
                         }),
                 "no main window shown");
}

Table LiveRun::StartTable(const std::wstring& arguments, const std::wstring& logName) {
    Table table;
    table.arguments = arguments;
    if (!logName.empty()) table.log = work_ + L"\\" + logName;
    std::wstring commandLine = arguments;
    if (!table.log.empty()) {
        DeleteFileW(table.log.c_str());
        commandLine += L" --log \"" + table.log + L"\"";
    }
    table.process = std::make_unique<ChildProcess>(tableExe_, commandLine, work_);
    if (table.process->started()) {
        platform::win32::Win32Desktop desktop;
        WaitFor(60000, [&] {
            table.window = reinterpret_cast<HWND>(desktop.FindWindowByTitle(kGameTitle));
            return table.window != nullptr;
        });
    }
    checks_.That(table.window != nullptr, "no window of table.exe " + platform::win32::Narrow(arguments));
    return table;
}

long long LiveRun::ExpectPlaced(const Table& table, base::Point at) {
    const long long placedAfter = table ? MsUntilPlaced(table.window, at, 6000) : -1;
    const base::Rect stands = table ? OuterRect(table.window) : base::Rect{};
    checks_.That(placedAfter >= 0, "table.exe " + platform::win32::Narrow(table.arguments) + " was not moved to (" +
                                       std::to_string(at.x) + ", " + std::to_string(at.y) + "); it stands at (" +
                                       std::to_string(stands.left) + ", " + std::to_string(stands.top) + ")");
    return placedAfter;
}

void LiveRun::ExpectPlacedOnTime(const Table& table, base::Point at) {
    const long long placedAfter = ExpectPlaced(table, at);
    checks_.That(placedAfter < 0 || (placedAfter >= 1300 && placedAfter <= 3500),
                 "the table was placed " + std::to_string(placedAfter) + " ms after it appeared");
    checks_.That(table && (GetWindowLongW(table.window, GWL_EXSTYLE) & WS_EX_TOPMOST), "the table is not topmost");
}

void LiveRun::CloseVantrel() {
    if (!vantrel_) {
        PostMessageW(FindCaption(kMainCaption), WM_CLOSE, 0, 0);
        checks_.That(WaitFor(10000, [] { return FindCaption(kMainCaption) == nullptr; }), "the main window did not close");
        return;
    }
    checks_.That(!vantrel_->ExitsWithin(0), "vantrel.exe ended before its main window was closed");
    PostMessageW(FindCaption(kMainCaption), WM_CLOSE, 0, 0);
    ExpectExit("when its main window closed");
}

void LiveRun::ExpectExit(const std::string& when) {
    if (!checks_.That(vantrel_ && vantrel_->ExitsWithin(10000), "vantrel.exe did not exit " + when)) return;
    checks_.That(vantrel_->ExitCode() == 0, "vantrel.exe exited with status " + std::to_string(vantrel_->ExitCode()));
}

void LiveRun::SaveScreensOnFailure(std::initializer_list<const WindowReader*> readers) {
    if (checks_.failures() == 0 || screensSaved_) return;
    SaveScreens(checks_, work_, readers);
    screensSaved_ = true;
}

int LiveRun::Verdict(std::initializer_list<const WindowReader*> readers) {
    if (checks_.failures() == 0) {
        checks_.Note("passed");
        return 0;
    }
    SaveScreensOnFailure(readers);
    checks_.Note(std::to_string(checks_.failures()) + " checks failed; screenshots in the work folder");
    return 1;
}

int LiveTestMain(int argc, wchar_t** argv, const std::string& name, const std::function<int(LiveRun&)>& test,
                 const std::string& moreUsage) {
    const auto usage = [&] {
        std::printf("usage: %s VANTREL_EXE TABLE_EXE WORK_DIR%s%s\n", name.c_str(), moreUsage.empty() ? "" : " ",
                    moreUsage.c_str());
        return kWrongUsage;
    };
    if (argc < 4 || (moreUsage.empty() && argc != 4)) return usage();
    LiveRun run(Checks(name), WindowsPath(argv[1]), WindowsPath(argv[2]), WindowsPath(argv[3]),
                platform::win32::Narrow(argv[3]), {argv + 4, argv + argc});
    const int status = test(run);
    return status == kWrongUsage ? usage() : status;
}

}  // namespace vantrel::e2e
