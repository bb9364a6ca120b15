// The main window's artwork: the background (title strip, the opponents' count
// panel, the remaining-card grid with a faint empty slot under every mark, the
// three buttons' resting faces, the tip strip), the grid's rank tiles, the counts,
// the buttons' hover and pressed looks, the star, the two tips and the icon; and
// the look of a hand in doubt: the rank tiles dimmed, a question mark for the
// counts and a steady strip for the tips; and the marks that one opponent must
// hold, in the colour of that opponent's count label.
#include <string>
#include <utility>

#include "artwork/ui_art.h"
#include "artwork/ui_style.h"
#include "base/card_code.h"
#include "shared/layouts.h"

namespace vantrel::artwork {
namespace {

using namespace style;

const ui::FormLayout& MainLayout() { return Layout(layouts::kMain); }

Box Place(std::string_view control, int index = 0) { return PlaceOf(ui::FindControl(MainLayout(), control, index)); }

// The two tips that roll along the foot of the window, in turn.
constexpr std::string_view kTips[] = {
    "格中是对手未出的牌",  // the grid: the cards the opponents have not played
    "点放大镜看对手出牌",  // the magnifier: see what the opponents have played
};

// Shown in the strip for a few seconds after Ctrl+S.
constexpr std::string_view kReportSavedTip = "报告已保存";

constexpr int kFootEdgeRow = 508;  // the tip strip lies below this line (at 100%)

// A hand in doubt: the strip's words (the tally may be wrong; the next hand puts it
// right) and the amber of its words and the counts' question mark.
constexpr std::string_view kDoubtTip = "记牌存疑，下局恢复";
constexpr Rgb kDoubtAmber{244, 196, 64};

// The left opponent's colour and the right one's: their count labels, and the
// marks each must hold. Warm and cool, apart in hue and in lightness.
constexpr Rgb kLeftHue{250, 178, 72};
constexpr Rgb kRightHue{186, 160, 255};

TextMask RankText(int rank, int pixels) {
    return FigureFont(pixels).Render(RankLabel(rank), rank == 10 ? -Rim() : 0);
}

Box GridBox() {
    Box grid = Place("imgRMCard", cards::kTwoOfSpades);
    for (int code = 1; code < cards::kTwoOfSpades; ++code)
        if (cards::IsCardCode(code)) grid = Span(grid, Place("imgRMCard", code));
    return grid;
}

// Everything that lies under the controls, before the buttons' faces and the
// grid's empty slots are drawn on it.
Image BaseBackground() {
    const ui::FormLayout& layout = MainLayout();
    Image base(layout.width, layout.height, kBody);
    DrawTitleStrip(base, {});

    // The opponents' counts in one panel, each labelled just left of its cell.
    const Box left = Place("imgRMNum", 2), right = Place("imgRMNum", 1);
    DrawPanel(base, {S(4), left.y - S(4), layout.width - S(8), left.height + S(7)});
    const int kGlyph = S(11), kGap = S(3);
    struct Label {
        Box cell;
        std::string_view text;
        Rgb colour;
    };
    for (const Label& label : {Label{left, "左", kLeftHue}, Label{right, "右", kRightHue}})
        DrawCentred(base, ChineseFont().Render(label.text),
                    {label.cell.x - kGap - kGlyph, label.cell.y, kGlyph, label.cell.height}, label.colour);

    DrawPanel(base, Grown(GridBox(), S(8), S(7)));

    const int edge = S(kFootEdgeRow), r = Rim();
    base.FillRect(0, edge, layout.width, r, kStripEdge);
    base.FillRect(0, edge + r, layout.width, layout.height - edge - r, kFootStrip);
    return base;
}

// Where a mark has gone the grid keeps a faint slot with its rank, so that an
// emptied row still says which rank it was.
// Inside a tile's rim.
Box Face(Box cell) { return {Rim(), Rim(), cell.width - 2 * Rim(), cell.height - 2 * Rim()}; }

void DrawEmptySlot(Image& into, Box cell, int rank) {
    const int r = Rim();
    Paint(into, RoundedRect(cell.width, cell.height, S(kCardRadius)), cell.x, cell.y, Mix(kWell, kWellLight, 0.22));
    Paint(into, RoundedRect(cell.width - 2 * r, cell.height - 2 * r, S(kCardRadius - 1)), cell.x + r, cell.y + r,
          Mix(kWell, kWellLight, 0.07));
    const Box face = Face(cell);
    DrawCentred(into, RankText(rank, 15), {cell.x + face.x, cell.y + face.y, face.width, face.height},
                Mix(kWell, kWellLight, 0.3));
}

Image RankTile(const Image& base, Box cell, int rank) {
    Image tile = Crop(base, cell);
    DrawCardTile(tile);
    const Rgb ink = rank >= cards::kAce ? kRedInk : kBlackInk;
    DrawCentred(tile, RankText(rank, 15), Face(cell), ink);
    return tile;
}

// A mark one opponent must hold: the rank tile tinted with that opponent's colour,
// with a band of it down the side the opponent sits on, so that four of them in
// a row read as that opponent's certain bomb.
Image HeldRankTile(const Image& base, Box cell, int rank, Rgb hue, bool onTheLeft) {
    Image tile = Crop(base, cell);
    const int r = Rim();
    Paint(tile, RoundedRect(cell.width, cell.height, S(kCardRadius)), 0, 0, Darker(hue, 0.55));
    Paint(tile, RoundedRect(cell.width - 2 * r, cell.height - 2 * r, S(kCardRadius - 1)), r, r, Mix(kCardFace, hue, 0.5));
    const int band = S(3);
    tile.FillRect(onTheLeft ? r : cell.width - r - band, S(3), band, cell.height - S(6), hue);
    const Rgb ink = rank >= cards::kAce ? kRedInk : kBlackInk;
    DrawCentred(tile, RankText(rank, 15), {onTheLeft ? r + band : r, r, cell.width - 2 * r - band, cell.height - 2 * r},
                ink);
    return tile;
}

// A tile the grid no longer vouches for: the rank tile sunk halfway into the well,
// its rank still legible.
Image DimRankTile(const Image& base, Box cell, int rank) {
    Image tile = RankTile(base, cell, rank);
    for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x) tile.set(x, y, Mix(tile.rgb(x, y), kWell, 0.5));
    return tile;
}

Image CountPicture(const Image& base, Box cell, int count) {
    Image picture = Crop(base, cell);
    // Crisp figures: a one-pixel outline round smoothed ones would read pink.
    const TextMask digits = FigureFont(13, Edges::kCrisp).Render(std::to_string(count));
    const Box whole{0, 0, cell.width, cell.height};
    if (count <= 5)
        DrawCentredOutlined(picture, digits, whole, kCountRed, {255, 255, 255});
    else
        DrawCentred(picture, digits, whole, kCountGreen);
    return picture;
}

Image UnknownCountPicture(const Image& base, Box cell) {
    Image picture = Crop(base, cell);
    DrawCentred(picture, FigureFont(13, Edges::kCrisp).Render("?"), {0, 0, cell.width, cell.height}, kDoubtAmber);
    return picture;
}

// The three buttons' icons, in a 20 x 20 face (at 100%): a star (a new hand), a
// magnifier (the detail window) and a play sign (the player window).
Mask ButtonIcon(int button, int width, int height) {
    switch (button) {
        case 1:
            return Star(width, height, {width / 2.0, height / 2.0 + S(0.4)}, S(7.4), S(3.1));
        case 2:
            return Union(Ring(width, height, S(Point{8.6, 8.6}), S(5.4), S(3.4)),
                         Segment(width, height, S(Point{12.6, 12.6}), S(Point{15.6, 15.6}), S(3.0)));
        default: {
            const Point play[] = {S(Point{7.0, 4.8}), S(Point{15.6, 10.0}), S(Point{7.0, 15.2})};
            return Polygon(width, height, play);
        }
    }
}

Image ButtonPicture(const Image& base, Box place, int button, Look look) {
    Image face = Crop(base, place);
    DrawButton(face, look, IconPainter(ButtonIcon(button, place.width, place.height)));
    return face;
}

Image StarPicture(const Image& base) {
    const Box place = Place("imgStar");
    Image star = Crop(base, place);
    const Point centre{place.width / 2.0, place.height / 2.0 + S(0.5)};
    Paint(star, Star(place.width, place.height, centre, S(6.0), S(2.5)), 0, 0, Darker(kStarRed, 0.35));
    Paint(star, Star(place.width, place.height, centre, S(4.9), S(2.0)), 0, 0, kStarRed);
    return star;
}

Image TipPicture(const Image& base, std::string_view tip, Rgb colour = kLabel) {
    Image picture = Crop(base, Place("imgTips"));
    DrawText(picture, ChineseFont().Render(tip), Rim(), picture.height() - Rim(), colour);
    return picture;
}

// The icon: a card with the program's initial over a second card, on the title
// strip's blue; `sizeAt100` square at 100%, and that times the scale.
Image Icon(int sizeAt100) {
    const int size = S(sizeAt100);
    Image icon(size, size);
    PaintGradient(icon, RoundedRect(size, size, 0), 0, 0, kStripTop, kStripBottom);
    const int cardWidth = size / 2 + size / 8, cardHeight = size - size / 4;
    const auto card = [&](int x, int y) {
        Image tile = Crop(icon, {x, y, cardWidth, cardHeight});
        DrawCardTile(tile);
        icon.Blit(tile, x, y);
    };
    if (sizeAt100 >= 32) card(size / 8, size / 16);
    const int x = size - cardWidth - size / 8, y = size - cardHeight - size / 16;
    card(x, y);
    const int r = Rim();
    DrawCentred(icon, FigureFont(sizeAt100 * 5 / 8).Render("V"), {x + r, y + r, cardWidth - 2 * r, cardHeight - 2 * r},
                kRedInk);
    return icon;
}

}  // namespace

std::vector<base::ArtworkFile> MainWindowArtwork() {
    std::vector<base::ArtworkFile> files;
    const auto add = [&files](std::string name, Image picture) {
        files.push_back({"main/" + std::move(name) + ".png", std::move(picture)});
    };
    const Image base = BaseBackground();
    Image background = base;

    for (int code = 1; code <= cards::kTwoOfSpades; ++code) {
        if (!cards::IsCardCode(code)) continue;
        const int rank = cards::RankOf(code);
        const Box cell = Place("imgRMCard", code);
        DrawEmptySlot(background, cell, rank);
        if (cards::SuitOf(code) != 1) continue;
        add("rank-" + std::to_string(rank), RankTile(base, cell, rank));
        add("rank-dim-" + std::to_string(rank), DimRankTile(base, cell, rank));
        add("rank-left-" + std::to_string(rank), HeldRankTile(base, cell, rank, kLeftHue, true));
        add("rank-right-" + std::to_string(rank), HeldRankTile(base, cell, rank, kRightHue, false));
    }
    // The grid's top row holds only the 2; the rest of it names what the grid shows.
    const Box two = Place("imgRMCard", cards::kTwoOfSpades);
    const Box caption{two.right() + S(4), two.y, GridBox().right() - two.right() - S(4), two.height};
    DrawCentred(background, ChineseFont().Render("对手余牌"), caption, Mix(kWell, kLabel, 0.6));

    for (int count = 0; count <= 16; ++count)
        add("count-" + std::to_string(count), CountPicture(base, Place("imgRMNum", 1), count));
    add("count-doubt", UnknownCountPicture(base, Place("imgRMNum", 1)));

    for (int button : {1, 2, 3}) {
        const Box place = Place("imgMouseOn", button);
        background.Blit(ButtonPicture(base, place, button, Look::kRest), place.x, place.y);
        add("hover-" + std::to_string(button), ButtonPicture(base, place, button, Look::kHover));
        add("pressed-" + std::to_string(button), ButtonPicture(base, place, button, Look::kPressed));
    }
    const Box close = Place("imgMouseOn", 5);
    background.Blit(ClosePicture(base, close, Look::kRest), close.x, close.y);
    add("hover-5", ClosePicture(base, close, Look::kHover));
    add("pressed-5", ClosePicture(base, close, Look::kPressed));

    add("star", StarPicture(base));
    add("tip-24", TipPicture(base, kTips[0]));
    add("tip-25", TipPicture(base, kTips[1]));
    add("tip-doubt", TipPicture(base, kDoubtTip, kDoubtAmber));
    add("tip-26", TipPicture(base, kReportSavedTip));
    add("icon-32", Icon(32));
    add("icon-16", Icon(16));
    add("background", std::move(background));
    return files;
}

}  // namespace vantrel::artwork
