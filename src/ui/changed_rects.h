// ChangedRects: the parts of a window that changed since it was last presented,
// kept as a short list of rectangles clipped to the window. Two rectangles are
// merged when their bounding rectangle is no larger than both together, so a cell
// that moves by a pixel is one rectangle over its old and new place; past a
// handful of rectangles the list becomes their bounding rectangle, which is then
// cheaper to present than many.
#pragma once

#include <span>
#include <vector>

#include "base/image.h"

namespace vantrel::ui {

class ChangedRects {
public:
    static constexpr std::size_t kMostRects = 16;

    explicit ChangedRects(base::Rect bounds) : bounds_(bounds) {}

    void Add(base::Rect changed);
    void AddWhole() { Add(bounds_); }
    void Clear() { rects_.clear(); }
    bool empty() const { return rects_.empty(); }
    std::span<const base::Rect> rects() const { return rects_; }

private:
    base::Rect bounds_;
    std::vector<base::Rect> rects_;
};

}  // namespace vantrel::ui
