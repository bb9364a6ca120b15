// The game's pixel contract: where the game's client area shows each thing the
// program reads, and in what colours. Every probe, band and step that recognition
// and the hand watcher use is here and nowhere else, so that the code reads the
// game through one table and tests hold that table to the game's layout entry by
// entry. Positions are client pixels of the game window (x right, y down); colours
// are bytes 0..255 of blue, green and red.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "base/game_title.h"
#include "base/image.h"
#include "ui/bounded_array.h"

namespace vantrel::recognition {

struct ProbePoint {
    std::int16_t X = 0, Y = 0;
};

// A colour band: every byte strictly between its two bounds. A byte not looked at
// keeps the bounds -1 and 256.
struct ColourBand {
    int blueAbove = -1, blueBelow = 256;
    int greenAbove = -1, greenBelow = 256;
    int redAbove = -1, redBelow = 256;

    constexpr bool Holds(base::Rgb c) const {
        return c.b > blueAbove && c.b < blueBelow && c.g > greenAbove && c.g < greenBelow && c.r > redAbove &&
               c.r < redBelow;
    }
};

// A seat's play scan: along row ScanRow(seat) from x = first to x = last.
struct Span {
    std::int16_t first, last;
};

// A pixel of a capture, (column, row) from its top-left corner.
struct GlyphPixel {
    int column, row;
};

// One rank's test on the glyph: one letter per glyph probe, I ink, P paper, - not
// looked at.
struct GlyphTest {
    std::int16_t rank;
    std::string_view pattern;
};

namespace game {

// The window the program follows is the one of exactly this title.
using base::kGameTitle;

// --- A new hand: both deal signs show at once (green is not looked at on the first).
constexpr ProbePoint kDealProbe{400, 192};
constexpr ColourBand kDealBand{.blueAbove = 80, .blueBelow = 150, .redBelow = 20};
constexpr ProbePoint kDealLamp{785, 591};
constexpr ColourBand kDealLampBand{.blueAbove = 120, .blueBelow = 180, .greenAbove = 110, .redBelow = 175};

// --- Each seat's first-mover and pass signs; record 3 of each table is not used.
constexpr ui::BoundedArray<ProbePoint, 0, 3> FirstSeatProbe{{{{542, 322}, {562, 80}, {244, 76}, {}}}};
constexpr ColourBand kFirstSeatBand{.blueAbove = 20, .blueBelow = 90, .greenAbove = 170, .greenBelow = 230, .redAbove = 220};
constexpr ui::BoundedArray<ProbePoint, 0, 3> PassProbe{{{{498, 451}, {658, 154}, {108, 154}, {}}}};
constexpr ColourBand kPassBand{.blueBelow = 70, .greenAbove = 170, .greenBelow = 230, .redAbove = 230};

// --- The user's dealt row: its first glyph.
constexpr ProbePoint kOwnRow{198, 358};

// --- The play scan: a black pixel followed by a white one is the left edge of a
// laid row; from the white pixel a walk down finds the cards' dark lower edge,
// and the row's first glyph lies 3 pixels right of the hit and 109 above the edge.
constexpr ui::BoundedArray<Span, 0, 2> ScanSpan{{{{240, 360}, {460, 640}, {1, 140}}}};
constexpr ui::BoundedArray<std::int16_t, 0, 2> ScanRow{{{330, 214, 214}}};
constexpr ColourBand kScanBlack{.blueBelow = 4, .greenBelow = 4, .redBelow = 4};
constexpr ColourBand kScanWhite{.blueAbove = 220, .greenAbove = 220, .redAbove = 220};
constexpr ColourBand kLowerEdge{.blueBelow = 101, .greenBelow = 101, .redBelow = 101};
constexpr int kHitToGlyphX = 3;
constexpr int kEdgeToGlyphY = 109;

// --- A card: the rank glyph, the suit strip under it, and the step to the next
// card of a row, which lies on while the next card's edge probe reads dark.
constexpr int kGlyphWidth = 11, kGlyphHeight = 16;
// The ten probe pixels of the rank glyph.
constexpr std::array<GlyphPixel, 10> kGlyphProbes{
    {{2, 8}, {4, 2}, {4, 7}, {4, 9}, {4, 10}, {4, 11}, {5, 1}, {5, 15}, {7, 8}, {9, 0}}};
// The order matters: the tests overlap, and the first that holds decides. A glyph
// that none of them takes is read as the 2 (49).
constexpr std::array<GlyphTest, 13> kGlyphTests{{
    {49, "PP-I---I--"},
    {14, "IIPP------"},
    {13, "IPI---P---"},
    {12, "PP-P----P-"},
    {11, "PP---P---I"},
    {10, "IPP-----P-"},
    {9, "IPPI------"},
    {8, "IPI---I---"},
    {7, "PPP----P--"},
    {6, "IIIP------"},
    {5, "P-P-----IP"},
    {4, "IPP-I-----"},
    {3, "PPIP------"},
}};
constexpr std::int16_t kUnmatchedGlyph = 49;
// The suit strip, from the glyph's top-left corner, and its probes in the order
// they are tried: the first that reads paper names the suit 1..4.
constexpr int kStripDx = 1, kStripDy = 21;
constexpr int kStripWidth = 11, kStripHeight = 5;
constexpr std::array<GlyphPixel, 4> kSuitProbes{{{3, 0}, {4, 0}, {1, 3}, {0, 4}}};
// Ink is a blue byte below this; paper from it up.
constexpr int kInkBelow = 150;
constexpr std::int16_t kCardStep = 22;
// The next card's edge probe: kNextEdgeDx from the step's end, on the glyph's top
// row, dark while its red byte is below kNextEdgeRedBelow.
constexpr int kNextEdgeDx = -4;
constexpr int kNextEdgeRedBelow = 10;

}  // namespace game
}  // namespace vantrel::recognition
