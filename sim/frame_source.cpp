#include "sim/frame_source.h"

namespace vantrel::sim {

const platform::Image& FrameSource::FrameAt(std::int64_t time_ms) {
    const std::size_t change = timeline_.ChangeIndexAt(time_ms);
    if (change != shown_change_) {
        canvas_.Show(states_ ? states_(change) : timeline_.changes()[change].state);
        shown_change_ = change;
    }
    return canvas_.frame();
}

}  // namespace vantrel::sim
