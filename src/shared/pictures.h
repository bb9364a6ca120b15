// The windows' pictures by name ("main/background", "common/card-14"), decoded
// from the PNGs baked into the program on first use and shared from then on.
#pragma once

#include <string_view>

#include "ui/controls.h"

namespace vantrel::pictures {

// A name that was not baked is a programming error: std::out_of_range.
ui::Picture Get(std::string_view name);

}  // namespace vantrel::pictures
