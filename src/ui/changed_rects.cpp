#include "ui/changed_rects.h"

namespace vantrel::ui {

void ChangedRects::Add(platform::Rect changed) {
    changed = platform::Intersection(changed, bounds_);
    if (changed.empty()) return;
    // Merging can make the new rectangle cheap to join with one passed over
    // before, so look again from the start after every merge.
    for (auto it = rects_.begin(); it != rects_.end();) {
        const platform::Rect joined = platform::BoundingUnion(*it, changed);
        if (joined.area() <= it->area() + changed.area()) {
            changed = joined;
            rects_.erase(it);
            it = rects_.begin();
        } else {
            ++it;
        }
    }
    rects_.push_back(changed);
    if (rects_.size() > kMostRects) {
        platform::Rect all;
        for (const platform::Rect& r : rects_) all = platform::BoundingUnion(all, r);
        rects_.assign(1, all);
    }
}

}  // namespace vantrel::ui
