// watcher_bench: what the hand watcher's ticks cost against a real window of
// another process, with the program's own tick handlers. A child process (this
// executable, run with --table) shows a still game screen: the deal signs, seat
// 0's first-mover sign, the user's 16 dealt cards and a 16-card play in seat 2's
// area; seat 1's area is empty. The parent runs, each way the sampler can work
// (one copy per tick region, or one copy per probe):
//   emit, no hit       the play tick over seat 1's empty span
//   emit, 16 cards     the play tick that finds and reads seat 2's play
//   start, deal        the deal test
//   start, first mover the first-mover search and the read of the dealt row
// and prints, per tick, the median wall time and the mean CPU time of the thread,
// the ratios, and the share of one core that following a hand at 50 ms ticks
// takes. It checks that every tick read the screen right: exit status 1 if not.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "child_process.h"
#include "main_window/frm_identify.h"
#include "platform/win32/win32_platform.h"
#include "shared/modqtc.h"
#include "support/game_title.h"
#include "support/painted_table.h"

namespace {

using namespace vantrel;
using namespace vantrel::testing;

using vantrel::testing::kGameTitle;
constexpr int kRounds = 1000;

base::Image StillTable() {
    base::Image screen(800, 600, kFelt);
    PaintDealSigns(screen);
    screen.set(542, 322, kSign);
    PaintOwnRow(screen, 16);
    for (int k = 0; k < 16; ++k) PaintBlankCard(screen, 14 + 22 * k, 150);
    return screen;
}

// The child: the still table in a window titled like the game, until closed.
int RunTable() {
    platform::win32::Win32Platform platform;
    struct Closer : platform::WindowEvents {
        platform::Platform* owner = nullptr;
        void OnMouseDown(platform::MouseButton, base::Point) override {}
        void OnMouseUp(platform::MouseButton, base::Point) override {}
        void OnMouseMove(base::Point) override {}
        void OnCloseRequest() override { owner->Quit(); }
        void OnMoved(base::Point) override {}
        void OnEndSession() override {}
    } events;
    events.owner = &platform;
    const auto window = platform.CreateHostedWindow({kGameTitle, 800, 600, {20, 20}, {}}, events);
    window->PresentWhole(StillTable());
    window->Show();
    return platform.RunMessageLoop();
}


double Now() {
    static const double perSecond = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / perSecond * 1e6;
}

double ThreadCpuMicroseconds() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto us = [](FILETIME f) { return (static_cast<double>(f.dwHighDateTime) * 4294967296.0 + f.dwLowDateTime) / 10.0; };
    return us(kernel) + us(user);
}

struct Cost {
    double wallMedian = 0, cpuMean = 0;
};

// Runs `tick` kRounds times, each after an untimed `prepare`; `check` says whether
// the tick read the screen right.
Cost Measure(const std::function<void()>& prepare, const std::function<void()>& tick,
             const std::function<bool()>& check, bool& correct) {
    std::vector<double> walls;
    double cpu = 0;
    for (int i = 0; i < kRounds; ++i) {
        prepare();
        const double cpuStart = ThreadCpuMicroseconds(), start = Now();
        tick();
        walls.push_back(Now() - start);
        cpu += ThreadCpuMicroseconds() - cpuStart;
        correct = correct && check();
    }
    std::sort(walls.begin(), walls.end());
    return {walls[walls.size() / 2], cpu / kRounds};
}

int RunBench() {
    platform::win32::Win32Platform platform;
    const e2e::ChildProcess child(e2e::ChildProcess::ThisExecutable(), L"--table");
    if (!child.started()) {
        std::puts("watcher_bench: cannot start the table process");
        return 1;
    }
    modQTC shared(platform);
    frmIdentify& main = shared.Instance<frmIdentify>();
    for (int attempt = 0; attempt < 600 && !main.gameWindow().window; ++attempt, Sleep(50))
        main.RestoreGameWindow(platform.desktop().FindWindowByTitle(kGameTitle));
    Sleep(500);  // painted
    if (!main.gameWindow().window) {
        std::puts("watcher_bench: the table window did not appear");
        return 1;
    }
    recognition::CardTally& tally = main.watcher().tally;
    auto following = [&](std::int16_t seat) {
        tally.bInHand = true;
        main.watcher().SetTurnKnown(true);
        tally.nTurn = seat;
        tally.nPlayCount = 0;
        tally.RemainCards.Fill(20);
    };

    bool correct = true;
    struct Scenario {
        const char* name;
        std::function<void()> prepare, tick;
        std::function<bool()> check;
    };
    const Scenario scenarios[] = {
        {"emit, no hit", [&] { following(1); }, [&] { main.watcher().tmrEmit_Timer(); },
         [&] { return tally.nTurn == 1 && tally.nPlayCount == 0; }},
        {"emit, 16 cards", [&] { following(2); }, [&] { main.watcher().tmrEmit_Timer(); },
         [&] { return tally.nPlayCount == 1 && shared.PlayHistory(0, 21) == 16 && tally.RemainCards(2) == 4; }},
        {"start, deal", [&] { tally.bInHand = false; }, [&] { main.watcher().tmrStart_Timer(); },
         [&] { return tally.bInHand; }},
        {"start, first mover",
         [&] {
             tally.bInHand = true;
             main.watcher().SetTurnKnown(false);
             main.imgRMCard.ForEach([](ui::PictureCell& mark) { mark.SetVisible(true); });
         },
         [&] { main.watcher().tmrStart_Timer(); },
         [&] { return main.watcher().view().turnKnown && shared.FirstSeat == 0 && tally.RemainCards(1) == 16; }},
    };

    std::printf("watcher_bench: %d ticks each, against a window of another process\n", kRounds);
    std::printf("  %-20s %14s %14s %14s %14s %8s\n", "tick", "per probe wall", "per probe cpu", "per tick wall",
                "per tick cpu", "cpu x");
    Cost noHit[2], play[2];
    for (const Scenario& s : scenarios) {
        Cost cost[2];
        for (int mode = 0; mode < 2; ++mode) {
            main.watcher().sampler.SetPrefetching(mode == 1);
            cost[mode] = Measure(s.prepare, s.tick, s.check, correct);
        }
        std::printf("  %-20s %11.1f us %11.1f us %11.1f us %11.1f us %7.1fx\n", s.name, cost[0].wallMedian,
                    cost[0].cpuMean, cost[1].wallMedian, cost[1].cpuMean, cost[0].cpuMean / std::max(cost[1].cpuMean, 0.01));
        if (std::string(s.name) == "emit, no hit") std::copy(cost, cost + 2, noHit);
        if (std::string(s.name) == "emit, 16 cards") std::copy(cost, cost + 2, play);
    }
    // Where a tick's time goes: the calls it cannot do without.
    {
        bool ignored = true;
        platform::Desktop& desktop = platform.desktop();
        const auto open = Measure([] {}, [&] { desktop.OpenClient(main.gameWindow().window); }, [] { return true; }, ignored);
        const auto surface = desktop.OpenClient(main.gameWindow().window);
        const auto bounds = Measure([] {}, [&] { (void)surface->Bounds(); }, [] { return true; }, ignored);
        std::uint32_t pixels[200];
        const auto pixel = Measure([] {}, [&] { surface->Copy({460, 214, 461, 215}, pixels); }, [] { return true; }, ignored);
        const auto row = Measure([] {}, [&] { surface->Copy({460, 214, 642, 215}, pixels); }, [] { return true; }, ignored);
        std::printf("  calls: open+release dc %.1f us (cpu %.1f), client bounds %.1f (%.1f), 1x1 copy %.1f (%.1f), 182x1 copy %.1f (%.1f)\n",
                    open.wallMedian, open.cpuMean, bounds.wallMedian, bounds.cpuMean, pixel.wallMedian, pixel.cpuMean,
                    row.wallMedian, row.cpuMean);
    }
    // Following a hand: about one move a second, so one tick in twenty reads a play.
    for (int mode = 0; mode < 2; ++mode) {
        const double perTick = (19 * noHit[mode].cpuMean + play[mode].cpuMean) / 20;
        std::printf("  following a hand at 50 ms ticks, %s: %.3f%% of a core (cpu)\n",
                    mode == 0 ? "one copy per probe" : "one copy per region", perTick / 50000 * 100);
    }
    if (!correct) std::puts("watcher_bench: FAILED: a tick did not read the table right");
    PostMessageW(reinterpret_cast<HWND>(main.gameWindow().window), WM_CLOSE, 0, 0);
    return correct ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--table") return RunTable();
    return RunBench();
}
