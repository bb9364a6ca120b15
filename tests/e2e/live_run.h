// The harness every live test runs in. A test is a function of a LiveRun, and
// LiveTestMain runs it from the command line
//
//   TEST VANTREL_EXE TABLE_EXE WORK_DIR [MORE...]
//
// The run installs vantrel.exe afresh in a folder of its own and starts it, starts
// the stand-in beside it with its log written afresh, awaits the game's placement,
// closes the program as a user does and holds it to a clean exit, and gives the
// verdict. Every process it starts is ended by its handle on every path: a table
// when the Table goes, vantrel.exe when the run does (after the test's tables).
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "child_process.h"
#include "live_check.h"
#include "platform/platform.h"

namespace vantrel::e2e {

// Where vantrel.exe puts the game when its settings file holds the defaults, in
// logical pixels (the settings file's).
inline constexpr base::Point kGamePlace{175, 8};

// The stand-in as LiveRun::StartTable started it.
struct Table {
    std::unique_ptr<ChildProcess> process;
    HWND window = nullptr;  // null when it did not come up
    std::wstring arguments;
    std::wstring log;  // its ground-truth log; empty when it writes none

    explicit operator bool() const { return window != nullptr; }
};

// Where LiveRun::StartVantrel puts vantrel.exe and what it starts it with.
struct VantrelStart {
    std::wstring home{};  // the folder vantrel.exe is copied to: WORK_DIR\vantrel-home when empty
    std::wstring from{};  // its working folder: `home` when empty
    const std::vector<unsigned char>* settings = nullptr;  // the settings file beside it; none when null
    bool install = true;  // false: `home` holds vantrel.exe already and is left as it is
};

class LiveRun {
public:
    LiveRun(Checks checks, std::wstring vantrelExe, std::wstring tableExe, std::wstring work, std::string hostWork,
            std::vector<std::wstring> more);

    Checks& check() { return checks_; }
    // The work folder as Wine names it (it exists), and as the host does, for host programs.
    const std::wstring& work() const { return work_; }
    const std::string& hostWork() const { return hostWork_; }
    // The command line's arguments after WORK_DIR.
    const std::vector<std::wstring>& more() const { return more_; }

    // vantrel.exe copied into `home` (made if missing) with `settings` as its file,
    // or none; its path, or empty, the failure said, when it could not be copied.
    std::wstring InstallVantrel(const std::wstring& home, const std::vector<unsigned char>* settings = nullptr);
    // Starts vantrel.exe (ending one this run started before) and checks that its
    // main window comes up. False, the failure said, when it could not be copied
    // or started.
    bool StartVantrel(const VantrelStart& start = {});
    // For a vantrel.exe that the script running this test started: checks that its
    // main window comes up.
    void AwaitVantrel();
    // The folder of the vantrel.exe started last, and its settings file.
    const std::wstring& home() const { return home_; }
    std::wstring SettingsPath() const { return SettingsPathIn(home_); }
    // The vantrel.exe this run started; StartVantrel must have succeeded.
    const ChildProcess& vantrel() const { return *vantrel_; }

    // table.exe started in the work folder with `arguments`, writing its log afresh
    // to `logName` there when one is named; checks that its window comes up.
    Table StartTable(const std::wstring& arguments, const std::wstring& logName = {});
    // Checks that vantrel.exe moves `table` to `at` (screen pixels) within 6 s; the
    // milliseconds it took, or -1.
    long long ExpectPlaced(const Table& table, base::Point at = ScreenPoint(kGamePlace));
    // The same for a table that has just come up: placed about 1.5 s after it
    // appeared (1.3 to 3.5 s on a loaded machine), and topmost.
    void ExpectPlacedOnTime(const Table& table, base::Point at = ScreenPoint(kGamePlace));

    // Closes vantrel.exe's main window as the system would and checks that the
    // program was running until then and ends with status 0 (for one this run
    // did not start: that the main window goes).
    void CloseVantrel();
    // Checks that vantrel.exe ends with status 0 within 10 s `when` something closed it.
    void ExpectExit(const std::string& when);

    // When a check has failed: the whole screen and each of `readers`' windows, as
    // it was read last, saved in the work folder (once a run).
    void SaveScreensOnFailure(std::initializer_list<const WindowReader*> readers = {});
    // The end of a test: saves the screens on failure, prints the verdict, and
    // gives the exit status.
    int Verdict(std::initializer_list<const WindowReader*> readers = {});

private:
    Checks checks_;
    std::wstring vantrelExe_, tableExe_, work_;
    std::string hostWork_;
    std::vector<std::wstring> more_;
    std::wstring home_;
    std::unique_ptr<ChildProcess> vantrel_;
    bool screensSaved_ = false;
};

// What a test that takes more arguments returns when they are wrong.
inline constexpr int kWrongUsage = 2;

// Runs `test` in a LiveRun named `name` and gives its result as the exit status;
// 2, with the usage printed, for a command line without the three paths, with
// more arguments when `moreUsage` names none, or when `test` says kWrongUsage.
int LiveTestMain(int argc, wchar_t** argv, const std::string& name, const std::function<int(LiveRun&)>& test,
                 const std::string& moreUsage = {});

}  // namespace vantrel::e2e
