#include "artwork/raster.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vantrel::artwork {
namespace {

constexpr int kSamplesPerSide = 8;
constexpr int kSamples = kSamplesPerSide * kSamplesPerSide;

std::uint8_t Channel(double value) { return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L)); }

double DistanceToSegment(Point p, Point a, Point b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    const double t = length2 == 0 ? 0 : std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Blends one pixel towards `colour` by `cover` of 255.
void Blend(base::Image& into, int x, int y, base::Rgb colour, int cover) {
    if (cover == 0 || !into.Contains(x, y)) return;
    const base::Rgb was = into.rgb(x, y);
    const auto mix = [cover](int from, int to) {
        return static_cast<std::uint8_t>((from * (255 - cover) + to * cover + 127) / 255);
    };
    into.set(x, y, {mix(was.r, colour.r), mix(was.g, colour.g), mix(was.b, colour.b)});
}

}  // namespace

Mask::Mask(int width, int height)
    : width_(width), height_(height), cover_(static_cast<std::size_t>(width) * height, 0) {}

Mask SampleShape(int width, int height, const std::function<bool(double x, double y)>& inside) {
    Mask mask(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSamplesPerSide; ++sy)
                for (int sx = 0; sx < kSamplesPerSide; ++sx)
                    hits += inside(x + (sx + 0.5) / kSamplesPerSide, y + (sy + 0.5) / kSamplesPerSide);
            mask.at(x, y) = static_cast<std::uint8_t>((hits * 255 + kSamples / 2) / kSamples);
        }
    return mask;
}

Mask RoundedRect(int width, int height, double radius) {
    return SampleShape(width, height, [=](double x, double y) {
        const double cx = std::clamp(x, radius, width - radius);
        const double cy = std::clamp(y, radius, height - radius);
        return std::hypot(x - cx, y - cy) <= radius;
    });
}

Mask Polygon(int width, int height, std::span<const Point> corners) {
    return SampleShape(width, height, [corners](double x, double y) {
        bool inside = false;
        for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
            const Point a = corners[i], b = corners[j];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
        }
        return inside;
    });
}

Mask Disc(int width, int height, Point centre, double radius) {
    return SampleShape(width, height,
                       [=](double x, double y) { return std::hypot(x - centre.x, y - centre.y) <= radius; });
}

Mask Ring(int width, int height, Point centre, double outer, double inner) {
    return SampleShape(width, height, [=](double x, double y) {
        const double d = std::hypot(x - centre.x, y - centre.y);
        return d <= outer && d >= inner;
    });
}

Mask Segment(int width, int height, Point from, Point to, double thickness) {
    return SampleShape(width, height,
                       [=](double x, double y) { return DistanceToSegment({x, y}, from, to) <= thickness / 2; });
}

Mask Arc(int width, int height, Point centre, double radius, double thickness, double fromDegrees,
         double toDegrees) {
    return SampleShape(width, height, [=](double x, double y) {
        if (std::abs(std::hypot(x - centre.x, y - centre.y) - radius) > thickness / 2) return false;
        double angle = std::atan2(centre.y - y, x - centre.x) * 180 / std::numbers::pi;
        while (angle < fromDegrees) angle += 360;
        while (angle >= fromDegrees + 360) angle -= 360;
        return angle <= toDegrees;
    });
}

Mask WithGamma(const Mask& mask, double exponent) {
    Mask out(mask.width(), mask.height());
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x) out.at(x, y) = Channel(255 * std::pow(mask.at(x, y) / 255.0, exponent));
    return out;
}

Mask Union(const Mask& a, const Mask& b) {
    Mask out(a.width(), a.height());
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) out.at(x, y) = std::max(a.at(x, y), b.Get(x, y));
    return out;
}

Mask Subtract(const Mask& a, const Mask& b) {
    Mask out(a.width(), a.height());
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            out.at(x, y) = static_cast<std::uint8_t>(a.at(x, y) * (255 - b.Get(x, y)) / 255);
    return out;
}

Mask Padded(const Mask& mask, int border) {
    Mask out(mask.width() + 2 * border, mask.height() + 2 * border);
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x) out.at(x + border, y + border) = mask.at(x, y);
    return out;
}

Mask Mirrored(const Mask& mask) {
    Mask out(mask.width(), mask.height());
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x) out.at(mask.width() - 1 - x, y) = mask.at(x, y);
    return out;
}

Mask Dilate(const Mask& mask, int radius) {
    Mask out(mask.width(), mask.height());
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x) {
            std::uint8_t most = 0;
            for (int dy = -radius; dy <= radius; ++dy)
                for (int dx = -radius; dx <= radius; ++dx) most = std::max(most, mask.Get(x + dx, y + dy));
            out.at(x, y) = most;
        }
    return out;
}

base::Rgb Mix(base::Rgb from, base::Rgb to, double amount) {
    const auto mix = [amount](int a, int b) { return Channel(a + (b - a) * amount); };
    return {mix(from.r, to.r), mix(from.g, to.g), mix(from.b, to.b)};
}

base::Rgb Lighter(base::Rgb colour, double amount) { return Mix(colour, {255, 255, 255}, amount); }
base::Rgb Darker(base::Rgb colour, double amount) { return Mix(colour, {0, 0, 0}, amount); }

double Luma(base::Rgb colour) { return 0.299 * colour.r + 0.587 * colour.g + 0.114 * colour.b; }

void Paint(base::Image& into, const Mask& mask, int x, int y, base::Rgb colour) {
    for (int row = 0; row < mask.height(); ++row)
        for (int column = 0; column < mask.width(); ++column) Blend(into, x + column, y + row, colour, mask.at(column, row));
}

void PaintGradient(base::Image& into, const Mask& mask, int x, int y, base::Rgb top, base::Rgb bottom) {
    for (int row = 0; row < mask.height(); ++row) {
        const base::Rgb colour = Mix(top, bottom, mask.height() > 1 ? row / (mask.height() - 1.0) : 0.0);
        for (int column = 0; column < mask.width(); ++column) Blend(into, x + column, y + row, colour, mask.at(column, row));
    }
}

}  // namespace vantrel::artwork
