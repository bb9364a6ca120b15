#include "sim/table_renderer.h"

#include <array>
#include <cmath>
#include <stdexcept>
#include <string_view>

#include "assets/card_art.h"
#include "assets/pixel_art.h"
#include "shared/card_code.h"
#include "sim/table_layout.h"

namespace vantrel::sim {
namespace {

using namespace layout;
using platform::Image;
using platform::Rgb;

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

void FillRoundedRect(Image& image, Rect r, int radius, Rgb colour) {
    for (int row = 0; row < r.h; ++row) {
        const int from_edge = std::min(row, r.h - 1 - row);
        int inset = 0;
        if (from_edge < radius) {
            const double dy = radius - from_edge - 0.5;
            inset = radius - static_cast<int>(std::lround(std::sqrt(radius * radius - dy * dy)));
        }
        image.FillRect(r.x + inset, r.y + row, r.w - 2 * inset, 1, colour);
    }
}

// A rounded rectangle with a one-pixel outline.
void DrawTag(Image& image, Rect r, int radius, Rgb outline, Rgb fill) {
    FillRoundedRect(image, r, radius, outline);
    FillRoundedRect(image, {r.x + 1, r.y + 1, r.w - 2, r.h - 2}, radius - 1, fill);
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

void DrawFeltAndPanels(Image& image) {
    image.Fill(kFeltRim);
    image.FillRect(kRimWidth, kRimWidth, kClientWidth - 2 * kRimWidth, kClientHeight - 2 * kRimWidth, kFelt);
    for (const Rect& panel : kSeatPanel) DrawTag(image, panel, kPanelRadius, kPanelEdge, kPanel);
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

void DrawBottomBar(Image& image, bool in_hand) {
    image.FillRect(kBottomBar.x, kBottomBar.y, kBottomBar.w, kBottomBar.h, kBar);
    image.FillRect(kBottomBar.x, kBottomBar.y, kBottomBar.w, 2, kBarEdge);
    DrawTag(image, kDealLamp, 5, kBarEdge, in_hand ? kLampLit : kLampOff);
}

void DrawDeck(Image& image) {
    for (int back = kDeckBacks - 1; back >= 0; --back) {
        const Rect r{kDeckTopBack.x + back * kDeckBackStep.x, kDeckTopBack.y + back * kDeckBackStep.y, kDeckTopBack.w,
                     kDeckTopBack.h};
        DrawTag(image, r, 3, kDeckFrame, kDeckBack);
        const Rect frame{r.x + kDeckFrameInset, r.y + kDeckFrameInset, r.w - 2 * kDeckFrameInset,
                         r.h - 2 * kDeckFrameInset};
        image.FillRect(frame.x, frame.y, frame.w, 1, kDeckFrame);
        image.FillRect(frame.x, frame.y + frame.h - 1, frame.w, 1, kDeckFrame);
        image.FillRect(frame.x, frame.y, 1, frame.h, kDeckFrame);
        image.FillRect(frame.x + frame.w - 1, frame.y, 1, frame.h, kDeckFrame);
    }
}

// An overlapping row of face-up cards, the first card's glyph at `first_glyph`.
void DrawCardRow(Image& image, Point first_glyph, const std::vector<CardCode>& cards) {
    if (cards.empty()) return;
    const int count = static_cast<int>(cards.size());
    image.FillRect(first_glyph.x + assets::kCardLeft + kCardShadowOffset,
                   first_glyph.y + assets::kCardTop + kCardShadowOffset,
                   (count - 1) * assets::kCardPitch + assets::kCardWidth, assets::kCardHeight, kCardShadow);
    for (int k = 0; k < count; ++k) {
        const CardCode code = cards[static_cast<std::size_t>(k)];
        if (code < 1 || code > 49) throw std::invalid_argument("card code outside 1..49");
        const cards::Card card = cards::CardOf(code);
        assets::DrawCard(image, first_glyph.x + k * assets::kCardPitch, first_glyph.y, card.rank, card.suit);
    }
}

void DrawFirstMoverBadge(Image& image, int seat) {
    const Point probe = kFirstSeatProbe[static_cast<std::size_t>(seat)];
    const Point centre = Offset(probe, kFirstBadgeCentreFromProbe);
    FillDisc(image, centre, kFirstBadgeRadius, kBadgeRim);
    FillDisc(image, centre, kFirstBadgeRadius - 1, kFirstBadge);
    const Point glyph = Offset(probe, kFirstGlyphFromProbe);
    assets::StampPixelArt(image, glyph.x, glyph.y, kFirstGlyph, kSignText);
}

void DrawPassBadge(Image& image, int seat) {
    const Point probe = kPassProbe[static_cast<std::size_t>(seat)];
    const Rect& r = kPassBadgeFromProbe;
    DrawTag(image, {probe.x + r.x, probe.y + r.y, r.w, r.h}, 5, kBadgeRim, kPassBadge);
    const Point first = Offset(probe, kPassFirstGlyphFromProbe);
    const Point second = Offset(probe, kPassSecondGlyphFromProbe);
    assets::StampPixelArt(image, first.x, first.y, kPassGlyphNot, kSignText);
    assets::StampPixelArt(image, second.x, second.y, kPassGlyphOut, kSignText);
}

}  // namespace

platform::Image RenderTable(const TableState& state) {
    Image image(kClientWidth, kClientHeight);
    DrawFeltAndPanels(image);
    for (int seat = 0; seat < kSeats; ++seat) DrawAvatar(image, seat);
    DrawBottomBar(image, state.in_hand);
    if (state.in_hand) DrawDeck(image);
    for (int seat = 0; seat < kSeats; ++seat)
        DrawCardRow(image, kPlayGlyph[static_cast<std::size_t>(seat)], state.areas[static_cast<std::size_t>(seat)].laid);
    DrawCardRow(image, kOwnRowGlyph, state.own_row);
    // Signs go on top: a lit sign must read as lit whatever lies beneath it.
    if (state.first_mover_sign >= 0 && state.first_mover_sign < kSeats) DrawFirstMoverBadge(image, state.first_mover_sign);
    for (int seat = 0; seat < kSeats; ++seat)
        if (state.areas[static_cast<std::size_t>(seat)].pass_sign) DrawPassBadge(image, seat);
    return image;
}

}  // namespace vantrel::sim
