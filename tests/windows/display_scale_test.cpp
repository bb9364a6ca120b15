// The three windows at each display scale on the headless backend, whose primary
// monitor carries the DPI: sizes, places and pictures are the tables' times the
// scale; the chrome's hover, press, release and drag at 150%; stored places in
// logical pixels; a hand followed through a game the system stretches; and windows
// moved between monitors of different scales.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

// --- Monitors of different scales ---------------------------------------------------

// The primary monitor and one right of it, each at its own DPI.
struct TwoMonitors {
    int primaryDpi, secondDpi;
};

class MonitorScaleTest : public ProgramFixture, public ::testing::WithParamInterface<TwoMonitors> {
protected:
    MonitorScaleTest() {
        platform.fakeDesktop().SetPrimaryDpi(GetParam().primaryDpi);
        platform.fakeDesktop().SetMonitors({{0, 0, 1920, 2160}, {1920, 0, 3840, 2160}});
        platform.fakeDesktop().SetMonitorDpi(1, GetParam().secondDpi);
    }
    // As when the window is moved from outside: the system then tells it its monitor's DPI.
    void MoveBy(const std::string& caption, int dx) {
        platform::headless::HeadlessWindow& window = *platform.FindWindow(caption);
        const Rect r = window.ScreenRect();
        window.MoveTo({r.left + dx, r.top});
        window.events().OnMoved({r.left + dx, r.top});
        window.FollowMonitor();
    }
};

// What a window showed and where its cells stood.
struct Look {
    Image picture;
    std::vector<Rect> cells;
    std::vector<ui::Picture> pictures;
};
Look LookOf(ui::Form& form, const platform::headless::HeadlessWindow& window, const ui::FormLayout& table) {
    Look look{window.picture(), {}, {}};
    for (const ui::ControlSpec& c : table.controls) {
        if (c.kind != ui::ControlKind::Cell) continue;
        look.cells.push_back(form.Cells(c.name)(c.index).PixelBounds());
        look.pictures.push_back(form.Cells(c.name)(c.index).picture());
    }
    return look;
}

TEST_P(MonitorScaleTest, AWindowMovedToAMonitorOfAnotherScaleReLaysItselfAndComesBackAsItWas) {
    const Scale from = Scale::ForDpi(GetParam().primaryDpi), to = Scale::ForDpi(GetParam().secondDpi);
    Start();
    ui::Form* forms[] = {&main(), &detail(), &player()};
    int tipsChecked = 0;
    for (std::size_t i = 0; i < std::size(kWindows); ++i) {
        const Window& w = kWindows[i];
        SCOPED_TRACE(w.caption);
        ui::Form& form = *forms[i];
        const platform::headless::HeadlessWindow& window = *platform.FindWindow(w.caption);
        for (const ui::ControlSpec& c : w.table->controls)  // the hover looks' tooltips show
            if (c.kind == ui::ControlKind::Cell && !c.tooltip.empty()) form.Cells(c.name)(c.index).SetVisible(true);
        form.Refresh();
        const Look before = LookOf(form, window, *w.table);
        const Rect was = window.ScreenRect();

        MoveBy(w.caption, 1920);
        const Rect r = window.ScreenRect();
        EXPECT_EQ(r, (Rect{was.left + 1920, was.top, was.left + 1920 + to.Apply(w.table->width),
                           was.top + to.Apply(w.table->height)}));
        std::size_t n = 0;
        for (const ui::ControlSpec& c : w.table->controls) {
            if (c.kind != ui::ControlKind::Cell) continue;
            const ui::PictureCell& cell = form.Cells(c.name)(c.index);
            const Rect old = before.cells[n];
            // Each cell where the code had put it at the old scale, at the new one.
            EXPECT_EQ(cell.PixelBounds(), (Rect{to.Apply(from.Unapply(old.left)), to.Apply(from.Unapply(old.top)),
                                                to.Apply(from.Unapply(old.left)) + to.Apply(c.width),
                                                to.Apply(from.Unapply(old.top)) + to.Apply(c.height)}))
                << c.name << c.index;
            if (!c.picture.empty() && before.pictures[n] == pictures::Get(c.picture, from)) {
                EXPECT_EQ(cell.picture(), pictures::Get(c.picture, to)) << c.name << c.index;
            }
            ++n;
        }
        EXPECT_EQ(window.picture(), form.Compose());  // presented whole at the new size
        for (const platform::TooltipArea& tip : window.tooltips()) {
            const auto c = std::find_if(w.table->controls.begin(), w.table->controls.end(),
                                        [&](const ui::ControlSpec& s) { return s.kind == ui::ControlKind::Cell && s.tooltip == tip.text; });
            if (c == w.table->controls.end()) continue;  // a tip the code sets
            EXPECT_EQ(tip.area.width(), to.Apply(c->width)) << c->name;
            EXPECT_EQ(tip.area.height(), to.Apply(c->height)) << c->name;
            ++tipsChecked;
        }

        MoveBy(w.caption, -1920);
        const Look after = LookOf(form, window, *w.table);
        EXPECT_EQ(window.ScreenRect(), was);
        EXPECT_EQ(after.cells, before.cells);
        EXPECT_EQ(after.pictures, before.pictures);
        EXPECT_EQ(after.picture, before.picture);
    }
    EXPECT_GT(tipsChecked, 0);
}

TEST_P(MonitorScaleTest, AWindowStoredOnTheOtherMonitorShowsAtThatMonitorsScale) {
    const Scale primary = Scale::ForDpi(GetParam().primaryDpi), to = Scale::ForDpi(GetParam().secondDpi);
    const Place stored{2000 * 15, 100 * 15};  // logical pixels of the primary's scale
    SettingsFile(platform.files()).Write(SettingsRecord::MainWindow, stored);
    Start();
    const platform::headless::HeadlessWindow& window = *platform.FindWindow("VXMain");
    EXPECT_EQ(window.ScreenRect(), (Rect{primary.Apply(2000), primary.Apply(100), primary.Apply(2000) + to.Apply(layouts::kMain.width),
                                         primary.Apply(100) + to.Apply(layouts::kMain.height)}));
    EXPECT_EQ(main().imgRMCard(3).picture(), pictures::Get(FindControl(layouts::kMain, "imgRMCard", 3).picture, to));
    EXPECT_EQ(window.picture(), main().Compose());
    main().Unload();
    EXPECT_EQ(SettingsFile(platform.files()).ReadPlace(SettingsRecord::MainWindow), stored);
}

// Dragged onto the other monitor by its background, the main window takes that
// monitor's scale under the pointer: its hover rectangles are the table's at it,
// and its record is still in logical pixels of the primary monitor's scale.
TEST_P(MonitorScaleTest, ADraggedWindowHoversAtItsNewScaleAndStoresItsPlaceAtThePrimarysScale) {
    const Scale primary = Scale::ForDpi(GetParam().primaryDpi), to = Scale::ForDpi(GetParam().secondDpi);
    Start();
    const Rect was = platform.FindWindow("VXMain")->ScreenRect();
    const auto at = [&](int x, int y) {
        const Rect r = platform.FindWindow("VXMain")->ScreenRect();
        return Point{r.left + x, r.top + y};
    };
    const Point background{3, 300};  // logical
    platform.PressMouse(at(primary.Apply(background.x), primary.Apply(background.y)));
    platform.MoveMouse(at(primary.Apply(background.x) + 2000, primary.Apply(background.y)));
    platform.ReleaseMouse(at(primary.Apply(background.x), primary.Apply(background.y)));
    const Rect r = platform.FindWindow("VXMain")->ScreenRect();
    ASSERT_EQ(r.left, was.left + 2000);
    ASSERT_EQ(r.width(), to.Apply(layouts::kMain.width));

    // Button 2's hover rectangle, its table's at the new scale; the cursor strictly inside.
    const ButtonRect hover = FindControl(layouts::kMain, "imgMouseOn", 2).hover;
    const int y = to.Apply((hover.y1 + hover.y2) / 2);
    const std::pair<Point, bool> cases[] = {{{to.Apply(hover.x1), y}, false}, {{to.Apply(hover.x1) + 1, y}, true},
                                            {{to.Apply(hover.x2), y}, false}, {{to.Apply(hover.x2) - 1, y}, true}};
    for (const auto& [cursor, over] : cases) {
        platform.MoveMouse(at(to.Apply(background.x), to.Apply(background.y)));
        platform.fakeDesktop().SetCursor(at(cursor.x, cursor.y));
        platform.AdvanceBy(50);
        EXPECT_EQ(main().imgMouseOn(2).visible(), over) << cursor.x << "," << cursor.y;
    }

    main().Unload();
    const Place stored = SettingsFile(platform.files()).ReadPlace(SettingsRecord::MainWindow);
    EXPECT_EQ(stored.X, std::lround(r.left * ui::kTwipsPerPixel / primary.factor()));
    EXPECT_EQ(stored.Y, std::lround(r.top * ui::kTwipsPerPixel / primary.factor()));
}

INSTANTIATE_TEST_SUITE_P(TwoScales, MonitorScaleTest,
                         ::testing::Values(TwoMonitors{96, 144}, TwoMonitors{144, 96}, TwoMonitors{120, 192}),
                         [](const ::testing::TestParamInfo<TwoMonitors>& p) {
                             return "from" + std::to_string(p.param.primaryDpi) + "to" + std::to_string(p.param.secondDpi);
                         });

}  // namespace
}  // namespace vantrel
