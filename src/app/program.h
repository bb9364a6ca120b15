// Program: the composition root shared by every front end. It owns the shared
// module and starts the main window; the front end owns the platform and runs
// its event loop until the platform is asked to quit.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace vantrel {

class modQTC;

class Program {
public:
    explicit Program(platform::Platform& platform);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Loads and shows the start-up window; everything else follows from its timers.
    void Start();
    modQTC& shared() { return *shared_; }

private:
    std::unique_ptr<modQTC> shared_;
};

}  // namespace vantrel
