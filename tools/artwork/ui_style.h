// The look shared by the three windows: one palette around the windows' back
// colour, the fonts, and the pieces every window is built from (title strip, inset
// panel, bevelled button, close button, card tile, text placement). The pictures
// themselves are composed in ui_art_main.cpp and ui_art_overlays.cpp.
//
// Pictures that lie over a background are painted on a crop of that background,
// so their smoothed edges blend with exactly the pixels beneath them.
//
// Every set is drawn at one display scale: places and sizes come from the layout
// tables at that scale, and every other length here (rims, radii, font sizes, the
// corners of icons) is given at 100% and multiplied by it, so that each scale's
// pictures are drawn afresh from the fonts and shapes, never resampled.
#pragma once

#include <functional>
#include <string_view>

#include "artwork/font_face.h"
#include "artwork/raster.h"
#include "base/image.h"
#include "ui/layout.h"
#include "ui/scale.h"

namespace vantrel::artwork::style {

using base::Image;
using base::Rgb;

// --- Scale -----------------------------------------------------------------------
// The scale being drawn at, for the life of the scope (100% outside any).
class DrawingScale {
public:
    explicit DrawingScale(ui::Scale scale);
    ~DrawingScale();
    DrawingScale(const DrawingScale&) = delete;
    DrawingScale& operator=(const DrawingScale&) = delete;

private:
    ui::Scale previous_;
};
ui::Scale CurrentScale();
// A length given at 100%, at the current scale: whole pixels, and exact.
int S(int pixels);
double S(double length);
Point S(Point at);
// One pixel at 100%: the width of every rim and outline.
inline int Rim() { return S(1); }
// A window's layout table at the current scale.
const ui::FormLayout& Layout(const ui::FormLayout& table);

struct Box {
    int x = 0, y = 0, width = 0, height = 0;
    int right() const { return x + width; }    // one past the last column
    int bottom() const { return y + height; }  // one past the last row
};

// Where a control of a layout table stands.
Box PlaceOf(const ui::ControlSpec& control);
// The smallest box holding both.
Box Span(Box a, Box b);
// Grown by `dx` columns on each side and `dy` rows above and below.
Box Grown(Box box, int dx, int dy);

// --- Palette -------------------------------------------------------------------
constexpr Rgb kBody{58, 110, 165};  // the windows' back colour
constexpr Rgb kStripTop{44, 82, 130};
constexpr Rgb kStripBottom{24, 50, 88};
constexpr Rgb kStripEdge{14, 32, 60};
constexpr Rgb kFootStrip{27, 55, 95};  // the main window's tip strip, flat so tips slide over it
constexpr Rgb kWell{30, 63, 106};      // the inside of every panel
constexpr Rgb kWellRim{17, 38, 70};
constexpr Rgb kWellLight{104, 150, 200};
constexpr Rgb kLabel{222, 234, 247};
constexpr Rgb kSubtitle{176, 204, 236};
constexpr Rgb kButtonTop{128, 174, 222};
constexpr Rgb kButtonBottom{64, 114, 172};
constexpr Rgb kButtonRim{20, 44, 80};
constexpr Rgb kIcon{255, 255, 255};
constexpr Rgb kCloseTop{232, 92, 80};
constexpr Rgb kCloseBottom{178, 32, 26};
constexpr Rgb kCloseRim{104, 14, 12};
constexpr Rgb kCardFace{255, 255, 255};
constexpr Rgb kCardRim{70, 80, 96};
constexpr Rgb kBlackInk{22, 24, 30};
constexpr Rgb kRedInk{206, 28, 28};
constexpr Rgb kCountRed{236, 44, 44};
constexpr Rgb kCountGreen{96, 226, 110};
constexpr Rgb kStarRed{232, 40, 40};
constexpr Rgb kTickBlue{26, 118, 222};

constexpr int kTitleHeight = 15;  // every window's title strip, rows 0..14 (at 100%)
constexpr int kTitleBaseline = 12;
constexpr double kPanelRadius = 4;
constexpr double kButtonRadius = 3;
constexpr double kCardRadius = 2.5;

// --- Fonts ---------------------------------------------------------------------
// Sizes are at 100%; each face is opened at its size times the current scale.
// WenQuanYi Bitmap Song, 12 pixels: every small Chinese label; its 15-pixel strike
// at 125%, and WenQuanYi Zen Hei, smoothed, above, where the bitmap face has none.
const FontFace& ChineseFont();
// WenQuanYi Zen Hei, 9 pixels: the two characters of the pass tile, where no
// bitmap face is small enough.
const FontFace& SmallChineseFont();
// DejaVu Sans Bold, 11 pixels: the program's name in the title strips.
const FontFace& TitleFont();
// DejaVu Sans Condensed Bold at `pixels`: digits, ranks and letters.
const FontFace& FigureFont(int pixels, Edges edges = Edges::kSmooth);

// --- Text ----------------------------------------------------------------------
// A rank as a card shows it: "3".."10", "J", "Q", "K", "A", "2" for 3..15.
std::string_view RankLabel(int rank);

// --- Placing text --------------------------------------------------------------
// The line's pen starts at column `penX`; its baseline lies above row `baseline`
// (glyphs that rest on it end in row baseline - 1).
void DrawText(Image& into, const TextMask& text, int penX, int baseline, Rgb colour);
// The line's inked box centred in `box` (rounded up and to the left).
void DrawCentred(Image& into, const TextMask& text, Box box, Rgb colour);
// The same, ringed by an outline one pixel wide at 100%.
void DrawCentredOutlined(Image& into, const TextMask& text, Box box, Rgb colour, Rgb outline);

// --- Pieces --------------------------------------------------------------------
Image Crop(const Image& from, Box box);

// The strip across the top of a window: its gradient, the program's name and,
// for the overlays, the window's own name after it.
void DrawTitleStrip(Image& into, std::string_view windowName);

// A sunken panel: a dark rim above and to the left, a light edge below and to
// the right, the well inside.
void DrawPanel(Image& into, Box box);

enum class Look { kRest, kHover, kPressed };

// What a button shows on its face, painted at an offset of (shift, shift) so that
// a pressed face can move it down and to the right.
using FacePainter = std::function<void(Image& face, int shift)>;

// A bevelled button filling `face`: raised at rest, lighter when hovered, sunken
// and darker when pressed.
void DrawButton(Image& face, Look look, const FacePainter& paint);
// An icon given as a coverage mask of the face's size, white with a soft shadow.
FacePainter IconPainter(Mask icon);
// The close button: a white cross on red.
void DrawCloseButton(Image& face, Look look);
// The close button's face where `place` puts it on the window's `base`.
Image ClosePicture(const Image& base, Box place, Look look);

// A card face filling `tile`: a dark rim and a white face with rounded corners,
// so that two neighbouring tiles never run together.
void DrawCardTile(Image& tile);

// A five-pointed star in a width x height mask.
Mask Star(int width, int height, Point centre, double outerRadius, double innerRadius);

}  // namespace vantrel::artwork::style
