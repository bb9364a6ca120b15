// The stand-in's headless front end: the picture of the table at any time of a
// timeline, for the fake desktop of the native tests. One frame follows the clock:
// when the time asked shows another state, only what changed between the two is
// drawn again (TableCanvas); asking again while the table has not changed costs a
// lookup.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "sim/table_renderer.h"
#include "sim/timeline.h"

namespace vantrel::sim {

class FrameSource {
public:
    // What the table shows from a change of the timeline until the next.
    using StateOfChange = std::function<TableState(std::size_t change)>;

    // `timeline` must outlive the frame source. The states are the timeline's own
    // unless `states` draws others (sim/table_faults.h).
    explicit FrameSource(const Timeline& timeline, StateOfChange states = {})
        : timeline_(timeline), states_(std::move(states)) {}

    // The client area at `time_ms`: always the same image, which holds the state of
    // the latest time asked until a call asks for a time that shows another state.
    const base::Image& FrameAt(std::int64_t time_ms);

private:
    const Timeline& timeline_;
    StateOfChange states_;
    TableCanvas canvas_;
    std::optional<std::size_t> shown_change_;
};

}  // namespace vantrel::sim
