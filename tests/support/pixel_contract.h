// The game table's pixel contract, written down as the game's client area fixes
// it and not taken from our artwork or from the program: the deal probes, each
// seat's first-mover and pass probes, the play scan's spans and rows, and the
// walk down to the cards' lower edge, each with its colour band. A band is a list
// of strict or inclusive bounds on single bytes; `EdgeCases` turns every bound
// into the two colours one step either side of it, everything else well inside.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/image.h"

namespace vantrel::testing::contract {

struct Pixel {
    int x = 0, y = 0;
};

enum class Channel { Blue, Green, Red };
enum class Bound { Below, Above, AtMost };

struct Clause {
    Channel channel;
    Bound bound;
    int value;
};

struct Band {
    base::Rgb inside;  // a colour that passes every clause by a wide margin
    std::vector<Clause> clauses;
};

// Seats 0 (the user), 1 (right), 2 (left).
constexpr std::array<Pixel, 3> kFirstMoverProbe{{{542, 322}, {562, 80}, {244, 76}}};
constexpr std::array<Pixel, 3> kPassProbe{{{498, 451}, {658, 154}, {108, 154}}};

inline const Band kFirstMoverBand{{240, 200, 55},
                                  {{Channel::Blue, Bound::Above, 20},
                                   {Channel::Blue, Bound::Below, 90},
                                   {Channel::Green, Bound::Above, 170},
                                   {Channel::Green, Bound::Below, 230},
                                   {Channel::Red, Bound::Above, 220}}};
inline const Band kPassBand{{250, 200, 35},
                            {{Channel::Green, Bound::Above, 170},
                             {Channel::Blue, Bound::Below, 70},
                             {Channel::Green, Bound::Below, 230},
                             {Channel::Red, Bound::Above, 230}}};

// A deal shows at both probes at once; green is not looked at on the first.
constexpr Pixel kDealProbe{400, 192};
constexpr Pixel kDealLamp{785, 591};
inline const Band kDealBand{{10, 100, 115},
                            {{Channel::Blue, Bound::Above, 80},
                             {Channel::Blue, Bound::Below, 150},
                             {Channel::Red, Bound::Below, 20}}};
inline const Band kDealLampBand{{80, 150, 150},
                                {{Channel::Blue, Bound::Above, 120},
                                 {Channel::Blue, Bound::Below, 180},
                                 {Channel::Green, Bound::Above, 110},
                                 {Channel::Red, Bound::Below, 175}}};

// The user's dealt row: its first glyph.
constexpr Pixel kOwnRow{198, 358};

// Each seat's play scan runs along one row from the first to the last x; a black
// pixel followed by a white one is the left edge of a laid row of cards.
struct Scan {
    int first, last, row;
};
constexpr std::array<Scan, 3> kScan{{{240, 360, 330}, {460, 640, 214}, {1, 140, 214}}};

inline const Band kScanBlack{{0, 0, 0},
                             {{Channel::Blue, Bound::Below, 4},
                              {Channel::Green, Bound::Below, 4},
                              {Channel::Red, Bound::Below, 4}}};
inline const Band kScanWhite{{255, 255, 255},
                             {{Channel::Blue, Bound::Above, 220},
                              {Channel::Green, Bound::Above, 220},
                              {Channel::Red, Bound::Above, 220}}};
// From the white pixel the walk goes down to the first pixel in this band; the
// glyph of the row's first card lies 3 right of the white pixel and 109 above it.
inline const Band kLowerEdge{{40, 40, 40},
                             {{Channel::Blue, Bound::AtMost, 100},
                              {Channel::Green, Bound::AtMost, 100},
                              {Channel::Red, Bound::AtMost, 100}}};
constexpr int kGlyphRightOfHit = 3;
constexpr int kGlyphAboveEdge = 109;

struct EdgeCase {
    base::Rgb colour;
    bool inBand;
    std::string what;
};

// For every clause, the band's inside colour with that one byte set just inside
// and just outside the bound.
inline std::vector<EdgeCase> EdgeCases(const Band& band) {
    std::vector<EdgeCase> cases;
    for (const Clause& c : band.clauses) {
        const int inside = c.bound == Bound::Below ? c.value - 1 : c.bound == Bound::Above ? c.value + 1 : c.value;
        const int outside = c.bound == Bound::AtMost ? c.value + 1 : c.value;
        const char* name = c.channel == Channel::Blue ? "B" : c.channel == Channel::Green ? "G" : "R";
        const char* op = c.bound == Bound::Below ? " < " : c.bound == Bound::Above ? " > " : " <= ";
        for (const int value : {inside, outside}) {
            base::Rgb colour = band.inside;
            std::uint8_t& byte = c.channel == Channel::Blue ? colour.b : c.channel == Channel::Green ? colour.g : colour.r;
            byte = static_cast<std::uint8_t>(value);
            cases.push_back({colour, value == inside,
                             std::string(name) + op + std::to_string(c.value) + " at " + std::to_string(value)});
        }
    }
    return cases;
}

}  // namespace vantrel::testing::contract
