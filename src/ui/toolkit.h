// Toolkit: the forms of one program run and the platform they live on. After every
// event (a timer tick, a mouse event) it recomposes the forms whose look changed,
// and it ends the program when the last loaded form unloads. On-screen windows of
// unloaded forms are destroyed only once the event that unloaded them has returned,
// because that event may still be running inside the window's own procedure.
// An error that escapes an event handler is counted and the program runs on: no
// event may take the program down.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace vantrel::ui {

class Form;

class Toolkit {
public:
    explicit Toolkit(platform::Platform& platform) : platform_(platform) {}
    platform::Platform& platform() const { return platform_; }

    void Register(Form& form) { forms_.push_back(&form); }
    void Unregister(Form& form);

    // Runs `handler` as one event: afterwards every changed form is presented.
    template <class F>
    void RunEvent(F&& handler) {
        ++depth_;
        struct Done {
            Toolkit& t;
            ~Done() { t.EndEvent(); }
        } done{*this};
        try {
            handler();
        } catch (const std::exception& error) {
            ++unhandledErrors_;
            lastUnhandledError_ = error.what();
        }
    }

    // Keys pressed in any of the program's windows: they mean the same in each.
    std::function<void(std::uint16_t key, bool control)> onKeyDown;

    int unhandledErrors() const { return unhandledErrors_; }
    const std::string& lastUnhandledError() const { return lastUnhandledError_; }

    void Retire(std::unique_ptr<platform::HostedWindow> window);
    void NoteUnloaded();
    // The session ends: every loaded form is unloaded, as its close would, in the
    // order the forms were made. The first is the program's start-up window, whose
    // close saves what the program keeps and closes the others in its own order.
    void EndSession();

private:
    void EndEvent();

    platform::Platform& platform_;
    std::vector<Form*> forms_;
    std::vector<std::unique_ptr<platform::HostedWindow>> retired_;
    int depth_ = 0;
    int unhandledErrors_ = 0;
    std::string lastUnhandledError_;
};

}  // namespace vantrel::ui
