#include "recognition/screen_sampler.h"

#include <algorithm>
#include <cstring>

#include "ui/runtime_error.h"

namespace vantrel::recognition {
namespace {

base::Rect Intersect(base::Rect a, base::Rect b) {
    base::Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                     std::min(a.bottom, b.bottom)};
    if (r.left >= r.right || r.top >= r.bottom) return {};
    return r;
}

bool Empty(base::Rect r) { return r.left >= r.right || r.top >= r.bottom; }

}  // namespace

void PixelBuffer::Take(int columns, int rows, const std::uint8_t* from, std::size_t count) {
    columns_ = columns;
    rows_ = rows;
    bytes_.resize(static_cast<std::size_t>(columns) * rows);
    std::memcpy(bytes_.data(), from, count);
    std::fill(bytes_.begin() + static_cast<std::ptrdiff_t>(count), bytes_.end(), std::uint8_t{0});
}

void ScreenSampler::BeginTick(platform::ClientSurface* hGameDC) {
    source_ = hGameDC;
    bounds_ = source_ ? source_->Bounds() : base::Rect{};
    bands_.clear();
}

void ScreenSampler::EndTick() {
    source_ = nullptr;
    bounds_ = {};
    bands_.clear();
}

void ScreenSampler::Prefetch(base::Rect area) {
    if (!source_ || !prefetching_) return;
    const base::Rect clipped = Intersect(area, bounds_);
    if (!Empty(clipped) && !Covering(clipped)) Fetch(clipped);
}

const ScreenSampler::Band* ScreenSampler::Covering(base::Rect area) {
    if (lastBand_ < bands_.size() && bands_[lastBand_].area.Contains(area)) return &bands_[lastBand_];
    for (std::size_t i = 0; i < bands_.size(); ++i) {
        if (bands_[i].area.Contains(area)) {
            lastBand_ = i;
            return &bands_[i];
        }
    }
    return nullptr;
}

void ScreenSampler::CopyOntoSurface(const Band& band, base::Rect area, int surfaceLeft, int surfaceTop) {
    const int bandWidth = band.area.width(), width = area.width();
    const std::uint32_t* from =
        band.pixels.data() + static_cast<std::size_t>(area.top - band.area.top) * bandWidth + (area.left - band.area.left);
    std::uint32_t* to = picTemp.data() + static_cast<std::size_t>(area.top - surfaceTop) * kSurfaceWidth +
                        (area.left - surfaceLeft);
    for (int row = area.top; row < area.bottom; ++row, from += bandWidth, to += kSurfaceWidth)
        std::copy_n(from, width, to);
}

const ScreenSampler::Band* ScreenSampler::Fetch(base::Rect area) {
    Band band{area, std::vector<std::uint32_t>(static_cast<std::size_t>(area.width()) * area.height())};
    ++copies_;
    if (!source_->Copy(area, band.pixels.data())) return nullptr;
    bands_.push_back(std::move(band));
    return &bands_.back();
}

void ScreenSampler::CaptureAnyRect(std::int16_t x, std::int16_t y, std::int16_t w, std::int16_t h) {
    // The copy onto the capture surface: only what lies inside the client area and
    // on the surface is written; the rest keeps its earlier pixels. A capture wholly
    // outside a client area that is there copies nothing and reads what the surface held.
    const base::Rect wanted{x, y, x + std::min<int>(w, kSurfaceWidth), y + std::min<int>(h, kSurfaceHeight)};
    if (!source_ || Empty(bounds_)) throw NothingCopied();
    const base::Rect readable = Intersect(wanted, bounds_);
    if (!Empty(readable)) {
        const Band* band = prefetching_ ? Covering(readable) : nullptr;
        if (!band) band = Fetch(readable);
        if (!band) throw NothingCopied();
        CopyOntoSurface(*band, readable, x, y);
    }

    // The read back, in the 16-bit arithmetic of the bounds.
    const std::int16_t columns = ui::Int16(4 * w);
    if (w < 1 || h < 1) ui::RaiseSubscript("PixelBuf bounds", w < 1 ? w : h);
    const std::int16_t byteCount = ui::Int16(ui::Int16(w * h) * 4);
    const std::size_t readBytes = std::min<std::size_t>(
        {static_cast<std::size_t>(byteCount), sizeof(picTemp), static_cast<std::size_t>(columns) * h});
    PixelBuf.Take(columns, h, reinterpret_cast<const std::uint8_t*>(picTemp.data()), readBytes);
}

}  // namespace vantrel::recognition
