#include "sim/players.h"

#include <algorithm>

namespace vantrel::sim {
namespace {

bool IsBomb(const Play& play) { return play.combination.kind == Kind::Bomb; }

// The lowest follow: non-bombs before bombs, then by key, then by cards.
bool FollowsLower(const Play& a, const Play& b) {
    if (IsBomb(a) != IsBomb(b)) return IsBomb(b);
    if (a.combination.key != b.combination.key) return a.combination.key < b.combination.key;
    return a.cards < b.cards;
}

// The preferred lead: the most cards, then the lowest key, then by cards.
bool LeadsBetter(const Play& a, const Play& b) {
    if (a.cards.size() != b.cards.size()) return a.cards.size() > b.cards.size();
    if (a.combination.key != b.combination.key) return a.combination.key < b.combination.key;
    return a.cards < b.cards;
}

}  // namespace

std::optional<Play> ChoosePlay(std::span<const CardCode> hand, const std::optional<Combination>& to_beat) {
    std::vector<Play> plays = LegalMoves(hand, to_beat);
    if (plays.empty()) return std::nullopt;

    const auto emptying = std::find_if(plays.begin(), plays.end(),
                                       [&](const Play& play) { return play.cards.size() == hand.size(); });
    if (emptying != plays.end()) return *emptying;

    if (to_beat) return *std::min_element(plays.begin(), plays.end(), FollowsLower);

    // Plays hold the lowest suits of each rank and list their cards ascending, so a
    // play contains the hand's lowest card exactly when it starts with it. The single
    // of that card always qualifies, so the choice is never empty.
    const CardCode lowest = *std::min_element(hand.begin(), hand.end());
    std::erase_if(plays, [&](const Play& play) { return IsBomb(play) || play.cards.front() != lowest; });
    return *std::min_element(plays.begin(), plays.end(), LeadsBetter);
}

}  // namespace vantrel::sim
