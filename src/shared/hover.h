// Hover rectangles: the polled hit test that every window's hover timer runs.
// A rectangle is in pixels relative to its window's top-left corner; the cursor
// (screen pixels) is over it only when strictly inside, with the window's Left and
// Top in twips divided by 15 and not rounded, so a cursor exactly on an edge is
// outside.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "ui/form.h"

namespace vantrel {

struct ButtonRect {
    std::int16_t x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

inline bool IsOver(const ui::Form& window, const ButtonRect& r, base::Point cursor) {
    const double left = window.Left() / ui::kTwipsPerPixel, top = window.Top() / ui::kTwipsPerPixel;
    return left + r.x1 < cursor.x && cursor.x < left + r.x2 && top + r.y1 < cursor.y && cursor.y < top + r.y2;
}

}  // namespace vantrel
