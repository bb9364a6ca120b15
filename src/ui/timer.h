// Timer: Interval and Enabled, ticking on the one UI thread through the platform.
// Enabling a timer that is already running does not restart it; setting Interval
// restarts its count. An Interval of 0 never ticks. A timer only runs while its
// form is loaded; each load puts it back in its start state.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace vantrel::ui {

class Form;

// The name a form's timer runs under on the platform, "VXMain.tmrEmit": the name
// its ticks are recorded and replayed by.
std::string PlatformTimerName(std::string_view caption, std::string_view timer);

class Timer {
public:
    Timer(Form& owner, std::string name, int intervalMs, bool enabledAtStart);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const std::string& name() const { return name_; }
    int Interval() const { return interval_; }
    void SetInterval(int ms);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    std::function<void()> onTick;

private:
    friend class Form;
    void RestoreStartState();  // on load
    void Suspend();            // on unload
    void Sync();               // make the platform timer match Enabled, Interval and the form's state
    void Fire();

    Form& owner_;
    std::string name_;
    int startInterval_;
    bool startEnabled_;
    int interval_;
    bool enabled_;
    platform::TimerId running_ = 0;
};

}  // namespace vantrel::ui
