#include "sim/table_renderer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <string_view>

#include "sim/card_art/card_art.h"
#include "sim/card_art/pixel_art.h"
#include "base/card_code.h"
#include "sim/table_layout.h"

namespace vantrel::sim {
namespace {

using namespace layout;
using base::Image;
using base::Rgb;

using SignGlyph = std::array<std::string_view, 11>;

// 先 "first": its legs stand apart at row 8, column 5, where the probe looks.
constexpr SignGlyph kFirstGlyph = {
    "...#.#.....",
    "..#..#.....",
    ".########..",
    ".....#.....",
    ".....#.....",
    "###########",
    "...#...#...",
    "...#...#...",
    "..#....#...",
    ".##....#..#",
    "#......####",
};

// 不出 "no play": the game's word for a pass.
constexpr SignGlyph kPassGlyphNot = {
    "###########",
    "......#....",
    ".....#.....",
    "....###....",
    "...#.#.#...",
    "..#..#..#..",
    ".#...#...#.",
    "#....#....#",
    ".....#.....",
    ".....#.....",
    ".....#.....",
};
constexpr SignGlyph kPassGlyphOut = {
    ".....#.....",
    ".#...#...#.",
    ".#...#...#.",
    ".#...#...#.",
    ".#########.",
    ".....#.....",
    "#....#....#",
    "#....#....#",
    "#....#....#",
    "#....#....#",
    "###########",
};

Point Offset(Point p, Point by) { return {p.x + by.x, p.y + by.y}; }
Rect Moved(Rect r, Point by) { return {r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y}; }
Rect Inset(Rect r, int by) { return {r.left + by, r.top + by, r.right - by, r.bottom - by}; }

void FillRoundedRect(Image& image, Rect r, int radius, Rgb colour) {
    for (int row = 0; row < r.height(); ++row) {
        const int from_edge = std::min(row, r.height() - 1 - row);
        int inset = 0;
        if (from_edge < radius) {
            const double dy = radius - from_edge - 0.5;
            inset = radius - static_cast<int>(std::lround(std::sqrt(radius * radius - dy * dy)));
        }
        image.FillRect(r.left + inset, r.top + row, r.width() - 2 * inset, 1, colour);
    }
}

// A rounded rectangle with a one-pixel outline.
void DrawTag(Image& image, Rect r, int radius, Rgb outline, Rgb fill) {
    FillRoundedRect(image, r, radius, outline);
    FillRoundedRect(image, Inset(r, 1), radius - 1, fill);
}

bool InDisc(int dx, int dy, int radius) { return dx * dx + dy * dy <= radius * radius + radius; }

// Paints the part of an ellipse that also lies inside the clipping disc.
void FillEllipseInDisc(Image& image, Point centre, int rx, int ry, Point clip_centre, int clip_radius, Rgb colour) {
    for (int dy = -ry; dy <= ry; ++dy) {
        for (int dx = -rx; dx <= rx; ++dx) {
            const int x = centre.x + dx, y = centre.y + dy;
            if (dx * dx * ry * ry + dy * dy * rx * rx > rx * rx * ry * ry) continue;
            if (!InDisc(x - clip_centre.x, y - clip_centre.y, clip_radius) || !image.Contains(x, y)) continue;
            image.set(x, y, colour);
        }
    }
}

void FillDisc(Image& image, Point centre, int radius, Rgb colour) {
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (InDisc(dx, dy, radius) && image.Contains(centre.x + dx, centre.y + dy))
                image.set(centre.x + dx, centre.y + dy, colour);
}

void DrawAvatar(Image& image, int seat) {
    const Point c = kAvatarCentre[static_cast<std::size_t>(seat)];
    const int inner = kAvatarRadius - 2;
    FillDisc(image, c, kAvatarRadius, kBadgeRim);
    FillDisc(image, c, inner, kAvatarBack);
    FillEllipseInDisc(image, {c.x, c.y + 24}, 19, 15, c, inner, kShirt[static_cast<std::size_t>(seat)]);
    FillDisc(image, {c.x, c.y - 8}, 11, kHair);
    FillDisc(image, {c.x, c.y - 5}, 9, kSkin);
}

// The deck's face-down card `back` (0 the top one).
Rect DeckBack(int back) { return Moved(kDeckTopBack, {back * kDeckBackStep.x, back * kDeckBackStep.y}); }

void DrawDeck(Image& image) {
    for (int back = kDeckBacks - 1; back >= 0; --back) {
        const Rect r = DeckBack(back);
        DrawTag(image, r, 3, kDeckFrame, kDeckBack);
        const Rect frame = Inset(r, kDeckFrameInset);
        image.FillRect(frame.left, frame.top, frame.width(), 1, kDeckFrame);
        image.FillRect(frame.left, frame.bottom - 1, frame.width(), 1, kDeckFrame);
        image.FillRect(frame.left, frame.top, 1, frame.height(), kDeckFrame);
        image.FillRect(frame.right - 1, frame.top, 1, frame.height(), kDeckFrame);
    }
}

// An overlapping row of face-up cards, the first card's glyph at `first_glyph`.
void DrawCardRow(Image& image, Point first_glyph, const std::vector<CardCode>& cards) {
    if (cards.empty()) return;
    const int count = static_cast<int>(cards.size());
    image.FillRect(first_glyph.x + card_art::kCardLeft + kCardShadowOffset,
                   first_glyph.y + card_art::kCardTop + kCardShadowOffset,
                   (count - 1) * card_art::kCardPitch + card_art::kCardWidth, card_art::kCardHeight, kCardShadow);
    for (int k = 0; k < count; ++k) {
        const cards::Card card = cards::CardOf(cards[static_cast<std::size_t>(k)]);
        card_art::DrawCard(image, first_glyph.x + k * card_art::kCardPitch, first_glyph.y, card.rank, card.suit);
    }
}

void DrawFirstMoverBadge(Image& image, int seat) {
    const Point probe = kFirstSeatProbe[static_cast<std::size_t>(seat)];
    const Point centre = Offset(probe, kFirstBadgeCentreFromProbe);
    FillDisc(image, centre, kFirstBadgeRadius, kBadgeRim);
    FillDisc(image, centre, kFirstBadgeRadius - 1, kFirstBadge);
    const Point glyph = Offset(probe, kFirstGlyphFromProbe);
    card_art::StampPixelArt(image, glyph.x, glyph.y, kFirstGlyph, kSignText);
}

void DrawPassBadge(Image& image, int seat) {
    const Point probe = kPassProbe[static_cast<std::size_t>(seat)];
    DrawTag(image, Moved(kPassBadgeFromProbe, probe), 5, kBadgeRim, kPassBadge);
    const Point first = Offset(probe, kPassFirstGlyphFromProbe);
    const Point second = Offset(probe, kPassSecondGlyphFromProbe);
    card_art::StampPixelArt(image, first.x, first.y, kPassGlyphNot, kSignText);
    card_art::StampPixelArt(image, second.x, second.y, kPassGlyphOut, kSignText);
}

// --- The table as pieces ------------------------------------------------------------
//
// A frame is the background (felt, seat panels, figures, bottom bar), which never
// changes, with the pieces below drawn over it, bottom first. Each piece is drawn
// from the state alone and paints nothing outside its footprint; that is what lets
// a canvas redraw only the pieces that changed.

Image DrawBackground() {
    Image image(kClientWidth, kClientHeight, kFeltRim);
    image.FillRect(kRimWidth, kRimWidth, kClientWidth - 2 * kRimWidth, kClientHeight - 2 * kRimWidth, kFelt);
    for (const Rect& panel : kSeatPanel) DrawTag(image, panel, kPanelRadius, kPanelEdge, kPanel);
    for (int seat = 0; seat < kSeats; ++seat) DrawAvatar(image, seat);
    image.FillRect(kBottomBar.left, kBottomBar.top, kBottomBar.width(), kBottomBar.height(), kBar);
    image.FillRect(kBottomBar.left, kBottomBar.top, kBottomBar.width(), 2, kBarEdge);
    return image;
}

const Image& Background() {
    static const Image background = DrawBackground();
    return background;
}

struct Piece {
    enum Kind { kLamp, kDeck, kPlay, kOwnRow, kFirstMover, kPass } kind;
    int seat = 0;  // kPlay and kPass only
};

// Bottom first. Signs go on top: a lit sign must read as lit whatever lies beneath it.
constexpr std::array<Piece, 10> kPiecesBottomUp{{{Piece::kLamp},
                                                 {Piece::kDeck},
                                                 {Piece::kPlay, 0},
                                                 {Piece::kPlay, 1},
                                                 {Piece::kPlay, 2},
                                                 {Piece::kOwnRow},
                                                 {Piece::kFirstMover},
                                                 {Piece::kPass, 0},
                                                 {Piece::kPass, 1},
                                                 {Piece::kPass, 2}}};

const SeatArea& AreaOf(const TableState& state, int seat) { return state.areas[static_cast<std::size_t>(seat)]; }
bool FirstMoverShows(const TableState& state) { return state.first_mover_sign >= 0 && state.first_mover_sign < kSeats; }

Rect Union(Rect a, Rect b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}
Rect ClipToClient(Rect r) {
    const Rect clipped = base::Intersection(r, {0, 0, kClientWidth, kClientHeight});
    return clipped.empty() ? Rect{} : clipped;
}
bool Overlap(Rect a, Rect b) { return !base::Intersection(a, b).empty(); }

Rect CardRowFootprint(Point first_glyph, const std::vector<CardCode>& cards) {
    if (cards.empty()) return {};
    const int count = static_cast<int>(cards.size());
    return Box(first_glyph.x + card_art::kCardLeft, first_glyph.y + card_art::kCardTop,
               (count - 1) * card_art::kCardPitch + card_art::kCardWidth + kCardShadowOffset,
               card_art::kCardHeight + kCardShadowOffset);
}

Rect DeckFootprint() {
    Rect all;
    for (int back = 0; back < kDeckBacks; ++back) all = Union(all, DeckBack(back));
    return all;
}

Rect FirstMoverFootprint(int seat) {
    const Point probe = kFirstSeatProbe[static_cast<std::size_t>(seat)];
    const Point centre = Offset(probe, kFirstBadgeCentreFromProbe);
    const Point glyph = Offset(probe, kFirstGlyphFromProbe);
    const Rect disc{centre.x - kFirstBadgeRadius, centre.y - kFirstBadgeRadius, centre.x + kFirstBadgeRadius + 1,
                    centre.y + kFirstBadgeRadius + 1};
    return Union(disc, Box(glyph.x, glyph.y, static_cast<int>(kFirstGlyph[0].size()), static_cast<int>(kFirstGlyph.size())));
}

Rect PassFootprint(int seat) {
    const Point probe = kPassProbe[static_cast<std::size_t>(seat)];
    Rect all = Moved(kPassBadgeFromProbe, probe);
    for (const Point glyph : {Offset(probe, kPassFirstGlyphFromProbe), Offset(probe, kPassSecondGlyphFromProbe)})
        all = Union(all, Box(glyph.x, glyph.y, static_cast<int>(kPassGlyphNot[0].size()), static_cast<int>(kPassGlyphNot.size())));
    return all;
}

// Every pixel the piece paints in `state`, clipped to the client area; empty when
// the piece is not drawn.
Rect Footprint(Piece piece, const TableState& state) {
    switch (piece.kind) {
        case Piece::kLamp: return kDealLamp;
        case Piece::kDeck: return state.in_hand ? DeckFootprint() : Rect{};
        case Piece::kPlay:
            return ClipToClient(CardRowFootprint(kPlayGlyph[static_cast<std::size_t>(piece.seat)], AreaOf(state, piece.seat).laid));
        case Piece::kOwnRow: return ClipToClient(CardRowFootprint(kOwnRowGlyph, state.own_row));
        case Piece::kFirstMover: return FirstMoverShows(state) ? FirstMoverFootprint(state.first_mover_sign) : Rect{};
        case Piece::kPass: return AreaOf(state, piece.seat).pass_sign ? PassFootprint(piece.seat) : Rect{};
    }
    return {};
}

// Whether the piece looks the same in both states.
bool SameLook(Piece piece, const TableState& a, const TableState& b) {
    switch (piece.kind) {
        case Piece::kLamp:
        case Piece::kDeck: return a.in_hand == b.in_hand;
        case Piece::kPlay: return AreaOf(a, piece.seat).laid == AreaOf(b, piece.seat).laid;
        case Piece::kOwnRow: return a.own_row == b.own_row;
        case Piece::kFirstMover:
            return FirstMoverShows(a) == FirstMoverShows(b) && (!FirstMoverShows(a) || a.first_mover_sign == b.first_mover_sign);
        case Piece::kPass: return AreaOf(a, piece.seat).pass_sign == AreaOf(b, piece.seat).pass_sign;
    }
    return false;
}

void DrawPiece(Piece piece, const TableState& state, Image& image) {
    switch (piece.kind) {
        case Piece::kLamp: DrawTag(image, kDealLamp, 5, kBarEdge, state.in_hand ? kLampLit : kLampOff); return;
        case Piece::kDeck:
            if (state.in_hand) DrawDeck(image);
            return;
        case Piece::kPlay:
            DrawCardRow(image, kPlayGlyph[static_cast<std::size_t>(piece.seat)], AreaOf(state, piece.seat).laid);
            return;
        case Piece::kOwnRow: DrawCardRow(image, kOwnRowGlyph, state.own_row); return;
        case Piece::kFirstMover:
            if (FirstMoverShows(state)) DrawFirstMoverBadge(image, state.first_mover_sign);
            return;
        case Piece::kPass:
            if (AreaOf(state, piece.seat).pass_sign) DrawPassBadge(image, piece.seat);
            return;
    }
}

// Before any pixel is drawn, so that a bad state never leaves half a frame.
void CheckCardCodes(const TableState& state) {
    auto check = [](const std::vector<CardCode>& cards) {
        for (CardCode code : cards)
            if (code < 1 || code > 49) throw std::invalid_argument("card code outside 1..49");
    };
    check(state.own_row);
    for (const SeatArea& area : state.areas) check(area.laid);
}

void CopyArea(const Image& from, Rect r, Image& into) {
    for (int y = r.top; y < r.bottom; ++y) std::copy_n(from.row(y) + r.left, r.width(), &into.at(r.left, y));
}

}  // namespace

base::Image RenderTable(const TableState& state) {
    CheckCardCodes(state);
    Image image = Background();
    for (const Piece& piece : kPiecesBottomUp) DrawPiece(piece, state, image);
    return image;
}

TableCanvas::TableCanvas() : frame_(RenderTable(shown_)) {}

const base::Image& TableCanvas::Show(const TableState& next) {
    CheckCardCodes(next);
    std::array<bool, kPiecesBottomUp.size()> redraw{};
    std::vector<Rect> dirty;
    for (std::size_t i = 0; i < kPiecesBottomUp.size(); ++i) {
        if (SameLook(kPiecesBottomUp[i], shown_, next)) continue;
        redraw[i] = true;
        for (const Rect r : {Footprint(kPiecesBottomUp[i], shown_), Footprint(kPiecesBottomUp[i], next)})
            if (!r.empty()) dirty.push_back(r);
    }
    // A piece that overlaps a redrawn area is redrawn whole, and its own area with
    // it, or the restored background would cut it, or it would bury a piece above.
    for (bool grew = !dirty.empty(); grew;) {
        grew = false;
        for (std::size_t i = 0; i < kPiecesBottomUp.size(); ++i) {
            if (redraw[i]) continue;
            const Rect r = Footprint(kPiecesBottomUp[i], next);
            if (r.empty() || std::none_of(dirty.begin(), dirty.end(), [&](Rect d) { return Overlap(r, d); })) continue;
            redraw[i] = true;
            dirty.push_back(r);
            grew = true;
        }
    }
    for (const Rect r : dirty) CopyArea(Background(), r, frame_);
    for (std::size_t i = 0; i < kPiecesBottomUp.size(); ++i)
        if (redraw[i]) DrawPiece(kPiecesBottomUp[i], next, frame_);
    shown_ = next;
    return frame_;
}

}  // namespace vantrel::sim
