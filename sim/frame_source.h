// The stand-in's headless front end: the picture of the table at any time of a
// timeline, for the fake desktop of the native tests. Frames are rendered on
// demand and kept by state, so asking again while the table has not changed (or
// has come back to a recent state, such as the empty table between hands) costs a
// lookup, not a render. Only the few most recent frames are kept.
#pragma once

#include <cstdint>
#include <list>

#include "sim/timeline.h"
#include "platform/image.h"

namespace vantrel::sim {

class FrameSource {
public:
    // `timeline` must outlive the frame source.
    explicit FrameSource(const Timeline& timeline) : timeline_(timeline) {}

    // The client area at `time_ms`. The reference stays valid until frames of
    // kKeptFrames other states have been asked for since this one was last asked.
    const platform::Image& FrameAt(std::int64_t time_ms);

    int renders() const { return renders_; }

    static constexpr std::size_t kKeptFrames = 4;

private:
    struct Frame {
        TableState state;
        platform::Image image;
    };

    const Timeline& timeline_;
    std::list<Frame> frames_;  // most recently asked first; nodes never move, so images keep their address
    int renders_ = 0;
};

}  // namespace vantrel::sim
