// The real program's platform: user32, gdi32 and comctl32 behind the seam. It
// hosts the program's windows, runs its timers on one hidden message-only window
// and pumps the message loop that everything runs on. One instance per process
// (it registers the window classes); make it first, before any window, and keep
// it until the last one is gone.
//
// Timers are SetTimer timers, so their ticks are dispatched by whatever message
// loop is running, including the system's move loop inside DragWindow. A tick
// still running when a nested loop dispatches the same timer again is skipped,
// never re-entered.
//
// This header does not include <windows.h>; the backend's state lives in the
// implementation.
#pragma once

#include <functional>
#include <memory>

#include "platform/platform.h"

namespace vantrel::platform::win32 {

class Win32Platform final : public Platform {
public:
    Win32Platform();
    ~Win32Platform() override;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    Desktop& desktop() override;
    std::unique_ptr<HostedWindow> CreateHostedWindow(const WindowSpec& spec, WindowEvents& events) override;
    TimerId StartTimer(int intervalMs, std::function<void()> tick) override;
    void StopTimer(TimerId id) override;
    CalendarTime LocalTime() override;
    Files& files() override;
    void Quit() override;

    // Gets and dispatches messages until Quit; returns the exit code (0).
    int RunMessageLoop();

    // Called at Quit: the program has saved all it keeps, and what is left is
    // taking its windows down.
    std::function<void()> onQuit;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace vantrel::platform::win32
