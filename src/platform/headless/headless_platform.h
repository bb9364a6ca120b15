// The headless backend: a real backend with no display. A virtual clock in
// milliseconds drives the timers (in time order, ties in the order they were
// started); a fake desktop holds titled top-level windows whose client pixels come
// from a frame source; the cursor and mouse buttons are set by the caller. Every
// hosted window keeps a whole picture of itself, into which each present copies
// only the rectangles it names, as a screen would; it also counts what was
// presented, for tests and benchmarks; files live in memory (memory_files.h);
// and a journal lists, in order, what the program asked of its windows and the
// display.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless/memory_files.h"
#include "platform/platform.h"
#include "base/image.h"

namespace vantrel::platform::headless {

// The client area of a fake window at a moment of virtual time.
using FrameSource = std::function<const base::Image&(std::int64_t nowMs)>;
// For a client area opened at a moment of virtual time: how many copies it makes
// before its window goes mid-tick (every later copy fails), or none when it stays.
using LossSchedule = std::function<std::optional<int>(std::int64_t nowMs)>;

// One line per request, in the order made: "create VXMain", "move VXMain 8,8",
// "layered VXMain", "show VXMain", "destroy VXMain" (the on-screen window goes),
// "depth 32" (a display depth asked for). Sequences such as the start-up's and the
// close's are checked on it; `onEntry` lets a test look at other state (a file, a
// flag) at the moment an entry is made.
class Journal {
public:
    void Add(std::string entry) {
        entries_.push_back(std::move(entry));
        if (onEntry) onEntry(entries_.back());
    }
    const std::vector<std::string>& entries() const { return entries_; }
    std::function<void(const std::string&)> onEntry;

private:
    std::vector<std::string> entries_;
};

class FakeDesktop final : public Desktop {
public:
    FakeDesktop(const std::int64_t& clock, Journal& journal) : clock_(clock), journal_(journal) {}

    // Windows of other programs. Later windows win a title lookup, as the newest
    // top-level window would.
    ForeignWindow AddWindow(std::string title, Rect outer, FrameSource frames);
    void RemoveWindow(ForeignWindow window);
    // A minimised window's client area is empty: nothing can be copied from it.
    void SetMinimised(ForeignWindow window, bool minimised);
    void SetLossSchedule(ForeignWindow window, LossSchedule lossAt);
    void MoveWindow(ForeignWindow window, Point topLeft);
    bool IsTopmost(ForeignWindow window) const;

    void SetCursor(Point p) { cursor_ = p; }
    void SetBitsPerPixel(int bits) { bitsPerPixel_ = bits; }
    void SetMonitors(std::vector<Rect> monitors) { monitors_ = std::move(monitors); }
    // A game that is not DPI aware stands stretched by the system: give it an outer
    // rectangle of the stretched size, while its client surface stays its frames'.
    void SetPrimaryDpi(int dpi) { primaryDpi_ = dpi; }
    // Monitor `index` (of Monitors, 0 the primary) at `dpi`; the others are at the primary's.
    void SetMonitorDpi(std::size_t index, int dpi) { monitorDpis_[index] = dpi; }
    // The DPI of the monitor that holds most of `window`, the primary's off every monitor.
    int DpiAt(Rect window) const;
    Rect screen() const { return monitors_.front(); }

    ForeignWindow FindWindowByTitle(const std::string& title) override;
    Rect WindowRect(ForeignWindow window) override;
    void PlaceTopmost(ForeignWindow window, Point topLeft) override;
    std::unique_ptr<ClientSurface> OpenClient(ForeignWindow window) override;
    int BitsPerPixel() override { return bitsPerPixel_; }
    void RequestBitsPerPixel(int bits) override;
    Point CursorPos() override { return cursor_; }
    std::vector<Rect> Monitors() override { return monitors_; }
    int PrimaryDpi() override { return primaryDpi_; }

private:
    struct Window {
        std::string title;
        Rect outer;
        FrameSource frames;
        bool minimised = false;
        bool topmost = false;
        LossSchedule lossAt;
    };
    const std::int64_t& clock_;
    Journal& journal_;
    std::map<ForeignWindow, Window> windows_;
    ForeignWindow nextHandle_ = 0x1000;
    Point cursor_;
    int bitsPerPixel_ = 32;
    std::vector<Rect> monitors_{{0, 0, 1280, 1024}};
    int primaryDpi_ = 96;
    std::map<std::size_t, int> monitorDpis_;
};

class HeadlessPlatform;

class HeadlessWindow final : public HostedWindow {
public:
    HeadlessWindow(HeadlessPlatform& platform, const WindowSpec& spec, WindowEvents& events);
    ~HeadlessWindow() override;

    const std::string& caption() const { return spec_.caption; }
    Rect ScreenRect() const { return {topLeft_.x, topLeft_.y, topLeft_.x + spec_.width, topLeft_.y + spec_.height}; }
    // What the window shows: every rectangle ever presented, copied in turn.
    const base::Image& picture() const { return picture_; }
    // The rectangles of the last present.
    const std::vector<Rect>& lastPresent() const { return lastPresent_; }
    // Presents since the window was made or the counts were last reset: how many,
    // their pixels, and the smallest rectangle that holds them all.
    struct PresentCounts {
        std::int64_t presents = 0;
        std::int64_t pixels = 0;
        Rect bounds;
    };
    const PresentCounts& presentCounts() const { return counts_; }
    void ResetPresentCounts() { counts_ = {}; }
    bool shown() const { return shown_; }
    bool layered() const { return layered_; }
    int drags() const { return drags_; }
    const std::vector<TooltipArea>& tooltips() const { return tooltips_; }
    // The large icon first, as the window was made or last reshaped with them.
    const std::vector<std::shared_ptr<const Image>>& icons() const { return spec_.icons; }
    WindowEvents& events() const { return events_; }

    void Present(const base::Image& frame, std::span<const Rect> changed) override;
    void MoveTo(Point topLeft) override;
    void Show() override;
    void MakeLayered() override;
    void DragWindow() override;
    void SetTooltips(std::vector<TooltipArea> areas) override { tooltips_ = std::move(areas); }
    // The DPI of the monitor the window stands on, which the program knows from then on.
    int Dpi() override;
    void Reshape(Rect screen, const std::vector<std::shared_ptr<const Image>>& icons) override;
    // As the system does once a move has put the window on a monitor of another
    // DPI than the program knows: tells it the new DPI and the window's place
    // scaled by it round its top-left corner.
    void FollowMonitor();

private:
    HeadlessPlatform& platform_;
    WindowSpec spec_;
    WindowEvents& events_;
    Point topLeft_;
    base::Image picture_;
    std::vector<Rect> lastPresent_;
    PresentCounts counts_;
    bool shown_ = false;
    bool layered_ = false;
    int drags_ = 0;
    std::vector<TooltipArea> tooltips_;
    int knownDpi_;
};

class HeadlessPlatform final : public Platform {
public:
    HeadlessPlatform() : desktop_(now_, journal_) {}

    FakeDesktop& fakeDesktop() { return desktop_; }
    Journal& journal() { return journal_; }
    Desktop& desktop() override { return desktop_; }

    // The virtual clock. Advancing fires every timer that falls due on the way.
    std::int64_t now() const { return now_; }
    void AdvanceTo(std::int64_t timeMs);
    void AdvanceBy(std::int64_t ms) { AdvanceTo(now_ + ms); }
    bool quitRequested() const { return quit_; }
    int runningTimers() const { return static_cast<int>(timers_.size()); }

    // Hosted windows, newest last; each is on top of those before it.
    std::vector<HeadlessWindow*> windows() const { return windows_; }
    // The captions of the hosted windows destroyed so far, in that order.
    const std::vector<std::string>& destroyedWindows() const { return destroyed_; }
    HeadlessWindow* FindWindow(const std::string& caption) const;

    // Mouse input at a screen point, delivered to the topmost shown window there.
    // While a window is in the system's move loop, moves drag it (onto a monitor
    // of another DPI, it hears of the DPI) and the release ends the loop without
    // reaching the window.
    void MoveMouse(Point screen);
    void PressMouse(Point screen, MouseButton button = MouseButton::Left);
    void ReleaseMouse(Point screen, MouseButton button = MouseButton::Left);
    // A key pressed while the hosted window `caption` is active.
    void PressKey(const std::string& caption, std::uint16_t key, bool control);

    MemoryFiles& memoryFiles() { return files_; }

    std::unique_ptr<HostedWindow> CreateHostedWindow(const WindowSpec& spec, WindowEvents& events) override;
    TimerId StartTimer(int intervalMs, std::function<void()> tick) override;
    void StopTimer(TimerId id) override;
    CalendarTime LocalTime() override;
    Files& files() override { return files_; }
    void Quit() override { quit_ = true; }

private:
    friend class HeadlessWindow;
    struct PendingTimer {
        int intervalMs;
        std::int64_t dueMs;
        std::uint64_t order;
        std::function<void()> tick;
    };
    HeadlessWindow* WindowAt(Point screen) const;

    std::int64_t now_ = 0;
    Journal journal_;
    FakeDesktop desktop_;
    std::map<TimerId, PendingTimer> timers_;
    TimerId nextTimer_ = 1;
    std::uint64_t nextOrder_ = 0;
    std::vector<HeadlessWindow*> windows_;
    std::vector<std::string> destroyed_;
    HeadlessWindow* dragging_ = nullptr;
    Point dragFrom_;
    HeadlessWindow* pressedWindow_ = nullptr;
    bool quit_ = false;
    // The calendar at virtual time 0; it moves on with the virtual clock.
    static constexpr CalendarTime kCalendarStart{2026, 1, 1, 0, 0, 0};
    MemoryFiles files_;
};

}  // namespace vantrel::platform::headless
