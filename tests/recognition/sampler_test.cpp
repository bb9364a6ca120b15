// The screen sampler: PixelBuf's layout, the capture surface's memory, and that a
// capture served from a tick's prefetched region equals a fresh copy.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "recognition/screen_sampler.h"
#include "ui/runtime_error.h"

namespace vantrel::recognition {
namespace {

using base::Rect;

class SamplerTest : public ::testing::Test {
protected:
    SamplerTest() : screen(800, 600) {
        std::mt19937 random(7);
        for (int y = 0; y < screen.height(); ++y)
            for (int x = 0; x < screen.width(); ++x) screen.at(x, y) = random() & 0xFFFFFF;
        game = platform.fakeDesktop().AddWindow("game", {0, 0, 808, 634},
                                                [this](std::int64_t) -> const base::Image& { return screen; });
        surface = platform.fakeDesktop().OpenClient(game);
    }
    std::vector<std::uint8_t> Buffer(const ScreenSampler& s) const {
        std::vector<std::uint8_t> bytes;
        for (int r = 1; r <= s.PixelBuf.rows(); ++r)
            for (int c = 1; c <= s.PixelBuf.columns(); ++c) bytes.push_back(s.PixelBuf(c, r));
        return bytes;
    }

    platform::headless::HeadlessPlatform platform;
    base::Image screen;
    platform::ForeignWindow game;
    std::unique_ptr<platform::ClientSurface> surface;
    ScreenSampler sampler;
};

TEST_F(SamplerTest, OnePixelHoldsBlueGreenRed) {
    screen.set(400, 192, {30, 20, 10});
    sampler.BeginTick(surface.get());
    sampler.CaptureRect(400, 192, 1, 1);
    EXPECT_EQ(sampler.PixelBuf.columns(), 4);
    EXPECT_EQ(sampler.PixelBuf.rows(), 1);
    EXPECT_EQ(sampler.PixelBuf(1, 1), 10);
    EXPECT_EQ(sampler.PixelBuf(2, 1), 20);
    EXPECT_EQ(sampler.PixelBuf(3, 1), 30);
    EXPECT_THROW(sampler.PixelBuf(5, 1), ui::RuntimeError);
}

TEST_F(SamplerTest, AGlyphCaptureIsRowsOfElevenPixels) {
    screen.set(100 + 2, 50 + 8, {0, 0, 77});
    screen.set(100 + 10, 50 + 15, {0, 0, 99});
    sampler.BeginTick(surface.get());
    sampler.CaptureRect(100, 50, 11, 16);
    EXPECT_EQ(sampler.PixelBuf.columns(), 44);
    EXPECT_EQ(sampler.PixelBuf.rows(), 16);
    EXPECT_EQ(sampler.PixelBuf(9, 9), 77);
    EXPECT_EQ(sampler.PixelBuf(41, 16), 99);
}

TEST(IsInkTest, TheBoundIs150) {
    EXPECT_EQ(ScreenSampler::IsInk(0), 1);
    EXPECT_EQ(ScreenSampler::IsInk(149), 1);
    EXPECT_EQ(ScreenSampler::IsInk(150), 0);
    EXPECT_EQ(ScreenSampler::IsInk(255), 0);
}

TEST_F(SamplerTest, WhatTheCopyCannotReachKeepsTheSurfacesEarlierPixels) {
    screen.set(0, 0, {1, 2, 3});
    screen.set(799, 599, {4, 5, 6});
    sampler.BeginTick(surface.get());
    sampler.CaptureRect(0, 0, 1, 1);
    sampler.CaptureRect(799, 599, 2, 1);  // its second pixel lies outside the client area
    EXPECT_EQ(sampler.PixelBuf(3, 1), 4);
    EXPECT_EQ(sampler.PixelBuf(7, 1), 0);  // surface pixel (1, 0) was never written
    sampler.CaptureRect(-1, 0, 2, 1);      // its first pixel lies outside
    EXPECT_EQ(sampler.PixelBuf(3, 1), 4);  // the previous copy's pixel at (0, 0) of the surface
    EXPECT_EQ(sampler.PixelBuf(7, 1), 1);  // red of client pixel (0, 0)
}

// Whatever the surface held from before is not a reading of the game: a capture
// that copied nothing raises, and the watcher abandons its tick.
TEST_F(SamplerTest, NothingIsReadFromACaptureThatCopiedNothing) {
    platform::headless::FakeDesktop& desktop = platform.fakeDesktop();
    desktop.SetLossSchedule(game, [](std::int64_t) { return std::optional<int>(1); });
    auto lostAfterOne = desktop.OpenClient(game);
    desktop.SetLossSchedule(game, {});
    desktop.SetMinimised(game, true);
    auto minimised = desktop.OpenClient(game);
    desktop.RemoveWindow(game);
    auto gone = desktop.OpenClient(game);
    struct Case {
        const char* what;
        platform::ClientSurface* surface;
    };
    for (const Case& c : {Case{"no client area", nullptr}, Case{"minimised", minimised.get()},
                          Case{"gone", gone.get()}}) {
        sampler.BeginTick(c.surface);
        EXPECT_THROW(sampler.CaptureRect(10, 10, 1, 1), NothingCopied) << c.what;
        EXPECT_THROW(sampler.CaptureRect(10, 10, 11, 16), NothingCopied) << c.what;
        sampler.EndTick();
    }
    sampler.BeginTick(lostAfterOne.get());
    EXPECT_NO_THROW(sampler.CaptureRect(10, 10, 1, 1));
    EXPECT_THROW(sampler.CaptureRect(30, 10, 1, 1), NothingCopied) << "the window went mid-tick";
    sampler.Prefetch({100, 100, 200, 101});  // a prefetch that fails serves nothing either
    EXPECT_THROW(sampler.CaptureRect(150, 100, 1, 1), NothingCopied);
    sampler.EndTick();
}

TEST_F(SamplerTest, SixteenBitOverflowRaises) {
    sampler.BeginTick(surface.get());
    EXPECT_THROW(sampler.CaptureRect(0, 0, 8192, 1), ui::RuntimeError);  // 4w overflows
    EXPECT_THROW(sampler.CaptureRect(0, 0, 200, 200), ui::RuntimeError);  // w*h*4 overflows
}

// Up to three overlapping regions a tick, probed mostly pixel by pixel (the path a
// scan takes) and now and then by a glyph's or a pip's shape, partly outside the
// regions and the client area: the buffer always equals that of a sampler that
// copies every capture afresh, including what its surface kept from earlier.
TEST_F(SamplerTest, PrefetchedRegionsServeCapturesExactlyAsFreshCopies) {
    std::mt19937 random(11);
    auto below = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    ScreenSampler fresh;
    fresh.SetPrefetching(false);
    for (int round = 0; round < 400; ++round) {
        sampler.BeginTick(surface.get());
        fresh.BeginTick(surface.get());
        std::vector<Rect> areas;
        for (int n = 1 + below(3); n > 0; --n) {
            const int left = below(820) - 10, top = below(620) - 10;
            areas.push_back({left, top, left + 1 + below(300), top + 1 + below(40)});
            sampler.Prefetch(areas.back());
        }
        for (int probe = 0; probe < 24; ++probe) {
            const Rect& area = areas[static_cast<std::size_t>(below(static_cast<int>(areas.size())))];
            const auto x = static_cast<std::int16_t>(area.left + below(area.width() + 4) - 2);
            const auto y = static_cast<std::int16_t>(area.top + below(area.height() + 4) - 2);
            const std::int16_t shapes[][2] = {{1, 1}, {1, 1}, {1, 1}, {11, 16}, {11, 5}, {2, 1}, {1, 5}};
            const auto& shape = shapes[below(7)];
            sampler.CaptureRect(x, y, shape[0], shape[1]);
            fresh.CaptureRect(x, y, shape[0], shape[1]);
            ASSERT_EQ(Buffer(sampler), Buffer(fresh)) << "round " << round << " at " << x << "," << y;
        }
        sampler.EndTick();
        fresh.EndTick();
    }
}

TEST_F(SamplerTest, AScanOfARowAndAReadOfARowOfCardsCostOneCopyEachPerTick) {
    sampler.BeginTick(surface.get());
    sampler.Prefetch({460, 214, 642, 215});
    for (std::int16_t x = 460; x <= 641; ++x) sampler.CaptureRect(x, 214, 1, 1);
    EXPECT_EQ(sampler.copies(), 1);
    // Glyphs and pips up to the region's last column and row are inside it.
    sampler.Prefetch({198, 358, 561, 384});
    for (std::int16_t x = 198; x <= 534; x = static_cast<std::int16_t>(x + 16)) {
        sampler.CaptureRect(x, 358, 11, 16);
        sampler.CaptureRect(static_cast<std::int16_t>(x + 1), 379, 11, 5);  // down to the last row
    }
    sampler.CaptureRect(550, 358, 11, 16);  // up to the last column
    EXPECT_EQ(sampler.copies(), 2);
    sampler.EndTick();
    sampler.BeginTick(surface.get());
    sampler.CaptureRect(460, 214, 1, 1);  // a new tick copies afresh
    EXPECT_EQ(sampler.copies(), 3);
}

}  // namespace
}  // namespace vantrel::recognition
