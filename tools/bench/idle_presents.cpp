// vantrel-idle-presents: what the program's windows present while it waits with
// no game window, counted by the headless backend on its virtual clock (the Win32
// backend copies and repaints exactly the rectangles it is handed). Prints, per
// window, presents and bytes per second, and what the same presents would send
// as whole frames.
//   vantrel-idle-presents [SECONDS]    (default 60)
#include <cstdio>
#include <cstdlib>
#include <cstdint>

#include "app/program.h"
#include "platform/headless/headless_platform.h"

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    if (seconds <= 0) {
        std::fputs("usage: vantrel-idle-presents [SECONDS]\n", stderr);
        return 2;
    }
    vantrel::platform::headless::HeadlessPlatform platform;
    vantrel::Program program(platform);
    program.Start();
    // Start-up presents every window whole once; the idle cost is what follows.
    for (auto* window : platform.windows()) window->ResetPresentCounts();
    platform.AdvanceBy(seconds * 1000LL);

    std::printf("idle for %d s (virtual), no game window\n", seconds);
    for (const auto* window : platform.windows()) {
        const auto& counts = window->presentCounts();
        const double presents = static_cast<double>(counts.presents) / seconds;
        const double bytes = 4.0 * static_cast<double>(counts.pixels) / seconds;
        const double whole = presents * 4.0 * window->picture().width() * window->picture().height();
        std::printf("%-9s %6.2f presents/s %9.0f bytes/s presented (%.0f bytes/s as whole frames)\n",
                    window->caption().c_str(), presents, bytes, whole);
    }
    return 0;
}
