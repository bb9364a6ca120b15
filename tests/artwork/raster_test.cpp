// The raster that the artwork is painted with: shapes cover exactly what lies on
// whole pixels and smooth only their slanted and curved edges; painting blends by
// coverage; the mask helpers keep sizes and places.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "artwork/raster.h"

namespace vantrel::test {
namespace {

using artwork::Mask;

int Sum(const Mask& m) {
    int sum = 0;
    for (int y = 0; y < m.height(); ++y)
        for (int x = 0; x < m.width(); ++x) sum += m.at(x, y);
    return sum;
}

TEST(Raster, AShapeOnWholePixelsCoversThemExactly) {
    const artwork::Point square[] = {{2, 1}, {6, 1}, {6, 4}, {2, 4}};
    const Mask m = artwork::Polygon(8, 6, square);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(m.at(x, y), x >= 2 && x < 6 && y >= 1 && y < 4 ? 255 : 0) << x << "," << y;
    const Mask full = artwork::RoundedRect(5, 3, 0);
    EXPECT_EQ(Sum(full), 5 * 3 * 255);
}

TEST(Raster, CurvedEdgesAreSmoothedAndTheAreaKept) {
    const Mask disc = artwork::Disc(20, 20, {10, 10}, 6);
    EXPECT_NEAR(Sum(disc) / 255.0, std::numbers::pi * 36, 1.0);
    EXPECT_EQ(disc.at(10, 10), 255);
    EXPECT_EQ(disc.at(0, 0), 0);
    int partial = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) partial += disc.at(x, y) > 0 && disc.at(x, y) < 255;
    EXPECT_GT(partial, 20) << "the edge all round is smoothed";
    EXPECT_LT(partial, 60) << "and only the edge";
    // Corners of a rounded rectangle are cut, its sides are not.
    const Mask rounded = artwork::RoundedRect(10, 8, 3);
    EXPECT_LT(rounded.at(0, 0), 64);
    EXPECT_EQ(rounded.at(0, 4), 255);
    EXPECT_EQ(rounded.at(5, 0), 255);
}

TEST(Raster, PaintingBlendsByCoverageAndClipsToThePicture) {
    base::Image picture(4, 1, {0, 0, 0});
    Mask m(6, 1);
    m.at(0, 0) = 255;
    m.at(1, 0) = 128;
    m.at(5, 0) = 255;  // falls outside
    artwork::Paint(picture, m, 1, 0, {200, 100, 50});
    EXPECT_EQ(picture.rgb(0, 0), (base::Rgb{0, 0, 0}));
    EXPECT_EQ(picture.rgb(1, 0), (base::Rgb{200, 100, 50}));
    EXPECT_EQ(picture.rgb(2, 0), (base::Rgb{100, 50, 25}));
    EXPECT_EQ(picture.rgb(3, 0), (base::Rgb{0, 0, 0}));
}

TEST(Raster, MaskHelpersKeepSizesAndPlaces) {
    Mask dot(3, 3);
    dot.at(1, 1) = 200;
    const Mask padded = artwork::Padded(dot, 2);
    EXPECT_EQ(padded.width(), 7);
    EXPECT_EQ(padded.at(3, 3), 200);
    const Mask ring = artwork::Dilate(padded, 1);
    EXPECT_EQ(Sum(ring), 9 * 200);
    EXPECT_EQ(ring.at(2, 2), 200);
    EXPECT_EQ(ring.at(1, 1), 0);
    Mask left(4, 1);
    left.at(0, 0) = 9;
    EXPECT_EQ(artwork::Mirrored(left).at(3, 0), 9);
    EXPECT_EQ(artwork::WithGamma(left, 0.5).at(0, 0), 48);  // 255 * sqrt(9 / 255)
    EXPECT_EQ(artwork::Subtract(ring, padded).at(3, 3), 200 * (255 - 200) / 255);
}

}  // namespace
}  // namespace vantrel::test
