// The Win32 stand-in's window: a captioned, fixed-size top-level window titled as
// the game's, whose 800 x 600 client area shows a timeline in real time. The clock
// starts when the window is shown; a 10 ms timer looks up the state for the time
// since then, redraws what changed into the table's frame when it changed, and
// repaints the window from that frame.
// Log lines are written (and flushed) as the events they state appear, so a reader
// of the log never learns of a move before it is on screen. A state that lasts less
// than a timer period may never be painted, though its log line is still written:
// keep think times well above 10 ms. Single-threaded: all of it runs in the
// message loop of the thread that made the window.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

#include "sim/table_renderer.h"
#include "sim/timeline.h"
#include "sim/win32/handles.h"

namespace vantrel::sim::win32 {

inline constexpr int kClientWidth = 800;
inline constexpr int kClientHeight = 600;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using OwnedFile = std::unique_ptr<std::FILE, FileCloser>;

struct TableWindowOptions {
    POINT outer_top_left{300, 200};
    OwnedFile log;                               // may be null: no log
    std::optional<std::int64_t> exit_after_ms;  // quit the message loop at this time
    // What the table shows from each change of the timeline: its own states unless
    // faults are drawn into it (sim/table_faults.h).
    std::function<TableState(std::size_t change)> states;
};

class TableWindow {
public:
    // Creates and shows the window; check with `operator bool`. `timeline` must
    // outlive the window.
    TableWindow(HINSTANCE instance, const Timeline& timeline, TableWindowOptions options);
    ~TableWindow();
    TableWindow(const TableWindow&) = delete;
    TableWindow& operator=(const TableWindow&) = delete;

    explicit operator bool() const { return static_cast<bool>(window_); }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    // `window` rather than window_: messages arrive before CreateWindowExW returns.
    LRESULT Handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    void Advance();
    void WriteLogUpTo(std::int64_t elapsed_ms);
    void Show(std::size_t change);
    void Paint(HWND window);

    const Timeline& timeline_;
    TableWindowOptions options_;
    std::uint64_t start_tick_ = 0;
    std::size_t next_log_line_ = 0;
    std::optional<std::size_t> shown_change_;
    TableCanvas table_;
    // Last, so the window goes first, while everything its messages touch is alive.
    OwnedWindow window_;
};

}  // namespace vantrel::sim::win32
