// The three windows as they open, read back as pixels from what each window
// presented: which picture stands in which cell, and where the background shows.
// Places come from the windows' layout tables, pictures from the baked artwork.
#include <gtest/gtest.h>

#include <string>

#include "base/card_code.h"
#include "shared/layouts.h"
#include "shared/pictures.h"
#include "support/game_fixture.h"

namespace vantrel {
namespace {

using base::Image;
using ui::ControlSpec;
using ui::FindControl;
using ui::FormLayout;

// The window's presented picture, compared region by region.
class Screen {
public:
    Screen(const Image& shown, const FormLayout& layout) : shown_(shown), layout_(layout) {}

    // The region shows `picture` with its top-left corner at (left, top).
    bool Shows(const std::string& picture, int left, int top) const {
        const Image& tile = *pictures::Get(picture);
        for (int y = 0; y < tile.height(); ++y)
            for (int x = 0; x < tile.width(); ++x)
                if (shown_.at(left + x, top + y) != tile.at(x, y)) return false;
        return true;
    }
    bool Shows(const std::string& picture, const ControlSpec& cell) const { return Shows(picture, cell.left, cell.top); }
    // The cell's area shows the window's background, as if the cell were not there.
    bool ShowsBackground(const ControlSpec& cell) const {
        const Image& background = *pictures::Get(layout_.background);
        for (int y = cell.top; y < cell.top + cell.height; ++y)
            for (int x = cell.left; x < cell.left + cell.width; ++x)
                if (shown_.at(x, y) != background.at(x, y)) return false;
        return true;
    }
    const ControlSpec& Cell(std::string_view name, int index = 0) const { return FindControl(layout_, name, index); }

private:
    const Image& shown_;
    const FormLayout& layout_;
};

class FreshWindowsTest : public testing::ProgramFixture {
protected:
    void SetUp() override { Start(); }
    Screen Shown(const std::string& caption, const FormLayout& layout) {
        const auto* window = platform.FindWindow(caption);
        EXPECT_NE(window, nullptr) << caption;
        return Screen(window->picture(), layout);
    }
};

TEST_F(FreshWindowsTest, TheMainWindowShowsEveryMarkNoCountNoButtonLookAndTheStar) {
    const Screen main = Shown("VXMain", layouts::kMain);
    for (int code = 1; code <= cards::kTwoOfSpades; ++code) {
        if (!cards::IsCardCode(code)) continue;
        EXPECT_TRUE(main.Shows("main/rank-" + std::to_string(cards::RankOf(code)), main.Cell("imgRMCard", code))) << code;
    }
    for (int seat : {1, 2}) EXPECT_TRUE(main.ShowsBackground(main.Cell("imgRMNum", seat))) << seat;
    for (int button : {1, 2, 3, 5}) {
        EXPECT_TRUE(main.ShowsBackground(main.Cell("imgMouseOn", button))) << button;
        EXPECT_TRUE(main.ShowsBackground(main.Cell("imgMouseDown", button))) << button;
    }
    EXPECT_TRUE(main.Shows("main/star", main.Cell("imgStar")));
    EXPECT_TRUE(main.Shows("main/tip-24", main.Cell("imgTips")));
}

TEST_F(FreshWindowsTest, TheDetailWindowShowsTheFirstOrderFaceItsCaptionAndEmptyRows) {
    const Screen detail = Shown("VXDetail", layouts::kDetail);
    for (int slot = 1; slot <= 40; ++slot) EXPECT_TRUE(detail.ShowsBackground(detail.Cell("imgEmit", slot))) << slot;
    for (int divider = 1; divider <= 38; ++divider)
        EXPECT_TRUE(detail.ShowsBackground(detail.Cell("imgDivide", divider))) << divider;
    EXPECT_TRUE(detail.Shows("detail/order-play", detail.Cell("imgButton", 1)));
    EXPECT_TRUE(detail.Shows("detail/note-play", detail.Cell("imgNote", 1)));
    for (int look : {0, 1}) EXPECT_TRUE(detail.ShowsBackground(detail.Cell("imgClose", look))) << look;
}

TEST_F(FreshWindowsTest, ThePlayerWindowShowsSixFacesWithPlayNotPauseAndTheTickAfterLoad) {
    const Screen player = Shown("VXPlayer", layouts::kPlayer);
    for (int button : {1, 3, 4, 5, 6, 7})
        EXPECT_TRUE(player.Shows("player/button-" + std::to_string(button), player.Cell("imgButton", button))) << button;
    EXPECT_EQ(player.Cell("imgButton", 7).left, 286);
    EXPECT_FALSE(player.Shows("player/button-2", player.Cell("imgButton", 2)));
    EXPECT_TRUE(player.Shows("player/tick", player.Cell("imgMark")));
    for (int slot = 0; slot <= 60; ++slot) EXPECT_TRUE(player.ShowsBackground(player.Cell("imgEmit", slot))) << slot;
    for (int button = 1; button <= 8; ++button) {
        const ControlSpec& hover = player.Cell("imgMouseOn", button);
        const ControlSpec& pressed = player.Cell("imgMouseDown", button);
        EXPECT_FALSE(player.Shows(std::string(hover.picture), hover)) << button;
        EXPECT_FALSE(player.Shows(std::string(pressed.picture), pressed)) << button;
    }
}

TEST_F(FreshWindowsTest, OnlyThePlayerWindowHasThePassTile) {
    EXPECT_TRUE(player().picCards.Has(modQTC::PassMark));
    EXPECT_FALSE(detail().picCards.Has(modQTC::PassMark));
    for (int rank = 3; rank <= 17; ++rank) {
        EXPECT_EQ(player().picCards(rank).picture(), detail().picCards(rank).picture()) << rank;
    }
    EXPECT_THROW(detail().picCards(18), ui::RuntimeError);
    EXPECT_THROW(main().imgRMCard(48), ui::RuntimeError);
}

TEST_F(FreshWindowsTest, TheMainWindowCarriesTheProgramsIconInBothSizes) {
    ASSERT_EQ(layouts::kMain.icons.size(), 2u);
    EXPECT_EQ(pictures::Get(layouts::kMain.icons[0])->width(), 32);
    EXPECT_EQ(pictures::Get(layouts::kMain.icons[1])->width(), 16);
    EXPECT_TRUE(layouts::kDetail.icons.empty() && layouts::kPlayer.icons.empty());
}

}  // namespace
}  // namespace vantrel
