#include "ui/changed_rects.h"

namespace vantrel::ui {

void ChangedRects::Add(base::Rect changed) {
    changed = base::Intersection(changed, bounds_);
    if (changed.empty()) return;
    // Merging can make the new rectangle cheap to join with one passed over
    // before, so look again from the start after every merge.
    for (auto it = rects_.begin(); it != rects_.end();) {
        const base::Rect joined = base::BoundingUnion(*it, changed);
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
        base::Rect all;
        for (const base::Rect& r : rects_) all = base::BoundingUnion(all, r);
        rects_.assign(1, all);
    }
}

}  // namespace vantrel::ui
