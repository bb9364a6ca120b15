#include "sim/table_faults.h"

#include <algorithm>
#include <array>

namespace vantrel::sim {
namespace {

constexpr CardCode AnyCardOf(Rank rank) { return CodeOf(rank, 1); }

using RankCounts = std::array<int, kTwo + 1>;

RankCounts CountRanks(const std::vector<CardCode>& codes) {
    RankCounts counts{};
    for (CardCode code : codes) ++counts[static_cast<std::size_t>(RankOf(code))];
    return counts;
}

std::optional<FaultSpot> FindCardSpot(const HandRecord& hand, TableFault fault) {
    RankCounts laid{};
    RankCounts ownLeft = CountRanks(hand.deal[0]);
    // Not the hand's last move: a hand that ends there leaves nothing to be in doubt about.
    for (std::size_t m = 0; m + 1 < hand.moves.size(); ++m) {
        const Move& move = hand.moves[m];
        const bool eligible = !move.IsPass() && (fault == TableFault::kGoneRank || move.seat != 0);
        for (Rank rank = kTwo; eligible && rank >= kLowestRank; --rank) {
            const auto r = static_cast<std::size_t>(rank);
            const bool fits = fault == TableFault::kGoneRank
                                  ? laid[r] == DeckCount(rank)
                                  : ownLeft[r] > 0 && ownLeft[r] + laid[r] == DeckCount(rank);
            if (fits) return FaultSpot{fault, static_cast<int>(m), AnyCardOf(rank)};
        }
        for (CardCode code : move.cards) {
            ++laid[static_cast<std::size_t>(RankOf(code))];
            if (move.seat == 0) --ownLeft[static_cast<std::size_t>(RankOf(code))];
        }
    }
    return std::nullopt;
}

std::optional<FaultSpot> SpotAt(std::optional<int> move, TableFault fault) {
    if (!move) return std::nullopt;
    return FaultSpot{fault, *move, 0};
}

}  // namespace

std::optional<int> FirstMove(const HandRecord& hand, int from, bool pass) {
    for (std::size_t m = static_cast<std::size_t>(from); m + 1 < hand.moves.size(); ++m)
        if (hand.moves[m].IsPass() == pass) return static_cast<int>(m);
    return std::nullopt;
}

std::optional<FaultSpot> FindFaultSpot(const HandRecord& hand, TableFault fault) {
    switch (fault) {
        case TableFault::kGoneRank:
        case TableFault::kUserOnlyRank:
            return FindCardSpot(hand, fault);
        case TableFault::kDealCardMissing:
            return FaultSpot{fault, -1, hand.deal[0][7]};
        case TableFault::kExtraCard:
            return SpotAt(FirstMove(hand, 3, false), fault);
        case TableFault::kPassDropped:
            return SpotAt(FirstMove(hand, 0, true), fault);
    }
    return std::nullopt;
}

FaultyTable::FaultyTable(const Timeline& timeline, std::vector<std::optional<FaultSpot>> spots)
    : timeline_(timeline), spots_(std::move(spots)) {}

TableState FaultyTable::StateOf(std::size_t change) const {
    const std::int64_t time = timeline_.changes()[change].time_ms;
    TableState state = timeline_.changes()[change].state;
    const auto& times = timeline_.hand_times();
    const auto after = std::upper_bound(times.begin(), times.end(), time,
                                        [](std::int64_t t, const HandTimes& hand) { return t < hand.deal_ms; });
    if (after == times.begin()) return state;
    const auto index = static_cast<std::size_t>(after - times.begin() - 1);
    const HandTimes& handTimes = times[index];
    if (index >= spots_.size() || !spots_[index] || time >= handTimes.cleared_ms) return state;

    const FaultSpot& spot = *spots_[index];
    const HandRecord& hand = timeline_.hands()[index];
    const auto movesShown = std::upper_bound(handTimes.move_ms.begin(), handTimes.move_ms.end(), time) -
                            handTimes.move_ms.begin();
    if (spot.fault == TableFault::kDealCardMissing) {
        std::erase(state.own_row, spot.card);
        return state;
    }
    if (movesShown <= spot.move) return state;
    const Move& move = hand.moves[static_cast<std::size_t>(spot.move)];
    if (spot.fault == TableFault::kPassDropped) {
        if (movesShown != spot.move + 1) return state;
        return timeline_.StateAt(handTimes.move_ms[static_cast<std::size_t>(spot.move)] - 1);
    }
    // The faulty play shows for as long as the seat's area holds it.
    std::vector<CardCode>& laid = state.areas[static_cast<std::size_t>(move.seat)].laid;
    if (laid != move.cards) return state;
    if (spot.fault == TableFault::kExtraCard)
        laid.push_back(laid.back());
    else
        laid.front() = spot.card;
    return state;
}

}  // namespace vantrel::sim
