// The stand-in's headless front end: the picture of the table at any time of a
// timeline, for the fake desktop of the native tests. One frame follows the clock:
// when the time asked shows another state, only what changed between the two is
// drawn again (TableCanvas); asking again while the table has not changed costs a
// lookup.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "sim/table_renderer.h"
#include "sim/timeline.h"

namespace vantrel::sim {

class FrameSource {
public:
    // `timeline` must outlive the frame source.
    explicit FrameSource(const Timeline& timeline) : timeline_(timeline) {}

    // The client area at `time_ms`: always the same image, which holds the state of
    // the latest time asked until a call asks for a time that shows another state.
    const base::Image& FrameAt(std::int64_t time_ms);

private:
    const Timeline& timeline_;
    TableCanvas canvas_;
    std::optional<std::size_t> shown_change_;
};

}  // namespace vantrel::sim
