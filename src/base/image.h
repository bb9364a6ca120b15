// Image: a plain 32-bit picture in memory, the one pixel format the whole program
// speaks. A pixel is stored as the little-endian word B | G << 8 | R << 16 | X << 24,
// so the bytes lie exactly as in a 32-bit top-down Windows DIB: blue, green, red,
// unused, rows top first. Nothing here names an OS imaging API. Points and
// rectangles are in pixels, x to the right and y downwards; a rectangle holds
// the pixels from left and top up to, not including, right and bottom.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vantrel::base {

struct Point {
    std::int32_t x = 0, y = 0;
    friend bool operator==(Point, Point) = default;
};

struct Rect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    constexpr std::int32_t width() const { return right - left; }
    constexpr std::int32_t height() const { return bottom - top; }
    constexpr bool empty() const { return right <= left || bottom <= top; }
    std::int64_t area() const { return empty() ? 0 : std::int64_t{width()} * height(); }
    constexpr bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    // By the bounds alone: an empty rectangle counts as inside where its bounds are.
    constexpr bool Contains(Rect inner) const {
        return inner.left >= left && inner.top >= top && inner.right <= right && inner.bottom <= bottom;
    }
    friend bool operator==(Rect, Rect) = default;
};

// The pixels both hold; empty when they do not meet.
inline Rect Intersection(Rect a, Rect b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

// The smallest rectangle that holds both; an empty one adds nothing.
inline Rect BoundingUnion(Rect a, Rect b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(Rgb, Rgb) = default;
};

constexpr std::uint32_t PackPixel(Rgb c) {
    return std::uint32_t{c.b} | std::uint32_t{c.g} << 8 | std::uint32_t{c.r} << 16;
}
constexpr Rgb UnpackPixel(std::uint32_t p) {
    return Rgb{static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
               static_cast<std::uint8_t>(p)};
}

class Image {
public:
    Image() = default;
    Image(int width, int height, Rgb fill = {});

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ == 0 || height_ == 0; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    Rect Bounds() const { return {0, 0, width_, height_}; }

    // Unchecked access; callers clip first.
    std::uint32_t& at(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    std::uint32_t at(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    Rgb rgb(int x, int y) const { return UnpackPixel(at(x, y)); }
    void set(int x, int y, Rgb c) { at(x, y) = PackPixel(c); }

    const std::uint32_t* data() const { return pixels_.data(); }
    std::uint32_t* data() { return pixels_.data(); }
    const std::uint32_t* row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }

    void Fill(Rgb c);
    void FillRect(int x, int y, int w, int h, Rgb c);  // clipped
    // Copies `src` with its top-left corner at (x, y), clipped to this image.
    void Blit(const Image& src, int x, int y) { Blit(src, x, y, Bounds()); }
    // The same, changing only the pixels of this image inside `clip`.
    void Blit(const Image& src, int x, int y, Rect clip);

    friend bool operator==(const Image&, const Image&) = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace vantrel::base
