// The screen sampler: the one road to the game's pixels. `CaptureRect` puts a small
// rectangle of the game's client area into `PixelBuf`, 1-based, 4 bytes per pixel
// (blue, green, red, unused), rows top first, with bounds (1..4w, 1..h) set by each
// capture. The copy goes through `picTemp`, an 11 x 16 capture surface that keeps
// whatever an earlier copy left where a new one does not reach (outside the client
// area), and `PixelBuf` takes the surface's first
// w x h x 4 bytes, exactly as a bitmap read would.
//
// A tick of the hand watcher makes up to a few hundred one-pixel captures, and
// every round trip to the display costs far more than the pixels it carries. So a
// tick opens the game's client area once (`BeginTick`), may name the regions it is
// about to probe (`Prefetch`), and every capture inside a region already copied in
// this tick is served from memory. A capture outside them copies just its own
// rectangle. Either way `PixelBuf` ends up exactly as a fresh copy would leave it.
//
// Nothing is read from a capture that copied nothing: when the tick has no client
// area to read (the game minimised, of zero size, or gone) or a copy fails (the
// window went mid-tick), `CaptureRect` raises `NothingCopied` instead of serving
// what the surface held from before, and the watcher abandons the tick.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "platform/platform.h"
#include "recognition/game_contract.h"
#include "ui/runtime_error.h"

namespace vantrel::recognition {

// Not a ui::RuntimeError: the card reader's error path must not take it for a bad row.
class NothingCopied : public std::runtime_error {
public:
    NothingCopied() : std::runtime_error("a capture copied nothing from the game") {}
};

class PixelBuffer {
public:
    // Discards contents and bounds: (1..columns, 1..rows), holding the first
    // `count` bytes of `from` (at most columns x rows) and zeros after them.
    void Take(int columns, int rows, const std::uint8_t* from, std::size_t count);
    // Take(4, 1, the pixel's 4 bytes, 4), inline for the one-pixel captures.
    void TakePixel(std::uint32_t pixel) {
        columns_ = 4;
        rows_ = 1;
        bytes_.resize(4);
        std::memcpy(bytes_.data(), &pixel, 4);
    }
    // Inline: the hand watcher reads a few hundred thousand bytes a minute.
    std::uint8_t operator()(int column, int row) const {
        if (column < 1 || column > columns_) ui::RaiseSubscript("PixelBuf column", column);
        if (row < 1 || row > rows_) ui::RaiseSubscript("PixelBuf row", row);
        return bytes_[static_cast<std::size_t>(row - 1) * columns_ + (column - 1)];
    }
    int columns() const { return columns_; }
    int rows() const { return rows_; }

private:
    int columns_ = 0, rows_ = 0;
    std::vector<std::uint8_t> bytes_;
};

class ScreenSampler {
public:
    static constexpr int kSurfaceWidth = 11;
    static constexpr int kSurfaceHeight = 16;

    // The game's client area for this tick, or none; `EndTick` forgets every copy.
    void BeginTick(platform::ClientSurface* hGameDC);
    void EndTick();
    void Prefetch(base::Rect area);
    // With prefetching off every capture makes its own copy, one round trip per
    // probe: the benchmarks' baseline.
    void SetPrefetching(bool on) { prefetching_ = on; }
    // The client area of this tick (empty when there is none).
    base::Rect bounds() const { return bounds_; }

    void CaptureRect(std::int16_t x, std::int16_t y, std::int16_t w, std::int16_t h) {
        // Most captures are one pixel of the band the last one came from (a scan
        // along a row or down a column): served right here. Bands lie inside the
        // client area, so the pixel is readable, and the general path would leave
        // the same surface and buffer.
        if (w == 1 && h == 1 && prefetching_ && lastBand_ < bands_.size()) {
            const Band& band = bands_[lastBand_];
            if (x >= band.area.left && x < band.area.right && y >= band.area.top && y < band.area.bottom) {
                picTemp[0] = band.pixels[static_cast<std::size_t>(y - band.area.top) * band.area.width() +
                                         (x - band.area.left)];
                PixelBuf.TakePixel(picTemp[0]);
                return;
            }
        }
        CaptureAnyRect(x, y, w, h);
    }

    // One pixel through CaptureRect: blue, green and red as PixelBuf holds them.
    base::Rgb ReadPixel(ProbePoint p) {
        CaptureRect(p.X, p.Y, 1, 1);
        return {PixelBuf(3, 1), PixelBuf(2, 1), PixelBuf(1, 1)};
    }
    static std::int16_t IsInk(std::uint8_t b) { return b < game::kInkBelow ? 1 : 0; }

    PixelBuffer PixelBuf;

    // Round trips to the display in this run, for the benchmarks.
    long long copies() const { return copies_; }

private:
    struct Band {
        base::Rect area;
        std::vector<std::uint32_t> pixels;
    };
    void CaptureAnyRect(std::int16_t x, std::int16_t y, std::int16_t w, std::int16_t h);
    const Band* Covering(base::Rect area);
    void CopyOntoSurface(const Band& band, base::Rect area, int surfaceLeft, int surfaceTop);
    // Null when the copy failed: what the surface holds then stays.
    const Band* Fetch(base::Rect area);

    platform::ClientSurface* source_ = nullptr;
    // The client area's extent, asked once a tick: asking costs a round trip.
    base::Rect bounds_;
    std::vector<Band> bands_;
    // Where the last capture was found: a scan probes along one band for a while.
    std::size_t lastBand_ = 0;
    std::array<std::uint32_t, kSurfaceWidth * kSurfaceHeight> picTemp{};
    long long copies_ = 0;
    bool prefetching_ = true;
};

}  // namespace vantrel::recognition
