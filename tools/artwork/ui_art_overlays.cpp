// The detail and player windows' artwork, and the pictures they share: the card
// tiles, the pass tile and the close button's looks. Both windows are built alike
// (title strip, card rows in sunken panels of one height and colour), so that a
// card tile or a close button drawn for one sits as well in the other.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>

#include "artwork/ui_art.h"
#include "artwork/ui_style.h"
#include "shared/layouts.h"

namespace vantrel::artwork {
namespace {

using namespace style;

constexpr int kJokerBlack = 16, kJokerRed = 17;

Box DetailPlace(std::string_view control, int index = 0) {
    return PlaceOf(ui::FindControl(Layout(layouts::kDetail), control, index));
}
Box PlayerPlace(std::string_view control, int index = 0) {
    return PlaceOf(ui::FindControl(Layout(layouts::kPlayer), control, index));
}

// A row of card cells, from its first to its last.
Box CellRow(const ui::FormLayout& table, int first, int last) {
    const ui::FormLayout& layout = Layout(table);
    Box row = PlaceOf(ui::FindControl(layout, "imgEmit", first));
    for (int i = first + 1; i <= last; ++i) row = Span(row, PlaceOf(ui::FindControl(layout, "imgEmit", i)));
    return row;
}

// A card row's panel: four rows of well above and below the cards, which leaves
// room for the detail window's dividers (at 100%).
constexpr int kPanelMarginY = 4;
Box RowPanel(Box cells, int marginX) { return Grown(cells, S(marginX), S(kPanelMarginY)); }

Image WindowBase(const ui::FormLayout& table, std::string_view title) {
    const ui::FormLayout& layout = Layout(table);
    Image base(layout.width, layout.height, kBody);
    DrawTitleStrip(base, title);
    return base;
}

// --- Shared tiles ----------------------------------------------------------------

Image CardPicture(const Image& well, int rank) {
    Image tile = well;
    DrawCardTile(tile);
    const int r = Rim();
    const Box face{r, r, tile.width() - 2 * r, tile.height() - 2 * r};
    if (rank >= kJokerBlack) {
        DrawCentred(tile, ChineseFont().Render("王"), face, rank == kJokerRed ? kRedInk : kBlackInk);
        return tile;
    }
    // Two figures of the 12-pixel face do not fit the face's 13 columns; the 10
    // takes the 11-pixel face, set a pixel closer.
    const TextMask label = rank == 10 ? FigureFont(11).Render("10", -r) : FigureFont(12).Render(RankLabel(rank));
    DrawCentred(tile, label, face, rank >= 14 ? kRedInk : kBlackInk);
    return tile;
}

Image PassPicture(const Image& well) {
    Image tile = well;
    DrawCardTile(tile);
    TextMask upper = SmallChineseFont().Render("不"), lower = SmallChineseFont().Render("要");
    // At 9 pixels the strokes are thinner than a pixel; darken their grey.
    upper.ink = WithGamma(upper.ink, 0.6);
    lower.ink = WithGamma(lower.ink, 0.6);
    const int r = Rim();
    const int top = r + (tile.height() - 2 * r - upper.ink.height() - r - lower.ink.height()) / 2;
    DrawCentred(tile, upper, {r, top, tile.width() - 2 * r, upper.ink.height()}, kBlackInk);
    DrawCentred(tile, lower, {r, top + upper.ink.height() + r, tile.width() - 2 * r, lower.ink.height()}, kBlackInk);
    return tile;
}

// --- The detail window -------------------------------------------------------------

// The two faces of the order button: the digits 1 2 3 (play order) and two
// overlapping letters T (rank order).
FacePainter PlayOrderFace(Box face) {
    return [face](Image& into, int shift) {
        static constexpr struct {
            std::string_view digit;
            Rgb colour;
        } kDigits[] = {{"1", {255, 92, 80}}, {"2", {255, 210, 60}}, {"3", {110, 232, 120}}};
        const int pitch = S(12);
        for (int i = 0; i < 3; ++i) {
            const Box cell{face.width / 2 - S(18) + pitch * i + shift, S(6) + S(6) * i + shift, S(12), S(20)};
            DrawCentredOutlined(into, FigureFont(19).Render(kDigits[i].digit), cell, kDigits[i].colour, kButtonRim);
        }
    };
}

FacePainter RankOrderFace(Box face) {
    return [face](Image& into, int shift) {
        const TextMask letter = FigureFont(26).Render("T");
        const Box back{S(4) + shift, S(4) + shift, face.width - S(14), face.height - S(14)};
        const Box front{S(10) + shift, S(10) + shift, face.width - S(14), face.height - S(14)};
        DrawCentredOutlined(into, letter, back, kIcon, kButtonRim);
        DrawCentredOutlined(into, letter, front, {255, 210, 60}, kButtonRim);
    };
}

Image OrderButton(const Image& base, Box place, bool playOrder, Look look) {
    Image face = Crop(base, place);
    DrawButton(face, look, playOrder ? PlayOrderFace(place) : RankOrderFace(place));
    return face;
}

// A caption of two words of two characters each. Four characters of the 12-pixel
// face take 47 pixels and the caption has 45: each word is set a pixel closer and
// the words keep a pixel between them (pixels at 100%). The outline face of the
// larger scales is set closer still, until the caption fits.
Image Note(const Image& base, Box place, std::string_view first, std::string_view second) {
    Image note = Crop(base, place);
    const int r = Rim();
    TextMask a, b;
    for (int spacing = -r; spacing >= -3 * r; --spacing) {
        a = ChineseFont().Render(first, spacing);
        b = ChineseFont().Render(second, spacing);
        if (a.ink.width() + r + b.ink.width() <= place.width) break;
    }
    const int left = (place.width - a.ink.width() - r - b.ink.width()) / 2;
    DrawCentred(note, a, {left, 0, a.ink.width(), place.height}, kLabel);
    DrawCentred(note, b, {left + a.ink.width() + r, 0, b.ink.width(), place.height}, kLabel);
    return note;
}

Image Divider(const Image& base, Box place) {
    Image line = Crop(base, place);
    for (int y = 0; y < place.height; ++y) {
        const int fromEnd = std::min(y, place.height - 1 - y) / Rim();
        const double strength = fromEnd >= 2 ? 0.6 : 0.2 + 0.2 * fromEnd;
        for (int x = 0; x < place.width; ++x) line.set(x, y, Mix(line.rgb(x, y), kLabel, strength));
    }
    return line;
}

// A panel with a label in a tab at its left end, parted from the cards by a groove.
void DrawLabelledPanel(Image& into, Box panel, int tabWidth, std::string_view label) {
    DrawPanel(into, panel);
    const int groove = panel.x + tabWidth, r = Rim();
    into.FillRect(groove, panel.y + S(4), r, panel.height - S(8), kWellRim);
    into.FillRect(groove + r, panel.y + S(4), r, panel.height - S(8), Mix(kWell, kWellLight, 0.35));
    DrawCentred(into, ChineseFont().Render(label), {panel.x + r, panel.y + r, tabWidth - r, panel.height - 2 * r},
                kLabel);
}

void AddDetailWindow(std::vector<base::ArtworkFile>& files, const Image& base) {
    const auto add = [&files](std::string name, Image picture) {
        files.push_back({"detail/" + std::move(name) + ".png", std::move(picture)});
    };
    Image background = base;
    const Box order = DetailPlace("imgButton", 1);
    const int kPanelLeft = S(4), kTab = S(28);
    const Box upper = CellRow(layouts::kDetail, 21, 40), lower = CellRow(layouts::kDetail, 1, 20);
    // Each row's panel runs from the window's left edge to the order button, its
    // label in a tab before the cards.
    for (const auto& [cells, label] : {std::pair{upper, "左"}, std::pair{lower, "右"}}) {
        const Box rows = RowPanel(cells, 0);
        DrawLabelledPanel(background, {kPanelLeft, rows.y, order.x - S(6) - kPanelLeft, rows.height}, kTab, label);
    }

    const Box note = DetailPlace("imgNote", 1);
    for (Look look : {Look::kRest, Look::kPressed}) {
        const std::string pressed = look == Look::kPressed ? "-pressed" : "";
        add("order-play" + pressed, OrderButton(base, order, true, look));
        add("order-rank" + pressed, OrderButton(base, order, false, look));
    }
    add("note-play", Note(base, note, "出牌", "顺序"));
    add("note-rank", Note(base, note, "大小", "顺序"));
    // What lies under the order button and its caption, though one of each always
    // covers it: the first state, as the window opens.
    background.Blit(OrderButton(base, order, true, Look::kRest), order.x, order.y);
    background.Blit(Note(base, note, "出牌", "顺序"), note.x, note.y);

    const Box divider = DetailPlace("imgDivide", 20);
    add("divider", Divider(background, {upper.x + S(18), divider.y, divider.width, divider.height}));

    const Box close = DetailPlace("imgClose", 0);
    background.Blit(ClosePicture(base, close, Look::kRest), close.x, close.y);
    add("background", std::move(background));
}

// --- The player window -------------------------------------------------------------

// The transport buttons' icons in a 20 x 20 face (at 100%): 1 replay from the first move (a
// play sign in a circle), 2 pause, 3 step back, 4 step forward, 5 faster (an arrow
// curving back), 6 slower (an arrow curving forward), 7 play.
Mask CurvedArrow(int width, int height) {
    // Counter-clockwise, from the lower right round the top to the lower left,
    // where the head points down along the circle.
    const Point c{width / 2.0, height / 2.0 + S(0.5)};
    const double kRadius = S(5.2);
    const Mask arc = Arc(width, height, c, kRadius, S(2.2), -35, 200);
    const double end = 200 * std::numbers::pi / 180;
    const Point tip{c.x + kRadius * std::cos(end), c.y - kRadius * std::sin(end)};
    // The direction of travel at the end of a counter-clockwise arc, on the screen.
    const Point along{-std::sin(end), -std::cos(end)};
    const Point across{-along.y, along.x};
    const double ahead = S(3.6), wide = S(3.4), back = S(0.8);
    const Point head[] = {{tip.x + along.x * ahead, tip.y + along.y * ahead},
                          {tip.x + across.x * wide - along.x * back, tip.y + across.y * wide - along.y * back},
                          {tip.x - across.x * wide - along.x * back, tip.y - across.y * wide - along.y * back}};
    return Union(arc, Polygon(width, height, head));
}

Mask TransportIcon(int button, int width, int height) {
    const auto bar = [&](double x) {
        const Point corners[] = {S(Point{x, 5}), S(Point{x + 2.4, 5}), S(Point{x + 2.4, 15}), S(Point{x, 15})};
        return Polygon(width, height, corners);
    };
    const auto triangle = [&](double from, double to) {
        const Point corners[] = {S(Point{from, 5}), S(Point{to, 10}), S(Point{from, 15})};
        return Polygon(width, height, corners);
    };
    switch (button) {
        case 1: {
            const Point corners[] = {S(Point{8.2, 6.4}), S(Point{14.0, 10}), S(Point{8.2, 13.6})};
            return Union(Ring(width, height, S(Point{10, 10}), S(7.6), S(6.0)), Polygon(width, height, corners));
        }
        case 2: return Union(bar(6.2), bar(11.4));
        case 3: return Union(bar(4.8), triangle(15.2, 7.6));
        case 4: return Union(triangle(4.8, 12.4), bar(12.8));
        case 5: return CurvedArrow(width, height);
        case 6: return Mirrored(CurvedArrow(width, height));
        default: return triangle(6.8, 15.4);
    }
}

Image TransportButton(const Image& base, Box place, int button, Look look) {
    Image face = Crop(base, place);
    DrawButton(face, look, IconPainter(TransportIcon(button, place.width, place.height)));
    return face;
}

// The follow-play box: empty in the background, ticked in its picture.
void DrawCheckBox(Image& into, Box box, bool ticked) {
    const int r = Rim();
    Paint(into, RoundedRect(box.width, box.height, S(2.5)), box.x, box.y, kButtonRim);
    Paint(into, RoundedRect(box.width - 2 * r, box.height - 2 * r, S(1.5)), box.x + r, box.y + r,
          ticked ? kTickBlue : Rgb{242, 246, 252});
    if (!ticked) return;
    const auto at = [&box](double x, double y) { return Point{box.x + S(x), box.y + S(y)}; };
    const Point a = at(3.4, 5.4), b = at(6.0, 8.0), c = at(10.8, 2.6);
    Paint(into,
          Union(Segment(into.width(), into.height(), a, b, S(1.8)), Segment(into.width(), into.height(), b, c, S(1.8))),
          0, 0, kIcon);
}

void AddPlayerWindow(std::vector<base::ArtworkFile>& files, const Image& base) {
    const auto add = [&files](std::string name, Image picture) {
        files.push_back({"player/" + std::move(name) + ".png", std::move(picture)});
    };
    Image background = base;
    // The seat areas: the left opponent's at the top left, the right opponent's at
    // the top right, the user's below.
    for (const auto& [first, last] : {std::pair{41, 60}, std::pair{21, 40}, std::pair{1, 20}})
        DrawPanel(background, RowPanel(CellRow(layouts::kPlayer, first, last), 5));

    for (int button = 1; button <= 7; ++button) {
        const Box place = PlayerPlace("imgButton", button);
        const std::string k = std::to_string(button);
        add("button-" + k, TransportButton(base, place, button, Look::kRest));
        add("hover-" + k, TransportButton(base, place, button, Look::kHover));
        add("pressed-" + k, TransportButton(base, place, button, Look::kPressed));
        if (button != 2) background.Blit(TransportButton(base, place, button, Look::kRest), place.x, place.y);
    }

    const Box mark = PlayerPlace("imgMark");
    Image tick = Crop(base, mark);
    DrawCheckBox(tick, {0, 0, mark.width, mark.height}, true);
    add("tick", std::move(tick));
    DrawCheckBox(background, mark, false);
    // 跟随 over 播放, right of the box and centred on it.
    const int labelX = mark.right() + S(3), middle = mark.y + mark.height / 2;
    DrawCentred(background, ChineseFont().Render("跟随"), {labelX, middle - S(11), S(23), S(11)}, kLabel);
    DrawCentred(background, ChineseFont().Render("播放"), {labelX, middle + Rim(), S(23), S(11)}, kLabel);

    const Box close = PlayerPlace("imgMouseOn", 8);
    background.Blit(ClosePicture(base, close, Look::kRest), close.x, close.y);
    add("background", std::move(background));
}

}  // namespace

std::vector<base::ArtworkFile> OverlayArtwork() {
    std::vector<base::ArtworkFile> files;
    const Image detail = WindowBase(layouts::kDetail, "出牌查看器");
    const Image player = WindowBase(layouts::kPlayer, "出牌播放器");

    // The tiles lie on the panels' well, in both windows.
    const Box cell = DetailPlace("imgEmit", 1);
    const Image well(cell.width, cell.height, kWell);
    for (int rank = 3; rank <= kJokerRed; ++rank)
        files.push_back({"common/card-" + std::to_string(rank) + ".png", CardPicture(well, rank)});
    files.push_back({"common/pass.png", PassPicture(well)});
    const Box close = DetailPlace("imgClose", 0);
    files.push_back({"common/close-hover.png", ClosePicture(detail, close, Look::kHover)});
    files.push_back({"common/close-pressed.png", ClosePicture(detail, close, Look::kPressed)});

    AddDetailWindow(files, detail);
    AddPlayerWindow(files, player);
    return files;
}

}  // namespace vantrel::artwork
