// The fault series: the whole program follows the stand-in on the virtual clock
// while one kind of fault is injected into every other hand, and each injected
// hand is judged: right (exactly as the log, no doubt), in doubt (the doubt shown
// to the hand's end and nothing shown wrong before it), or wrong; and the clean
// hand after each injected one must be exactly right.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "sim/timeline.h"

namespace vantrel::soak {

enum class FaultKind {
    kGoneRank,            // a glyph drawn as a rank already gone
    kUserOnlyRank,        // a glyph drawn as a rank only the user holds
    kDealCardMissing,     // a card missing from the deal row
    kExtraCard,           // an extra card in a play
    kPassDropped,         // a frame dropped at a pass
    kMinimisedAfterPass,  // the game minimised for the tick after a pass
    kMinimisedAfterPlay,  // ... and after a play
    kGoneMidTick,         // the window gone in the middle of the tick that sees a play
};
inline constexpr std::array<FaultKind, 8> kFaultKinds{
    FaultKind::kGoneRank,    FaultKind::kUserOnlyRank,       FaultKind::kDealCardMissing,    FaultKind::kExtraCard,
    FaultKind::kPassDropped, FaultKind::kMinimisedAfterPass, FaultKind::kMinimisedAfterPlay, FaultKind::kGoneMidTick};

std::string_view FaultName(FaultKind kind);

struct FaultOutcome {
    FaultKind kind = FaultKind::kGoneRank;
    int hands = 0;     // hands followed
    int injected = 0;  // hands with the fault (those with a place for it)
    int right = 0, doubt = 0, wrong = 0;
    int doubtAtFault = 0;  // in doubt from the very move the fault changed
    int nextRight = 0;     // clean hands after an injected one that were exactly right
    int nextWrong = 0;
    std::string firstWrong;  // what the first wrong hand showed
};

// Follows `hands` hands of the series `seed`, the fault in hands 0, 2, 4, ...
FaultOutcome RunFaultSeries(FaultKind kind, std::uint64_t seed, int hands, const sim::TimelineSettings& settings);

}  // namespace vantrel::soak
