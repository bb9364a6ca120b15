// The three windows at each display scale on the headless backend, whose primary
// monitor carries the DPI: sizes, places and pictures are the tables' times the
// scale; the chrome's hover, press, release and drag at 150%; stored places in
// logical pixels; and a hand followed through a game the system stretches.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "shared/layouts.h"
#include "shared/pictures.h"
#include "shared/settings.h"
#include "support/game_fixture.h"
#include "support/painted_table.h"

namespace vantrel {
namespace {

using namespace vantrel::testing;
using base::Image;
using base::Point;
using base::Rect;
using ui::FindControl;
using ui::Scale;

// The largest scale not above a monitor's, for any DPI a system or a damaged report gives.
static_assert(Scale::ForDpi(143).percent() == 125 && Scale::ForDpi(144).percent() == 150);
static_assert(Scale::ForDpi(std::numeric_limits<int>::min()).percent() == 100);
static_assert(Scale::ForDpi(std::numeric_limits<int>::max()).percent() == 200);

struct Window {
    std::string caption;
    const ui::FormLayout* table;
    SettingsRecord record;
};
const Window kWindows[] = {{"VXMain", &layouts::kMain, SettingsRecord::MainWindow},
                           {"VXDetail", &layouts::kDetail, SettingsRecord::DetailWindow},
                           {"VXPlayer", &layouts::kPlayer, SettingsRecord::PlayerWindow}};

// Whether `shown` holds `picture` at `place`, but where a rectangle of `covered` lies over it.
bool Shows(const Image& shown, const Image& picture, Rect place, const std::vector<Rect>& covered) {
    for (int y = place.top; y < place.bottom; ++y)
        for (int x = place.left; x < place.right; ++x)
            if (std::none_of(covered.begin(), covered.end(), [&](const Rect& r) { return r.Contains(Point{x, y}); }) &&
                (!shown.Contains(x, y) || shown.at(x, y) != picture.at(x - place.left, y - place.top)))
                return false;
    return true;
}

class DisplayScaleTest : public ProgramFixture, public ::testing::WithParamInterface<int> {
protected:
    DisplayScaleTest() : scale(Scale::FromPercent(GetParam())) {
        platform.fakeDesktop().SetPrimaryDpi(Scale::kBaseDpi * GetParam() / 100);
        platform.fakeDesktop().SetMonitors({{0, 0, 3840, 2160}});
    }
    const Scale scale;
};

TEST_P(DisplayScaleTest, EveryWindowStandsAtItsScaledSizeAndPlaceAndShowsItsScalesPictures) {
    Start();
    for (const Window& w : kWindows) {
        SCOPED_TRACE(w.caption);
        const platform::headless::HeadlessWindow& window = *platform.FindWindow(w.caption);
        const Rect r = window.ScreenRect();
        EXPECT_EQ(r.width(), scale.Apply(w.table->width));
        EXPECT_EQ(r.height(), scale.Apply(w.table->height));
        // The default place is logical: 15 twips to a pixel of scale.factor() physical ones.
        const Place stored = SettingsFile::DefaultPlace(w.record);
        EXPECT_EQ(r.left, std::lround(stored.X * scale.factor() / ui::kTwipsPerPixel));
        EXPECT_EQ(r.top, std::lround(stored.Y * scale.factor() / ui::kTwipsPerPixel));
        // Every cell shown at load, in z-order: places rounded one by one may let a
        // later cell overlap an earlier one by a pixel, and the later one is on top.
        std::vector<Rect> later;
        for (auto c = w.table->controls.rbegin(); c != w.table->controls.rend(); ++c) {
            if (c->kind != ui::ControlKind::Cell || !c->visible || c->picture.empty()) continue;
            const Image& picture = *pictures::Get(c->picture, scale);
            const int left = scale.Apply(c->left), top = scale.Apply(c->top);
            const Rect place{left, top, left + scale.Apply(c->width), top + scale.Apply(c->height)};
            EXPECT_EQ(picture.width(), place.width()) << c->name << c->index;
            EXPECT_EQ(picture.height(), place.height()) << c->name << c->index;
            EXPECT_TRUE(Shows(window.picture(), picture, place, later)) << c->name << c->index;
            later.push_back(place);
        }
        EXPECT_FALSE(later.empty());
    }
    EXPECT_EQ(pictures::Get(layouts::kMain.icons[0], scale)->width(), scale.Apply(32));
}

TEST_P(DisplayScaleTest, TheTipsRollInFromBelowTheScaledWindowToTheirScaledRest) {
    Start();
    const int entry = scale.Apply(layouts::kMainTipEntryTop), rest = scale.Apply(FindControl(layouts::kMain, "imgTips").top);
    const int step = scale.Apply(1);
    platform.AdvanceTo(5000);  // the next tip enters, and may take its first step
    int top = main().imgTips.top();
    EXPECT_TRUE(top == entry || top == entry - step) << top;
    while (main().tmrTipMove.Enabled()) {
        platform.AdvanceBy(20);
        EXPECT_EQ(main().imgTips.top(), std::max(top - step, rest)) << "from " << top;
        top = main().imgTips.top();
    }
    EXPECT_EQ(top, rest);
}

INSTANTIATE_TEST_SUITE_P(EveryScale, DisplayScaleTest, ::testing::ValuesIn(Scale::kPercents),
                         [](const ::testing::TestParamInfo<int>& percent) { return "at" + std::to_string(percent.param); });

// --- At 150% -----------------------------------------------------------------------

class At150Test : public DisplayScaleTest {};

TEST_P(At150Test, HoverPressReleaseAndDragFollowTheScaledTable) {
    SettingsFile(platform.files()).Write(SettingsRecord::MainWindow, {1500, 1500});  // (100, 100) logical
    Start();
    const Rect r = platform.FindWindow("VXMain")->ScreenRect();
    ASSERT_EQ((Point{r.left, r.top}), (Point{150, 150}));
    const auto at = [&](int x, int y) { return Point{r.left + x, r.top + y}; };
    const auto hoverAt = [&](int x, int y) {
        platform.MoveMouse(at(5, 450));  // over the background: the hover tick runs
        platform.fakeDesktop().SetCursor(at(x, y));
        platform.AdvanceBy(50);
    };
    // Button 2's hover rectangle at 150%: 60 < x < 89 and 695 < y < 723 (88.5 and
    // 694.5 rounded up).
    const std::pair<Point, bool> cases[] = {{{60, 700}, false}, {{61, 700}, true}, {{88, 700}, true}, {{89, 700}, false},
                                            {{70, 695}, false}, {{70, 696}, true}, {{70, 722}, true}, {{70, 723}, false}};
    for (const auto& [cursor, over] : cases) {
        hoverAt(cursor.x, cursor.y);
        EXPECT_EQ(main().imgMouseOn(2).visible(), over) << cursor.x << "," << cursor.y;
    }

    // A release 25 pixels right of button 2's corner is outside its 20 pixels at 100%
    // and inside its 30 at 150%: a click, which opens the detail window.
    detail().Unload();
    hoverAt(70, 700);
    platform.PressMouse(at(70, 700));
    platform.AdvanceBy(50);
    EXPECT_TRUE(main().imgMouseDown(2).visible());
    platform.ReleaseMouse(at(60 + 25, 700));
    EXPECT_TRUE(detail().loaded());

    // A drag moves the window by the pointer's travel; its record keeps it in logical twips.
    platform.PressMouse(at(5, 450));
    platform.MoveMouse(at(5 + 30, 450 + 45));
    platform.ReleaseMouse(at(5 + 30, 450 + 45));
    EXPECT_EQ(platform.FindWindow("VXMain")->ScreenRect().left, 180);
    main().Unload();
    EXPECT_EQ(SettingsFile(platform.files()).ReadPlace(SettingsRecord::MainWindow), (Place{120 * 15, 130 * 15}));
}

// The game is not DPI aware: the system shows it stretched to 1212 x 951 about its
// 800 x 600 client area, whose own pixels are what a copy reads.
TEST_P(At150Test, AStretchedGameIsPlacedInLogicalPixelsAndItsHandIsFollowed) {
    Start();
    OpenGame({450, 300, 450 + 1212, 300 + 951});
    PaintDealSigns(screen);
    PaintOwnRow(screen, 16);
    platform.AdvanceTo(1100);
    screen.set(recognition::CardTally::FirstSeatProbe(2).X, recognition::CardTally::FirstSeatProbe(2).Y, kSign);
    platform.AdvanceBy(100);
    ASSERT_TRUE(main().tmrEmit.Enabled());
    for (int k = 0; k < 3; ++k) PaintBlankCard(screen, 14 + 22 * k, 150);
    platform.AdvanceBy(50);
    EXPECT_EQ(main().watcher().tally.RemainCards(2), 13);
    EXPECT_EQ(main().imgRMNum(2).picture(), pictures::Get("main/count-13", scale));

    // Placed 1.5 s after it was found at the default (175, 8) logical: (262.5, 12),
    // the half rounded up; its size as the system gave it.
    platform.AdvanceTo(2500);
    EXPECT_EQ(platform.fakeDesktop().WindowRect(game), (Rect{263, 12, 263 + 1212, 12 + 951}));
    platform.fakeDesktop().MoveWindow(game, {600, 301});
    platform.AdvanceTo(4000);
    platform.fakeDesktop().RemoveWindow(game);
    platform.AdvanceTo(5000);
    EXPECT_EQ(SettingsFile(platform.files()).Read(SettingsRecord::GameWindow), (PosRec{400, 201}));
}

INSTANTIATE_TEST_SUITE_P(Scale150, At150Test, ::testing::Values(150));

class MonitorScaleTest : public ProgramFixture, public ::testing::WithParamInterface<std::pair<int, int>> {
protected:
    MonitorScaleTest() {
        platform.fakeDesktop().SetPrimaryDpi(GetParam().first);
        platform.fakeDesktop().SetMonitors({{0, 0, 1920, 2160}, {1920, 0, 3840, 2160}});
        platform.fakeDesktop().SetMonitorDpi(1, GetParam().second);
    }
    const Scale primary = Scale::ForDpi(GetParam().first), second = Scale::ForDpi(GetParam().second);
};

// Moved onto a monitor (right of the primary) of another scale, each cell stands at its old place at the
// new scale, with its picture's namesake, its tooltip and its icons; moved back, the window shows what it showed.
TEST_P(MonitorScaleTest, AWindowMovedToAMonitorOfAnotherScaleReLaysItselfAndComesBackAsItWas) {
    Start();
    ui::Form* forms[] = {&main(), &detail(), &player()};
    int tips = 0, tipsFollowed = 0;
    for (std::size_t i = 0; i < std::size(kWindows); ++i) {
        const ui::FormLayout& table = *kWindows[i].table;
        platform::headless::HeadlessWindow& window = *platform.FindWindow(kWindows[i].caption);
        std::vector<std::pair<const ui::ControlSpec*, ui::PictureCell*>> cells;
        for (const ui::ControlSpec& c : table.controls)
            if (c.kind == ui::ControlKind::Cell) cells.emplace_back(&c, &forms[i]->Cells(c.name)(c.index));
        for (const auto& [c, cell] : cells) cell->SetVisible(cell->visible() || !c->tooltip.empty());  // hover tips
        forms[i]->Refresh();
        std::vector<std::pair<Rect, ui::Picture>> before;
        for (const auto& [c, cell] : cells) before.emplace_back(cell->PixelBounds(), cell->picture());
        const Image shown = window.picture();
        const Rect was = window.ScreenRect();
        const auto moveBy = [&](int dx) { window.MoveTo({window.ScreenRect().left + dx, was.top}), window.FollowMonitor(); };
        const auto iconsAt = [&](Scale scale) {
            std::vector<ui::Picture> icons;
            for (std::string_view name : table.icons) icons.push_back(pictures::Get(name, scale));
            return icons;
        };
        EXPECT_EQ(window.icons(), iconsAt(primary));
        moveBy(1920);
        EXPECT_EQ(window.icons(), iconsAt(second));
        EXPECT_EQ(window.ScreenRect(), (Rect{was.left + 1920, was.top, was.left + 1920 + second.Apply(table.width),
                                             was.top + second.Apply(table.height)}));
        for (std::size_t n = 0; n < cells.size(); ++n) {
            const auto& [c, cell] = cells[n];
            const int left = second.Apply(primary.Unapply(before[n].first.left));
            const int top = second.Apply(primary.Unapply(before[n].first.top));
            EXPECT_EQ(cell->PixelBounds(), (Rect{left, top, left + second.Apply(c->width), top + second.Apply(c->height)}));
            const bool fromTable = !c->picture.empty() && before[n].second == pictures::Get(c->picture, primary);
            EXPECT_TRUE(!fromTable || cell->picture() == pictures::Get(c->picture, second)) << c->name << c->index;
            tips += !c->tooltip.empty();
            for (const platform::TooltipArea& tip : window.tooltips())
                tipsFollowed += tip.text == c->tooltip && tip.area == cell->PixelBounds();
        }
        EXPECT_EQ(window.picture(), forms[i]->Compose());
        moveBy(-1920);
        EXPECT_EQ(window.ScreenRect(), was);
        EXPECT_EQ(window.icons(), iconsAt(primary));
        EXPECT_EQ(window.picture(), shown);
    }
    EXPECT_TRUE(tips > 0 && tipsFollowed == tips) << tipsFollowed << " of " << tips;
}

// Stored on the other monitor, the main window shows and hovers at its scale and keeps its logical place.
TEST_P(MonitorScaleTest, AWindowStoredOnTheOtherMonitorShowsAtItsScaleAndKeepsItsPlace) {
    const Place stored{2000 * 15, 100 * 15};  // logical pixels at the primary's scale
    SettingsFile(platform.files()).Write(SettingsRecord::MainWindow, stored);
    Start();
    const platform::headless::HeadlessWindow& w = *platform.FindWindow("VXMain");
    const auto at = [&](int x, int y) { return Point{w.ScreenRect().left + x, w.ScreenRect().top + y}; };
    EXPECT_EQ(w.ScreenRect(), (Rect{primary.Apply(2000), primary.Apply(100), primary.Apply(2000) + second.Apply(layouts::kMain.width),
                                    primary.Apply(100) + second.Apply(layouts::kMain.height)}));
    const ButtonRect hover = FindControl(layouts::kMain, "imgMouseOn", 2).hover;
    const std::pair<int, bool> cases[] = {{second.Apply(hover.x1), false}, {second.Apply(hover.x1) + 1, true},
                                          {second.Apply(hover.x2), false}, {second.Apply(hover.x2) - 1, true}};
    for (const auto& [x, over] : cases) {
        platform.MoveMouse(at(second.Apply(3), second.Apply(300)));  // over the background: the hover tick runs
        platform.fakeDesktop().SetCursor(at(x, second.Apply((hover.y1 + hover.y2) / 2)));
        platform.AdvanceBy(50);
        EXPECT_EQ(main().imgMouseOn(2).visible(), over) << x;
    }
    main().Unload();
    EXPECT_EQ(SettingsFile(platform.files()).ReadPlace(SettingsRecord::MainWindow), stored);
}

INSTANTIATE_TEST_SUITE_P(TwoScales, MonitorScaleTest, ::testing::Values(std::pair{96, 144}, std::pair{144, 96}, std::pair{120, 192}));

}  // namespace
}  // namespace vantrel
