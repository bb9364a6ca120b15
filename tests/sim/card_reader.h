// A test-side reader of card pixels, written from the program's probe tables and
// not from the artwork: ink/paper classes at the ten glyph probes, the 13-test
// decision list, the four suit probes and the walk along a row of cards. The
// artwork and renderer tests read their pictures back through it.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/image.h"

namespace vantrel::test {

struct ProbePixel {
    int column = 0, row = 0;
};

// Glyph probes in the order of the decision list's columns.
constexpr std::array<ProbePixel, 10> kGlyphProbes{
    {{2, 8}, {4, 2}, {4, 7}, {4, 9}, {4, 10}, {4, 11}, {5, 1}, {5, 15}, {7, 8}, {9, 0}}};
// Suit probes in the order they are tried; the first paper names suit 1, 2, 3, 4.
constexpr std::array<ProbePixel, 4> kSuitProbes{{{3, 0}, {4, 0}, {1, 3}, {0, 4}}};
constexpr int kTwo = 49;

constexpr bool IsInk(std::uint8_t blue) { return blue < 150; }

// 'I' (ink) or 'P' (paper) per probe, for the glyph or strip whose top-left is (x, y).
std::string GlyphClasses(const platform::Image& image, int x, int y);
std::string StripClasses(const platform::Image& image, int x, int y);

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
ReadRow ReadCardRow(const platform::Image& image, int x, int y);

}  // namespace vantrel::test
