#include "support/fault_series.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "sim/table_faults.h"
#include "support/follow_check.h"

namespace vantrel::soak {
namespace {

constexpr int kTickMs = 50;

// Half-open spans of virtual time, sorted.
class Spans {
public:
    void Add(std::int64_t from, std::int64_t to, int value) { spans_.push_back({from, to, value}); }
    std::optional<int> At(std::int64_t t) const {
        const auto it = std::upper_bound(spans_.begin(), spans_.end(), t,
                                         [](std::int64_t time, const Span& s) { return time < s.from; });
        if (it == spans_.begin() || t >= std::prev(it)->to) return std::nullopt;
        return std::prev(it)->value;
    }

private:
    struct Span {
        std::int64_t from, to;
        int value;
    };
    std::vector<Span> spans_;
};

std::optional<sim::TableFault> DrawnFault(FaultKind kind) {
    switch (kind) {
        case FaultKind::kGoneRank: return sim::TableFault::kGoneRank;
        case FaultKind::kUserOnlyRank: return sim::TableFault::kUserOnlyRank;
        case FaultKind::kDealCardMissing: return sim::TableFault::kDealCardMissing;
        case FaultKind::kExtraCard: return sim::TableFault::kExtraCard;
        case FaultKind::kPassDropped: return sim::TableFault::kPassDropped;
        default: return std::nullopt;
    }
}

// The move a desktop fault follows: the tick after it, or the tick that sees it.
std::optional<int> DesktopFaultMove(FaultKind kind, const sim::HandRecord& hand) {
    return sim::FirstMove(hand, 1, kind == FaultKind::kMinimisedAfterPass);
}

}  // namespace

std::string_view FaultName(FaultKind kind) {
    switch (kind) {
        case FaultKind::kGoneRank: return "a glyph drawn as a rank already gone";
        case FaultKind::kUserOnlyRank: return "a glyph drawn as a rank only the user holds";
        case FaultKind::kDealCardMissing: return "a card missing from the deal row";
        case FaultKind::kExtraCard: return "an extra card in a play";
        case FaultKind::kPassDropped: return "a frame dropped at a pass";
        case FaultKind::kMinimisedAfterPass: return "the game minimised a tick after a pass";
        case FaultKind::kMinimisedAfterPlay: return "the game minimised a tick after a play";
        case FaultKind::kGoneMidTick: return "the window gone mid-tick";
    }
    return {};
}

FaultOutcome RunFaultSeries(FaultKind kind, std::uint64_t seed, int hands, const sim::TimelineSettings& settings) {
    const sim::Timeline timeline(seed, hands, settings);
    std::vector<std::optional<int>> faultMove(timeline.hands().size());
    std::vector<std::optional<sim::FaultSpot>> spots(timeline.hands().size());
    Spans empty, loss;
    for (std::size_t i = 0; i < timeline.hands().size(); i += 2) {
        const sim::HandRecord& hand = timeline.hands()[i];
        if (const auto drawn = DrawnFault(kind)) {
            spots[i] = sim::FindFaultSpot(hand, *drawn);
            if (spots[i]) faultMove[i] = spots[i]->move;
            continue;
        }
        faultMove[i] = DesktopFaultMove(kind, hand);
        if (!faultMove[i]) continue;
        const std::int64_t at = timeline.hand_times()[i].move_ms[static_cast<std::size_t>(*faultMove[i])];
        if (kind == FaultKind::kGoneMidTick)
            loss.Add(at, at + kTickMs, static_cast<int>(i / 2 % 4));  // the tick's first copies, up to its last
        else
            empty.Add(at + kTickMs, at + 2 * kTickMs, 0);
    }

    const sim::FaultyTable table(timeline, spots);
    GameFeed feed;
    if (DrawnFault(kind)) feed.states = [&table](std::size_t change) { return table.StateOf(change); };
    if (kind == FaultKind::kMinimisedAfterPass || kind == FaultKind::kMinimisedAfterPlay)
        feed.emptyAt = [&empty](std::int64_t t) { return empty.At(t).has_value(); };
    if (kind == FaultKind::kGoneMidTick) feed.lossAt = [&loss](std::int64_t t) { return loss.At(t); };

    FaultOutcome outcome;
    outcome.kind = kind;
    std::size_t differencesSeen = 0;
    FollowTimeline(seed, timeline, feed, [&](const FollowResult& soFar) {
        const std::size_t i = soFar.hands_followed.size() - 1;
        const HandReport& report = soFar.hands_followed.back();
        const bool exact = report.differences == 0 && report.doubtFrom == HandReport::kNoDoubt;
        if (faultMove[i]) {
            ++outcome.injected;
            if (exact) {
                ++outcome.right;
            } else if (report.differences == 0 && report.doubtToTheEnd) {
                ++outcome.doubt;
                if (report.doubtFrom == *faultMove[i]) ++outcome.doubtAtFault;
            } else {
                ++outcome.wrong;
                if (outcome.firstWrong.empty() && differencesSeen < soFar.differences.size())
                    outcome.firstWrong = soFar.differences[differencesSeen];
            }
        } else if (i > 0 && faultMove[i - 1]) {
            ++(exact ? outcome.nextRight : outcome.nextWrong);
        }
        differencesSeen = soFar.differences.size();
        outcome.hands = static_cast<int>(soFar.hands_followed.size());
    });
    return outcome;
}

}  // namespace vantrel::soak
