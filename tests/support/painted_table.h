// A game screen painted by hand for tests and benchmarks that need exact control
// over single pixels: the deal signs, marker signs and blank-faced cards, which
// the glyph tests read as the queen of spades.
#pragma once

#include "platform/image.h"

namespace vantrel::testing {

constexpr platform::Rgb kFelt{10, 100, 115};    // holds the first deal probe
constexpr platform::Rgb kCorner{80, 150, 150};  // holds the second deal probe
constexpr platform::Rgb kSign{245, 200, 55};    // a first-mover sign
constexpr platform::Rgb kPass{250, 200, 10};    // a pass sign
constexpr platform::Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kDark{40, 40, 40};

inline void PaintDealSigns(platform::Image& screen) {
    screen.set(400, 192, kFelt);
    screen.set(785, 591, kCorner);
}

// A face-up card with a blank face, its glyph origin at (gx, gy): a black left
// edge at gx - 4 and a dark lower edge 109 below the glyph's top row.
inline void PaintBlankCard(platform::Image& screen, int gx, int gy) {
    screen.FillRect(gx - 4, gy - 4, 30, 114, kWhite);
    screen.FillRect(gx - 4, gy - 4, 1, 114, kBlack);
    screen.FillRect(gx - 4, gy + 109, 30, 2, kDark);
}

inline void PaintOwnRow(platform::Image& screen, int cards) {
    for (int k = 0; k < cards; ++k) PaintBlankCard(screen, 198 + 22 * k, 358);
}

}  // namespace vantrel::testing
