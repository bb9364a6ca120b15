// The automatic players of the stand-in: one simple, deterministic strategy that all
// three seats use. A seat that can empty its hand does. Otherwise, on a free lead it
// lays the longest play (then the lowest key) that contains its lowest card, keeping
// bombs back; on a combination it beats as low as it can, with a bomb only when
// nothing else beats. It passes only when it may (rules.h: a seat must beat when it
// can). Ties go to the play whose cards sort first, so the choice depends on the
// hand and the table alone.
#pragma once

#include <optional>
#include <span>

#include "sim/rules.h"

namespace vantrel::sim {

// The play `hand` makes on `to_beat` (none: a free lead), or none for a pass.
std::optional<Play> ChoosePlay(std::span<const CardCode> hand, const std::optional<Combination>& to_beat);

}  // namespace vantrel::sim
