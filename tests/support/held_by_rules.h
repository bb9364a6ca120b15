// Who must hold what after some moves of a stand-in hand, read from the game's
// rules alone, apart from the program: a seat that can beat the last play must
// play, and only a higher bomb beats a bomb. Each opponent's cap of a rank starts
// at the cards of it out after the deal and falls by what it lays and by what its
// passes show (the beaten play classified by the stand-in's rules); a holding of a
// rank is possible when some holding of every other rank within the caps makes up
// the opponent's count. Also the replay's line for it.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "sim/cards.h"
#include "sim/hand.h"
#include "sim/rules.h"

namespace vantrel::testing {

// By seat (2 left, 1 right) and rank: the least it can hold.
struct HeldByRules {
    std::array<std::array<int, 16>, 3> least{};
};

// None when nothing is possible (a cap broken, or no split left).
inline std::optional<HeldByRules> HeldByRulesAfter(const sim::HandRecord& hand, int movesSeen) {
    std::array<int, 16> out{}, dealt{};
    for (sim::CardCode code : sim::kDeck) ++out[std::size_t(sim::RankOf(code))];
    for (sim::CardCode code : hand.deal[0]) --out[std::size_t(sim::RankOf(code))];
    dealt = out;
    std::array<std::array<int, 16>, 3> cap{dealt, dealt, dealt};
    int leftCount = 16;
    const sim::Move* lastPlay = nullptr;
    for (int i = 0; i < movesSeen; ++i) {
        const sim::Move& move = hand.moves[std::size_t(i)];
        auto& mine = cap[std::size_t(move.seat)];
        leftCount = move.counts[2];
        if (!move.IsPass()) {
            lastPlay = &move;
            for (sim::CardCode code : move.cards) {
                if (move.seat == 0) continue;
                --out[std::size_t(sim::RankOf(code))];
                if (--mine[std::size_t(sim::RankOf(code))] < 0) return std::nullopt;
            }
        } else if (move.seat != 0 && lastPlay && lastPlay->seat != move.seat) {
            const sim::Combination beaten = *sim::Classify(lastPlay->cards);
            const sim::Kind kind = beaten.kind;
            for (int rank = 3; rank <= 15; ++rank) {
                int& c = mine[std::size_t(rank)];
                if (kind != sim::Kind::Bomb) c = std::min(c, 3);
                if (rank <= beaten.key) continue;
                if (kind == sim::Kind::Single) c = 0;
                if (kind == sim::Kind::Pair) c = std::min(c, 1);
                if (kind == sim::Kind::Bomb) c = std::min(c, 3);
            }
        }
    }
    // possible(rank, l): the left holding l of the rank and the right the rest.
    const auto possible = [&](int rank, int l) {
        return l <= cap[2][std::size_t(rank)] && out[std::size_t(rank)] - l <= cap[1][std::size_t(rank)];
    };
    // The sums the left's holdings of the ranks below (above) each rank can make, as bits.
    std::array<std::uint64_t, 17> below{}, above{};
    below[3] = above[15] = 1;
    const auto grow = [&](std::uint64_t sums, int rank) {
        std::uint64_t grown = 0;
        for (int l = 0; l <= out[std::size_t(rank)]; ++l)
            if (possible(rank, l)) grown |= sums << l;
        return grown;
    };
    for (int rank = 3; rank < 15; ++rank) below[std::size_t(rank + 1)] = grow(below[std::size_t(rank)], rank);
    for (int rank = 15; rank > 3; --rank) above[std::size_t(rank - 1)] = grow(above[std::size_t(rank)], rank);
    HeldByRules held;
    for (std::size_t r = 3; r <= 15; ++r) {
        std::uint64_t others = 0;  // the sums of all the ranks but this one
        for (int a = 0; a < 64; ++a)
            if (below[r] >> a & 1) others |= above[r] << a;
        int least = 99, most = -1;
        for (int l = 0; l <= out[r]; ++l) {
            const int rest = leftCount - l;
            if (!possible(int(r), l) || rest < 0 || !(others >> rest & 1)) continue;
            least = std::min(least, l);
            most = std::max(most, l);
        }
        if (most < 0) return std::nullopt;
        held.least[2][r] = least;
        held.least[1][r] = out[r] - most;
    }
    return held;
}

// "held left R:N ... right R:N ...": the ranks each must hold, in rank order.
inline std::string HeldLine(const HeldByRules& held) {
    std::string line = "held";
    for (const auto& [seat, side] : {std::pair{2, " left"}, std::pair{1, " right"}}) {
        line += side;
        for (int rank = 3; rank <= 15; ++rank)
            if (const int n = held.least[std::size_t(seat)][std::size_t(rank)]; n > 0)
                line.append(" ").append(std::to_string(rank)).append(":").append(std::to_string(n));
    }
    return line;
}

}  // namespace vantrel::testing
