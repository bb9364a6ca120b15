// Table renderer: turns one moment of the stand-in's table into the 800 x 600
// client area that the program captures. A pure function of the TableState: the
// same state always gives the same pixels, so the Win32 front end and the headless
// frame source show identical frames. Positions and colours come from table_layout.h.
#pragma once

#include "sim/table_state.h"
#include "base/image.h"

namespace vantrel::sim {

// Card codes in the state must be 1..49 (std::invalid_argument otherwise).
base::Image RenderTable(const TableState& state);

// One frame kept showing a table that changes: Show brings it from the state it
// shows to the next by restoring the background under the pieces that changed
// (a seat's cards, the own row, a sign, the deck and lamp) and drawing them again,
// with whatever overlaps them, so the frame holds exactly the pixels RenderTable
// would give for that state. A play costs a few card rows, not a whole frame.
class TableCanvas {
public:
    // Shows the empty table between hands.
    TableCanvas();

    // Card codes as for RenderTable; a state that fails leaves the frame as it was.
    // The returned frame is this canvas's own, updated in place by later calls.
    const base::Image& Show(const TableState& next);
    const base::Image& frame() const { return frame_; }
    const TableState& shown() const { return shown_; }

private:
    TableState shown_;
    base::Image frame_;
};

}  // namespace vantrel::sim
