// The program running beside a game window on bare felt, for the tests that drive
// the watcher's recognition parts (sampler, reader, tally) by hand, a tick at a time.
#pragma once

#include <memory>

#include "main_window/hand_watcher.h"
#include "support/game_fixture.h"

namespace vantrel::testing {

class RecognitionFixture : public ProgramFixture {
protected:
    void SetUp() override {
        Start();
        OpenGame();
        screen.Fill(kFelt);
    }

    HandWatcher& watcher() { return main().watcher(); }
    recognition::CardTally& tally() { return watcher().tally; }

    // A watcher tick on a fresh surface of the game's client area, as the watcher's
    // timers begin one; the surface stays open until the next.
    void BeginTick() {
        surface = platform.fakeDesktop().OpenClient(game);
        watcher().sampler.BeginTick(surface.get());
    }
    void EndTick() { watcher().sampler.EndTick(); }

    std::unique_ptr<platform::ClientSurface> surface;
};

}  // namespace vantrel::testing
