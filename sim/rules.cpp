#include "sim/rules.h"

#include <algorithm>
#include <cassert>
#include <tuple>

namespace vantrel::sim {
namespace {

// Indexed by rank; slots below kLowestRank stay zero.
using RankCounts = std::array<int, kTwo + 1>;

// A set of distinct cards grouped by rank, each group in ascending code order.
struct RankGroups {
    std::array<std::array<CardCode, 4>, kTwo + 1> cards{};
    RankCounts count{};
    int total = 0;
};

std::optional<RankGroups> GroupByRank(std::span<const CardCode> cards) {
    RankGroups groups;
    std::array<bool, kTwoOfSpades + 1> seen{};
    for (CardCode code : cards) {
        if (!IsCardCode(code) || seen[code]) return std::nullopt;
        seen[code] = true;
        const Rank rank = RankOf(code);
        groups.cards[rank][groups.count[rank]++] = code;
        ++groups.total;
    }
    for (Rank rank = kLowestRank; rank <= kTwo; ++rank) {
        std::sort(groups.cards[rank].begin(), groups.cards[rank].begin() + groups.count[rank]);
    }
    return groups;
}

// Orders the readings of one set of cards; see the header.
bool Stronger(const Combination& a, const Combination& b) {
    return std::tuple(!a.short_wings, a.length, a.key) > std::tuple(!b.short_wings, b.length, b.key);
}

std::vector<Combination> ReadingsOf(const RankCounts& count, int total) {
    std::vector<Combination> readings;
    if (total == 0) return readings;
    Rank lowest = kTwo, highest = kLowestRank;
    int distinct = 0, pairs = 0;
    for (Rank rank = kLowestRank; rank <= kTwo; ++rank) {
        if (count[rank] == 0) continue;
        lowest = std::min(lowest, rank);
        highest = std::max(highest, rank);
        ++distinct;
        pairs += count[rank] == 2 ? 1 : 0;
    }
    const bool consecutive_below_two = highest <= kAce && distinct == highest - lowest + 1;
    if (total == 1) {
        readings.push_back({Kind::Single, highest, 1});
    } else if (distinct == 1 && total == 2) {
        readings.push_back({Kind::Pair, highest, 1});
    } else if (distinct == 1 && total == 4) {
        readings.push_back({Kind::Bomb, highest, 1});
    } else if (consecutive_below_two && total == distinct && total >= 5) {
        readings.push_back({Kind::Straight, highest, total});
    } else if (consecutive_below_two && pairs == distinct && distinct >= 2) {
        readings.push_back({Kind::PairRun, highest, distinct});
    }
    // A triple's rank holds exactly three of the cards: a fourth would be a wing of
    // its own rank.
    for (Rank low = kLowestRank; low <= kAce; ++low) {
        for (Rank high = low; high <= kAce && count[high] == 3; ++high) {
            const int triples = high - low + 1;
            const int wings = total - 3 * triples;
            if (wings > 2 * triples) continue;
            readings.push_back({triples == 1 ? Kind::Triple : Kind::Airplane, high, triples, wings < 2 * triples});
        }
    }
    std::sort(readings.begin(), readings.end(), Stronger);
    return readings;
}

bool AllInHand(std::span<const CardCode> hand, std::span<const CardCode> cards) {
    return std::all_of(cards.begin(), cards.end(), [&](CardCode code) {
        return std::find(hand.begin(), hand.end(), code) != hand.end();
    });
}

RankCounts SameCountOver(Rank low, Rank high, int n) {
    RankCounts take{};
    for (Rank rank = low; rank <= high; ++rank) take[rank] = n;
    return take;
}

// Calls `fn(low, high)` for every run of consecutive ranks within 3..A of at least
// `min_length` ranks, each held at least `min_count` times.
template <typename Fn>
void ForEachRun(const RankCounts& count, int min_count, int min_length, Fn fn) {
    for (Rank low = kLowestRank; low <= kAce; ++low) {
        for (Rank high = low; high <= kAce && count[high] >= min_count; ++high) {
            if (high - low + 1 >= min_length) fn(low, high);
        }
    }
}

// Calls `emit(take)` once for every multiset of `needed` wing cards drawn from ranks
// `from` and up, outside the triples' ranks low..high, added to `take`.
template <typename Fn>
void ChooseWings(const RankCounts& count, Rank low, Rank high, int needed, Rank from, RankCounts& take,
                 Fn& emit) {
    if (needed == 0) {
        emit(take);
        return;
    }
    for (Rank rank = from; rank <= kTwo; ++rank) {
        if (rank >= low && rank <= high) continue;
        for (int n = 1; n <= std::min(count[rank], needed); ++n) {
            take[rank] = n;
            ChooseWings(count, low, high, needed - n, rank + 1, take, emit);
        }
        take[rank] = 0;
    }
}

// Gathers the plays that beat `to_beat`, skipping whole kinds that cannot.
class PlayCollector {
public:
    PlayCollector(const RankGroups& hand, const std::optional<Combination>& to_beat)
        : hand_(hand), to_beat_(to_beat) {}

    bool Wants(Kind kind, int length) const {
        return !to_beat_ || kind == Kind::Bomb || (kind == to_beat_->kind && length == to_beat_->length);
    }

    // Offers the lowest `take[rank]` cards of each rank, read as `combination`.
    void Offer(const Combination& combination, const RankCounts& take) {
        if (to_beat_ && !Beats(combination, *to_beat_)) return;
        Play play{.cards = {}, .combination = combination};
        for (Rank rank = kLowestRank; rank <= kTwo; ++rank) {
            play.cards.insert(play.cards.end(), hand_.cards[rank].begin(), hand_.cards[rank].begin() + take[rank]);
        }
        plays_.push_back(std::move(play));
    }

    // One play per set of cards, with its strongest reading.
    std::vector<Play> Finish() && {
        std::sort(plays_.begin(), plays_.end(), [](const Play& a, const Play& b) {
            return a.cards != b.cards ? a.cards < b.cards : Stronger(a.combination, b.combination);
        });
        plays_.erase(std::unique(plays_.begin(), plays_.end(),
                                 [](const Play& a, const Play& b) { return a.cards == b.cards; }),
                     plays_.end());
        return std::move(plays_);
    }

private:
    const RankGroups& hand_;
    const std::optional<Combination>& to_beat_;
    std::vector<Play> plays_;
};

void OfferSameRank(PlayCollector& collector, const RankCounts& count) {
    const std::tuple<Kind, int> kinds[] = {{Kind::Single, 1}, {Kind::Pair, 2}, {Kind::Bomb, 4}};
    for (const auto& [kind, size] : kinds) {
        if (!collector.Wants(kind, 1)) continue;
        for (Rank rank = kLowestRank; rank <= kTwo; ++rank) {
            if (count[rank] >= size) collector.Offer({kind, rank, 1}, SameCountOver(rank, rank, size));
        }
    }
}

void OfferRuns(PlayCollector& collector, const RankCounts& count) {
    ForEachRun(count, 1, 5, [&](Rank low, Rank high) {
        const int length = high - low + 1;
        if (collector.Wants(Kind::Straight, length)) {
            collector.Offer({Kind::Straight, high, length}, SameCountOver(low, high, 1));
        }
    });
    ForEachRun(count, 2, 2, [&](Rank low, Rank high) {
        const int length = high - low + 1;
        if (collector.Wants(Kind::PairRun, length)) {
            collector.Offer({Kind::PairRun, high, length}, SameCountOver(low, high, 2));
        }
    });
}

void OfferWingedTriples(PlayCollector& collector, const RankCounts& count, int hand_size) {
    ForEachRun(count, 3, 1, [&](Rank low, Rank high) {
        const int triples = high - low + 1;
        const Combination combination{triples == 1 ? Kind::Triple : Kind::Airplane, high, triples};
        if (!collector.Wants(combination.kind, triples) || 5 * triples > hand_size) return;
        RankCounts take = SameCountOver(low, high, 3);
        auto emit = [&](const RankCounts& with_wings) { collector.Offer(combination, with_wings); };
        ChooseWings(count, low, high, 2 * triples, kLowestRank, take, emit);
    });
}

}  // namespace

std::vector<Combination> Readings(std::span<const CardCode> cards) {
    const auto groups = GroupByRank(cards);
    if (!groups) return {};
    return ReadingsOf(groups->count, groups->total);
}

std::optional<Combination> Classify(std::span<const CardCode> cards) {
    const auto readings = Readings(cards);
    if (readings.empty()) return std::nullopt;
    return readings.front();
}

bool Beats(const Combination& a, const Combination& b) {
    if (a.kind == Kind::Bomb || b.kind == Kind::Bomb) {
        return a.kind == Kind::Bomb && (b.kind != Kind::Bomb || a.key > b.key);
    }
    return a.kind == b.kind && a.length == b.length && a.key > b.key;
}

std::optional<Combination> ReadPlay(std::span<const CardCode> hand, std::span<const CardCode> cards,
                                    const std::optional<Combination>& to_beat) {
    if (cards.empty() || !AllInHand(hand, cards)) return std::nullopt;
    // The cards are distinct (Readings rejects repeats), so as many as the hand holds
    // are all of it.
    const bool last_cards = cards.size() == hand.size();
    for (const Combination& reading : Readings(cards)) {
        if (reading.short_wings && !last_cards) continue;
        if (!to_beat || Beats(reading, *to_beat)) return reading;
    }
    return std::nullopt;
}

bool IsLegal(std::span<const CardCode> hand, std::span<const CardCode> cards,
             const std::optional<Combination>& to_beat) {
    return ReadPlay(hand, cards, to_beat).has_value();
}

std::vector<Play> LegalMoves(std::span<const CardCode> hand, const std::optional<Combination>& to_beat) {
    const auto groups = GroupByRank(hand);
    if (!groups) return {};
    PlayCollector collector(*groups, to_beat);
    OfferSameRank(collector, groups->count);
    OfferRuns(collector, groups->count);
    OfferWingedTriples(collector, groups->count, groups->total);
    // Short triples exist only as the whole hand.
    for (const Combination& reading : ReadingsOf(groups->count, groups->total)) {
        if (reading.short_wings && collector.Wants(reading.kind, reading.length)) {
            collector.Offer(reading, groups->count);
        }
    }
    return std::move(collector).Finish();
}

bool MayPass(std::span<const CardCode> hand, const std::optional<Combination>& to_beat) {
    return to_beat.has_value() && LegalMoves(hand, to_beat).empty();
}

void Trick::Lay(const Combination& combination) {
    to_beat_ = combination;
    last_to_lay_ = turn_;
    Advance();
}

void Trick::Pass() {
    assert(to_beat_ && "a free lead cannot be passed");
    Advance();
}

void Trick::Advance() {
    turn_ = (turn_ + 1) % kSeats;
    if (turn_ == last_to_lay_) to_beat_.reset();
}

}  // namespace vantrel::sim
