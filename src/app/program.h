// Program: the composition root shared by every front end. It owns the shared
// module and starts the main window; the front end owns the platform and runs
// its event loop until the platform is asked to quit.
#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"
#include "shared/hand_recorder.h"

namespace vantrel {

class modQTC;

class Program {
public:
    explicit Program(platform::Platform& platform);
    // A program that tells `recorder` where its hands begin; Ctrl+S in any of its
    // windows saves a report.
    Program(platform::Platform& platform, HandRecorder& recorder);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Loads and shows the start-up window; everything else follows from its timers.
    void Start();
    // The start-up window's caption, by which another process can find it.
    const std::string& MainWindowCaption();
    modQTC& shared() { return *shared_; }

private:
    std::unique_ptr<modQTC> shared_;
};

}  // namespace vantrel
