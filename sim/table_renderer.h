// Table renderer: turns one moment of the stand-in's table into the 800 x 600
// client area that the program captures. A pure function of the TableState: the
// same state always gives the same pixels, so the Win32 front end and the headless
// frame source show identical frames. Positions and colours come from table_layout.h.
#pragma once

#include "sim/table_state.h"
#include "platform/image.h"

namespace vantrel::sim {

// Card codes in the state must be 1..49 (std::invalid_argument otherwise).
platform::Image RenderTable(const TableState& state);

}  // namespace vantrel::sim
