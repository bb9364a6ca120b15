// Rect::Contains: a rectangle holds its left column and top row, not its right
// column or bottom row; a rectangle lies inside another when its bounds do.
#include <gtest/gtest.h>

#include <vector>

#include "base/image.h"

namespace vantrel::base {
namespace {

constexpr Rect kArea{10, 20, 30, 50};  // columns 10..29, rows 20..49

TEST(RectContains, PointsOnEachEdge) {
    struct Case {
        Point point;
        bool inside;
    };
    const std::vector<Case> cases{
        {{10, 20}, true},  {{29, 49}, true},  {{29, 20}, true},  {{10, 49}, true},  {{15, 30}, true},
        {{9, 30}, false},  {{30, 30}, false}, {{15, 19}, false}, {{15, 50}, false}, {{30, 50}, false},
        {{9, 19}, false},  {{-15, -30}, false},
    };
    for (const Case& c : cases) EXPECT_EQ(kArea.Contains(c.point), c.inside) << c.point.x << "," << c.point.y;
    EXPECT_FALSE(Rect{}.Contains(Point{0, 0})) << "an empty rectangle holds no point";
}

TEST(RectContains, RectanglesByTheirBounds) {
    struct Case {
        Rect inner;
        bool inside;
    };
    const std::vector<Case> cases{
        {kArea, true},
        {{11, 21, 29, 49}, true},
        {{10, 20, 11, 21}, true},  // the top-left pixel
        {{29, 49, 30, 50}, true},  // the bottom-right pixel
        {{9, 20, 30, 50}, false},
        {{10, 19, 30, 50}, false},
        {{10, 20, 31, 50}, false},
        {{10, 20, 30, 51}, false},
        {{30, 20, 31, 50}, false},  // the column just right of it
        {{15, 30, 15, 30}, true},   // empty, with its bounds inside
        {{40, 30, 40, 30}, false},  // empty, with its bounds outside
    };
    for (const Case& c : cases)
        EXPECT_EQ(kArea.Contains(c.inner), c.inside)
            << c.inner.left << "," << c.inner.top << " " << c.inner.right << "," << c.inner.bottom;
}

}  // namespace
}  // namespace vantrel::base
