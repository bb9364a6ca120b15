// vantrel-soak: follows a long series of the stand-in's hands with the whole
// program on the virtual clock and prints every difference from the ground truth,
// then one line: "hands H, moves M, detail checks C, replay checks R, differences D,
// simulated hours per second X": C states in which the detail window was held
// against the log, R in which the player window was (its replay caught up).
//   vantrel-soak --seed S --hands N [--think-ms A-B] [--deal-ms N] [--final-ms N] [--pause-ms N]
#include <chrono>
#include <cstdio>
#include <string_view>

#include "sim/timeline.h"
#include "support/follow_check.h"

int main(int argc, char** argv) {
    using namespace vantrel;
    sim::SeriesOptions options;
    options.hands = 100;
    for (int i = 1; i < argc; i += 2) {
        if (i + 1 >= argc || sim::ApplySeriesOption(argv[i], argv[i + 1], options) != sim::OptionResult::kApplied) {
            std::fprintf(stderr, "usage: vantrel-soak --seed S --hands N [options]\n%s",
                         std::string(sim::kSeriesOptionsUsage).c_str());
            return 2;
        }
    }
    if (const auto problem = sim::SettingsProblem(options.settings)) {
        std::fprintf(stderr, "vantrel-soak: %s\n", problem->c_str());
        return 2;
    }

    const auto start = std::chrono::steady_clock::now();
    std::size_t printed = 0;
    const soak::FollowResult result =
        soak::FollowSeries(options.seed, options.hands, options.settings, [&](const soak::FollowResult& so_far) {
            for (; printed < so_far.differences.size(); ++printed) std::printf("%s\n", so_far.differences[printed].c_str());
            std::fflush(stdout);
        });
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double simulatedHours = static_cast<double>(result.simulatedMs) / 3.6e6;
    std::printf("hands %d, moves %d, detail checks %d, replay checks %d, differences %zu, simulated hours per second %.1f\n",
                result.hands, result.moves, result.detailChecks, result.replayChecks, result.differences.size(),
                seconds > 0 ? simulatedHours / seconds : 0.0);
    return result.differences.empty() ? 0 : 1;
}
