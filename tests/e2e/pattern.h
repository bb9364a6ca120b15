// The e2e programs' test picture: within any 256 x 256 block each column has its
// own red and each row its own green, so a capture from the wrong place or with
// the wrong row stride cannot pass for a right one.
#pragma once

#include <cstdint>

#include "base/image.h"

namespace vantrel::e2e {

inline base::Image TestPattern(int width, int height) {
    base::Image image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.set(x, y, base::Rgb{static_cast<std::uint8_t>(x * 7), static_cast<std::uint8_t>(y * 5),
                                    static_cast<std::uint8_t>(x ^ y)});
    return image;
}

}  // namespace vantrel::e2e
