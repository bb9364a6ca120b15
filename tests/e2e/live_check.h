// The checks of the live tests, where vantrel.exe runs beside the stand-in
// table.exe under Wine (set up by the harness in live_run.h) and is checked from
// outside, as a user would see it: its settings file read byte by byte, the
// table's ground-truth log followed as it grows, and the program's windows read
// back off the screen and compared, cell by cell, with the pictures their layout
// tables name; the main window is held to what the log implies after every move.
#pragma once

#include <windows.h>

#include <array>
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/image.h"
#include "platform/platform.h"
#include "platform/win32/desktop.h"
#include "sim/hand.h"
#include "support/game_title.h"
#include "ui/layout.h"

namespace vantrel::e2e {

using vantrel::testing::kGameTitle;
inline constexpr wchar_t kMainCaption[] = L"VXMain";
inline constexpr wchar_t kDetailCaption[] = L"VXDetail";
inline constexpr wchar_t kPlayerCaption[] = L"VXPlayer";

// A quick clock for the stand-in: every move stays at least 500 ms, so a check
// LogFollower makes after giving the program its read still sees the same move.
inline constexpr wchar_t kQuickClock[] = L"--think-ms 500-600 --deal-ms 600 --final-ms 700 --pause-ms 1500";

// Failed checks, printed with the test's name and counted.
class Checks {
public:
    explicit Checks(std::string name) : name_(std::move(name)) {}
    // Counts and prints `what` when `holds` is false; returns `holds`.
    bool That(bool holds, const std::string& what);
    void Note(const std::string& what) const;
    int failures() const { return failures_; }
    const std::string& name() const { return name_; }

private:
    std::string name_;
    int failures_ = 0;
};

template <class Predicate>
bool WaitFor(DWORD ms, Predicate done) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    while (!done()) {
        if (GetTickCount64() > deadline) return false;
        Sleep(20);
    }
    return true;
}

// A host path as Wine names it: the host's root is drive Z:.
std::wstring WindowsPath(std::wstring path);
std::vector<unsigned char> FileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::vector<unsigned char>& bytes);
bool FileExists(const std::wstring& path);

// xdotool, the real X pointer, run from a Windows program. Wine starts a Linux
// program without handing back a process, so each command runs under /bin/sh,
// which leaves xdotool's exit status in a file of the work folder.
class Xdotool {
public:
    explicit Xdotool(const std::wstring& unixWork);
    // True when xdotool ran `arguments` and succeeded within 10 s.
    bool Run(const std::string& arguments);

private:
    std::wstring unixDone_;
};

// Runs `command` under the host's /bin/sh, which writes its exit status to
// `unixDone` (a host path); that status, or -1 when it did not finish within `ms`.
int RunOnHost(const std::string& command, const std::wstring& unixDone, DWORD ms);

// The settings file's records: two little-endian 16-bit signed values each.
struct Record {
    int x = 0, y = 0;
    friend bool operator==(Record, Record) = default;
};
// {-99999, -99999} when the file is too short to hold it.
Record RecordOf(const std::vector<unsigned char>& bytes, int record);
std::vector<unsigned char> SettingsBytes(const std::array<Record, 4>& records);
std::string Describe(Record record);
inline const std::array<Record, 4> kDefaultRecords{{{120, 120}, {120, 9600}, {7140, 9600}, {175, 8}}};

inline std::wstring SettingsPathIn(const std::wstring& folder) { return folder + L"\\Qelsetup.qes"; }

base::Rect OuterRect(HWND window);

// The session's display scale: the primary monitor's, as vantrel.exe takes it (the
// prefix's DPI under Wine), asked as a per-monitor-aware process asks.
ui::Scale LiveScale();
// A place as the settings file keeps it, in logical pixels, on the screen.
base::Point ScreenPoint(base::Point logical);
HWND FindCaption(const wchar_t* caption);
// The top-level windows for which `keep` holds, in the order EnumWindows gives.
std::vector<HWND> TopLevelWindows(const std::function<bool(HWND)>& keep);
// Whether `window` is a tooltip control of the common controls owned by `owner`.
bool IsTooltipOf(HWND window, HWND owner);

// Milliseconds from now until `window` stands at `at`, or -1 after `deadlineMs`.
long long MsUntilPlaced(HWND window, base::Point at, DWORD deadlineMs);

// One line of the log (sim/hand_log.h): a deal with seat 0's codes, the first
// seat, a move with its codes (none for a pass) and every seat's count after it,
// or the end of a hand.
struct LogEvent {
    enum class Kind { Deal, First, Move, End, Other } kind = Kind::Other;
    int seat = 0;
    std::vector<int> codes;
    std::array<int, 3> counts{};
};
LogEvent ParseLogLine(const std::string& line);

// The ground-truth log as table.exe writes it, read as it grows.
class LogTail {
public:
    explicit LogTail(std::wstring path) : path_(std::move(path)) {}
    std::vector<std::string> NewLines();

private:
    std::wstring path_;
    std::size_t consumed_ = 0;
};

// What the main window should show, followed from the log's lines.
struct Expected {
    std::array<int, 16> marks{};  // by rank
    int counts[3] = {0, 0, 0};
    bool inHand = false;
    int moves = 0;  // in the current hand
    int handsEnded = 0;
    sim::HandRecord hand;  // the current hand as far as the log has told it

    Expected() { Reset(); }
    void Reset();
    void Apply(const std::string& line);
};

// A window of the program as it stands on the screen, found by its layout's
// caption and compared with the pictures the layout names, both at LiveScale(). Pixels are compared
// without their unused byte; on a display of fewer than 24 bits the screen holds
// fewer bits per colour, so a pixel matches a picture's within `tolerance` per
// channel.
class WindowReader {
public:
    explicit WindowReader(const ui::FormLayout& table, int tolerance = 0);

    // False when the window is missing or hidden.
    bool Capture();
    const base::Image& picture() const { return picture_; }
    const ui::FormLayout& layout() const { return layout_; }

    // Whether `tile` stands with its corner at (left, top).
    bool Shows(const base::Image& tile, int left, int top) const;
    bool Shows(std::string_view pictureName, int left, int top) const;
    // Whether the rectangle shows exactly what `expected`, a picture of the whole
    // window, has there.
    bool ShowsAs(const base::Image& expected, int left, int top, int width, int height) const;
    // Whether the window's background shows in the rectangle: nothing is drawn there.
    bool ShowsBackground(int left, int top, int width, int height) const;
    bool ShowsBackground(const ui::ControlSpec& cell) const;

private:
    bool Same(std::uint32_t a, std::uint32_t b) const;

    platform::win32::Win32Desktop desktop_;
    const ui::FormLayout& layout_;
    int tolerance_;
    base::Image picture_;
};

// The main window's marks and count cells.
class MainWindowReader : public WindowReader {
public:
    explicit MainWindowReader(int tolerance = 0);

    // 1 shown (on its own tile or as held), 0 hidden (the back colour), -1 neither.
    int Mark(int code) const;
    // The seat that a shown mark says must hold it (2 left, 1 right), 0 for none.
    int HeldBy(int code) const;
    // How many shown marks say so.
    int HeldShown() const;
    // The count a cell shows; -1 blank, -2 unreadable.
    int Count(int seat) const;
};

// What the main window, read now, shows other than `expected`: one line for each
// difference, none when it agrees. The marks shown as held are held to what the
// game's rules let the log imply (support/held_by_rules.h).
std::vector<std::string> Differences(MainWindowReader& reader, const Expected& expected);

// Follows the table's log and checks the main window after every move. The
// program reads a move within a tick or two, but a loaded machine may hold it up:
// a check looks again until the main window agrees, and only what still differs
// when the log's next line comes (the table is about to change) is a difference.
class LogFollower {
public:
    // Under kQuickClock: the first look, well before the next move can come.
    static constexpr DWORD kSettleMs = 300;

    LogFollower(Checks& checks, std::wstring log, int tolerance = 0, DWORD settleMs = kSettleMs)
        : checks_(checks), tail_(std::move(log)), reader_(tolerance), settleMs_(settleMs) {}

    // Takes each line as it comes and checks after every move; true once `done`
    // holds (it is asked after every line), false after `ms`.
    bool FollowUntil(DWORD ms, const std::function<bool(const Expected&)>& done);
    // Takes the new lines without checking.
    void CatchUp();
    // Checks now, once, against `expected`; prints what differs.
    bool CheckAgainst(const Expected& expected, const std::string& when);

    const Expected& expected() const { return expected_; }
    int checked() const { return checked_; }
    int mismatches() const { return mismatches_; }
    // Moves never checked: the log's next line came before a look could count.
    int late() const { return late_; }
    // Marks shown as held, summed over the moves checked.
    int heldMarks() const { return heldMarks_; }
    const MainWindowReader& reader() const { return reader_; }
    std::string Summary() const;

private:
    void Fetch();
    // The lines that state the hand's end come with its last move.
    void TakeEndLines();
    void CheckMove();
    void Report(const std::vector<std::string>& differences, const std::string& when);

    Checks& checks_;
    LogTail tail_;
    MainWindowReader reader_;
    DWORD settleMs_;
    Expected expected_;
    std::deque<std::string> pending_;
    int checked_ = 0, mismatches_ = 0, late_ = 0, heldMarks_ = 0;
};

// The whole screen, and each of `readers`' windows as it was read last, saved in
// `folder`, named after the test (and the window's caption).
void SaveScreens(const Checks& checks, const std::wstring& folder, std::initializer_list<const WindowReader*> readers);

}  // namespace vantrel::e2e
