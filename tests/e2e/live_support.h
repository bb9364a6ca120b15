// What the live end-to-end programs share: vantrel.exe started from a fresh home
// folder beside the stand-in table.exe, the stand-in's log read as it grows, the
// settings file read back, and the program's windows read back off the screen
// and compared, cell by cell, with the pictures their layout tables name.
//
// Each program sets its name for its messages; CHECK counts a failure and says
// what failed, and the program's exit status is whether any did.
#pragma once

#include <windows.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.h"
#include "platform/image.h"
#include "platform/png.h"
#include "platform/win32/desktop.h"
#include "platform/win32/utf16.h"
#include "shared/pictures.h"
#include "ui/layout.h"

namespace vantrel::e2e {

inline const char* testName = "e2e";
inline int checkFailures = 0;

#define CHECK(condition, ...)                                           \
    do {                                                                \
        if (!(condition)) {                                             \
            ++::vantrel::e2e::checkFailures;                            \
            std::printf("%s: FAILED: ", ::vantrel::e2e::testName);      \
            std::printf(__VA_ARGS__);                                   \
            std::printf("  (%s, line %d)\n", #condition, __LINE__);     \
        }                                                               \
    } while (0)

inline const std::string kGameTitle = "\xE8\xB7\x91\xE5\xBE\x97\xE5\xBF\xAB" "1.13";

template <class Predicate>
bool WaitFor(DWORD ms, Predicate done) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    while (!done()) {
        if (GetTickCount64() > deadline) return false;
        Sleep(20);
    }
    return true;
}

inline std::vector<unsigned char> FileBytes(const std::wstring& path) {
    std::ifstream file(platform::win32::Narrow(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A record of the settings file: two little-endian 16-bit values.
struct Record {
    int x, y;
    friend bool operator==(Record, Record) = default;
};
inline Record RecordOf(const std::vector<unsigned char>& bytes, int record) {
    const std::size_t at = static_cast<std::size_t>(record - 1) * 4;
    if (bytes.size() < at + 4) return {-99999, -99999};
    auto value = [&](std::size_t i) { return static_cast<int>(static_cast<short>(bytes[i] | bytes[i + 1] << 8)); };
    return {value(at), value(at + 2)};
}
inline std::vector<unsigned char> BytesOf(const std::vector<Record>& records) {
    std::vector<unsigned char> bytes;
    for (const Record& r : records)
        for (int v : {r.x, r.y}) {
            bytes.push_back(static_cast<unsigned char>(v & 0xFF));
            bytes.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
        }
    return bytes;
}

// A host path as Wine names it: the host's root is drive Z:.
inline std::wstring WindowsPath(std::wstring path) {
    if (path.empty() || path[0] != L'/') return path;
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return L"Z:" + path;
}

inline platform::Rect OuterRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left, r.top, r.right, r.bottom};
}

// The ground-truth log as table.exe writes it, read as it grows.
class LogTail {
public:
    explicit LogTail(std::wstring path) : path_(std::move(path)) {}
    std::vector<std::string> NewLines() {
        std::ifstream file(platform::win32::Narrow(path_), std::ios::binary);
        std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        std::vector<std::string> lines;
        std::size_t end;
        while ((end = text.find('\n', consumed_)) != std::string::npos) {
            std::string line = text.substr(consumed_, end - consumed_);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty()) lines.push_back(line);
            consumed_ = end + 1;
        }
        return lines;
    }

private:
    std::wstring path_;
    std::size_t consumed_ = 0;
};

// One line of the log (sim/hand_log.h): a deal with seat 0's codes, the first
// seat, a move with its codes (none for a pass) and every seat's count after it,
// or the end of a hand.
struct LogEvent {
    enum class Kind { Deal, First, Move, End, Other } kind = Kind::Other;
    int seat = 0;
    std::vector<int> codes;
    std::array<int, 3> counts{};
};
inline LogEvent ParseLogLine(const std::string& line) {
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

// vantrel.exe copied into WORK\vantrel-home, with `settings` as its settings file
// when given (none: the program writes the defaults), and started from WORK, so
// that the file must be the one beside the executable.
class VantrelHome {
public:
    VantrelHome(const std::wstring& vantrelExe, const std::wstring& work, const std::vector<unsigned char>& settings = {})
        : home_(work + L"\\vantrel-home"), settings_(home_ + L"\\Qelsetup.qes") {
        CreateDirectoryW(work.c_str(), nullptr);
        CreateDirectoryW(home_.c_str(), nullptr);
        DeleteFileW(settings_.c_str());
        if (!settings.empty()) std::ofstream(platform::win32::Narrow(settings_), std::ios::binary)
                                   .write(reinterpret_cast<const char*>(settings.data()),
                                          static_cast<std::streamsize>(settings.size()));
        const std::wstring exe = home_ + L"\\vantrel.exe";
        if (CopyFileW(vantrelExe.c_str(), exe.c_str(), FALSE)) process_ = std::make_unique<ChildProcess>(exe, L"", work);
    }
    bool started() const { return process_ && process_->started(); }
    ChildProcess& process() { return *process_; }
    const std::wstring& settingsPath() const { return settings_; }
    Record SettingsRecord(int record) const { return RecordOf(FileBytes(settings_), record); }

private:
    std::wstring home_, settings_;
    std::unique_ptr<ChildProcess> process_;
};

// A window of the program as it stands on the screen, compared with its layout's
// pictures. Pixels are compared without their unused byte.
class WindowReader {
public:
    WindowReader(platform::win32::Win32Desktop& desktop, const ui::FormLayout& layout)
        : desktop_(desktop), layout_(layout) {}

    bool Capture() {
        const HWND window = FindWindowW(nullptr, platform::win32::Widen(layout_.caption).c_str());
        if (!window || !IsWindowVisible(window)) return false;
        const platform::Rect r = OuterRect(window);
        picture_ = platform::Image(r.width(), r.height());
        return desktop_.OpenClient(0)->Copy(r, picture_.data());
    }
    const platform::Image& picture() const { return picture_; }
    const ui::FormLayout& layout() const { return layout_; }

    // Whether the first `width` columns of `tile` (all of them when 0) stand at (left, top).
    bool Shows(const platform::Image& tile, int left, int top, int width = 0) const {
        for (int y = 0; y < tile.height(); ++y)
            for (int x = 0; x < (width ? width : tile.width()); ++x)
                if (!Same(picture_.at(left + x, top + y), tile.at(x, y))) return false;
        return true;
    }
    bool Shows(std::string_view pictureName, int left, int top) const {
        return Shows(*pictures::Get(pictureName), left, top);
    }
    // Whether the window's background shows in the rectangle.
    bool ShowsBackground(int left, int top, int width, int height) const {
        const platform::Image& background = *pictures::Get(layout_.background);
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x)
                if (!Same(picture_.at(x, y), background.at(x, y))) return false;
        return true;
    }
    bool ShowsBackground(const ui::ControlSpec& cell) const {
        return ShowsBackground(cell.left, cell.top, cell.width, cell.height);
    }
    // Whether the rectangle shows exactly `expected` there.
    bool ShowsAs(const platform::Image& expected, int left, int top, int width, int height) const {
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x)
                if (!Same(picture_.at(x, y), expected.at(x, y))) return false;
        return true;
    }

private:
    static bool Same(std::uint32_t a, std::uint32_t b) { return (a & 0xFFFFFF) == (b & 0xFFFFFF); }
    platform::win32::Win32Desktop& desktop_;
    const ui::FormLayout& layout_;
    platform::Image picture_;
};

// The whole screen, and the windows read last, left in WORK when a check failed.
inline void SaveFailureShots(platform::win32::Win32Desktop& desktop, const std::wstring& work,
                             const std::vector<const WindowReader*>& readers) {
    platform::Image screen(1280, 1024);
    desktop.OpenClient(0)->Copy({0, 0, 1280, 1024}, screen.data());
    const std::string folder = platform::win32::Narrow(work);
    platform::WritePng(screen, folder + "\\" + testName + "_failure.png");
    for (const WindowReader* reader : readers)
        if (!reader->picture().empty())
            platform::WritePng(reader->picture(), folder + "\\" + std::string(reader->layout().caption) + ".png");
    std::printf("%s: %d checks failed; screenshots in the work folder\n", testName, checkFailures);
}

}  // namespace vantrel::e2e
