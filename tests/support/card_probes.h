// The card probes as the game's card layout fixes them, written down here and not
// taken from our artwork or from the recogniser: the ten glyph probes, the 13-test
// decision list, the four suit probes and the walk along a row of cards, with a
// test-side reader built on them. The artwork and renderer tests read their
// pictures back through it; the reading contract tests paint single pixels at its
// entries and hold the program's recogniser to it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/image.h"

namespace vantrel::test {

struct ProbePixel {
    int column = 0, row = 0;
};

// Glyph probes in the order of the decision list's columns.
constexpr std::array<ProbePixel, 10> kGlyphProbes{
    {{2, 8}, {4, 2}, {4, 7}, {4, 9}, {4, 10}, {4, 11}, {5, 1}, {5, 15}, {7, 8}, {9, 0}}};
constexpr int kTwo = 49;

struct GlyphTest {
    int rank;
    std::string_view classes;  // per probe: 'I' ink, 'P' paper, '.' not read
};

// Tried in this order; the first test whose probes all show their class decides,
// and a glyph that passes none is the 2.
// Probes:                        (2,8) (4,2) (4,7) (4,9) (4,10) (4,11) (5,1) (5,15) (7,8) (9,0)
constexpr std::array<GlyphTest, 13> kDecisionList{{
    {kTwo, "PP.I...I.."},
    {14, "IIPP......"},
    {13, "IPI...P..."},
    {12, "PP.P....P."},
    {11, "PP...P...I"},
    {10, "IPP.....P."},
    {9, "IPPI......"},
    {8, "IPI...I..."},
    {7, "PPP....P.."},
    {6, "IIIP......"},
    {5, "P.P.....IP"},
    {4, "IPP.I....."},
    {3, "PPIP......"},
}};

// The suit strip lies 1 right of and 21 below the glyph's origin, 11 x 5.
constexpr ProbePixel kSuitStrip{1, 21};
// Suit probes in the order they are tried; the first paper names suit 1, 2, 3, 4.
constexpr std::array<ProbePixel, 4> kSuitProbes{{{3, 0}, {4, 0}, {1, 3}, {0, 4}}};

// A further card follows while the pixel 18 right of the glyph's left edge, in its
// top row, has red below 10; the next glyph then lies 22 to the right.
constexpr int kNextCardProbe = 18;
constexpr int kNextCardRedBelow = 10;
constexpr int kCardPitch = 22;

constexpr bool IsInk(std::uint8_t blue) { return blue < 150; }

// 'I' (ink) or 'P' (paper) per probe, for the glyph or strip whose top-left is (x, y).
std::string GlyphClasses(const base::Image& image, int x, int y);
std::string StripClasses(const base::Image& image, int x, int y);

// The index in kDecisionList of the test that decides on these glyph classes, or
// kDecisionList.size() when none holds.
std::size_t DecidingTest(std::string_view glyph_classes);
// The decision list applied to glyph classes: a rank 3..14, or kTwo.
int RankFromClasses(std::string_view glyph_classes);
// Suit 1..4 from strip classes, or 0 when all four read ink.
int SuitFromClasses(std::string_view strip_classes);

struct ReadRow {
    std::vector<int> codes;                 // card codes as read, kTwo for the 2
    std::vector<std::uint8_t> next_probe_red;  // red byte at each card's next-card probe
};
// Reads a row from the first glyph origin (x, y) on, 22 pixels a card, while the
// next-card probe is dark; gives up after 51 cards as the program does.
ReadRow ReadCardRow(const base::Image& image, int x, int y);

}  // namespace vantrel::test
