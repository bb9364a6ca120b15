// The main window's chrome on the virtual clock, driven through the injected
// cursor and mouse as a user would: the polled hover looks and their hit test,
// presses and the click rule, what each button does, dragging, the rolling tips
// and the star with what their changes present, and the close.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "shared/layouts.h"
#include "shared/settings.h"
#include "support/game_fixture.h"
#include "support/painted_table.h"

namespace vantrel {
namespace {

using namespace vantrel::testing;
using platform::MouseButton;
using base::Point;
using base::Rect;

// A point inside each button's picture, in window pixels.
Point ButtonCentre(int button) {
    const ui::ControlSpec& look = ui::FindControl(layouts::kMain, "imgMouseOn", button);
    return {look.left + look.width / 2, look.top + look.height / 2};
}

class ChromeTest : public ProgramFixture {
protected:
    platform::headless::HeadlessWindow& mainWindow() { return *platform.FindWindow("VXMain"); }
    // The screen point of window pixel (x, y) of the main window, where it stands now.
    Point Screen(int x, int y) {
        const Rect r = mainWindow().ScreenRect();
        return {r.left + x, r.top + y};
    }
    Point Screen(Point p) { return Screen(p.x, p.y); }

    // A move over the background, which switches the hover tick on.
    void MoveOverBackground() { platform.MoveMouse(Screen(5, 300)); }
    // The cursor put at window pixel p without a move event, and one hover tick.
    void HoverAt(Point p) {
        platform.fakeDesktop().SetCursor(Screen(p));
        platform.AdvanceBy(50);
    }
    std::vector<int> HoverLooksShown() {
        std::vector<int> shown;
        for (int button : frmIdentify::kButtons)
            if (main().imgMouseOn(button).visible()) shown.push_back(button);
        return shown;
    }
    // A press on the button, once its hover look shows (the look takes the press),
    // released at window pixel `release`.
    void Click(int button, Point release) {
        MoveOverBackground();
        HoverAt(ButtonCentre(button));
        ASSERT_TRUE(main().imgMouseOn(button).visible());
        platform.PressMouse(Screen(ButtonCentre(button)));
        platform.ReleaseMouse(Screen(release));
    }
    void Click(int button) { Click(button, ButtonCentre(button)); }
};

TEST_F(ChromeTest, TheHoverTestIsStrictAtEveryEdgeAndTakesLeftOver15Exactly) {
    SettingsFile(platform.files()).Write(SettingsRecord::MainWindow, {1500, 1500});  // (100, 100) pixels
    Start();
    struct Case {
        Point cursor;
        std::vector<int> shown;
    };
    const Case cases[] = {
        {{112, 570}, {}},   // on button 1's left edge, Left/15 + 12
        {{113, 570}, {1}},  // one pixel in
        {{130, 570}, {1}},
        {{131, 570}, {}},   // its right edge
        {{113, 563}, {}},   // its top edge
        {{113, 564}, {1}},
        {{113, 581}, {1}},
        {{113, 582}, {}},   // its bottom edge
        {{140, 570}, {}},
        {{141, 570}, {2}},
        {{158, 581}, {2}},
        {{159, 570}, {}},
        {{168, 570}, {}},
        {{169, 564}, {3}},
        {{186, 570}, {3}},
        {{187, 570}, {}},
        {{208, 101}, {}},   // the close button's left edge
        {{209, 101}, {5}},
        {{225, 113}, {5}},
        {{226, 105}, {}},
        {{215, 114}, {}},   // its bottom edge
    };
    for (const Case& c : cases) {
        MoveOverBackground();
        platform.fakeDesktop().SetCursor(c.cursor);
        platform.AdvanceBy(50);
        EXPECT_EQ(HoverLooksShown(), c.shown) << "cursor " << c.cursor.x << "," << c.cursor.y;
    }

    // Left 1514 twips is 100.93 pixels: neither rounded (101) nor cut (100).
    main().SetLeft(1514);
    const Case exact[] = {{{112, 570}, {}}, {{113, 570}, {1}}, {{131, 570}, {1}}, {{132, 570}, {}}};
    for (const Case& c : exact) {
        MoveOverBackground();
        platform.fakeDesktop().SetCursor(c.cursor);
        platform.AdvanceBy(50);
        EXPECT_EQ(HoverLooksShown(), c.shown) << "at Left 1514, cursor " << c.cursor.x;
    }
}

TEST_F(ChromeTest, TheHoverTickStopsOnceTheCursorLeavesAndAMoveOverTheBackgroundStartsItAgain) {
    Start();
    EXPECT_FALSE(main().tmrPOS.Enabled());
    const ui::ControlSpec& mark = ui::FindControl(layouts::kMain, "imgRMCard", 1);
    platform.MoveMouse(Screen(mark.left + 3, mark.top + 3));
    EXPECT_FALSE(main().tmrPOS.Enabled()) << "a move over a grid mark is not one over the background";
    MoveOverBackground();
    EXPECT_TRUE(main().tmrPOS.Enabled());
    HoverAt(ButtonCentre(2));
    EXPECT_EQ(HoverLooksShown(), std::vector<int>{2});

    // The window's own edge is outside it: the tick hides the look and stops itself.
    HoverAt({0, 300});
    EXPECT_TRUE(HoverLooksShown().empty());
    EXPECT_FALSE(main().tmrPOS.Enabled());
    HoverAt(ButtonCentre(2));
    EXPECT_TRUE(HoverLooksShown().empty()) << "no tick runs until a move over the background";

    MoveOverBackground();
    HoverAt(ButtonCentre(2));
    EXPECT_EQ(HoverLooksShown(), std::vector<int>{2});
}

TEST_F(ChromeTest, ThePressedLookFollowsTheCursorWhileHeldAndAReleaseOverTheButtonShowsTheDetailWindow) {
    Start();
    detail().Unload();
    MoveOverBackground();
    HoverAt(ButtonCentre(2));
    platform.PressMouse(Screen(ButtonCentre(2)));
    EXPECT_EQ(main().nPressed, 2);
    platform.AdvanceBy(50);
    EXPECT_TRUE(main().imgMouseDown(2).visible());

    platform.MoveMouse(Screen(50, 495));  // off the button, still held
    platform.AdvanceBy(50);
    EXPECT_FALSE(main().imgMouseDown(2).visible());
    EXPECT_EQ(main().nPressed, 2) << "moves while held belong to the button, not the background";
    platform.MoveMouse(Screen(45, 470));
    platform.AdvanceBy(50);
    EXPECT_TRUE(main().imgMouseDown(2).visible());

    platform.ReleaseMouse(Screen(45, 470));
    EXPECT_EQ(main().nPressed, 0);
    EXPECT_FALSE(main().imgMouseDown(2).visible());
    ASSERT_TRUE(detail().loaded());
    EXPECT_TRUE(platform.FindWindow("VXDetail")->shown());
}

TEST_F(ChromeTest, AReleaseIsAClickOnlyOverTheButtonsPicture) {
    Start();
    struct Case {
        Point release;  // window pixels; button 2's picture covers 40..59 by 463..482
        bool click;
    };
    const Case cases[] = {
        {{41, 464}, true},  {{59, 482}, true},    // 15 and 285 twips in
        {{40, 470}, false},                      // X = 0
        {{60, 470}, false},                      // one pixel right of the picture: X = 300
        {{50, 462}, false}, {{50, 483}, false},  // above, below
        {{20, 470}, false},                      // over button 1
        {{50, 520}, false},
    };
    for (const Case& c : cases) {
        detail().Unload();
        Click(2, c.release);
        EXPECT_EQ(detail().loaded(), c.click) << "released at " << c.release.x << "," << c.release.y;
        // A click leaves the hover look to the next tick; a release outside hides it.
        EXPECT_EQ(main().imgMouseOn(2).visible(), c.click);
        EXPECT_FALSE(main().imgMouseDown(2).visible());
        EXPECT_EQ(main().nPressed, 0);
    }
}

TEST_F(ChromeTest, Buttons2And3ShowTheirWindowAgainOrTheSameOneWhenItIsOpen) {
    Start();
    for (const auto& [button, caption] : {std::pair{2, "VXDetail"}, std::pair{3, "VXPlayer"}}) {
        ui::Form& overlay = button == 2 ? static_cast<ui::Form&>(detail()) : player();
        const platform::headless::HeadlessWindow* open = platform.FindWindow(caption);
        const std::size_t destroyed = platform.destroyedWindows().size();
        Click(button);
        EXPECT_EQ(platform.FindWindow(caption), open) << caption << ": the open window is shown again";
        EXPECT_EQ(platform.destroyedWindows().size(), destroyed);

        overlay.Unload();
        ASSERT_EQ(platform.FindWindow(caption), nullptr);
        Click(button);
        ASSERT_NE(platform.FindWindow(caption), nullptr) << caption << " was not shown again";
        EXPECT_TRUE(platform.FindWindow(caption)->shown());
    }
}

TEST_F(ChromeTest, Button1MidHandStartsOverAndTheNextDealIsFollowed) {
    StartFollowing(1);
    PaintBlankCard(screen, 470, 150);
    platform.AdvanceBy(50);
    ASSERT_EQ(main().imgRMNum(1).picture(), main().picRMNum(15).picture());

    // Released one pixel right of its picture: no new hand, only the hover look goes.
    Click(1, {32, 472});
    EXPECT_TRUE(main().tmrEmit.Enabled());
    EXPECT_FALSE(main().imgMouseOn(1).visible());
    EXPECT_EQ(main().watcher().tally.nPlayCount, 1);

    Click(1);
    EXPECT_FALSE(main().tmrEmit.Enabled());
    EXPECT_TRUE(main().tmrStart.Enabled());
    EXPECT_EQ(VisibleMarks(), 48);
    EXPECT_FALSE(main().imgRMNum(1).HasPicture());
    EXPECT_FALSE(main().imgRMNum(2).HasPicture());
    EXPECT_EQ(shared().PlayHistory(0, 21), 0);

    // The next deal, with seat 2 to move first.
    screen = base::Image(800, 600, kFelt);
    PaintDealSigns(screen);
    PaintOwnRow(screen, 16);
    const recognition::ProbePoint sign = recognition::CardTally::FirstSeatProbe(2);
    screen.set(sign.X, sign.Y, kSign);
    platform.AdvanceBy(100);
    EXPECT_TRUE(main().tmrEmit.Enabled());
    EXPECT_EQ(shared().FirstSeat, 2);
    EXPECT_EQ(main().imgRMNum(2).picture(), main().picRMNum(16).picture());
}

TEST_F(ChromeTest, TipsSlideInEveryFiveSecondsAPixelATickAndAlternate) {
    Start();
    const ui::Picture tip24 = main().picTips(24).picture(), tip25 = main().picTips(25).picture();
    EXPECT_EQ(main().imgTips.picture(), tip24);
    EXPECT_EQ(main().imgTips.top(), 512);
    EXPECT_EQ(main().tips().tipCount(), 2);
    EXPECT_EQ(main().tips().tipIdx(), 1);

    platform.AdvanceTo(5000);
    EXPECT_EQ(main().imgTips.picture(), tip25);
    EXPECT_EQ(main().imgTips.top(), 530);
    std::vector<int> tops;
    for (int tick = 1; tick <= 19; ++tick) {
        platform.AdvanceBy(20);
        tops.push_back(main().imgTips.top());
    }
    std::vector<int> expected;
    for (int top = 529; top >= 512; --top) expected.push_back(top);
    expected.push_back(512);  // the nineteenth tick finds it at rest and stops
    EXPECT_EQ(tops, expected);
    EXPECT_FALSE(main().tmrTipMove.Enabled());

    std::vector<ui::Picture> strips;
    for (int t = 10000; t <= 25000; t += 5000) {
        platform.AdvanceTo(t);
        strips.push_back(main().imgTips.picture());
    }
    EXPECT_EQ(strips, (std::vector<ui::Picture>{tip24, tip25, tip24, tip25}));
}

TEST_F(ChromeTest, TheStarAndTheTipsStopAtADealASlideFinishesAndAResetStartsThemAgain) {
    Start();
    OpenGame();
    std::vector<bool> star;
    for (int t = 0; t <= 900; t += 300) {
        platform.AdvanceTo(t);
        star.push_back(main().imgStar.visible());
    }
    EXPECT_EQ(star, (std::vector<bool>{true, false, true, false}));

    platform.AdvanceTo(5100);  // a strip is sliding
    PaintDealSigns(screen);
    platform.AdvanceBy(50);
    ASSERT_TRUE(main().watcher().tally.bInHand);
    EXPECT_FALSE(main().tmrStar.Enabled());
    EXPECT_FALSE(main().tmrTipInterval.Enabled());
    EXPECT_FALSE(main().imgStar.visible());
    platform.AdvanceTo(5400);
    EXPECT_EQ(main().imgTips.top(), 512) << "the slide under way finishes";
    const ui::Picture strip = main().imgTips.picture();
    platform.AdvanceTo(20000);
    EXPECT_EQ(main().imgTips.picture(), strip);
    EXPECT_EQ(main().imgTips.top(), 512);
    EXPECT_FALSE(main().imgStar.visible());

    screen.set(400, 192, kBlack);  // the deal is over
    Click(1);
    const std::int64_t reset = platform.now();
    EXPECT_TRUE(main().tmrStar.Enabled());
    EXPECT_TRUE(main().tmrTipInterval.Enabled());
    platform.AdvanceTo(reset + 299);
    EXPECT_FALSE(main().imgStar.visible());
    platform.AdvanceTo(reset + 300);
    EXPECT_TRUE(main().imgStar.visible()) << "the star comes back at the next star tick";
    platform.AdvanceTo(reset + 5000);
    EXPECT_EQ(main().imgTips.top(), 530);
    EXPECT_NE(main().imgTips.picture(), strip);
}

TEST_F(ChromeTest, WhileIdleOnlyTheStarAndTheTipStripArePresented) {
    Start();
    for (auto* window : platform.windows()) window->ResetPresentCounts();
    platform::headless::HeadlessWindow& window = mainWindow();
    platform.AdvanceTo(300);
    EXPECT_EQ(window.lastPresent(), (std::vector<Rect>{{2, 512, 14, 524}}));  // a blink: 12 x 12
    platform.AdvanceTo(5340);  // the strip stands at 513
    platform.AdvanceTo(5360);
    EXPECT_EQ(window.lastPresent(), (std::vector<Rect>{{16, 512, 127, 525}}));  // a step: 111 x 13

    platform.AdvanceTo(65000);
    const auto& counts = window.presentCounts();
    EXPECT_EQ(counts.bounds, (Rect{2, 512, 127, 526})) << "nothing above the star and the strip";
    EXPECT_GT(counts.presents, 200);
    EXPECT_LE(counts.pixels, counts.presents * 111 * 13);
    // The overlays have nothing to show while no hand is followed.
    EXPECT_EQ(platform.FindWindow("VXDetail")->presentCounts().presents, 0);
    EXPECT_EQ(platform.FindWindow("VXPlayer")->presentCounts().presents, 0);
}

TEST_F(ChromeTest, AnyButtonOnTheBackgroundOrAGridMarkDragsTheWindowAndTheHandIsFollowedMeanwhile) {
    StartFollowing(1);
    const platform::headless::HeadlessWindow& window = mainWindow();
    ASSERT_EQ(window.ScreenRect().left, 8);
    platform.PressMouse(Screen(5, 300), MouseButton::Right);
    EXPECT_EQ(main().nPressed, frmIdentify::kDragging);
    EXPECT_EQ(window.drags(), 1);

    // The timers run on while the user drags: a play made meanwhile is read.
    PaintBlankCard(screen, 470, 150);
    platform.MoveMouse({13 + 20, 308 + 10});
    platform.AdvanceBy(100);
    platform.MoveMouse({13 + 30, 308 + 40});
    EXPECT_EQ(main().watcher().tally.nPlayCount, 1);
    platform.ReleaseMouse({13 + 30, 308 + 40});
    EXPECT_EQ(window.ScreenRect().left, 38);
    EXPECT_EQ(window.ScreenRect().top, 48);
    EXPECT_EQ(main().Left(), 38 * 15);
    EXPECT_EQ(main().Top(), 48 * 15);

    const ui::ControlSpec& mark = ui::FindControl(layouts::kMain, "imgRMCard", 49);
    const Point onMark = Screen(mark.left + 3, mark.top + 3);
    platform.PressMouse(onMark, MouseButton::Middle);
    EXPECT_EQ(window.drags(), 2);
    platform.MoveMouse({onMark.x - 10, onMark.y + 5});
    platform.ReleaseMouse({onMark.x - 10, onMark.y + 5});
    EXPECT_EQ(main().Left(), 28 * 15);
    EXPECT_EQ(main().Top(), 53 * 15);
    EXPECT_EQ(main().nPressed, frmIdentify::kDragging) << "until the next move over the background";
    MoveOverBackground();
    EXPECT_EQ(main().nPressed, frmIdentify::kNothingPressed);
}

class ChromeCloseTest : public ChromeTest {
protected:
    // A run in which the game was measured at (222, 33) and every window moved;
    // then `close` closes the main window.
    void CloseAfterARun(const std::function<void()>& close) {
        Start();
        OpenGame();
        platform.AdvanceTo(3000);
        platform.fakeDesktop().MoveWindow(game, {222, 33});
        platform.AdvanceTo(4000);
        platform.PressMouse(Screen(5, 300));
        platform.MoveMouse({13 + 20, 308 + 10});
        platform.ReleaseMouse({13 + 20, 308 + 10});
        detail().SetLeft(300);
        player().SetTop(9000);

        close();
        EXPECT_EQ(platform.destroyedWindows(), (std::vector<std::string>{"VXDetail", "VXPlayer", "VXMain"}));
        EXPECT_TRUE(platform.quitRequested());
        EXPECT_EQ(platform.runningTimers(), 0);
        const SettingsFile settings(platform.files());
        EXPECT_EQ(settings.Read(SettingsRecord::MainWindow), (PosRec{28 * 15, 18 * 15}));
        EXPECT_EQ(settings.Read(SettingsRecord::DetailWindow), (PosRec{300, 9600}));
        EXPECT_EQ(settings.Read(SettingsRecord::PlayerWindow), (PosRec{7140, 9000}));
        EXPECT_EQ(settings.Read(SettingsRecord::GameWindow), (PosRec{222, 33}));
    }
};

TEST_F(ChromeCloseTest, TheCloseButtonSavesClosesTheOverlaysInOrderAndEndsTheProgram) {
    CloseAfterARun([this] { Click(5); });
}

// Alt+F4, or WM_CLOSE from another program.
TEST_F(ChromeCloseTest, ACloseRequestFromTheSystemDoesTheSame) {
    CloseAfterARun([this] { mainWindow().events().OnCloseRequest(); });
}

TEST_F(ChromeCloseTest, AReleaseOffTheCloseButtonKeepsTheProgramAndARunWithoutAGameKeepsRecord4) {
    SettingsFile(platform.files()).Write(SettingsRecord::GameWindow, {400, 300});
    Start();
    Click(5, {117, 15});  // below the picture's 15 rows
    EXPECT_TRUE(main().loaded());
    EXPECT_FALSE(platform.quitRequested());
    Click(5, {126, 14});  // its last column and row
    EXPECT_FALSE(main().loaded());
    EXPECT_TRUE(platform.quitRequested());
    EXPECT_EQ(SettingsFile(platform.files()).Read(SettingsRecord::GameWindow), (PosRec{400, 300}));
}

}  // namespace
}  // namespace vantrel
