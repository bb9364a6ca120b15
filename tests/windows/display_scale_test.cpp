// The three windows at each display scale on the headless backend, whose primary
// monitor carries the DPI: sizes, places and pictures are the tables' times the
// scale; the chrome's hover, press, release and drag at 150%; stored places in
// logical pixels; and a hand followed through a game the system stretches.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "base/card_code.h"
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
using ui::ControlSpec;
using ui::FindControl;
using ui::FormLayout;
using ui::Scale;

struct Window {
    std::string caption;
    const FormLayout* table;
    SettingsRecord record;
};
const Window kWindows[] = {{"VXMain", &layouts::kMain, SettingsRecord::MainWindow},
                           {"VXDetail", &layouts::kDetail, SettingsRecord::DetailWindow},
                           {"VXPlayer", &layouts::kPlayer, SettingsRecord::PlayerWindow}};

// Whether `shown` holds `picture` with its top-left corner at (left, top), but
// where a rectangle of `covered` lies over it.
bool Shows(const Image& shown, const Image& picture, int left, int top, const std::vector<Rect>& covered = {}) {
    if (left + picture.width() > shown.width() || top + picture.height() > shown.height()) return false;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const Point at{left + x, top + y};
            if (std::any_of(covered.begin(), covered.end(), [at](const Rect& r) { return r.Contains(at); })) continue;
            if (shown.at(at.x, at.y) != picture.at(x, y)) return false;
        }
    return true;
}

class DisplayScaleTest : public ProgramFixture, public ::testing::WithParamInterface<int> {
protected:
    DisplayScaleTest() : scale(Scale::FromPercent(GetParam())) {
        platform.fakeDesktop().SetPrimaryDpi(Scale::kBaseDpi * GetParam() / 100);
        platform.fakeDesktop().SetMonitors({{0, 0, 3840, 2160}});
    }
    platform::headless::HeadlessWindow& Shown(const std::string& caption) { return *platform.FindWindow(caption); }
    const Scale scale;
};

TEST_P(DisplayScaleTest, EveryWindowStandsAtItsScaledSizeAndPlaceAndShowsItsScalesPictures) {
    Start();
    for (const Window& w : kWindows) {
        SCOPED_TRACE(w.caption);
        const platform::headless::HeadlessWindow& window = Shown(w.caption);
        const Rect r = window.ScreenRect();
        EXPECT_EQ(r.width(), scale.Apply(w.table->width));
        EXPECT_EQ(r.height(), scale.Apply(w.table->height));
        // The default place is logical: 15 twips to a pixel of scale.factor() physical ones.
        const Place stored = SettingsFile::DefaultPlace(w.record);
        EXPECT_EQ(r.left, std::lround(stored.X * scale.factor() / ui::kTwipsPerPixel));
        EXPECT_EQ(r.top, std::lround(stored.Y * scale.factor() / ui::kTwipsPerPixel));

        // Every cell shown at load, in z-order: places rounded one by one may let a
        // later cell overlap an earlier one by a pixel, and the later one is on top.
        const Image& shown = window.picture();
        std::vector<Rect> later;
        for (auto c = w.table->controls.rbegin(); c != w.table->controls.rend(); ++c) {
            if (c->kind != ui::ControlKind::Cell || !c->visible || c->picture.empty()) continue;
            const Image& picture = *pictures::Get(c->picture, scale);
            const Rect place{scale.Apply(c->left), scale.Apply(c->top), scale.Apply(c->left) + scale.Apply(c->width),
                             scale.Apply(c->top) + scale.Apply(c->height)};
            EXPECT_EQ(picture.width(), place.width()) << c->name << c->index;
            EXPECT_EQ(picture.height(), place.height()) << c->name << c->index;
            EXPECT_TRUE(Shows(shown, picture, place.left, place.top, later)) << c->name << c->index;
            later.push_back(place);
        }
        EXPECT_FALSE(later.empty());
        // A hidden button look leaves its scale's background showing.
        const Image& background = *pictures::Get(w.table->background, scale);
        const ControlSpec& hidden = w.table == &layouts::kDetail ? FindControl(*w.table, "imgClose", 1)
                                                                 : FindControl(*w.table, "imgMouseDown", 1);
        const Image under = [&] {
            Image crop(scale.Apply(hidden.width), scale.Apply(hidden.height));
            crop.Blit(background, -scale.Apply(hidden.left), -scale.Apply(hidden.top));
            return crop;
        }();
        EXPECT_TRUE(Shows(shown, under, scale.Apply(hidden.left), scale.Apply(hidden.top)));
    }
    // The icon too is drawn at the scale.
    EXPECT_EQ(pictures::Get(layouts::kMain.icons[0], scale)->width(), scale.Apply(32));
}

TEST_P(DisplayScaleTest, TheTipsRollInFromBelowTheScaledWindowToTheirScaledRest) {
    Start();
    const int entry = scale.Apply(layouts::kMainTipEntryTop), rest = scale.Apply(FindControl(layouts::kMain, "imgTips").top);
    const int step = scale.Apply(1);
    platform.AdvanceTo(5000);  // tmrTipInterval: the next tip enters, and may take its first step
    int top = main().imgTips.top();
    EXPECT_GE(top, entry - step);
    EXPECT_LE(top, entry);
    while (main().tmrTipMove.Enabled()) {
        platform.AdvanceBy(20);
        const int now = main().imgTips.top();
        EXPECT_EQ(now, std::max(top - step, rest)) << "from " << top;
        top = now;
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
    const Rect r = Shown("VXMain").ScreenRect();
    ASSERT_EQ((Point{r.left, r.top}), (Point{150, 150}));
    const auto at = [&](int x, int y) { return Point{r.left + x, r.top + y}; };
    // Button 2's hover rectangle at 150%: 60 < x < 89 and 695 < y < 723 (88.5 and
    // 694.5 rounded up).
    const ui::ButtonRect hover = FindControl(layouts::Scaled(layouts::kMain, scale), "imgMouseOn", 2).hover;
    ASSERT_EQ(hover.x1, 60);
    ASSERT_EQ(hover.x2, 89);
    struct Case {
        Point at;
        bool over;
    };
    const Case cases[] = {{{60, 700}, false}, {{61, 700}, true}, {{88, 700}, true}, {{89, 700}, false},
                          {{70, 695}, false}, {{70, 696}, true}, {{70, 722}, true}, {{70, 723}, false}};
    for (const Case& c : cases) {
        platform.MoveMouse(at(5, 450));
        platform.fakeDesktop().SetCursor(at(c.at.x, c.at.y));
        platform.AdvanceBy(50);
        EXPECT_EQ(main().imgMouseOn(2).visible(), c.over) << c.at.x << "," << c.at.y;
    }

    // A release 25 pixels right of button 2's corner is outside its 20 pixels at 100%
    // and inside its 30 at 150%: a click, which opens the detail window.
    detail().Unload();
    platform.MoveMouse(at(5, 450));
    platform.fakeDesktop().SetCursor(at(70, 700));
    platform.AdvanceBy(50);
    platform.PressMouse(at(70, 700));
    EXPECT_EQ(main().nPressed, 2);
    platform.AdvanceBy(50);
    EXPECT_TRUE(main().imgMouseDown(2).visible());
    platform.ReleaseMouse(at(60 + 25, 700));
    EXPECT_TRUE(detail().loaded());

    // A drag moves the window by the pointer's travel; its record keeps it in
    // logical twips.
    platform.PressMouse(at(5, 450));
    platform.MoveMouse(at(5 + 30, 450 + 45));
    platform.ReleaseMouse(at(5 + 30, 450 + 45));
    EXPECT_EQ(Shown("VXMain").ScreenRect().left, 180);
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

// At 100% the settings file is byte for byte what a run before display scales left.
TEST(DisplayScale, At100PercentAMovedWindowsRecordIsItsPixelsTimes15) {
    platform::headless::HeadlessPlatform platform;
    Program program{platform};
    program.Start();
    auto& main = program.shared().Instance<frmIdentify>();
    main.SetLeft(333 * 15);
    main.SetTop(77 * 15 + 7);
    main.Unload();
    EXPECT_EQ(SettingsFile(platform.files()).Read(SettingsRecord::MainWindow), (PosRec{333 * 15, 77 * 15 + 7}));
}

}  // namespace
}  // namespace vantrel
