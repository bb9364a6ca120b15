// A game screen painted by hand for tests and benchmarks that need exact control
// over single pixels: the deal signs, marker signs and blank-faced cards, which
// the glyph tests read as the queen of spades, a dealt row of low cards, and
// cards that show a six.
#pragma once

#include <string_view>

#include "base/image.h"
#include "support/card_probes.h"
#include "support/pixel_contract.h"

namespace vantrel::testing {

constexpr base::Rgb kFelt{10, 100, 115};    // holds the first deal probe
constexpr base::Rgb kCorner{80, 150, 150};  // holds the second deal probe
constexpr base::Rgb kSign{245, 200, 55};    // a first-mover sign
constexpr base::Rgb kPass{250, 200, 10};    // a pass sign
constexpr base::Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kDark{40, 40, 40};

inline void PaintDealSigns(base::Image& screen) {
    screen.set(400, 192, kFelt);
    screen.set(785, 591, kCorner);
}

// A face-up card with a blank face, its glyph origin at (gx, gy): a black left
// edge at gx - 4 and a dark lower edge 109 below the glyph's top row.
inline void PaintBlankCard(base::Image& screen, int gx, int gy) {
    screen.FillRect(gx - 4, gy - 4, 30, 114, kWhite);
    screen.FillRect(gx - 4, gy - 4, 1, 114, kBlack);
    screen.FillRect(gx - 4, gy + 109, 30, 2, kDark);
}

// Ink at the glyph probes that `classes` marks 'I' (one letter per probe, in the
// decision list's order), on a white face.
inline void PaintGlyphInk(base::Image& screen, int gx, int gy, std::string_view classes) {
    for (std::size_t k = 0; k < test::kGlyphProbes.size(); ++k)
        if (classes[k] == 'I') screen.set(gx + test::kGlyphProbes[k].column, gy + test::kGlyphProbes[k].row, kBlack);
}

// The user's dealt row: a deal can hold it, four each of the 3, 4, 5 and 6 (all
// read as spades), so that blank cards laid later are queens still out.
inline void PaintOwnRow(base::Image& screen, int cards) {
    constexpr std::string_view kGlyphs[] = {"PPIPPPPPIP", "IPPPIPPPIP", "PIPPPPPPIP", "IIIPPPPPPP"};  // 3, 4, 5, 6
    for (int k = 0; k < cards; ++k) {
        PaintBlankCard(screen, 198 + 22 * k, 358);
        PaintGlyphInk(screen, 198 + 22 * k, 358, kGlyphs[k / 4 % 4]);
    }
}

// A card face with a six's glyph at (gx, gy): ink at the six's probes on white,
// a white suit strip (a spade) and a white next-card probe, so a row read there
// is one six.
inline void PaintSix(base::Image& screen, int gx, int gy) {
    screen.FillRect(gx - 3, gy - 4, 29, 34, kWhite);
    PaintGlyphInk(screen, gx, gy, "IIIPPPPPPP");
}

// A play of one six as a scan along `row` meets it: a face that begins at whiteX,
// white from above the glyph down to the row before its lower edge, two dark rows
// from kLaidSixEdge under the scan row on, and the glyph 3 right of whiteX and 109
// above the first dark row. What lies left of the face (the card's black edge) is
// each caller's own.
constexpr int kLaidSixEdge = 12;
inline void PaintLaidSix(base::Image& screen, int whiteX, int row) {
    const int edge = row + kLaidSixEdge, gy = edge - contract::kGlyphAboveEdge;
    screen.FillRect(whiteX, gy - 4, 30, edge - gy + 4, kWhite);
    screen.FillRect(whiteX, edge, 30, 2, kDark);
    PaintSix(screen, whiteX + contract::kGlyphRightOfHit, gy);
}

}  // namespace vantrel::testing
