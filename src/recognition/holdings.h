// Who holds what: of the cards still out, those each opponent must hold. All 48
// cards are dealt, so every card not in the user's hand and not yet laid is in the
// left or the right opponent's hand; and since a seat that can beat the play on
// the table must play, and a bomb (four of a rank) beats any play but a higher
// bomb, a pass tells what the passer lacks. For each opponent and rank the reading
// keeps a cap, the most cards of that rank the opponent can hold; with the cards
// out and both counts, the caps bound each opponent's holding of every rank
// exactly: every value of a range is the holding in some split that meets every
// cap and both counts.
//
// A play that breaks a cap, or caps that no split can meet, means a card was
// misread or the game is not played by these rules: the reading is off for the
// rest of that hand, and after two such hands for the session. It reads only the
// move history and the tally's figures, never a pixel.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "base/card_code.h"
#include "shared/modqtc.h"

namespace vantrel::recognition {

// One figure per rank, indexed by rank 3..15 (0..2 unused).
using ByRank = std::array<std::int8_t, 16>;
constexpr int kFirstRank = cards::kLowestRank, kLastRank = cards::kTwo;

// Seat 2 sits on the user's left, seat 1 on the right.
enum class Opponent : std::uint8_t { kLeft, kRight };
constexpr int SeatOf(Opponent o) { return o == Opponent::kLeft ? 2 : 1; }

// What the caps, the cards out and the counts allow: the least and the most of
// each rank the left opponent can hold; the right one holds the rest.
struct HeldRanges {
    ByRank out{}, leastLeft{}, mostLeft{};

    int Least(Opponent o, int rank) const { return o == Opponent::kLeft ? leastLeft[rank] : out[rank] - mostLeft[rank]; }
    int Most(Opponent o, int rank) const { return o == Opponent::kLeft ? mostLeft[rank] : out[rank] - leastLeft[rank]; }
    friend bool operator==(const HeldRanges&, const HeldRanges&) = default;
};

// The exact ranges for the cards out, each opponent's caps and counts; none when
// no split meets them all.
std::optional<HeldRanges> BoundHoldings(const ByRank& out, const std::array<ByRank, 2>& caps, int leftCount,
                                        int rightCount);

class HoldingsReading {
public:
    // Follows the hand to `moves` moves of `history` (move i made by seat
    // (firstSeat + i) mod 3), with `out` the cards of each rank still out and the
    // opponents' counts as they stand after them.
    void Follow(const MoveTable& history, int moves, int firstSeat, const ByRank& out, int leftCount, int rightCount);
    // A new hand: the caps open again, unless the reading is off for the session.
    void NewHand();

    // The ranges after the last move followed; none while nothing is known or the
    // reading is off.
    const std::optional<HeldRanges>& ranges() const { return ranges_; }
    bool OffForHand() const { return offForHand_; }
    bool OffForSession() const { return handsOff_ >= kHandsOffForSession; }
    // The cap learnt so far: the most of `rank` the opponent can hold.
    int Cap(Opponent o, int rank) const { return caps_[static_cast<std::size_t>(o)][rank]; }

    static constexpr int kHandsOffForSession = 2;

private:
    // What a play is, read from its ranks alone: the kinds a pass says most about.
    enum class Kind : std::uint8_t { kSingle, kPair, kBomb, kOther };
    struct LastPlay {
        Kind kind = Kind::kOther;
        int rank = 0;  // of a single, pair or bomb
        int seat = -1;
    };

    void ReadMove(const MoveTable& history, int row, int seat);
    void LearnFromPass(ByRank& cap, const LastPlay& play);
    void TurnOff();

    std::array<ByRank, 2> caps_ = Open();
    int movesRead_ = 0;
    LastPlay lastPlay_;
    std::optional<HeldRanges> ranges_;
    bool offForHand_ = false;
    int handsOff_ = 0;

    static std::array<ByRank, 2> Open();
};

}  // namespace vantrel::recognition
