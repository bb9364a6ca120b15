#include "sim/frame_source.h"

namespace vantrel::sim {

const base::Image& FrameSource::FrameAt(std::int64_t time_ms) {
    const std::size_t change = timeline_.ChangeIndexAt(time_ms);
    if (change != shown_change_) {
        // Not one conditional expression: that would copy the timeline's state each time.
        if (states_)
            canvas_.Show(states_(change));
        else
            canvas_.Show(timeline_.changes()[change].state);
        shown_change_ = change;
    }
    return canvas_.frame();
}

}  // namespace vantrel::sim
