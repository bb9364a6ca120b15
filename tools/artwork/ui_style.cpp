#include "artwork/ui_style.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <numbers>
#include <vector>

namespace vantrel::artwork::style {
namespace {

struct BevelColours {
    Rgb top, bottom, rim;
};

constexpr BevelColours kBlueButton{kButtonTop, kButtonBottom, kButtonRim};
constexpr BevelColours kRedButton{kCloseTop, kCloseBottom, kCloseRim};

// The bevel of a button filling `face`, then what it shows.
void DrawBevel(Image& face, Look look, const BevelColours& colours, const FacePainter& paint) {
    const int w = face.width(), h = face.height();
    Rgb top = colours.top, bottom = colours.bottom;
    if (look == Look::kHover) {
        top = Lighter(top, 0.3);
        bottom = Lighter(bottom, 0.22);
    }
    Paint(face, RoundedRect(w, h, kButtonRadius), 0, 0, colours.rim);
    if (look == Look::kPressed) {
        // Sunken: the light falls on the lower edge, the upper edge is in shadow,
        // the face is darker and its gradient turned over.
        Paint(face, RoundedRect(w - 2, h - 2, kButtonRadius - 1), 1, 1, Darker(bottom, 0.45));
        PaintGradient(face, RoundedRect(w - 3, h - 3, kButtonRadius - 1), 2, 2, Darker(bottom, 0.22),
                      Darker(top, 0.12));
    } else {
        Paint(face, RoundedRect(w - 2, h - 2, kButtonRadius - 1), 1, 1, Lighter(top, 0.5));
        Paint(face, RoundedRect(w - 3, h - 3, kButtonRadius - 1), 2, 2, Darker(bottom, 0.3));
        PaintGradient(face, RoundedRect(w - 4, h - 4, kButtonRadius - 1), 2, 2, top, bottom);
    }
    paint(face, look == Look::kPressed ? 1 : 0);
}

// A white icon over its shadow, one pixel down and to the right.
FacePainter ShadowedIcon(Mask icon, Rgb shadow) {
    return [icon = std::move(icon), shadow](Image& face, int shift) {
        Paint(face, icon, shift + 1, shift + 1, shadow);
        Paint(face, icon, shift, shift, kIcon);
    };
}

Mask Cross(int width, int height, double arm) {
    const Point c{width / 2.0, height / 2.0};
    return Union(Segment(width, height, {c.x - arm, c.y - arm}, {c.x + arm, c.y + arm}, 1.9),
                 Segment(width, height, {c.x - arm, c.y + arm}, {c.x + arm, c.y - arm}, 1.9));
}

}  // namespace

Box PlaceOf(const ui::ControlSpec& control) { return {control.left, control.top, control.width, control.height}; }

Box Span(Box a, Box b) {
    const int x = std::min(a.x, b.x), y = std::min(a.y, b.y);
    return {x, y, std::max(a.right(), b.right()) - x, std::max(a.bottom(), b.bottom()) - y};
}

Box Grown(Box box, int dx, int dy) { return {box.x - dx, box.y - dy, box.width + 2 * dx, box.height + 2 * dy}; }

// --- Fonts ---------------------------------------------------------------------

const FontFace& ChineseFont() {
    static const FontFace face(VANTREL_FONT_CHINESE, 12);
    return face;
}

const FontFace& SmallChineseFont() {
    static const FontFace face(VANTREL_FONT_CHINESE_OUTLINE, 9);
    return face;
}

const FontFace& TitleFont() {
    static const FontFace face(VANTREL_FONT_TITLE, 11);
    return face;
}

const FontFace& FigureFont(int pixels, Edges edges) {
    static std::map<std::pair<int, Edges>, std::unique_ptr<FontFace>> faces;
    auto& face = faces[{pixels, edges}];
    if (!face) face = std::make_unique<FontFace>(VANTREL_FONT_FIGURES, pixels, edges);
    return *face;
}

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
    Paint(into, Dilate(Padded(text.ink, 1), 1), x - 1, y - 1, outline);
    Paint(into, text.ink, x, y, colour);
}

// --- Pieces --------------------------------------------------------------------

Image Crop(const Image& from, Box box) {
    Image out(box.width, box.height);
    out.Blit(from, -box.x, -box.y);
    return out;
}

void DrawTitleStrip(Image& into, std::string_view windowName) {
    PaintGradient(into, RoundedRect(into.width(), kTitleHeight - 1, 0), 0, 0, kStripTop, kStripBottom);
    into.FillRect(0, kTitleHeight - 1, into.width(), 1, kStripEdge);
    const TextMask name = TitleFont().Render("Vantrel");
    constexpr int kPen = 6;
    DrawText(into, name, kPen, kTitleBaseline, kLabel);
    if (windowName.empty()) return;
    // The window's own name after a thin bar, on the same baseline.
    const int bar = kPen + name.advance + 5;
    into.FillRect(bar, 3, 1, 9, kSubtitle);
    DrawText(into, ChineseFont().Render(windowName), bar + 6, kTitleBaseline, kSubtitle);
}

void DrawPanel(Image& into, Box box) {
    Paint(into, RoundedRect(box.width, box.height, kPanelRadius), box.x, box.y, kWellLight);
    Paint(into, RoundedRect(box.width - 1, box.height - 1, kPanelRadius), box.x, box.y, kWellRim);
    Paint(into, RoundedRect(box.width - 2, box.height - 2, kPanelRadius - 1), box.x + 1, box.y + 1, kWell);
}

void DrawButton(Image& face, Look look, const FacePainter& paint) { DrawBevel(face, look, kBlueButton, paint); }

FacePainter IconPainter(Mask icon) { return ShadowedIcon(std::move(icon), Darker(kButtonBottom, 0.45)); }

void DrawCloseButton(Image& face, Look look) {
    DrawBevel(face, look, kRedButton,
              ShadowedIcon(Cross(face.width(), face.height(), face.height() >= 15 ? 3.2 : 2.7), Darker(kCloseBottom, 0.4)));
}

void DrawCardTile(Image& tile) {
    Paint(tile, RoundedRect(tile.width(), tile.height(), kCardRadius), 0, 0, kCardRim);
    Paint(tile, RoundedRect(tile.width() - 2, tile.height() - 2, kCardRadius - 1), 1, 1, kCardFace);
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
