// The windows' artwork, held to the layout tables and to its own design: the
// committed PNGs are what the generator draws; every picture that a layout names
// exists, at the size of the place that shows it, and nothing else is drawn;
// pictures that stand for different things differ; hover looks are lighter and
// pressed looks sunken; every tile keeps a dark rim so that neighbours never run
// together; pictures that lie over a background blend with it seamlessly; and
// each larger display scale's set is drawn at its tables' sizes.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "artwork/ui_art.h"
#include "artwork/ui_style.h"
#include "shared/layouts.h"
#include "shared/pictures.h"
#include "support/artwork_check.h"

namespace vantrel::test {
namespace {

using base::Image;
using base::Rgb;
using ui::ControlKind;
using ui::ControlSpec;
using ui::FindControl;
using ui::FormLayout;

const std::vector<const FormLayout*> kLayouts{&layouts::kMain, &layouts::kDetail, &layouts::kPlayer};

// Every drawn picture by its name ("main/background").
const std::map<std::string, Image, std::less<>>& Drawn() {
    static const auto pictures = [] {
        std::map<std::string, Image, std::less<>> byName;
        for (base::ArtworkFile& file : artwork::UiArtworkFiles())
            byName.emplace(file.name.substr(0, file.name.size() - std::string_view(".png").size()), std::move(file.picture));
        return byName;
    }();
    return pictures;
}

const Image& Picture(std::string_view name) {
    const auto it = Drawn().find(name);
    if (it == Drawn().end()) throw std::out_of_range("no picture " + std::string(name));
    return it->second;
}

const Image& PictureOf(const FormLayout& layout, std::string_view control, int index = 0) {
    return Picture(FindControl(layout, control, index).picture);
}

Image Crop(const Image& from, const ControlSpec& place) {
    return artwork::style::Crop(from, {place.left, place.top, place.width, place.height});
}

double MeanLuma(const Image& picture) {
    double sum = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) sum += artwork::Luma(picture.rgb(x, y));
    return sum / (picture.width() * picture.height());
}

double RowLuma(const Image& picture, int y) {
    double sum = 0;
    for (int x = 2; x < picture.width() - 2; ++x) sum += artwork::Luma(picture.rgb(x, y));
    return sum / (picture.width() - 4);
}

// Light above and shade below is raised (positive); the reverse is sunken.
double EdgeLight(const Image& face) { return RowLuma(face, 1) - RowLuma(face, face.height() - 2); }

bool IsWhite(Rgb c) { return c.r >= 235 && c.g >= 235 && c.b >= 235; }
bool IsRed(Rgb c) { return c.r >= 180 && c.g <= 110 && c.b <= 110; }
bool IsGreen(Rgb c) { return c.g >= 180 && c.r <= 150 && c.b <= 160; }

int CountPixels(const Image& picture, bool (*test)(Rgb)) {
    int n = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) n += test(picture.rgb(x, y));
    return n;
}

void ExpectAllDifferent(const std::vector<std::pair<std::string, Image>>& pictures) {
    for (std::size_t i = 0; i < pictures.size(); ++i)
        for (std::size_t j = i + 1; j < pictures.size(); ++j)
            EXPECT_FALSE(pictures[i].second == pictures[j].second)
                << pictures[i].first << " and " << pictures[j].first << " look the same";
}

// A picture store is never shown: its picture is copied into this cell.
const ControlSpec& ShownIn(const FormLayout& layout, const ControlSpec& control) {
    static const std::map<std::string_view, std::pair<std::string_view, int>> kCellOfStore{
        {"picRMNum", {"imgRMNum", 1}}, {"picTips", {"imgTips", 0}}, {"picCards", {"imgEmit", 1}}, {"picMark", {"imgMark", 0}},
        {"picRMDim", {"imgRMCard", 1}}, {"picRMDoubt", {"imgRMNum", 1}}, {"picRMLeft", {"imgRMCard", 1}},
        {"picRMRight", {"imgRMCard", 1}}};
    if (control.kind == ControlKind::Cell) return control;
    const auto& [cell, index] = kCellOfStore.at(control.name);
    return FindControl(layout, cell, index);
}

// A button's three looks, from the layout tables: its resting face (a picture of
// its own or a part of the background) and its hover and pressed pictures.
struct ButtonLooks {
    std::string name;
    Image rest, hover, pressed;
};

std::vector<ButtonLooks> AllButtons() {
    using namespace layouts;
    std::vector<ButtonLooks> buttons;
    const Image& mainBackground = Picture(kMain.background);
    for (int k : {1, 2, 3, 5})
        buttons.push_back({"main button " + std::to_string(k), Crop(mainBackground, FindControl(kMain, "imgMouseOn", k)),
                           PictureOf(kMain, "imgMouseOn", k), PictureOf(kMain, "imgMouseDown", k)});
    buttons.push_back({"detail close", Crop(Picture(kDetail.background), FindControl(kDetail, "imgClose", 0)),
                       PictureOf(kDetail, "imgClose", 0), PictureOf(kDetail, "imgClose", 1)});
    for (int k = 1; k <= 7; ++k)
        buttons.push_back({"player button " + std::to_string(k), PictureOf(kPlayer, "imgButton", k),
                           PictureOf(kPlayer, "imgMouseOn", k), PictureOf(kPlayer, "imgMouseDown", k)});
    buttons.push_back({"player close", Crop(Picture(kPlayer.background), FindControl(kPlayer, "imgMouseOn", 8)),
                       PictureOf(kPlayer, "imgMouseOn", 8), PictureOf(kPlayer, "imgMouseDown", 8)});
    return buttons;
}

// --- The committed files -----------------------------------------------------------

TEST(UiArtFiles, CommittedPicturesEqualWhatTheGeneratorDraws) {
    vantrel::testing::ExpectCommittedArtwork(artwork::UiArtworkFiles(), VANTREL_UI_ART_DIR, "generate-ui-art");
}

// --- Against the layout tables ------------------------------------------------------

TEST(UiArt, EveryPictureTheLayoutsNameIsDrawnAtTheSizeOfItsPlaceAndNothingElse) {
    std::set<std::string, std::less<>> named;
    const auto expectSize = [&named](std::string_view name, int width, int height) {
        named.emplace(name);
        const auto it = Drawn().find(name);
        ASSERT_NE(it, Drawn().end()) << name << " is named by a layout but not drawn";
        EXPECT_EQ(it->second.width(), width) << name;
        EXPECT_EQ(it->second.height(), height) << name;
    };
    for (const FormLayout* layout : kLayouts) {
        SCOPED_TRACE(layout->caption);
        expectSize(layout->background, layout->width, layout->height);
        for (std::size_t i = 0; i < layout->icons.size(); ++i) {
            const int size = i == 0 ? 32 : 16;  // largest first
            expectSize(layout->icons[i], size, size);
        }
        for (const ControlSpec& control : layout->controls) {
            if (control.picture.empty()) continue;
            const ControlSpec& place = ShownIn(*layout, control);
            expectSize(control.picture, place.width, place.height);
        }
    }
    ASSERT_EQ(layouts::kMain.icons.size(), 2u);
    std::set<std::string, std::less<>> drawn;
    for (const auto& [name, picture] : Drawn()) drawn.insert(name);
    EXPECT_EQ(drawn, named) << "every picture drawn is one that a layout names";
}

TEST(UiArt, PicturesThatStandForDifferentThingsDiffer) {
    using namespace layouts;
    std::vector<std::pair<std::string, Image>> ranks, counts, cards, faces;
    for (int code : {1, 5, 9, 13, 17, 21, 25, 29, 33, 37, 41, 45, 49})
        ranks.emplace_back("grid mark " + std::to_string(code), PictureOf(kMain, "imgRMCard", code));
    for (int n = 0; n <= 16; ++n) counts.emplace_back("count " + std::to_string(n), PictureOf(kMain, "picRMNum", n));
    counts.emplace_back("an empty count cell", Crop(Picture(kMain.background), FindControl(kMain, "imgRMNum", 1)));
    for (int rank = 3; rank <= 17; ++rank)
        cards.emplace_back("card " + std::to_string(rank), PictureOf(kPlayer, "picCards", rank));
    cards.emplace_back("pass", PictureOf(kPlayer, "picCards", 9455));
    for (int k = 1; k <= 7; ++k) faces.emplace_back("player button " + std::to_string(k), PictureOf(kPlayer, "imgButton", k));
    ExpectAllDifferent(ranks);
    for (int rank = 3; rank <= 15; ++rank)  // a mark's own tile, dimmed, and held by either side
        ExpectAllDifferent({{"rank", PictureOf(kMain, "imgRMCard", (rank - 3) * 4 + 1)},
                            {"dim", PictureOf(kMain, "picRMDim", rank)},
                            {"left", PictureOf(kMain, "picRMLeft", rank)},
                            {"right", PictureOf(kMain, "picRMRight", rank)}});
    ExpectAllDifferent(counts);
    ExpectAllDifferent(cards);
    ExpectAllDifferent(faces);
    ExpectAllDifferent({{"order 1 2 3", PictureOf(kDetail, "imgButton", 1)},
                        {"order 1 2 3 pressed", PictureOf(kDetail, "imgDown", 1)},
                        {"order T T", PictureOf(kDetail, "imgButton", 2)},
                        {"order T T pressed", PictureOf(kDetail, "imgDown", 2)}});
    ExpectAllDifferent({{"note play", PictureOf(kDetail, "imgNote", 1)}, {"note rank", PictureOf(kDetail, "imgNote", 2)}});
    for (const ButtonLooks& b : AllButtons())
        ExpectAllDifferent({{b.name + " at rest", b.rest}, {b.name + " hovered", b.hover}, {b.name + " pressed", b.pressed}});
}

TEST(UiArt, HoverLooksAreLighterAndPressedLooksAreSunken) {
    std::vector<ButtonLooks> buttons = AllButtons();
    for (int k : {1, 2})
        buttons.push_back({"order button " + std::to_string(k), PictureOf(layouts::kDetail, "imgButton", k),
                           PictureOf(layouts::kDetail, "imgButton", k), PictureOf(layouts::kDetail, "imgDown", k)});
    for (const ButtonLooks& b : buttons) {
        SCOPED_TRACE(b.name);
        if (!(b.hover == b.rest)) {  // the order buttons have no hover look
            EXPECT_GT(MeanLuma(b.hover), MeanLuma(b.rest) + 3);
        }
        EXPECT_GT(EdgeLight(b.rest), 20) << "raised at rest";
        EXPECT_GT(EdgeLight(b.hover), 20) << "raised when hovered";
        EXPECT_LT(EdgeLight(b.pressed), -20) << "sunken when pressed";
        EXPECT_LT(MeanLuma(b.pressed), MeanLuma(b.rest));
    }
}

// The hover and release columns of the tables against the pictures: the cursor can
// only be over a button (strictly inside its hover rectangle) where the button's
// picture is, and every button has a release extent to click within.
TEST(UiArt, EveryButtonsHoverRectangleLiesOnItsPicture) {
    using namespace layouts;
    int buttons = 0;
    for (const FormLayout* layout : kLayouts) {
        for (const ControlSpec& c : layout->controls) {
            if (c.hover.x2 == 0) continue;
            ++buttons;
            EXPECT_GE(c.hover.x1 + 1, c.left) << c.name << c.index;
            EXPECT_LE(c.hover.x2 - 1, c.left + c.width - 1) << c.name << c.index;
            EXPECT_GE(c.hover.y1 + 1, c.top) << c.name << c.index;
            EXPECT_LE(c.hover.y2 - 1, c.top + c.height - 1) << c.name << c.index;
            EXPECT_GT(c.release.width, 0) << c.name << c.index;
            EXPECT_GT(c.release.height, 0) << c.name << c.index;
        }
    }
    EXPECT_EQ(buttons, 4 + 4 + 8);  // main 1, 2, 3, 5; detail order (2) and close (2); player 1..8
}

TEST(UiArt, EveryTileKeepsADarkRimSoThatNeighboursNeverRunTogether) {
    std::vector<std::pair<std::string, const Image*>> tiles;
    for (int code = 1; code <= 49; code += 4)
        tiles.emplace_back("grid mark " + std::to_string(code), &PictureOf(layouts::kMain, "imgRMCard", code));
    for (int rank = 3; rank <= 17; ++rank)
        tiles.emplace_back("card " + std::to_string(rank), &PictureOf(layouts::kPlayer, "picCards", rank));
    tiles.emplace_back("pass", &PictureOf(layouts::kPlayer, "picCards", 9455));
    for (const auto& [name, tile] : tiles) {
        SCOPED_TRACE(name);
        const int w = tile->width(), h = tile->height();
        for (int x = 0; x < w; ++x)
            for (int y = 0; y < h; ++y) {
                if (x != 0 && y != 0 && x != w - 1 && y != h - 1) continue;
                ASSERT_LT(artwork::Luma(tile->rgb(x, y)), 128) << "the edge at " << x << "," << y << " is not dark";
            }
        // The face inside the rim is white, so the rim stands out all round.
        EXPECT_GT(CountPixels(*tile, IsWhite), (w - 2) * (h - 2) / 2);
    }
}

TEST(UiArt, CountsAreRedWithAWhiteOutlineUpToFiveAndGreenAbove) {
    for (int n = 0; n <= 16; ++n) {
        SCOPED_TRACE(n);
        const Image& count = PictureOf(layouts::kMain, "picRMNum", n);
        if (n <= 5) {
            EXPECT_GT(CountPixels(count, IsRed), 10);
            EXPECT_GT(CountPixels(count, IsWhite), 10);
            EXPECT_EQ(CountPixels(count, IsGreen), 0);
        } else {
            EXPECT_GT(CountPixels(count, IsGreen), 10);
            EXPECT_EQ(CountPixels(count, IsRed), 0);
        }
    }
}

// A picture that comes and goes over the background (the blinking star, the
// sliding tips, the counts, the caption, the tick) has the background's own pixels
// at its corners, so it leaves no seam.
TEST(UiArt, PicturesOverTheBackgroundMeetItWithoutASeam) {
    using namespace layouts;
    struct Over {
        const FormLayout* layout;
        std::string_view picture;
        std::string_view place;
        int index;
    };
    const Over cases[] = {
        {&kMain, "main/star", "imgStar", 0},           {&kMain, "main/tip-24", "imgTips", 0},
        {&kMain, "main/tip-25", "imgTips", 0},         {&kMain, "main/count-3", "imgRMNum", 1},
        {&kMain, "main/count-12", "imgRMNum", 2},      {&kDetail, "detail/note-rank", "imgNote", 1},
        {&kPlayer, "player/tick", "imgMark", 0},       {&kDetail, "common/close-hover", "imgClose", 0},
        {&kPlayer, "common/close-pressed", "imgMouseDown", 8},
    };
    for (const Over& c : cases) {
        SCOPED_TRACE(std::string(c.picture));
        const Image& picture = Picture(c.picture);
        const Image under = Crop(Picture(c.layout->background), FindControl(*c.layout, c.place, c.index));
        for (int x : {0, picture.width() - 1})
            for (int y : {0, picture.height() - 1}) EXPECT_EQ(picture.rgb(x, y), under.rgb(x, y)) << x << "," << y;
    }
}

TEST(UiArt, TheWindowsShareOneTitleStripAndOneWellForTheirCards) {
    using namespace layouts;
    const Image& main = Picture(kMain.background);
    const Image& detail = Picture(kDetail.background);
    const Image& player = Picture(kPlayer.background);
    for (int y = 0; y <= artwork::style::kTitleHeight; ++y) {
        EXPECT_EQ(main.rgb(main.width() - 1, y), detail.rgb(detail.width() - 1, y)) << y;
        EXPECT_EQ(detail.rgb(detail.width() - 1, y), player.rgb(player.width() - 1, y)) << y;
    }
    // The close buttons that share their hover and pressed pictures rest alike.
    EXPECT_TRUE(Crop(detail, FindControl(kDetail, "imgClose", 0)) == Crop(player, FindControl(kPlayer, "imgMouseOn", 8)));
    // Under every card cell of both windows lies the same flat well.
    const ControlSpec& first = FindControl(kDetail, "imgEmit", 1);
    const Rgb well = detail.rgb(first.left, first.top);
    for (const auto& [layout, background] : {std::pair{&kDetail, &detail}, std::pair{&kPlayer, &player}}) {
        for (const ControlSpec& cell : layout->controls) {
            if (cell.name != "imgEmit" || cell.index == 0) continue;
            for (int y = cell.top; y < cell.top + cell.height; ++y)
                for (int x = cell.left; x < cell.left + cell.width; ++x)
                    ASSERT_EQ(background->rgb(x, y), well) << layout->caption << " cell " << cell.index << " at " << x << "," << y;
        }
    }
}

// --- Text ------------------------------------------------------------------------

TEST(UiArtText, ACharacterTheFontLacksStopsTheDrawingInsteadOfDrawingABox) {
    EXPECT_THROW(artwork::style::ChineseFont().Render("\xF0\x9F\x82\xA1"), std::runtime_error);  // U+1F0A1
    EXPECT_THROW(artwork::style::FigureFont(12).Render("\xE7\x8E\x8B"), std::runtime_error);      // 王 in DejaVu
    EXPECT_NO_THROW(artwork::style::ChineseFont().Render("跟随播放出牌顺序大小左右不要王"));
}

TEST(UiArtText, Utf8IsDecodedAndMalformedTextRefused) {
    EXPECT_EQ(artwork::DecodeUtf8("A跟\xF0\x9F\x82\xA1"), (std::u32string{U'A', U'跟', U'\U0001F0A1'}));
    EXPECT_THROW(artwork::DecodeUtf8("\xE8\xB7"), std::invalid_argument);   // cut short
    EXPECT_THROW(artwork::DecodeUtf8("\xE8" "AB"), std::invalid_argument);  // not a continuation
    EXPECT_THROW(artwork::DecodeUtf8("\xFF"), std::invalid_argument);
}

TEST(UiArtText, ExtraSpacingMovesEveryCharacterButTheFirst) {
    const artwork::TextMask plain = artwork::style::ChineseFont().Render("出牌");
    const artwork::TextMask tight = artwork::style::ChineseFont().Render("出牌", -1);
    EXPECT_EQ(plain.advance, 24);
    EXPECT_EQ(tight.advance, 23);
    EXPECT_EQ(tight.ink.width(), plain.ink.width() - 1);
    EXPECT_EQ(tight.ink.height(), 11);
}

// --- The other display scales --------------------------------------------------------

class UiArtAtScale : public ::testing::TestWithParam<int> {
protected:
    const ui::Scale scale = ui::Scale::FromPercent(GetParam());
    const std::vector<base::ArtworkFile> drawn = artwork::UiArtworkFiles(scale);
    const Image& At(std::string_view name) const {
        for (const base::ArtworkFile& file : drawn)
            if (file.name == std::string(name) + ".png") return file.picture;
        throw std::out_of_range("no picture " + std::string(name));
    }
};

TEST_P(UiArtAtScale, CommittedPicturesEqualWhatTheGeneratorDraws) {
    vantrel::testing::ExpectCommittedArtwork(drawn, std::filesystem::path(VANTREL_UI_ART_DIR).parent_path() / pictures::SetFolder(scale),
                                             "generate-ui-art");
}

// The same names as at 100%, each at its place's size in the scaled table.
TEST_P(UiArtAtScale, EveryPictureIsDrawnAtTheSizeOfItsScaledPlaceUnderTheNamesOf100Percent) {
    ASSERT_EQ(drawn.size(), Drawn().size());
    for (const FormLayout* table : kLayouts) {
        const FormLayout& layout = layouts::Scaled(*table, scale);
        SCOPED_TRACE(layout.caption);
        EXPECT_EQ(At(layout.background).width(), layout.width);
        EXPECT_EQ(At(layout.background).height(), layout.height);
        for (std::size_t i = 0; i < layout.icons.size(); ++i)
            EXPECT_EQ(At(layout.icons[i]).width(), scale.Apply(i == 0 ? 32 : 16));
        for (const ControlSpec& control : layout.controls) {
            if (control.picture.empty()) continue;
            const ControlSpec& place = ShownIn(layout, control);
            EXPECT_EQ(At(control.picture).width(), place.width) << control.picture;
            EXPECT_EQ(At(control.picture).height(), place.height) << control.picture;
        }
    }
}

// Drawn afresh, the looks keep their design: hover lighter and pressed darker than
// at rest, and every card tile ringed by its dark rim.
TEST_P(UiArtAtScale, HoverIsLighterPressedDarkerAndTilesKeepTheirRims) {
    for (int k : {1, 2, 3, 5})
        EXPECT_GT(MeanLuma(At("main/hover-" + std::to_string(k))), MeanLuma(At("main/pressed-" + std::to_string(k))) + 3) << k;
    for (int k = 1; k <= 7; ++k) {
        const std::string n = std::to_string(k);
        EXPECT_GT(MeanLuma(At("player/hover-" + n)), MeanLuma(At("player/button-" + n)) + 3) << k;
        EXPECT_LT(MeanLuma(At("player/pressed-" + n)), MeanLuma(At("player/button-" + n))) << k;
    }
    for (int rank = 3; rank <= 17; ++rank) {
        const Image& tile = At("common/card-" + std::to_string(rank));
        for (int x = 0; x < tile.width(); ++x)
            for (int y : {0, tile.height() - 1}) ASSERT_LT(artwork::Luma(tile.rgb(x, y)), 128) << rank << " at " << x << "," << y;
        const int rim = scale.Apply(1);
        EXPECT_GT(CountPixels(tile, IsWhite), (tile.width() - 2 * rim) * (tile.height() - 2 * rim) / 2) << rank;
    }
}

INSTANTIATE_TEST_SUITE_P(LargerScales, UiArtAtScale, ::testing::Values(125, 150, 175, 200),
                         [](const ::testing::TestParamInfo<int>& percent) { return "at" + std::to_string(percent.param); });

}  // namespace
}  // namespace vantrel::test
