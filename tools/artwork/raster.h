// Raster: coverage masks and the few ways the windows' artwork paints with them.
//
// A Mask says how much of each pixel a shape or a glyph covers, 0..255. Shapes are
// sampled 8 x 8 times per pixel, pixel (x, y) covering [x, x + 1) x [y, y + 1), so
// an edge that runs along a pixel boundary is exact and a slanted or curved one is
// smoothed. Everything is integer or plain double arithmetic in a fixed order, so
// the same call draws the same bytes on every run.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "base/image.h"

namespace vantrel::artwork {

class Mask {
public:
    Mask() = default;
    Mask(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    std::uint8_t at(int x, int y) const { return cover_[static_cast<std::size_t>(y) * width_ + x]; }
    std::uint8_t& at(int x, int y) { return cover_[static_cast<std::size_t>(y) * width_ + x]; }
    // Clipped: 0 outside.
    std::uint8_t Get(int x, int y) const { return Contains(x, y) ? at(x, y) : 0; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> cover_;
};

struct Point {
    double x = 0, y = 0;
};

// A mask of width x height sampled from `inside`, a test of a point in pixels.
Mask SampleShape(int width, int height, const std::function<bool(double x, double y)>& inside);

// The shapes the artwork is made of, each in a mask of its own size.
Mask RoundedRect(int width, int height, double radius);                     // fills the mask
Mask Polygon(int width, int height, std::span<const Point> corners);        // even-odd rule
Mask Disc(int width, int height, Point centre, double radius);
Mask Ring(int width, int height, Point centre, double outer, double inner);
Mask Segment(int width, int height, Point from, Point to, double thickness);  // round ends
// A stroke along the circle from `fromDegrees` to `toDegrees`, counter-clockwise
// on the screen (y down) when to > from; angles are measured from +x towards -y.
Mask Arc(int width, int height, Point centre, double radius, double thickness, double fromDegrees,
         double toDegrees);

// Every coverage c raised to (c / 255) ^ exponent: below 1 it darkens the grey
// edges of thin strokes.
Mask WithGamma(const Mask& mask, double exponent);

// Combinations of masks of the same size.
Mask Union(const Mask& a, const Mask& b);
Mask Subtract(const Mask& a, const Mask& b);
// The mask with `border` empty pixels added on every side.
Mask Padded(const Mask& mask, int border);
// Mirrored left to right.
Mask Mirrored(const Mask& mask);
// Every pixel takes the largest coverage within `radius` pixels (a square
// neighbourhood), which rings a glyph with an outline of that width.
Mask Dilate(const Mask& mask, int radius);

// Colour arithmetic.
base::Rgb Mix(base::Rgb from, base::Rgb to, double amount);  // 0: from, 1: to
base::Rgb Lighter(base::Rgb colour, double amount);             // towards white
base::Rgb Darker(base::Rgb colour, double amount);              // towards black
// Rec. 601 luma, 0..255.
double Luma(base::Rgb colour);

// Paints `colour` through `mask` with the mask's top-left corner at (x, y): each
// pixel moves towards the colour by its coverage. Clipped to the image.
void Paint(base::Image& into, const Mask& mask, int x, int y, base::Rgb colour);
// The same with a vertical gradient from `top` (the mask's first row) to `bottom`
// (its last row).
void PaintGradient(base::Image& into, const Mask& mask, int x, int y, base::Rgb top, base::Rgb bottom);

}  // namespace vantrel::artwork
