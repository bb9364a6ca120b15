// The screen sampler: the one road to the game's pixels. `CaptureRect` puts a small
// rectangle of the game's client area into `PixelBuf`, 1-based, 4 bytes per pixel
// (blue, green, red, unused), rows top first, with bounds (1..4w, 1..h) set by each
// capture. The copy goes through `picTemp`, an 11 x 16 capture surface that keeps
// whatever an earlier copy left where a new one does not reach (outside the client
// area, or a window that cannot be read), and `PixelBuf` takes the surface's first
// w x h x 4 bytes, exactly as a bitmap read would.
//
// A tick of the hand watcher makes up to a few hundred one-pixel captures, and
// every round trip to the display costs far more than the pixels it carries. So a
// tick opens the game's client area once (`BeginTick`), may name the regions it is
// about to probe (`Prefetch`), and every capture inside a region already copied in
// this tick is served from memory. A capture outside them copies just its own
// rectangle. Either way `PixelBuf` ends up exactly as a fresh copy would leave it.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace vantrel::recognition {

class PixelBuffer {
public:
    // Discards contents and bounds: (1..columns, 1..rows), zero-filled.
    void Recreate(int columns, int rows);
    std::uint8_t operator()(int column, int row) const;
    int columns() const { return columns_; }
    int rows() const { return rows_; }
    std::uint8_t* data() { return bytes_.data(); }
    std::size_t size() const { return bytes_.size(); }

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
    void Prefetch(platform::Rect area);
    // With prefetching off every capture makes its own copy, one round trip per
    // probe: the benchmarks' baseline.
    void SetPrefetching(bool on) { prefetching_ = on; }
    // The client area of this tick (empty when there is none).
    platform::Rect bounds() const { return bounds_; }

    void CaptureRect(std::int16_t x, std::int16_t y, std::int16_t w, std::int16_t h);
    static std::int16_t IsInk(std::uint8_t b) { return b < 150 ? 1 : 0; }

    PixelBuffer PixelBuf;

    // Round trips to the display in this run, for the benchmarks.
    long long copies() const { return copies_; }

private:
    struct Band {
        platform::Rect area;
        std::vector<std::uint32_t> pixels;
    };
    const Band* Covering(platform::Rect area);
    // Null when the copy failed: what the surface holds then stays.
    const Band* Fetch(platform::Rect area);

    platform::ClientSurface* source_ = nullptr;
    // The client area's extent, asked once a tick: asking costs a round trip.
    platform::Rect bounds_;
    std::vector<Band> bands_;
    std::array<std::uint32_t, kSurfaceWidth * kSurfaceHeight> picTemp{};
    long long copies_ = 0;
    bool prefetching_ = true;
};

}  // namespace vantrel::recognition
