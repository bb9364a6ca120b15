// Card artwork of the stand-in game: the thirteen rank glyphs in black and red ink,
// the four suit pips, and the drawing of one face-up card around its glyph origin.
//
// The shapes serve two readers. A person reads them as ranks and suits; the
// program's recogniser reads ten fixed pixels of the 11 x 16 glyph and four of the
// 11 x 5 strip at the top of the pip, sorting each by its blue byte (ink below 150,
// paper from 150). Every one of those pixels is pure ink (blue 0) or pure face
// (blue 255), with no blending anywhere, so no probe ever reads near the cut.
//
// Geometry is given relative to the glyph origin (gx, gy), the glyph's top-left
// pixel, because that is the point the program derives from the table: the card's
// black left edge stands in column gx - 4, its dark lower edge in row gy + 109, and
// the next card of an overlapping row puts its own left edge on gx + 18.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/artwork_files.h"
#include "base/image.h"

namespace vantrel::card_art {

// Ranks as the game counts them: 3..10, J 11, Q 12, K 13, A 14, the 2 15.
constexpr int kLowestRank = 3;
constexpr int kHighestRank = 15;
// Suits: 1 spades, 2 hearts, 3 clubs, 4 diamonds.
constexpr int kSpades = 1, kHearts = 2, kClubs = 3, kDiamonds = 4;
constexpr int kSuitCount = 4;

enum class Ink { kBlack, kRed };

constexpr base::Rgb kCardFace{255, 255, 255};
constexpr base::Rgb kCardEdge{0, 0, 0};
constexpr base::Rgb kBlackInk{0, 0, 0};
constexpr base::Rgb kRedInk{200, 0, 0};

constexpr base::Rgb InkColour(Ink ink) { return ink == Ink::kRed ? kRedInk : kBlackInk; }
constexpr Ink SuitInk(int suit) { return suit == kHearts || suit == kDiamonds ? Ink::kRed : Ink::kBlack; }

// "3".."10", "J", "Q", "K", "A", "2"; and "spades", "hearts", "clubs", "diamonds".
std::string_view RankName(int rank);
std::string_view SuitName(int suit);
std::string_view InkName(Ink ink);

// The rank glyph, ink on the card face. Throws std::invalid_argument for a rank
// outside 3..15.
constexpr int kGlyphWidth = 11;
constexpr int kGlyphHeight = 16;
base::Image RankGlyph(int rank, Ink ink);

// The suit pip in its suit's ink on the card face. The recogniser's strip is the
// pip's top kSuitStripHeight rows; the rest of the pip only completes the shape for
// the eye. Throws std::invalid_argument for a suit outside 1..4.
constexpr int kPipWidth = 11;
constexpr int kPipHeight = 9;
constexpr int kSuitStripHeight = 5;
base::Image SuitPip(int suit);

// A card's extent relative to its glyph origin (all inclusive). The four corner
// pixels are left undrawn, which rounds the card against whatever lies beneath.
constexpr int kCardLeft = -4;     // black left edge column
constexpr int kCardRight = 25;    // right edge column
constexpr int kCardTop = -4;      // top edge row
constexpr int kCardBottom = 109;  // dark lower edge row
constexpr int kCardWidth = kCardRight - kCardLeft + 1;
constexpr int kCardHeight = kCardBottom - kCardTop + 1;
constexpr int kPipDx = 1;   // pip origin relative to the glyph origin
constexpr int kPipDy = 21;
constexpr int kCardPitch = 22;  // glyph to glyph in an overlapping row
// The face is plain from the pip's last row down to the lower edge: rows that the
// program scans across a card must meet only its left edge and blank face.
constexpr int kBlankFaceFirstRow = kPipDy + kPipHeight;

// Draws the face-up card of `rank` and `suit` (ink by suit) with its glyph origin
// at (glyph_x, glyph_y); clipped to the image. The 2 is drawn with whatever suit it
// is given (the game's one 2 is the 2 of spades).
void DrawCard(base::Image& into, int glyph_x, int glyph_y, int rank, int suit);

// Every picture committed under assets/cards/, by file name: a glyph per rank and
// ink, a pip per suit, and one sheet of all 13 x 4 card faces.
std::vector<base::ArtworkFile> ArtworkFiles();

}  // namespace vantrel::card_art
