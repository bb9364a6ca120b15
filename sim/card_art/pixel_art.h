// Pixel art: pictures written in the source as rows of text, '#' for ink and any
// other character for "leave what lies beneath". The card artwork and the table's
// signs are defined this way so that a reader of the code sees each shape as it is
// drawn, pixel for pixel. Stamping never blends: a pixel is either the ink or untouched.
#pragma once

#include <span>
#include <string_view>

#include "base/image.h"

namespace vantrel::card_art {

using PixelRows = std::span<const std::string_view>;

// Paints `ink` at every '#' of `rows`, the first row's first character landing on
// (x, y); clipped to the image.
void StampPixelArt(base::Image& into, int x, int y, PixelRows rows, base::Rgb ink);

// A picture of the art's size: `ink` at every '#', `paper` elsewhere.
base::Image PixelArtImage(PixelRows rows, base::Rgb ink, base::Rgb paper);

}  // namespace vantrel::card_art
