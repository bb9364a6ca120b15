// The recording platform: a decorator around the real one that passes every call
// through and writes to the flight recorder each answer the desktop gives and
// everything that reaches the windows' logic: timer ticks by the timer's name,
// mouse and key events, close requests, moves and changes of DPI, by the window's caption;
// and what the program read of its files (the settings file's places).
// Nothing else changes: the program cannot tell it is being recorded.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "recorder/flight_recorder.h"

namespace vantrel::recorder {

// Where a window stands, in screen pixels, and the dots per inch it last asked for
// or was told (96 until it asks).
struct WindowState {
    int dpi = 96;
    base::Point topLeft;
};

class RecordingPlatform final : public platform::Platform {
public:
    RecordingPlatform(platform::Platform& inner, FlightRecorder& recorder);
    ~RecordingPlatform() override;

    platform::Desktop& desktop() override;
    std::unique_ptr<platform::HostedWindow> CreateHostedWindow(const platform::WindowSpec& spec,
                                                               platform::WindowEvents& events) override;
    platform::TimerId StartTimer(int intervalMs, std::function<void()> tick) override;
    platform::TimerId StartNamedTimer(std::string_view name, int intervalMs, std::function<void()> tick) override;
    void StopTimer(platform::TimerId id) override;
    platform::CalendarTime LocalTime() override { return inner_.LocalTime(); }
    platform::Files& files() override;
    void Quit() override { inner_.Quit(); }

private:
    class Desktop;
    class Files;
    struct RunningTimer {
        platform::TimerId id;
        std::string name;
    };
    void WriteState(ByteWriter& out) const;

    platform::Platform& inner_;
    FlightRecorder& recorder_;
    std::unique_ptr<Desktop> desktop_;
    std::unique_ptr<Files> files_;
    std::vector<RunningTimer> timers_;  // oldest first
    // Where each window stands and the dots per inch it last asked for or was
    // told, by caption: a segment's start names them, since what a mouse event
    // lands on depends on both.
    std::map<std::string, WindowState> windows_;
};

}  // namespace vantrel::recorder
