#include "live_check.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

#include "base/png.h"
#include "platform/win32/dpi.h"
#include "platform/win32/utf16.h"
#include "base/card_code.h"
#include "shared/layouts.h"
#include "shared/pictures.h"
#include "support/held_by_rules.h"
#include "ui/form.h"

namespace vantrel::e2e {
namespace {

using platform::win32::Narrow;
using platform::win32::Widen;

int DeckCount(int rank) { return rank == 15 ? 1 : rank == 14 ? 3 : 4; }

}  // namespace

bool Checks::That(bool holds, const std::string& what) {
    if (!holds) {
        ++failures_;
        std::printf("%s: FAILED: %s\n", name_.c_str(), what.c_str());
        std::fflush(stdout);
    }
    return holds;
}

void Checks::Note(const std::string& what) const {
    std::printf("%s: %s\n", name_.c_str(), what.c_str());
    std::fflush(stdout);
}

std::wstring WindowsPath(std::wstring path) {
    if (path.empty() || path[0] != L'/') return path;
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return L"Z:" + path;
}

std::vector<unsigned char> FileBytes(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool WriteFileBytes(const std::wstring& path, const std::vector<unsigned char>& bytes) {
    std::ofstream file(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

Xdotool::Xdotool(const std::wstring& unixWork) : unixDone_(unixWork + L"/xdotool.done") {}

bool Xdotool::Run(const std::string& arguments) {
    return RunOnHost("timeout 10 xdotool " + arguments, unixDone_, 12000) == 0;
}

int RunOnHost(const std::string& command, const std::wstring& unixDone, DWORD ms) {
    const std::wstring done = WindowsPath(unixDone);
    DeleteFileW(done.c_str());
    std::wstring line = L"/bin/sh -c \"" + platform::win32::Widen(command) + L"; echo $? > '" + unixDone + L"'\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(L"Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    // A Unix program comes with no handles to close; should one come, it is closed.
    const platform::win32::KernelHandle thread(process.hThread), shell(process.hProcess);
    if (!WaitFor(ms, [&] { return FileBytes(done).size() >= 2; })) return -1;
    const auto status = FileBytes(done);
    return std::atoi(std::string(status.begin(), status.end()).c_str());
}

Record RecordOf(const std::vector<unsigned char>& bytes, int record) {
    const std::size_t at = static_cast<std::size_t>(record - 1) * 4;
    if (bytes.size() < at + 4) return {-99999, -99999};
    auto value = [&](std::size_t i) { return static_cast<int>(static_cast<short>(bytes[i] | bytes[i + 1] << 8)); };
    return {value(at), value(at + 2)};
}

std::vector<unsigned char> SettingsBytes(const std::array<Record, 4>& records) {
    std::vector<unsigned char> bytes;
    for (const Record& r : records)
        for (const int v : {r.x, r.y}) {
            const auto u = static_cast<unsigned short>(static_cast<short>(v));
            bytes.push_back(static_cast<unsigned char>(u & 0xFF));
            bytes.push_back(static_cast<unsigned char>(u >> 8));
        }
    return bytes;
}

std::string Describe(Record record) {
    char text[32];
    std::snprintf(text, sizeof text, "(%d, %d)", record.x, record.y);
    return text;
}

base::Rect OuterRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left, r.top, r.right, r.bottom};
}

HWND FindCaption(const wchar_t* caption) { return FindWindowW(nullptr, caption); }

std::vector<HWND> TopLevelWindows(const std::function<bool(HWND)>& keep) {
    struct Search {
        const std::function<bool(HWND)>& keep;
        std::vector<HWND> found;
    } search{keep, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(context);
            if (s.keep(window)) s.found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsTooltipOf(HWND window, HWND owner) {
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    return GetWindow(window, GW_OWNER) == owner && std::wstring(className) == TOOLTIPS_CLASSW;
}

long long MsUntilPlaced(HWND window, base::Point at, DWORD deadlineMs) {
    const ULONGLONG start = GetTickCount64();
    const bool placed = WaitFor(deadlineMs, [&] {
        const base::Rect r = OuterRect(window);
        return r.left == at.x && r.top == at.y;
    });
    return placed ? static_cast<long long>(GetTickCount64() - start) : -1;
}

LogEvent ParseLogLine(const std::string& line) {
    std::istringstream in(line);
    std::string word, token;
    in >> word;
    LogEvent event;
    if (word == "deal") {
        event.kind = LogEvent::Kind::Deal;
        in >> token >> token;  // hand number, "seat0"
        while (in >> token && token != "|") event.codes.push_back(std::stoi(token));
    } else if (word == "first" || word == "end") {
        event.kind = word == "first" ? LogEvent::Kind::First : LogEvent::Kind::End;
        in >> event.seat;
    } else if (word == "move") {
        event.kind = LogEvent::Kind::Move;
        in >> event.seat >> token;  // "play" or "pass"
        while (in >> token && token != "counts") event.codes.push_back(std::stoi(token));
        in >> event.counts[0] >> event.counts[1] >> event.counts[2];
    }
    return event;
}

// Only what was added since the last call is read: a poll that read the whole log
// would cost more with every hand played, and a long session polls for hours.
std::vector<std::string> LogTail::NewLines() {
    std::ifstream file(std::filesystem::path(path_), std::ios::binary);
    file.seekg(static_cast<std::streamoff>(consumed_));
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::vector<std::string> lines;
    std::size_t start = 0, end;
    while ((end = text.find('\n', start)) != std::string::npos) {
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
        start = end + 1;
    }
    consumed_ += start;
    return lines;
}

void Expected::Reset() {
    for (int rank = 3; rank <= 15; ++rank) marks[static_cast<std::size_t>(rank)] = DeckCount(rank);
    counts[1] = counts[2] = 0;
    inHand = false;
}

void Expected::Apply(const std::string& line) {
    const LogEvent event = ParseLogLine(line);
    auto take = [&](int code) { --marks[static_cast<std::size_t>(cards::RankOf(code))]; };
    if (event.kind == LogEvent::Kind::Deal) {
        Reset();
        for (int code : event.codes) take(code);
        counts[1] = counts[2] = 16;
        inHand = true;
        moves = 0;
        hand = {};
        hand.deal[0].assign(event.codes.begin(), event.codes.end());
    } else if (event.kind == LogEvent::Kind::First) {
        hand.first_seat = event.seat;
    } else if (event.kind == LogEvent::Kind::Move) {
        if (event.seat != 0)
            for (int code : event.codes) take(code);
        std::copy(event.counts.begin(), event.counts.end(), counts);
        ++moves;
        hand.moves.push_back({event.seat, {event.codes.begin(), event.codes.end()}, event.counts});
    } else if (event.kind == LogEvent::Kind::End) {
        Reset();
        ++handsEnded;
    }
}

ui::Scale LiveScale() {
    static const ui::Scale scale = [] {
        platform::win32::DeclareDpiAwareness();
        return ui::Scale::ForDpi(platform::win32::PrimaryMonitorDpi());
    }();
    return scale;
}

base::Point ScreenPoint(base::Point logical) { return {LiveScale().Apply(logical.x), LiveScale().Apply(logical.y)}; }

WindowReader::WindowReader(const ui::FormLayout& table, int tolerance)
    : layout_(layouts::Scaled(table, LiveScale())), tolerance_(tolerance) {}

bool WindowReader::Capture() {
    const HWND window = FindWindowW(nullptr, Widen(layout_.caption).c_str());
    if (!window || !IsWindowVisible(window)) return false;
    const base::Rect r = OuterRect(window);
    picture_ = base::Image(r.width(), r.height());
    return desktop_.OpenScreen()->Copy(r, picture_.data());
}

bool WindowReader::Same(std::uint32_t a, std::uint32_t b) const {
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance_)
            return false;
    return true;
}

bool WindowReader::Shows(const base::Image& tile, int left, int top) const {
    for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x)
            if (!Same(picture_.at(left + x, top + y), tile.at(x, y))) return false;
    return true;
}

bool WindowReader::Shows(std::string_view pictureName, int left, int top) const {
    return Shows(*pictures::Get(pictureName, LiveScale()), left, top);
}

bool WindowReader::ShowsAs(const base::Image& expected, int left, int top, int width, int height) const {
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            if (!Same(picture_.at(x, y), expected.at(x, y))) return false;
    return true;
}

bool WindowReader::ShowsBackground(int left, int top, int width, int height) const {
    return ShowsAs(*pictures::Get(layout_.background, LiveScale()), left, top, width, height);
}

bool WindowReader::ShowsBackground(const ui::ControlSpec& cell) const {
    return ShowsBackground(cell.left, cell.top, cell.width, cell.height);
}

MainWindowReader::MainWindowReader(int tolerance) : WindowReader(layouts::kMain, tolerance) {}

int MainWindowReader::Mark(int code) const {
    const ui::ControlSpec& mark = ui::FindControl(layout(), "imgRMCard", code);
    if (Shows(mark.picture, mark.left, mark.top) || HeldBy(code) != 0) return 1;
    return ShowsBackground(mark) ? 0 : -1;
}

int MainWindowReader::HeldBy(int code) const {
    const ui::ControlSpec& mark = ui::FindControl(layout(), "imgRMCard", code);
    for (const auto& [seat, store] : {std::pair{2, "picRMLeft"}, std::pair{1, "picRMRight"}})
        if (Shows(ui::FindControl(layout(), store, cards::RankOf(code)).picture, mark.left, mark.top)) return seat;
    return 0;
}

int MainWindowReader::HeldShown() const {
    if (picture().empty()) return 0;  // nothing read yet
    int shown = 0;
    for (int code = 1; code <= cards::kTwoOfSpades; ++code) shown += cards::IsCardCode(code) && HeldBy(code) != 0;
    return shown;
}

int MainWindowReader::Count(int seat) const {
    const ui::ControlSpec& cell = ui::FindControl(layout(), "imgRMNum", seat);
    for (int n = 0; n <= 16; ++n)
        if (Shows(ui::FindControl(layout(), "picRMNum", n).picture, cell.left, cell.top)) return n;
    return ShowsBackground(cell) ? -1 : -2;
}

std::vector<std::string> Differences(MainWindowReader& reader, const Expected& expected) {
    if (!reader.Capture()) return {"the main window could not be read"};
    std::vector<std::string> differences;
    std::array<int, 16> shown{};
    for (int code = 1; code <= 49; ++code) {
        if (code == 48) continue;
        const int mark = reader.Mark(code);
        if (mark < 0) differences.push_back("mark " + std::to_string(code) + " shows neither its tile nor the background");
        shown[static_cast<std::size_t>(cards::RankOf(code))] += mark == 1;
    }
    for (int rank = 3; rank <= 15; ++rank)
        if (shown[static_cast<std::size_t>(rank)] != expected.marks[static_cast<std::size_t>(rank)])
            differences.push_back("rank " + std::to_string(rank) + " shows " +
                                  std::to_string(shown[static_cast<std::size_t>(rank)]) + " marks, the log implies " +
                                  std::to_string(expected.marks[static_cast<std::size_t>(rank)]));
    // The leftmost marks of a row that the left opponent must hold, the rightmost the right one.
    const auto held = expected.inHand ? testing::HeldByRulesAfter(expected.hand, expected.moves) : std::nullopt;
    std::array<int, 16> before{};
    for (int code = 1; code <= 49; ++code) {
        const int rank = cards::RankOf(code);
        if (!cards::IsCardCode(code) || reader.Mark(code) != 1) continue;
        const auto r = static_cast<std::size_t>(rank);
        const int position = before[r]++;
        const int want = !held                                ? 0
                         : position < held->least[2][r]        ? 2
                         : position >= shown[r] - held->least[1][r] ? 1
                                                               : 0;
        if (reader.HeldBy(code) != want)
            differences.push_back("mark " + std::to_string(code) + " shows as held by seat " +
                                  std::to_string(reader.HeldBy(code)) + ", the log implies " + std::to_string(want));
    }
    for (int seat : {1, 2}) {
        const int want = expected.inHand ? expected.counts[seat] : -1;
        if (reader.Count(seat) != want)
            differences.push_back("seat " + std::to_string(seat) + "'s count cell reads " +
                                  std::to_string(reader.Count(seat)) + ", the log implies " + std::to_string(want));
    }
    return differences;
}

namespace {

bool IsMove(const std::string& line) { return line.rfind("move ", 0) == 0; }
bool IsEnd(const std::string& line) { return line.rfind("end ", 0) == 0; }

// How long a check keeps looking for the program to catch up, when the log says
// nothing more (after a hand's last move the next deal is a pause away).
constexpr ULONGLONG kCatchUpMs = 2000;

}  // namespace

void LogFollower::Fetch() {
    for (std::string& line : tail_.NewLines()) pending_.push_back(std::move(line));
}

void LogFollower::TakeEndLines() {
    while (!pending_.empty() && IsEnd(pending_.front())) {
        expected_.Apply(pending_.front());
        pending_.pop_front();
    }
}

bool LogFollower::FollowUntil(DWORD ms, const std::function<bool(const Expected&)>& done) {
    return WaitFor(ms, [&] {
        Fetch();
        while (!pending_.empty()) {
            const std::string line = std::move(pending_.front());
            pending_.pop_front();
            expected_.Apply(line);
            if (IsMove(line)) CheckMove();
            if (done(expected_)) return true;
        }
        return done(expected_);
    });
}

void LogFollower::CheckMove() {
    const std::string when = "hand " + std::to_string(expected_.handsEnded + 1) + " move " + std::to_string(expected_.moves);
    const ULONGLONG start = GetTickCount64();
    Sleep(settleMs_);
    // A look counts only when the log says nothing new from before it to after it:
    // the table writes a move's line before it shows the move, so such a look
    // cannot have caught the next one.
    auto movedOn = [&] {
        Fetch();
        TakeEndLines();
        return !pending_.empty();
    };
    std::optional<std::vector<std::string>> lastLook;
    while (!movedOn()) {
        std::vector<std::string> differences = Differences(reader_, expected_);
        if (movedOn()) break;
        lastLook = std::move(differences);
        if (lastLook->empty() || GetTickCount64() - start >= kCatchUpMs) break;
        Sleep(20);
    }
    if (!lastLook) {
        ++late_;
        return;
    }
    ++checked_;
    Report(*lastLook, when);
    heldMarks_ += reader_.HeldShown();
}

void LogFollower::CatchUp() {
    Fetch();
    for (; !pending_.empty(); pending_.pop_front()) expected_.Apply(pending_.front());
}

bool LogFollower::CheckAgainst(const Expected& expected, const std::string& when) {
    ++checked_;
    const std::vector<std::string> differences = Differences(reader_, expected);
    Report(differences, when);
    return differences.empty();
}

void LogFollower::Report(const std::vector<std::string>& differences, const std::string& when) {
    if (differences.empty()) return;
    ++mismatches_;
    for (const std::string& difference : differences) checks_.Note(when + ": " + difference);
}

std::string LogFollower::Summary() const {
    return std::to_string(checked_) + " moves checked against the log, " + std::to_string(mismatches_) + " differed, " +
           std::to_string(heldMarks_) + " held marks shown" +
           (late_ ? ", " + std::to_string(late_) + " passed before they could be checked" : "");
}

void SaveScreens(const Checks& checks, const std::wstring& folder, std::initializer_list<const WindowReader*> readers) {
    const std::string stem = Narrow(folder) + "\\" + checks.name();
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    base::Image screen(width, height);
    platform::win32::Win32Desktop().OpenScreen()->Copy({0, 0, width, height}, screen.data());
    base::WritePng(screen, stem + "_screen.png");
    for (const WindowReader* reader : readers)
        if (!reader->picture().empty())
            base::WritePng(reader->picture(), stem + "_" + std::string(reader->layout().caption) + ".png");
}

}  // namespace vantrel::e2e
