// HandCheck: what the tally knows cannot be true of a hand. A misread card or a
// missed move leaves the tally wrong for the rest of the hand, which for a card
// counter is worse than showing nothing; so each row read is held to the deck and
// to what was read before it, and the first thing that cannot be true puts the
// hand in doubt until the next deal. The check keeps the user's own cards (the 16
// read at the deal, less the user's plays) to hold the user's plays to them.
//
// The check only judges and remembers; the tally raises the doubt and shows it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "base/card_code.h"
#include "ui/bounded_array.h"

namespace vantrel::recognition {

enum class DoubtReason : std::uint8_t {
    kDealNotSixteen,     // the dealt row does not hold 16 cards
    kDealTooManyOfRank,  // the dealt row holds more of a rank than the deck
    kOpponentRankGone,   // an opponent laid a rank none of whose marks still shows
    kOwnRankNotHeld,     // the user laid a rank not left in the user's own cards
    kCountBelowZero,     // a seat laid more cards than it still held
    kPlayTooLong,        // a play of more than 20 cards
    kTooManyMoves,       // a move after the history's 101st
};

// Why the hand is in doubt, in Chinese (UTF-8), for the player.
std::string_view DoubtText(DoubtReason reason);
// The reason's name in reports: "opponent-rank-gone" and the like.
std::string_view DoubtName(DoubtReason reason);

// Plays hold at most this many cards: a history row has 20 columns for them.
constexpr int kMostCardsInAPlay = 20;

class HandCheck {
public:
    using Ranks = std::span<const std::int16_t>;
    using RankCounts = ui::BoundedArray<std::int16_t, cards::kLowestRank, cards::kTwo>;

    // The user's dealt row; its cards become the user's own.
    std::optional<DoubtReason> CheckDeal(Ranks ranks);
    // A play of the user's; its cards leave the user's own.
    std::optional<DoubtReason> CheckOwnPlay(Ranks ranks);
    // A play of an opponent's, against the marks each rank still shows.
    template <class MarksShown>
    static std::optional<DoubtReason> CheckOpponentPlay(Ranks ranks, MarksShown marksShown) {
        RankCounts laid;
        for (const std::int16_t rank : ranks) {
            if (!IsRank(rank) || ++laid(rank) > marksShown(rank)) return DoubtReason::kOpponentRankGone;
        }
        return std::nullopt;
    }

    bool InDoubt() const { return reason_.has_value(); }
    std::optional<DoubtReason> reason() const { return reason_; }
    // Puts the hand in doubt; true when it was not already (the first reason stays).
    bool Raise(DoubtReason reason);
    // A new hand: no doubt and no cards of the user's.
    void Clear();

private:
    static bool IsRank(int rank) { return rank >= cards::kLowestRank && rank <= cards::kTwo; }

    std::optional<DoubtReason> reason_;
    RankCounts ownLeft_;
};

}  // namespace vantrel::recognition
