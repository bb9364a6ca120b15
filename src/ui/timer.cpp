#include "ui/timer.h"

#include "ui/form.h"
#include "ui/toolkit.h"

namespace vantrel::ui {

std::string PlatformTimerName(std::string_view caption, std::string_view timer) {
    return std::string(caption) + "." + std::string(timer);
}

Timer::Timer(Form& owner, std::string name, int intervalMs, bool enabledAtStart)
    : owner_(owner), name_(std::move(name)), startInterval_(intervalMs), startEnabled_(enabledAtStart),
      interval_(intervalMs), enabled_(enabledAtStart) {}

Timer::~Timer() { Suspend(); }

void Timer::SetInterval(int ms) {
    interval_ = ms;
    Suspend();  // a new interval starts a new count
    Sync();
}

void Timer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Sync();
}

void Timer::RestoreStartState() {
    Suspend();
    interval_ = startInterval_;
    enabled_ = startEnabled_;
    Sync();
}

void Timer::Suspend() {
    if (running_ == 0) return;
    owner_.toolkit().platform().StopTimer(running_);
    running_ = 0;
}

void Timer::Sync() {
    const bool shouldRun = enabled_ && interval_ > 0 && owner_.loaded();
    if (!shouldRun) {
        Suspend();
    } else if (running_ == 0) {
        // The platform may drop this closure when the tick stops its own timer, so
        // the closure copies out what it needs before running the handler.
        running_ = owner_.toolkit().platform().StartNamedTimer(PlatformTimerName(owner_.caption(), name_), interval_, [this] {
            Timer* self = this;
            self->Fire();
        });
    }
}

void Timer::Fire() {
    owner_.toolkit().RunEvent([this] {
        if (onTick) onTick();
    });
}

}  // namespace vantrel::ui
