#include "sim/frame_source.h"

#include <algorithm>

#include "sim/table_renderer.h"

namespace vantrel::sim {

const platform::Image& FrameSource::FrameAt(std::int64_t time_ms) {
    const TableState& state = timeline_.StateAt(time_ms);
    const auto kept = std::find_if(frames_.begin(), frames_.end(), [&](const Frame& f) { return f.state == state; });
    if (kept != frames_.end()) {
        frames_.splice(frames_.begin(), frames_, kept);
    } else {
        frames_.push_front(Frame{.state = state, .image = RenderTable(state)});
        ++renders_;
        if (frames_.size() > kKeptFrames) frames_.pop_back();
    }
    return frames_.front().image;
}

}  // namespace vantrel::sim
