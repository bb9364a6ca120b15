// The hand watcher: reads the game's pixels for each deal, its first mover and
// every move, and keeps the tally. Two of the main window's timers drive it:
//   waiting for a hand   tmrStart     until the two deal signs show
//   waiting first mover  tmrStart     until a seat's first-mover sign lights: the
//                                     user's 16 cards are read and struck
//   following the hand   tmrEmit      until a seat has played out or the new-hand
//                                     button, or a second after the deal's sign
//                                     has gone (an end never read)
// A tick that meets a capture which copied nothing changes nothing.
//
// The window reaches it through the calls below and reads where the hand stands
// from `view()`; the recognition parts are open to tests and benchmarks.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "recognition/card_reader.h"
#include "recognition/card_tally.h"
#include "recognition/screen_sampler.h"
#include "shared/modqtc.h"
#include "ui/timer.h"

namespace vantrel {

class HandWatcher {
public:
    // What the watcher drives in its window.
    struct Window {
        recognition::TallyDisplay display;  // its finishReset is called after the watcher's own reset steps
        ui::Timer& tmrStart;
        ui::Timer& tmrEmit;
        std::function<void()> onDeal;  // a deal was seen: the idle animations stop
    };
    // Watches the game window whose handle `game` holds.
    HandWatcher(modQTC& shared, const platform::ForeignWindow& game, Window window);

    // Where the hand stands.
    struct View {
        bool inHand = false;     // from the deal's signs until the reset
        bool turnKnown = false;  // the first mover was seen and the user's cards were read
        std::int16_t turn = 0;   // the seat whose move is awaited
        std::int16_t firstSeat = 0;
        std::int16_t playCount = 0;  // moves followed in this hand
        bool over = false;           // a seat has played out
    };
    View view() const;

    // Stops following this hand and waits for a new one.
    void StartNewHand();
    // The game window has gone: the hand is dropped and nothing is watched.
    void LoseGame();

    // The timers call these, and benchmarks may too.
    void tmrStart_Timer();
    void tmrEmit_Timer();
    // For benchmarks that set a hand up in the tally rather than read its start.
    void SetTurnKnown(bool known) { bTurnKnown = known; }

    recognition::ScreenSampler sampler;
    recognition::CardRow row;
    recognition::CardTally tally;
    recognition::CardReader reader;

private:
    // The game's client area for one watcher tick, released on every path.
    class GameDC;

    void FinishReset(bool keepWatching);
    bool FindPlay(std::int16_t seat, int clientHeight);
    // The first of the two deal signs, which shows from a deal to the hand's end.
    bool TopDealSignShows();
    void EndHandOnceTheDealHasGone();
    // Asks the player window to show the newest move when it follows the play.
    void FollowPlay();

    modQTC& shared_;
    const platform::ForeignWindow& hGameWnd;
    ui::Timer& tmrStart;
    ui::Timer& tmrEmit;
    std::function<void(bool)> finishReset_;
    std::function<void()> onDeal_;

    bool bTurnKnown = false;
    std::int16_t nScanX = 0, nScanY = 0;
    // Play ticks that found nothing; every fifth looks for the deal's sign, and the
    // hand is over when five looks in a row (a second or more) miss it.
    std::int16_t nQuietTicks = 0;
    std::int16_t nLooksWithoutDeal = 0;
    static constexpr std::int16_t kQuietTicksPerLook = 5;
    static constexpr std::int16_t kLooksWithoutDealEndingHand = 5;
    static constexpr const auto& ScanSpan = recognition::game::ScanSpan;
    static constexpr const auto& ScanRow = recognition::game::ScanRow;
};

}  // namespace vantrel
