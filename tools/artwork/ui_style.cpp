#include "artwork/ui_style.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <numbers>
#include <string>
#include <tuple>
#include <vector>

#include "shared/layouts.h"

namespace vantrel::artwork::style {
namespace {

ui::Scale& Current() {
    static ui::Scale scale;
    return scale;
}

struct BevelColours {
    Rgb top, bottom, rim;
};

constexpr BevelColours kBlueButton{kButtonTop, kButtonBottom, kButtonRim};
constexpr BevelColours kRedButton{kCloseTop, kCloseBottom, kCloseRim};

// The bevel of a button filling `face`, then what it shows.
void DrawBevel(Image& face, Look look, const BevelColours& colours, const FacePainter& paint) {
    const int w = face.width(), h = face.height(), r = Rim();
    const double outer = S(kButtonRadius), inner = S(kButtonRadius - 1);
    Rgb top = colours.top, bottom = colours.bottom;
    if (look == Look::kHover) {
        top = Lighter(top, 0.3);
        bottom = Lighter(bottom, 0.22);
    }
    Paint(face, RoundedRect(w, h, outer), 0, 0, colours.rim);
    if (look == Look::kPressed) {
        // Sunken: the light falls on the lower edge, the upper edge is in shadow,
        // the face is darker and its gradient turned over.
        Paint(face, RoundedRect(w - 2 * r, h - 2 * r, inner), r, r, Darker(bottom, 0.45));
        PaintGradient(face, RoundedRect(w - 3 * r, h - 3 * r, inner), 2 * r, 2 * r, Darker(bottom, 0.22),
                      Darker(top, 0.12));
    } else {
        Paint(face, RoundedRect(w - 2 * r, h - 2 * r, inner), r, r, Lighter(top, 0.5));
        Paint(face, RoundedRect(w - 3 * r, h - 3 * r, inner), 2 * r, 2 * r, Darker(bottom, 0.3));
        PaintGradient(face, RoundedRect(w - 4 * r, h - 4 * r, inner), 2 * r, 2 * r, top, bottom);
    }
    paint(face, look == Look::kPressed ? r : 0);
}

// A white icon over its shadow, one pixel (at 100%) down and to the right.
FacePainter ShadowedIcon(Mask icon, Rgb shadow) {
    return [icon = std::move(icon), shadow](Image& face, int shift) {
        Paint(face, icon, shift + Rim(), shift + Rim(), shadow);
        Paint(face, icon, shift, shift, kIcon);
    };
}

Mask Cross(int width, int height, double arm) {
    const Point c{width / 2.0, height / 2.0};
    return Union(Segment(width, height, {c.x - arm, c.y - arm}, {c.x + arm, c.y + arm}, S(1.9)),
                 Segment(width, height, {c.x - arm, c.y + arm}, {c.x + arm, c.y - arm}, S(1.9)));
}

}  // namespace

DrawingScale::DrawingScale(ui::Scale scale) : previous_(Current()) { Current() = scale; }
DrawingScale::~DrawingScale() { Current() = previous_; }
ui::Scale CurrentScale() { return Current(); }
int S(int pixels) { return Current().Apply(pixels); }
double S(double length) { return length * Current().factor(); }
Point S(Point at) { return {S(at.x), S(at.y)}; }
const ui::FormLayout& Layout(const ui::FormLayout& table) { return layouts::Scaled(table, Current()); }

Box PlaceOf(const ui::ControlSpec& control) { return {control.left, control.top, control.width, control.height}; }

Box Span(Box a, Box b) {
    const int x = std::min(a.x, b.x), y = std::min(a.y, b.y);
    return {x, y, std::max(a.right(), b.right()) - x, std::max(a.bottom(), b.bottom()) - y};
}

Box Grown(Box box, int dx, int dy) { return {box.x - dx, box.y - dy, box.width + 2 * dx, box.height + 2 * dy}; }

// --- Fonts ---------------------------------------------------------------------

namespace {

// One face of a file at a size, opened on first use and kept.
const FontFace& Face(const char* file, int pixels, Edges edges = Edges::kSmooth) {
    static std::map<std::tuple<std::string, int, Edges>, std::unique_ptr<FontFace>> faces;
    auto& face = faces[{file, pixels, edges}];
    if (!face) face = std::make_unique<FontFace>(file, pixels, edges);
    return *face;
}

}  // namespace

const FontFace& ChineseFont() {
    const int pixels = S(12);
    if (pixels == 12) return Face(VANTREL_FONT_CHINESE, pixels);
    if (pixels == 15) return Face(VANTREL_FONT_CHINESE_15, pixels);
    return Face(VANTREL_FONT_CHINESE_OUTLINE, pixels);
}

const FontFace& SmallChineseFont() { return Face(VANTREL_FONT_CHINESE_OUTLINE, S(9)); }

const FontFace& TitleFont() { return Face(VANTREL_FONT_TITLE, S(11)); }

const FontFace& FigureFont(int pixels, Edges edges) { return Face(VANTREL_FONT_FIGURES, S(pixels), edges); }

// --- Text ----------------------------------------------------------------------

std::string_view RankLabel(int rank) {
    static constexpr std::string_view kNames[] = {"3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K", "A", "2"};
    return kNames[rank - 3];
}

// --- Placing text --------------------------------------------------------------

void DrawText(Image& into, const TextMask& text, int penX, int baseline, Rgb colour) {
    Paint(into, text.ink, penX - text.penLeft, baseline - text.baseline, colour);
}

void DrawCentred(Image& into, const TextMask& text, Box box, Rgb colour) {
    Paint(into, text.ink, box.x + (box.width - text.ink.width()) / 2, box.y + (box.height - text.ink.height()) / 2,
          colour);
}

void DrawCentredOutlined(Image& into, const TextMask& text, Box box, Rgb colour, Rgb outline) {
    const int x = box.x + (box.width - text.ink.width()) / 2, y = box.y + (box.height - text.ink.height()) / 2;
    const int r = Rim();
    Paint(into, Dilate(Padded(text.ink, r), r), x - r, y - r, outline);
    Paint(into, text.ink, x, y, colour);
}

// --- Pieces --------------------------------------------------------------------

Image Crop(const Image& from, Box box) {
    Image out(box.width, box.height);
    out.Blit(from, -box.x, -box.y);
    return out;
}

void DrawTitleStrip(Image& into, std::string_view windowName) {
    const int height = S(kTitleHeight), r = Rim();
    PaintGradient(into, RoundedRect(into.width(), height - r, 0), 0, 0, kStripTop, kStripBottom);
    into.FillRect(0, height - r, into.width(), r, kStripEdge);
    const TextMask name = TitleFont().Render("Vantrel");
    const int pen = S(6), baseline = S(kTitleBaseline);
    DrawText(into, name, pen, baseline, kLabel);
    if (windowName.empty()) return;
    // The window's own name after a thin bar, on the same baseline.
    const int bar = pen + name.advance + S(5);
    into.FillRect(bar, S(3), r, S(9), kSubtitle);
    DrawText(into, ChineseFont().Render(windowName), bar + S(6), baseline, kSubtitle);
}

void DrawPanel(Image& into, Box box) {
    const int r = Rim();
    Paint(into, RoundedRect(box.width, box.height, S(kPanelRadius)), box.x, box.y, kWellLight);
    Paint(into, RoundedRect(box.width - r, box.height - r, S(kPanelRadius)), box.x, box.y, kWellRim);
    Paint(into, RoundedRect(box.width - 2 * r, box.height - 2 * r, S(kPanelRadius - 1)), box.x + r, box.y + r, kWell);
}

void DrawButton(Image& face, Look look, const FacePainter& paint) { DrawBevel(face, look, kBlueButton, paint); }

FacePainter IconPainter(Mask icon) { return ShadowedIcon(std::move(icon), Darker(kButtonBottom, 0.45)); }

void DrawCloseButton(Image& face, Look look) {
    DrawBevel(face, look, kRedButton,
              ShadowedIcon(Cross(face.width(), face.height(), S(face.height() >= S(15) ? 3.2 : 2.7)),
                           Darker(kCloseBottom, 0.4)));
}

Image ClosePicture(const Image& base, Box place, Look look) {
    Image face = Crop(base, place);
    DrawCloseButton(face, look);
    return face;
}

void DrawCardTile(Image& tile) {
    const int r = Rim();
    Paint(tile, RoundedRect(tile.width(), tile.height(), S(kCardRadius)), 0, 0, kCardRim);
    Paint(tile, RoundedRect(tile.width() - 2 * r, tile.height() - 2 * r, S(kCardRadius - 1)), r, r, kCardFace);
}

Mask Star(int width, int height, Point centre, double outerRadius, double innerRadius) {
    std::vector<Point> corners;
    for (int i = 0; i < 10; ++i) {
        const double angle = std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const double r = i % 2 == 0 ? outerRadius : innerRadius;
        corners.push_back({centre.x + r * std::cos(angle), centre.y - r * std::sin(angle)});
    }
    return Polygon(width, height, corners);
}

}  // namespace vantrel::artwork::style
