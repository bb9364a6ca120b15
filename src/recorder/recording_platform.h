// The recording platform: a decorator around the real one that passes every call
// through and writes to the flight recorder each answer the desktop gives and
// everything that reaches the windows' logic: timer ticks by the timer's name,
// mouse and key events, close requests, moves and changes of DPI, by the window's caption.
// Nothing else changes: the program cannot tell it is being recorded.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "recorder/flight_recorder.h"

namespace vantrel::recorder {

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
    platform::Files& files() override { return inner_.files(); }
    void Quit() override { inner_.Quit(); }

private:
    class Desktop;
    struct RunningTimer {
        platform::TimerId id;
        std::string name;
    };
    void WriteState(ByteWriter& out) const;

    platform::Platform& inner_;
    FlightRecorder& recorder_;
    std::unique_ptr<Desktop> desktop_;
    std::vector<RunningTimer> timers_;  // oldest first
};

}  // namespace vantrel::recorder
