#include "recognition/screen_sampler.h"

#include <algorithm>
#include <cstring>

#include "ui/runtime_error.h"

namespace vantrel::recognition {
namespace {

platform::Rect Intersect(platform::Rect a, platform::Rect b) {
    platform::Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                     std::min(a.bottom, b.bottom)};
    if (r.left >= r.right || r.top >= r.bottom) return {};
    return r;
}

bool Empty(platform::Rect r) { return r.left >= r.right || r.top >= r.bottom; }

bool Within(platform::Rect inner, platform::Rect outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace

void PixelBuffer::Recreate(int columns, int rows) {
    columns_ = columns;
    rows_ = rows;
    bytes_.assign(static_cast<std::size_t>(columns) * rows, 0);
}

std::uint8_t PixelBuffer::operator()(int column, int row) const {
    if (column < 1 || column > columns_) ui::RaiseSubscript("PixelBuf column", column);
    if (row < 1 || row > rows_) ui::RaiseSubscript("PixelBuf row", row);
    return bytes_[static_cast<std::size_t>(row - 1) * columns_ + (column - 1)];
}

void ScreenSampler::BeginTick(platform::ClientSurface* hGameDC) {
    source_ = hGameDC;
    bounds_ = source_ ? source_->Bounds() : platform::Rect{};
    bands_.clear();
}

void ScreenSampler::EndTick() {
    source_ = nullptr;
    bounds_ = {};
    bands_.clear();
}

void ScreenSampler::Prefetch(platform::Rect area) {
    if (!source_ || !prefetching_) return;
    const platform::Rect clipped = Intersect(area, bounds_);
    if (!Empty(clipped) && !Covering(clipped)) Fetch(clipped);
}

const ScreenSampler::Band* ScreenSampler::Covering(platform::Rect area) {
    for (const Band& band : bands_)
        if (Within(area, band.area)) return &band;
    return nullptr;
}

const ScreenSampler::Band* ScreenSampler::Fetch(platform::Rect area) {
    Band band{area, std::vector<std::uint32_t>(static_cast<std::size_t>(area.width()) * area.height())};
    ++copies_;
    if (!source_->Copy(area, band.pixels.data())) return nullptr;
    bands_.push_back(std::move(band));
    return &bands_.back();
}

void ScreenSampler::CaptureRect(std::int16_t x, std::int16_t y, std::int16_t w, std::int16_t h) {
    // The copy onto the capture surface: only what lies inside the client area and
    // on the surface is written; the rest keeps its earlier pixels.
    const platform::Rect wanted{x, y, x + std::min<int>(w, kSurfaceWidth), y + std::min<int>(h, kSurfaceHeight)};
    const platform::Rect readable = source_ ? Intersect(wanted, bounds_) : platform::Rect{};
    const Band* band = nullptr;
    if (!Empty(readable)) {
        band = prefetching_ ? Covering(readable) : nullptr;
        if (!band) band = Fetch(readable);
    }
    if (band) {
        for (int gy = readable.top; gy < readable.bottom; ++gy)
            for (int gx = readable.left; gx < readable.right; ++gx)
                picTemp[static_cast<std::size_t>(gy - y) * kSurfaceWidth + (gx - x)] =
                    band->pixels[static_cast<std::size_t>(gy - band->area.top) * band->area.width() +
                                 (gx - band->area.left)];
    }

    // The read back, in the 16-bit arithmetic of the bounds.
    const std::int16_t columns = ui::Int16(4 * w);
    if (w < 1 || h < 1) ui::RaiseSubscript("PixelBuf bounds", w < 1 ? w : h);
    PixelBuf.Recreate(columns, h);
    const std::int16_t byteCount = ui::Int16(ui::Int16(w * h) * 4);
    const std::size_t readBytes = std::min<std::size_t>(
        {static_cast<std::size_t>(byteCount), sizeof(picTemp), PixelBuf.size()});
    std::memcpy(PixelBuf.data(), picTemp.data(), readBytes);
}

}  // namespace vantrel::recognition
