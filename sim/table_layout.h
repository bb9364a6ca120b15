// Table layout: every position and colour of the stand-in's 800 x 600 client area.
//
// The program reads the game window only through fixed pixels, so this layout is
// built around them. Each probe sits on one flat, un-blended area whose colour lies
// deep inside the probe's band when the sign is lit and far outside every band
// otherwise, and the only black pixel followed by a white one on a scan row is a
// card's left edge meeting its face.
//
// Bands (B, G, R bytes; all bounds strict unless written <=):
//   deal        (400,192)  80 < B < 150, R < 20
//   deal lamp   (785,591)  120 < B < 180, G > 110, R < 175
//   first mover            20 < B < 90, 170 < G < 230, R > 220
//   pass                   170 < G < 230, B < 70, R > 230
//   scan hit               B,G,R < 4, then B,G,R > 220 at the next x
//   lower edge             B,G,R <= 100 (walk down from the hit)
//   next card              R < 10 at glyph x + 18, glyph row
//   glyph ink              B < 150
// A colour's margin to a band: +n when it passes every clause by n or more, -n when
// it fails some clause by n. Colours that lie under a probe:
//   colour                      deal   lamp   first  pass   lies under
//   kDeckBack    0, 70,115 RGB   +20    -40   -220   -230   (400,192) during a hand
//   kFelt       52,122, 70       -32    -50   -168   -178   (400,192) between hands; seats 1, 2 first-mover probes
//   kLampLit    60,170,150       -40    +30   -160   -170   (785,591) during a hand
//   kLampOff    64, 72, 82       -44    -38   -156   -166   (785,591) between hands
//   kPanel      62,136, 80       -42    -40   -158   -168   seat 0 first-mover probe; every pass probe
//   kFirstBadge 250,200,55      -230    -75    +30    +15   a lit first-mover probe
//   kPassBadge  255,200, 0      -235   -120    -20    +25   a lit pass probe
//   card face  255,255,255      -235    -80   -165   -185   any probe a card covers
//   red ink    200,  0,  0      -180   -120   -170   -170   (black ink 0,0,0 fails each by 80 or more)
// The first-mover badge also passes the pass band, so every first-mover badge lies
// 80 pixels or more from every pass probe. The deal band's R < 20 allows at most +20.
// Card colours against the table's other reads: the edge 0,0,0 is scan-black by 4,
// lower-edge dark by 100 and next-card dark by 10; the face 255,255,255 is scan-white
// by 35, 155 clear of dark, and lights the next-card probe by 245. At glyph and suit
// probes the blue byte is 0 (ink) or 255 (face): the nearest to the cut of 150 is 255.
//
// Cards (glyph origin gx, gy; card gx-4..gx+25 by gy-4..gy+109; 22-pixel pitch):
//   seat   glyph row   first edge x   scan row    span        cards   rows      columns
//   0      238         242            330 gy+92   240..360    16      234..347  242..601
//   1      114         462            214 gy+100  460..640    15      110..223  462..799
//   2      114         10             214 gy+100  1..140      16      110..223  10..369
//   own    358         194            -           -           16      354..467  194..553
// Scan rows cross the cards below the pip (its rows end at gy+29), so they meet only
// the first card's edge and blank faces. The opponents' plays end (223, shadow 225)
// above seat 0's (234), and seat 0's (347, shadow 349) above the own row (354), so no
// row of cards ever covers another's glyphs. Further cards are drawn on at the same
// pitch and clipped at the window's edge.
#pragma once

#include <array>

#include "sim/table_state.h"
#include "base/image.h"

namespace vantrel::sim::layout {

struct Point {
    int x = 0, y = 0;
};
using base::Rect;
// The rectangle of `width` x `height` pixels whose top-left pixel is (x, y).
constexpr Rect Box(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }
struct ScanSpan {
    int first_x = 0, last_x = 0;
};

constexpr int kClientWidth = 800;
constexpr int kClientHeight = 600;

// --- Where the program looks (fixed by the game client) -------------------------
constexpr Point kDealProbe{400, 192};
constexpr Point kDealLampProbe{785, 591};
constexpr std::array<Point, kSeats> kFirstSeatProbe{{{542, 322}, {562, 80}, {244, 76}}};
constexpr std::array<Point, kSeats> kPassProbe{{{498, 451}, {658, 154}, {108, 154}}};
constexpr std::array<int, kSeats> kScanRow{330, 214, 214};
constexpr std::array<ScanSpan, kSeats> kScanSpan{{{240, 360}, {460, 640}, {1, 140}}};
constexpr Point kOwnRowGlyph{198, 358};

// --- Cards ------------------------------------------------------------------------
// Glyph origin of each seat's first laid card; card k lies kCardPitch * k further right.
constexpr std::array<Point, kSeats> kPlayGlyph{{{246, 238}, {466, 114}, {14, 114}}};
constexpr std::array<int, kSeats> kPlayCapacity{16, 15, 16};
constexpr int kOwnRowCapacity = 16;
constexpr int kCardShadowOffset = 2;  // the shadow falls right and down

// --- Shapes -----------------------------------------------------------------------
constexpr int kRimWidth = 6;
// Slightly lighter felt under each seat's cards; seat 0's panel holds both its play
// area and the own row.
constexpr std::array<Rect, kSeats> kSeatPanel{{Box(188, 232, 420, 242), Box(456, 106, 344, 124), Box(4, 106, 372, 124)}};
constexpr int kPanelRadius = 8;

// The deal sign: the stack of face-down cards at the table's centre during a hand.
constexpr Rect kDeckTopBack = Box(386, 172, 28, 40);
constexpr int kDeckBacks = 3;
constexpr Point kDeckBackStep{-3, -2};  // each lower back peeks out up and to the left
constexpr int kDeckFrameInset = 3;

// The deal lamp in the bottom bar's right corner, lit during a hand.
constexpr Rect kBottomBar = Box(0, 572, 800, 28);
constexpr Rect kDealLamp = Box(756, 580, 40, 17);

// The first-mover badge: a disc with 先, placed so the probe falls between the
// character's legs, on plain fill.
constexpr Point kFirstBadgeCentreFromProbe{0, -3};
constexpr int kFirstBadgeRadius = 10;
constexpr Point kFirstGlyphFromProbe{-5, -8};

// The pass badge: 不出 on a rounded tag centred on the probe, which falls in the gap
// between the two characters.
constexpr Rect kPassBadgeFromProbe = Box(-17, -9, 35, 19);
constexpr Point kPassFirstGlyphFromProbe{-14, -5};
constexpr Point kPassSecondGlyphFromProbe{4, -5};

// Seat figures: seat 2 top left, seat 1 top right, seat 0 (the user) bottom left.
constexpr std::array<Point, kSeats> kAvatarCentre{{{110, 410}, {626, 72}, {180, 72}}};
constexpr int kAvatarRadius = 28;

// --- Colours ----------------------------------------------------------------------
constexpr base::Rgb kFelt{52, 122, 70};
constexpr base::Rgb kFeltRim{34, 84, 46};
constexpr base::Rgb kPanel{62, 136, 80};
constexpr base::Rgb kPanelEdge{44, 104, 58};
constexpr base::Rgb kCardShadow{28, 70, 40};
constexpr base::Rgb kDeckBack{0, 70, 115};
constexpr base::Rgb kDeckFrame{150, 180, 215};
constexpr base::Rgb kBar{86, 58, 40};
constexpr base::Rgb kBarEdge{120, 84, 56};
constexpr base::Rgb kLampLit{60, 170, 150};
constexpr base::Rgb kLampOff{64, 72, 82};
constexpr base::Rgb kFirstBadge{250, 200, 55};
constexpr base::Rgb kPassBadge{255, 200, 0};
constexpr base::Rgb kBadgeRim{150, 95, 0};
constexpr base::Rgb kSignText{100, 30, 0};
constexpr base::Rgb kAvatarBack{228, 222, 196};
constexpr base::Rgb kSkin{240, 200, 160};
constexpr base::Rgb kHair{60, 40, 30};
constexpr std::array<base::Rgb, kSeats> kShirt{{{200, 60, 60}, {90, 70, 160}, {70, 90, 215}}};

}  // namespace vantrel::sim::layout
