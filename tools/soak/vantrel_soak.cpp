// vantrel-soak: follows a long series of the stand-in's hands with the whole
// program on the virtual clock and prints every difference from the ground truth,
// then one line: "hands H, moves M, detail checks C, replay checks R, doubts U,
// differences D, simulated hours per second X": C states in which the detail
// window was held against the log, R in which the player window was (its replay
// caught up), U hands that the program held in doubt; and a second one on who
// holds what: "held: unsound readings N, hands stopped S, held marks per move A,
// hands with a certain bomb shown B (P%)", every opponent's ranges held to its true
// hand after every move. Exit status 0 when there was no difference, no doubt, no
// unsound reading and no stopped reading.
//   vantrel-soak --seed S --hands N [--think-ms A-B] [--deal-ms N] [--final-ms N] [--pause-ms N]
// With --faults N instead it runs the fault series (tests/support/fault_series.h):
// for each kind of fault N hands, the fault in every other one, and prints the
// table of what became of the injected hands and of the hands after them.
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>

#include "sim/timeline.h"
#include "support/fault_series.h"
#include "support/follow_check.h"

namespace {

using namespace vantrel;

int RunFaults(const sim::SeriesOptions& options, int hands) {
    std::printf("%-45s %6s %8s %6s %6s %6s %16s %10s\n", "fault", "hands", "injected", "right", "doubt", "wrong",
                "doubt from fault", "next right");
    bool sound = true;
    std::string wrongOnes;
    for (const soak::FaultKind kind : soak::kFaultKinds) {
        const soak::FaultOutcome o = soak::RunFaultSeries(kind, options.seed, hands, options.settings);
        std::printf("%-45s %6d %8d %6d %6d %6d %16d %6d/%d\n", std::string(soak::FaultName(kind)).c_str(), o.hands,
                    o.injected, o.right, o.doubt, o.wrong, o.doubtAtFault, o.nextRight, o.nextRight + o.nextWrong);
        std::fflush(stdout);
        sound = sound && o.nextWrong == 0;
        if (!o.firstWrong.empty()) wrongOnes += "  " + std::string(soak::FaultName(kind)) + ": " + o.firstWrong + "\n";
    }
    if (!wrongOnes.empty()) std::printf("first wrong hand of each kind:\n%s", wrongOnes.c_str());
    return sound ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    sim::SeriesOptions options;
    options.hands = 100;
    int faultHands = 0;
    for (int i = 1; i < argc; i += 2) {
        if (i + 1 < argc && std::string_view(argv[i]) == "--faults") {
            const auto hands = sim::ParseDecimal(argv[i + 1], 1000000);
            faultHands = hands ? static_cast<int>(*hands) : 0;
            if (faultHands > 0) continue;
        }
        if (i + 1 >= argc || sim::ApplySeriesOption(argv[i], argv[i + 1], options) != sim::OptionResult::kApplied) {
            std::fprintf(stderr, "usage: vantrel-soak --seed S --hands N [options] | --faults N [--seed S] [options]\n%s",
                         std::string(sim::kSeriesOptionsUsage).c_str());
            return 2;
        }
    }
    if (const auto problem = sim::SettingsProblem(options.settings)) {
        std::fprintf(stderr, "vantrel-soak: %s\n", problem->c_str());
        return 2;
    }
    if (faultHands > 0) return RunFaults(options, faultHands);

    const auto start = std::chrono::steady_clock::now();
    std::size_t printed = 0;
    const soak::FollowResult result =
        soak::FollowSeries(options.seed, options.hands, options.settings, [&](const soak::FollowResult& so_far) {
            for (; printed < so_far.differences.size(); ++printed) std::printf("%s\n", so_far.differences[printed].c_str());
            std::fflush(stdout);
        });
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double simulatedHours = static_cast<double>(result.simulatedMs) / 3.6e6;
    std::printf("hands %d, moves %d, detail checks %d, replay checks %d, doubts %d, differences %zu, simulated hours "
                "per second %.1f\n",
                result.hands, result.moves, result.detailChecks, result.replayChecks, result.doubts,
                result.differences.size(), seconds > 0 ? simulatedHours / seconds : 0.0);
    std::printf("held: unsound readings %d, hands stopped %d, held marks per move %.2f, hands with a certain bomb "
                "shown %d (%.1f%%), seconds %.2f\n",
                result.unsoundReadings, result.heldStopped,
                result.heldStates > 0 ? static_cast<double>(result.heldMarks) / result.heldStates : 0.0,
                result.certainBombHands, result.hands > 0 ? 100.0 * result.certainBombHands / result.hands : 0.0,
                seconds);
    const bool sound = result.unsoundReadings == 0 && result.heldStopped == 0;
    return result.differences.empty() && result.doubts == 0 && sound ? 0 : 1;
}
