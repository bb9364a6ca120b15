#include "recognition/holdings.h"

#include <algorithm>

#include "recognition/hand_check.h"

namespace vantrel::recognition {
namespace {

// No opponent holds four of a rank: it would have bombed.
constexpr std::int8_t kNoBomb = 3;

void LowerTo(std::int8_t& cap, int most) { cap = static_cast<std::int8_t>(std::min<int>(cap, most)); }

}  // namespace

std::optional<HeldRanges> BoundHoldings(const ByRank& out, const std::array<ByRank, 2>& caps, int leftCount,
                                        int rightCount) {
    // The left opponent's holding of each rank lies in a box, lo..hi, since the
    // right one holds the rest of it; and the holdings add up to its count.
    ByRank lo{}, hi{};
    int sumLo = 0, sumHi = 0, sumOut = 0;
    for (int rank = kFirstRank; rank <= kLastRank; ++rank) {
        hi[rank] = std::min(out[rank], caps[0][rank]);
        lo[rank] = static_cast<std::int8_t>(out[rank] - std::min(out[rank], caps[1][rank]));
        if (lo[rank] > hi[rank]) return std::nullopt;
        sumLo += lo[rank];
        sumHi += hi[rank];
        sumOut += out[rank];
    }
    if (sumOut != leftCount + rightCount || leftCount < sumLo || leftCount > sumHi) return std::nullopt;
    // Every sum between sumLo and sumHi is reached, so fixing one rank leaves the
    // others to make up any rest within their own sums.
    HeldRanges ranges{out, {}, {}};
    for (int rank = kFirstRank; rank <= kLastRank; ++rank) {
        const int least = lo[rank], most = hi[rank];
        ranges.leastLeft[rank] = static_cast<std::int8_t>(std::max(least, leftCount - (sumHi - most)));
        ranges.mostLeft[rank] = static_cast<std::int8_t>(std::min(most, leftCount - (sumLo - least)));
    }
    return ranges;
}

std::array<ByRank, 2> HoldingsReading::Open() {
    ByRank deck{};
    for (int rank = kFirstRank; rank <= kLastRank; ++rank) deck[rank] = static_cast<std::int8_t>(cards::DeckCount(rank));
    return {deck, deck};
}

void HoldingsReading::NewHand() {
    caps_ = Open();
    movesRead_ = 0;
    lastPlay_ = {};
    ranges_.reset();
    offForHand_ = false;
}

void HoldingsReading::TurnOff() {
    ranges_.reset();
    if (offForHand_) return;
    offForHand_ = true;
    ++handsOff_;
}

void HoldingsReading::Follow(const MoveTable& history, int moves, int firstSeat, const ByRank& out, int leftCount,
                             int rightCount) {
    if (OffForSession()) return;
    for (; movesRead_ < moves && !offForHand_; ++movesRead_) ReadMove(history, movesRead_, (firstSeat + movesRead_) % 3);
    if (offForHand_) return;
    // A cap never stands above the cards of its rank still out.
    for (ByRank& cap : caps_)
        for (int rank = kFirstRank; rank <= kLastRank; ++rank) LowerTo(cap[rank], out[rank]);
    ranges_ = BoundHoldings(out, caps_, leftCount, rightCount);
    if (!ranges_) TurnOff();
}

void HoldingsReading::ReadMove(const MoveTable& history, int row, int seat) {
    ByRank* cap = seat == 0 ? nullptr : &caps_[seat == SeatOf(Opponent::kLeft) ? 0 : 1];
    if (history(row, 1) == modQTC::PassMark) {
        // A pass answers the last play, which is another seat's: a seat whose play
        // the other two passed leads next, and a lead is never passed.
        if (cap && lastPlay_.seat >= 0 && lastPlay_.seat != seat) LearnFromPass(*cap, lastPlay_);
        return;
    }
    const int count = std::clamp<int>(history(row, 21), 1, kMostCardsInAPlay);
    ByRank laid{};
    for (int column = 1; column <= count; ++column) {
        const int rank = history(row, column);
        if (rank < kFirstRank || rank > kLastRank) return TurnOff();
        ++laid[rank];
    }
    const int first = history(row, 1);
    const bool oneRank = laid[first] == count;
    lastPlay_ = {!oneRank ? Kind::kOther
                 : count == 1 ? Kind::kSingle
                 : count == 2 ? Kind::kPair
                 : count == 4 ? Kind::kBomb
                              : Kind::kOther,
                 first, seat};
    if (!cap) return;
    // Hands only shrink: what was laid leaves the cap, and a rank laid beyond its
    // cap was never held by these rules.
    for (int rank = kFirstRank; rank <= kLastRank; ++rank) {
        if (laid[rank] > (*cap)[rank]) return TurnOff();
        (*cap)[rank] = static_cast<std::int8_t>((*cap)[rank] - laid[rank]);
    }
}

void HoldingsReading::LearnFromPass(ByRank& cap, const LastPlay& play) {
    // Nothing above a single, no pair above a pair, no bomb above a bomb.
    const int aboveMost = play.kind == Kind::kSingle ? 0 : play.kind == Kind::kPair ? 1 : kNoBomb;
    for (int rank = kFirstRank; rank <= kLastRank; ++rank) {
        if (play.kind != Kind::kBomb) LowerTo(cap[rank], kNoBomb);
        if (play.kind != Kind::kOther && rank > play.rank) LowerTo(cap[rank], aboveMost);
    }
}

}  // namespace vantrel::recognition
