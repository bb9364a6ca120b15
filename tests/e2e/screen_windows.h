// What the live e2e programs share: checks that count failures, waits with a
// deadline, the settings file read as bytes and records, Wine's names for host
// paths, and a window of vantrel.exe read back off the screen and compared,
// cell by cell, with the pictures its layout table names.
#pragma once

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "platform/image.h"
#include "platform/win32/desktop.h"
#include "platform/win32/utf16.h"
#include "shared/pictures.h"
#include "ui/layout.h"

namespace vantrel::e2e {

// Failed checks so far; each printed one line.
inline int failures = 0;

#define CHECK(condition, ...)                                       \
    do {                                                            \
        if (!(condition)) {                                         \
            ++vantrel::e2e::failures;                               \
            std::printf("FAILED: " __VA_ARGS__);                    \
            std::printf("  (%s, line %d)\n", #condition, __LINE__); \
        }                                                           \
    } while (0)

// Polls `done` every 20 ms until it holds or `ms` have passed.
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

struct Record {
    int x, y;
    friend bool operator==(Record, Record) = default;
};
// Settings record 1..4 of the file's bytes; (-99999, -99999) when it is missing.
inline Record RecordOf(const std::vector<unsigned char>& bytes, int record) {
    const std::size_t at = static_cast<std::size_t>(record - 1) * 4;
    if (bytes.size() < at + 4) return {-99999, -99999};
    auto value = [&](std::size_t i) { return static_cast<int>(static_cast<short>(bytes[i] | bytes[i + 1] << 8)); };
    return {value(at), value(at + 2)};
}

inline platform::Rect OuterRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left, r.top, r.right, r.bottom};
}

// A host path as Wine names it: the host's root is drive Z:.
inline std::wstring WindowsPath(std::wstring path) {
    if (path.empty() || path[0] != L'/') return path;
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return L"Z:" + path;
}

// One of the program's windows as it stands on the screen, found by its caption.
class LayoutReader {
public:
    LayoutReader(platform::win32::Win32Desktop& desktop, const ui::FormLayout& layout)
        : desktop_(desktop), layout_(layout) {}

    HWND Find() const { return FindWindowW(nullptr, platform::win32::Widen(layout_.caption).c_str()); }
    // Reads the window off the screen; false when it is not there.
    bool Capture() {
        const HWND window = Find();
        if (!window || !IsWindowVisible(window)) return false;
        const platform::Rect r = OuterRect(window);
        picture_ = platform::Image(r.width(), r.height());
        return desktop_.OpenClient(0)->Copy(r, picture_.data());
    }
    const platform::Image& picture() const { return picture_; }

    const ui::ControlSpec& Control(std::string_view name, int index = 0) const {
        return ui::FindControl(layout_, name, index);
    }
    // The cell shows its own picture from the layout table.
    bool Shows(const ui::ControlSpec& cell) const { return Shows(*pictures::Get(cell.picture), cell.left, cell.top); }
    // `tile` shows with its top-left corner at window pixel (left, top).
    bool Shows(const platform::Image& tile, int left, int top) const {
        if (left + tile.width() > picture_.width() || top + tile.height() > picture_.height()) return false;
        for (int y = 0; y < tile.height(); ++y)
            for (int x = 0; x < tile.width(); ++x)
                if ((picture_.at(left + x, top + y) & 0xFFFFFF) != (tile.at(x, y) & 0xFFFFFF)) return false;
        return true;
    }
    // Only the background shows where the cell lies.
    bool ShowsBackground(const ui::ControlSpec& cell) const {
        const platform::Image& background = *pictures::Get(layout_.background);
        for (int y = cell.top; y < cell.top + cell.height; ++y)
            for (int x = cell.left; x < cell.left + cell.width; ++x)
                if ((picture_.at(x, y) & 0xFFFFFF) != (background.at(x, y) & 0xFFFFFF)) return false;
        return true;
    }

private:
    platform::win32::Win32Desktop& desktop_;
    const ui::FormLayout& layout_;
    platform::Image picture_;
};

}  // namespace vantrel::e2e
