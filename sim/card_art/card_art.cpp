#include "sim/card_art/card_art.h"

#include <array>
#include <stdexcept>

#include "sim/card_art/pixel_art.h"

namespace vantrel::card_art {
namespace {

using GlyphArt = std::array<std::string_view, kGlyphHeight>;
using PipArt = std::array<std::string_view, kPipHeight>;

// The glyphs are drawn to the recogniser's decision list: each rank shows ink or
// paper at the ten probe pixels (2,8) (4,2) (4,7) (4,9) (4,10) (4,11) (5,1) (5,15)
// (7,8) (9,0) so that every test before its own fails and its own passes. That is
// why, for instance, the 10's "0" stands clear of column 4, the 7's stem leans
// through (4,11), and the 5's top bar stops short of (9,0).
constexpr std::array<GlyphArt, kHighestRank - kLowestRank + 1> kGlyphs = {{
    {{  // 3
        ".#######...",
        "#########..",
        "##.....###.",
        ".......###.",
        ".......###.",
        "......###..",
        "....####...",
        "....#####..",
        "....######.",
        "........###",
        "........###",
        "........###",
        "##......###",
        "##.....###.",
        "#########..",
        ".#######...",
    }},
    {{  // 4
        ".......##..",
        "......###..",
        ".....####..",
        ".....####..",
        "....##.##..",
        "...##..##..",
        "...##..##..",
        "..##...##..",
        ".##....##..",
        "##.....##..",
        "###########",
        "###########",
        ".......##..",
        ".......##..",
        ".......##..",
        ".......##..",
    }},
    {{  // 5
        ".########..",
        ".########..",
        ".##........",
        ".##........",
        ".##........",
        ".#######...",
        ".########..",
        ".......###.",
        ".......###.",
        ".......###.",
        ".......###.",
        ".......###.",
        "##.....###.",
        "##.....###.",
        ".########..",
        "..######...",
    }},
    {{  // 6
        ".....####..",
        "...######..",
        "..###......",
        ".###.......",
        ".##........",
        ".##........",
        ".##.####...",
        ".########..",
        ".###....##.",
        ".##.....##.",
        ".##.....##.",
        ".##.....##.",
        ".##.....##.",
        ".###...###.",
        "..#######..",
        "...#####...",
    }},
    {{  // 7
        "##########.",
        "##########.",
        ".......###.",
        ".......##..",
        "......###..",
        "......##...",
        ".....###...",
        ".....##....",
        "....###....",
        "....##.....",
        "...###.....",
        "...##......",
        "...##......",
        "..###......",
        "..##.......",
        "..##.......",
    }},
    {{  // 8
        "..######...",
        ".########..",
        ".##....##..",
        ".##....##..",
        ".##....##..",
        ".##....##..",
        "..######...",
        "..######...",
        ".##....###.",
        "##......##.",
        "##......##.",
        "##......##.",
        "##......##.",
        "###....###.",
        ".########..",
        "..######...",
    }},
    {{  // 9
        "..######...",
        ".########..",
        "##......##.",
        "##......##.",
        "##......##.",
        "##......##.",
        "##......##.",
        "##......##.",
        "###....###.",
        ".#########.",
        "........##.",
        "........##.",
        ".......###.",
        "##....###..",
        ".#######...",
        "..#####....",
    }},
    {{  // 10
        "..##.######",
        ".###.##..##",
        "####.##..##",
        "..##.##..##",
        "..##.##..##",
        "..##.##..##",
        "..##.##..##",
        "..##.##..##",
        "..##.##..##",
        "..##.##..##",
        "..##.##..##",
        "..##.##..##",
        "..##.##..##",
        "..##.##..##",
        ".####.####.",
        ".####.####.",
    }},
    {{  // J
        "...########",
        "...########",
        ".......##..",
        ".......##..",
        ".......##..",
        ".......##..",
        ".......##..",
        ".......##..",
        ".......##..",
        ".......##..",
        ".......##..",
        "##.....##..",
        "##.....##..",
        "###...###..",
        ".#######...",
        "..#####....",
    }},
    {{  // Q
        "..#######..",
        ".#########.",
        "##.......##",
        "##.......##",
        "##.......##",
        "##.......##",
        "##.......##",
        "##.......##",
        "##.......##",
        "##.......##",
        "##.......##",
        "##...##..##",
        "##....####.",
        ".#########.",
        "..######.##",
        ".........##",
    }},
    {{  // K
        "###....###.",
        "###...###..",
        ".##..###...",
        ".##.###....",
        ".##.##.....",
        ".#####.....",
        ".####......",
        ".####......",
        ".#####.....",
        ".##.##.....",
        ".##.###....",
        ".##..###...",
        ".##...###..",
        ".##....###.",
        "###....####",
        "###.....###",
    }},
    {{  // A
        "....###....",
        "....###....",
        "...####....",
        "...##.##...",
        "...##.##...",
        "..##...##..",
        "..##...##..",
        "..##...##..",
        ".##.....##.",
        ".##.....##.",
        ".#########.",
        "##########.",
        "##.......##",
        "##.......##",
        "##.......##",
        "##.......##",
    }},
    {{  // 2
        ".#######...",
        "#########..",
        "##.....###.",
        ".......###.",
        ".......###.",
        "......###..",
        ".....###...",
        "....###....",
        "...###.....",
        "..###......",
        ".###.......",
        "###........",
        "##.........",
        "##.........",
        "###########",
        "###########",
    }},
}};

// Pips are centred on their column 4, under the glyph's middle column. The strip
// probes (3,0) (4,0) (1,3) (0,4) are tried in that order and the first paper names
// the suit: the spade's point leaves (3,0) bare, the heart's cleft leaves (4,0),
// the club's neck leaves (1,3), and the diamond's lower half leaves (0,4).
constexpr std::array<PipArt, kSuitCount> kPips = {{
    {{  // spades
        "....#......",
        "...###.....",
        "..#####....",
        ".#######...",
        "#########..",
        "#########..",
        ".##.#.##...",
        "....#......",
        "...###.....",
    }},
    {{  // hearts
        ".###.###...",
        "#########..",
        "#########..",
        "#########..",
        ".#######...",
        "..#####....",
        "...###.....",
        "....#......",
        "...........",
    }},
    {{  // clubs
        "...###.....",
        "..#####....",
        "..#####....",
        "...###.....",
        ".##.#.##...",
        "#########..",
        "#########..",
        ".##.#.##...",
        "...###.....",
    }},
    {{  // diamonds
        "...###.....",
        "..#####....",
        ".#######...",
        "#########..",
        ".#######...",
        "..#####....",
        "...###.....",
        "....#......",
        "...........",
    }},
}};

constexpr std::array<std::string_view, kHighestRank - kLowestRank + 1> kRankNames = {
    "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K", "A", "2"};
constexpr std::array<std::string_view, kSuitCount> kSuitNames = {"spades", "hearts", "clubs", "diamonds"};

constexpr base::Rgb kSheetBackground{46, 110, 66};
constexpr int kSheetGap = 6;

std::size_t RankIndex(int rank) {
    if (rank < kLowestRank || rank > kHighestRank) throw std::invalid_argument("card rank outside 3..15");
    return static_cast<std::size_t>(rank - kLowestRank);
}

std::size_t SuitIndex(int suit) {
    if (suit < 1 || suit > kSuitCount) throw std::invalid_argument("card suit outside 1..4");
    return static_cast<std::size_t>(suit - 1);
}

// All 13 x 4 faces, ranks left to right from the 3 to the 2, a suit to a row.
base::Image CardSheet() {
    constexpr int kRanks = kHighestRank - kLowestRank + 1;
    base::Image sheet(kSheetGap + kRanks * (kCardWidth + kSheetGap), kSheetGap + kSuitCount * (kCardHeight + kSheetGap),
                    kSheetBackground);
    for (int suit = 1; suit <= kSuitCount; ++suit) {
        for (int rank = kLowestRank; rank <= kHighestRank; ++rank) {
            const int left = kSheetGap + (rank - kLowestRank) * (kCardWidth + kSheetGap);
            const int top = kSheetGap + (suit - 1) * (kCardHeight + kSheetGap);
            DrawCard(sheet, left - kCardLeft, top - kCardTop, rank, suit);
        }
    }
    return sheet;
}

}  // namespace

std::string_view RankName(int rank) { return kRankNames[RankIndex(rank)]; }
std::string_view SuitName(int suit) { return kSuitNames[SuitIndex(suit)]; }
std::string_view InkName(Ink ink) { return ink == Ink::kRed ? "red" : "black"; }

base::Image RankGlyph(int rank, Ink ink) {
    return PixelArtImage(kGlyphs[RankIndex(rank)], InkColour(ink), kCardFace);
}

base::Image SuitPip(int suit) {
    return PixelArtImage(kPips[SuitIndex(suit)], InkColour(SuitInk(suit)), kCardFace);
}

namespace {

// Each glyph and pip made once: the stand-in draws a card for every card it lays.
const base::Image& KeptGlyph(int rank, Ink ink) {
    static const auto glyphs = [] {
        std::array<std::array<base::Image, 2>, kGlyphs.size()> all;
        for (int r = kLowestRank; r <= kHighestRank; ++r)
            for (Ink i : {Ink::kBlack, Ink::kRed}) all[RankIndex(r)][i == Ink::kRed] = RankGlyph(r, i);
        return all;
    }();
    return glyphs[RankIndex(rank)][ink == Ink::kRed];
}

const base::Image& KeptPip(int suit) {
    static const auto pips = [] {
        std::array<base::Image, kSuitCount> all;
        for (int s = 1; s <= kSuitCount; ++s) all[SuitIndex(s)] = SuitPip(s);
        return all;
    }();
    return pips[SuitIndex(suit)];
}

}  // namespace

void DrawCard(base::Image& into, int glyph_x, int glyph_y, int rank, int suit) {
    const base::Image& glyph = KeptGlyph(rank, SuitInk(suit));
    const base::Image& pip = KeptPip(suit);
    const int left = glyph_x + kCardLeft, top = glyph_y + kCardTop;
    const int right = glyph_x + kCardRight, bottom = glyph_y + kCardBottom;
    into.FillRect(left + 1, top, kCardWidth - 2, 1, kCardEdge);
    into.FillRect(left + 1, bottom, kCardWidth - 2, 1, kCardEdge);
    into.FillRect(left, top + 1, 1, kCardHeight - 2, kCardEdge);
    into.FillRect(right, top + 1, 1, kCardHeight - 2, kCardEdge);
    into.FillRect(left + 1, top + 1, kCardWidth - 2, kCardHeight - 2, kCardFace);
    into.Blit(glyph, glyph_x, glyph_y);
    into.Blit(pip, glyph_x + kPipDx, glyph_y + kPipDy);
}

std::vector<base::ArtworkFile> ArtworkFiles() {
    std::vector<base::ArtworkFile> files;
    for (int rank = kLowestRank; rank <= kHighestRank; ++rank) {
        for (Ink ink : {Ink::kBlack, Ink::kRed}) {
            files.push_back({"glyph-" + std::string(RankName(rank)) + "-" + std::string(InkName(ink)) + ".png",
                             RankGlyph(rank, ink)});
        }
    }
    for (int suit = 1; suit <= kSuitCount; ++suit)
        files.push_back({"pip-" + std::string(SuitName(suit)) + ".png", SuitPip(suit)});
    files.push_back({"card-faces.png", CardSheet()});
    return files;
}

}  // namespace vantrel::card_art
