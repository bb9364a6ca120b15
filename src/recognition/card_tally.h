// The card tally: what the program knows of the hand in progress. It counts by
// rank: the marks of the main window's grid (one per card of the deck) hide as the
// user's dealt cards and the opponents' plays are read, so the visible marks are
// the cards still out in the opponents' hands; `RemainCards` holds each seat's
// count; every move goes into the shared `PlayHistory`. It also owns the two
// marker tests (the first-mover sign and the pass sign) and the reset between hands.
//
// It checks itself (HandCheck): from the first row that cannot be true until the
// hand ends the hand is in doubt. It then keeps the turn order and the counts, so
// that the hand's end is still found, but strikes no further mark and shows no
// count: the main window shows the doubt instead.
//
// Card codes: (rank - 3) * 4 + suit for 3..A, 49 for the one 2; ranks 3..10, J 11,
// Q 12, K 13, A 14, 2 15; suits 1 spades, 2 hearts, 3 clubs, 4 diamonds.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "recognition/game_contract.h"
#include "recognition/hand_check.h"
#include "recognition/holdings.h"
#include "recognition/screen_sampler.h"
#include "shared/modqtc.h"
#include "ui/bounded_array.h"
#include "ui/controls.h"

namespace vantrel::recognition {

// What a row just read is: the user's dealt hand (the Part's mode 2), a play by
// the seat to move (mode 3), or neither, to be read and dropped.
enum class RowKind : std::int16_t { Dropped = 1, DealtHand = 2, Play = 3 };

// The row of cards just read, left to right in entries 1..nCardCount.
struct CardRow {
    ui::BoundedArray<std::int16_t, 0, 50> CardList;
    std::int16_t nCardCount = 0;
};

// The main window's cells that the tally drives.
struct TallyDisplay {
    ui::ControlArray<ui::PictureCell>& imgRMCard;   // 1..47 and 49: one mark per card code
    ui::ControlArray<ui::PictureCell>& imgRMNum;    // 1..2: the opponents' counts
    ui::ControlArray<ui::PictureStore>& picRMNum;   // 0..16: the digit pictures
    // The last steps of a reset, which belong to the window: the overlays' reset
    // operations and the timers. Called with the keep-watching flag.
    std::function<void(bool keepWatching)> finishReset;
    // Shows the hand in doubt for this reason, or, with none, as before the doubt.
    std::function<void(std::optional<DoubtReason>)> showDoubt;
    // Shows the marks that each opponent must hold (CardTally::Held), or none.
    std::function<void()> showHeld = [] {};
};

class CardTally {
public:
    CardTally(ScreenSampler& sampler, CardRow& row, modQTC& shared, TallyDisplay display);

    bool IsFirstSeat(std::int16_t seat);
    // True when the seat shows the pass sign: the pass is recorded and the turn moves on.
    bool CheckPass(std::int16_t seat);
    void CodesToRanks();
    void StrikeCards(RowKind kind);
    void RecordPlay();
    void ResetHand(bool keepWatching);
    // Shows seat s's count (1 or 2) as its digit picture; nothing while in doubt.
    void ShowCount(std::int16_t seat);
    // The one road by which a hand goes into doubt.
    void Doubt(DoubtReason reason);
    // What each opponent must hold after the last move; none in doubt or while
    // the reading knows nothing or is off.
    const std::optional<HeldRanges>& Held() const;

    ui::BoundedArray<std::int16_t, 0, 2> RemainCards;
    bool bHandOver = false;
    std::int16_t nPlayCount = 0;
    std::int16_t nTurn = 0;
    bool bInHand = false;
    HandCheck check;
    HoldingsReading holdings;
    // Hears of every doubt raised (the reason it was raised for); may stay unset.
    std::function<void(DoubtReason)> onDoubt;

    static constexpr const auto& FirstSeatProbe = game::FirstSeatProbe;
    static constexpr const auto& PassProbe = game::PassProbe;

private:
    void Strike(std::int16_t rank);
    int MarksShown(std::int16_t rank) const;
    std::span<const std::int16_t> RowRanks() const;
    // Appends a move to the history unless it is full (then the hand is in doubt).
    bool StartHistoryRow();
    // Brings the reading of who holds what up to the move just recorded.
    void FollowHoldings();

    ScreenSampler& sampler_;
    CardRow& row_;
    modQTC& shared_;
    TallyDisplay display_;
};

}  // namespace vantrel::recognition
