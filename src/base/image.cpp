#include "base/image.h"

#include <algorithm>

namespace vantrel::base {

Image::Image(int width, int height, Rgb fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * height_, PackPixel(fill)) {}

void Image::Fill(Rgb c) { std::fill(pixels_.begin(), pixels_.end(), PackPixel(c)); }

void Image::FillRect(int x, int y, int w, int h, Rgb c) {
    const int x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int x1 = std::min(x + w, width_), y1 = std::min(y + h, height_);
    const std::uint32_t p = PackPixel(c);
    for (int yy = y0; yy < y1; ++yy) std::fill(&at(x0, yy), &at(x0, yy) + std::max(x1 - x0, 0), p);
}

void Image::Blit(const Image& src, int x, int y, Rect clip) {
    const Rect target = Intersection(Intersection(clip, Bounds()), {x, y, x + src.width(), y + src.height()});
    if (target.empty()) return;
    for (int yy = target.top; yy < target.bottom; ++yy)
        std::copy_n(src.row(yy - y) + (target.left - x), target.width(), &at(target.left, yy));
}

}  // namespace vantrel::base
