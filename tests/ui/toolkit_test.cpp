// The toolkit's semantics on the headless backend: form lifecycle, timers on the
// virtual clock, mouse routing and indexed control arrays.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "ui/changed_rects.h"
#include "ui/form.h"
#include "ui/toolkit.h"

namespace vantrel::ui {
namespace {

using base::Image;
using platform::MouseButton;
using base::Rgb;
using base::Point;
using base::Rect;
using platform::headless::HeadlessPlatform;

Picture Solid(int w, int h, Rgb c) { return std::make_shared<const Image>(w, h, c); }

constexpr Rgb kRed{200, 0, 0}, kGreen{0, 200, 0}, kBlue{0, 0, 200};

// A form with two overlapping cells, an indexed array with a gap and two timers.
class TestForm : public Form {
public:
    explicit TestForm(Toolkit& toolkit) : Form(toolkit, "Test", 100, 50) {
        below = &AddCell("below", {10, 10, 40, 20, true, Solid(40, 20, kRed), "tip below"});
        above = &AddCell("above", {30, 10, 40, 20, true, Solid(40, 20, kGreen), ""});
        int left = 0;
        for (int index : {3, 4, 9455}) AddCell(marks, index, {left += 10, 40, 5, 5, index != 4, Solid(5, 5, kBlue), ""});
        fast = &AddTimer("fast", 50, true);
        slow = &AddTimer("slow", 120, false);
        for (PictureCell* cell : {below, above}) {
            cell->onMouseDown = [this, cell](const MouseEvent& e) { Log("down " + cell->name(), e); };
            cell->onMouseUp = [this, cell](const MouseEvent& e) { Log("up " + cell->name(), e); };
            cell->onMouseMove = [this, cell](const MouseEvent& e) { Log("move " + cell->name(), e); };
            cell->onClick = [this, cell] { events.push_back("click " + cell->name()); };
        }
    }

    void Form_Load() override { ++loads; }
    void Form_QueryUnload() override { ++queryUnloads; }
    void Form_MouseDown(const MouseEvent& e) override { Log("down form", e); }
    void Form_MouseUp(const MouseEvent& e) override { Log("up form", e); }

    void Log(const std::string& what, const MouseEvent& e) {
        events.push_back(what + " " + std::to_string(e.x) + "," + std::to_string(e.y));
    }

    PictureCell* below;
    PictureCell* above;
    ControlArray<PictureCell> marks{"marks"};
    Timer* fast;
    Timer* slow;
    int loads = 0, queryUnloads = 0;
    std::vector<std::string> events;
};

class ToolkitTest : public ::testing::Test {
protected:
    HeadlessPlatform platform;
    Toolkit toolkit{platform};
    TestForm form{toolkit};

    platform::headless::HeadlessWindow* window() { return platform.FindWindow("Test"); }
};

TEST_F(ToolkitTest, ShowLoadsOnceAndUnloadKeepsTheInstance) {
    EXPECT_FALSE(form.loaded());
    form.Show();
    form.Show();
    EXPECT_EQ(form.loads, 1);
    ASSERT_NE(window(), nullptr);
    EXPECT_TRUE(window()->shown());

    form.below->SetVisible(false);
    form.Unload();
    EXPECT_EQ(form.queryUnloads, 1);
    EXPECT_FALSE(form.loaded());
    EXPECT_EQ(window(), nullptr);
    EXPECT_EQ(platform.runningTimers(), 0);

    // The instance and its own state survive; the controls come back in their start state.
    form.Show();
    EXPECT_EQ(form.loads, 2);
    EXPECT_TRUE(form.below->visible());
}

TEST_F(ToolkitTest, LastUnloadEndsTheProgram) {
    TestForm other(toolkit);
    form.Show();
    other.Show();
    form.Unload();
    EXPECT_FALSE(platform.quitRequested());
    other.Unload();
    EXPECT_TRUE(platform.quitRequested());
}

TEST_F(ToolkitTest, ComposesBackgroundAndVisibleCellsInZOrder) {
    form.Show();
    const Image& shown = window()->picture();
    EXPECT_EQ(shown.rgb(0, 0), kBackColour);
    EXPECT_EQ(shown.rgb(15, 15), kRed);
    EXPECT_EQ(shown.rgb(35, 15), kGreen);  // the later cell lies on top
    EXPECT_EQ(shown.rgb(10, 40), kBlue);

    form.above->SetVisible(false);
    form.marks(3).SetPicture(nullptr);
    platform.AdvanceBy(50);  // the change is presented after the next event
    EXPECT_EQ(window()->picture().rgb(35, 15), kRed);
    EXPECT_EQ(window()->picture().rgb(10, 40), kBackColour);
    EXPECT_EQ(window()->picture().rgb(30, 40), kBlue);
}

TEST_F(ToolkitTest, TooltipsFollowVisibleCells) {
    form.Show();
    ASSERT_EQ(window()->tooltips().size(), 1u);
    EXPECT_EQ(window()->tooltips()[0].text, "tip below");
    form.below->SetVisible(false);
    platform.AdvanceBy(50);
    EXPECT_TRUE(window()->tooltips().empty());
    // A cell without a picture changes no pixel as it shows and moves; its tip follows all the same.
    form.below->SetPicture(nullptr);
    form.below->SetVisible(true);
    platform.AdvanceBy(50);
    ASSERT_EQ(window()->tooltips().size(), 1u);
    form.below->SetLeft(20);
    platform.AdvanceBy(50);
    ASSERT_EQ(window()->tooltips().size(), 1u);
    EXPECT_EQ(window()->tooltips()[0].area, (Rect{20, 10, 60, 30}));
}

TEST_F(ToolkitTest, IndexedArraysHaveGapsAndMissingIndicesRaise) {
    EXPECT_TRUE(form.marks.Has(9455));
    EXPECT_FALSE(form.marks(4).visible());
    for (int missing : {0, 5, 9454}) {
        try {
            form.marks(missing);
            ADD_FAILURE() << "index " << missing << " should not exist";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.kind(), RuntimeError::Kind::SubscriptOutOfRange);
        }
    }
}

TEST(Int16Test, RaisesOverflowOutsideSixteenBits) {
    EXPECT_EQ(Int16(32767), 32767);
    EXPECT_EQ(Int16(-32768), -32768);
    EXPECT_THROW(Int16(32768), RuntimeError);
    EXPECT_THROW(Int16(-32769), RuntimeError);
}

class TimerTest : public ToolkitTest {
protected:
    std::vector<std::string> ticks;
    void Record(Timer& t) {
        t.onTick = [this, &t] { ticks.push_back(t.name() + "@" + std::to_string(platform.now())); };
    }
};

TEST_F(TimerTest, FireInTimeOrderWithTiesInEnableOrder) {
    Record(*form.fast);
    Record(*form.slow);
    form.Show();                  // fast starts at 0
    platform.AdvanceTo(10);
    form.slow->SetInterval(40);   // due at 50 like fast, but started later
    form.slow->SetEnabled(true);
    platform.AdvanceTo(100);
    EXPECT_EQ(ticks, (std::vector<std::string>{"fast@50", "slow@50", "slow@90", "fast@100"}));
}

TEST_F(TimerTest, EnablingARunningTimerDoesNotRestartItButSettingIntervalDoes) {
    Record(*form.fast);
    form.Show();
    platform.AdvanceTo(30);
    form.fast->SetEnabled(true);
    platform.AdvanceTo(50);
    EXPECT_EQ(ticks, std::vector<std::string>{"fast@50"});
    platform.AdvanceTo(80);
    form.fast->SetInterval(50);
    platform.AdvanceTo(140);
    EXPECT_EQ(ticks, (std::vector<std::string>{"fast@50", "fast@130"}));
}

TEST_F(TimerTest, ATickCanStopItselfAndTimersStopWithTheirForm) {
    form.fast->onTick = [this] {
        ticks.push_back("once");
        form.fast->SetEnabled(false);
    };
    form.Show();
    platform.AdvanceTo(500);
    EXPECT_EQ(ticks, std::vector<std::string>{"once"});

    Record(*form.slow);
    form.slow->SetEnabled(true);
    form.Unload();
    platform.AdvanceTo(1000);
    EXPECT_EQ(ticks.size(), 1u);
    EXPECT_TRUE(form.slow->Enabled());  // the property keeps its value; only the ticking stops
}

TEST_F(TimerTest, AnErrorInATickIsCountedAndTheProgramRunsOn) {
    int survived = 0;
    form.fast->onTick = [&] {
        if (++survived == 1) throw RuntimeError(RuntimeError::Kind::Overflow, "boom");
    };
    form.Show();
    platform.AdvanceTo(100);
    EXPECT_EQ(survived, 2);
    EXPECT_EQ(toolkit.unhandledErrors(), 1);
}

class MouseTest : public ToolkitTest {
protected:
    void SetUp() override {
        form.SetLeft(1500);  // 100 px
        form.SetTop(750);    // 50 px
        form.Show();
    }
    Point Screen(int x, int y) const { return {100 + x, 50 + y}; }
};

TEST_F(MouseTest, GoesToTheTopmostVisibleCellInTwipsRelativeToIt) {
    platform.PressMouse(Screen(35, 12), MouseButton::Right);
    platform.ReleaseMouse(Screen(35, 12), MouseButton::Right);
    form.above->SetVisible(false);
    platform.PressMouse(Screen(35, 12));
    platform.ReleaseMouse(Screen(35, 12));
    platform.PressMouse(Screen(80, 45));
    EXPECT_EQ(form.events, (std::vector<std::string>{"down above 75,30", "up above 75,30", "click above",
                                                     "down below 375,30", "up below 375,30", "click below",
                                                     "down form 1200,675"}));
}

TEST_F(MouseTest, MouseUpGoesToThePressedElementAndClicksOnlyOverIt) {
    platform.PressMouse(Screen(12, 12));
    platform.MoveMouse(Screen(60, 12));     // over "above", but the press belongs to "below"
    platform.ReleaseMouse(Screen(60, 12));  // released outside "below": no click
    EXPECT_EQ(form.events, (std::vector<std::string>{"down below 30,30", "move below 750,30", "up below 750,30"}));
}

TEST_F(MouseTest, DragWindowHandsThePressToTheMoveLoop) {
    form.below->onMouseDown = [this](const MouseEvent&) { form.DragWindow(); };
    platform.PressMouse(Screen(12, 12));
    platform.MoveMouse(Screen(32, 22));
    platform.ReleaseMouse(Screen(32, 22));
    EXPECT_EQ(window()->drags(), 1);
    EXPECT_EQ(window()->ScreenRect().left, 120);
    EXPECT_EQ(window()->ScreenRect().top, 60);
    EXPECT_EQ(form.Left(), 1800);  // the form's place follows the drag
    EXPECT_EQ(form.Top(), 900);
    EXPECT_TRUE(form.events.empty());  // the move loop swallowed the release
}

TEST(ChangedRectsTest, MergesWhatCostsNoMoreTogetherClipsAndCollapsesPastAHandful) {
    struct Case {
        std::vector<Rect> added;
        std::vector<Rect> kept;
    };
    const Case cases[] = {
        {{{16, 512, 127, 524}, {16, 513, 127, 525}}, {{16, 512, 127, 525}}},   // a strip moved up a pixel
        {{{2, 512, 14, 524}, {16, 512, 127, 524}}, {{2, 512, 14, 524}, {16, 512, 127, 524}}},  // star and strip
        {{{0, 0, 10, 10}, {10, 0, 20, 10}}, {{0, 0, 20, 10}}},                // side by side
        {{{16, 529, 127, 541}, {16, 530, 127, 542}}, {}},                     // wholly below the window
        {{{120, 520, 140, 530}}, {{120, 520, 128, 526}}},                     // cut at its edges
        {{{0, 0, 10, 10}, {20, 0, 30, 10}, {10, 0, 20, 10}}, {{0, 0, 30, 10}}},  // the gap filled: all three
    };
    for (const Case& c : cases) {
        ChangedRects changed({0, 0, 128, 526});
        for (const Rect& r : c.added) changed.Add(r);
        EXPECT_EQ(std::vector<Rect>(changed.rects().begin(), changed.rects().end()), c.kept);
    }
    ChangedRects many({0, 0, 128, 526});
    for (int i = 0; i <= static_cast<int>(ChangedRects::kMostRects); ++i) many.Add({i * 7, i * 30, i * 7 + 3, i * 30 + 2});
    EXPECT_EQ(std::vector<Rect>(many.rects().begin(), many.rects().end()),
              (std::vector<Rect>{{0, 0, 115, 482}}));
}

class PresentTest : public ToolkitTest {
protected:
    void SetUp() override {
        form.Show();
        window()->ResetPresentCounts();
    }
    // Runs `change` as one event; returns what it presented, or nothing.
    std::vector<Rect> Presented(const std::function<void()>& change) {
        const std::int64_t before = window()->presentCounts().presents;
        toolkit.RunEvent(change);
        if (window()->presentCounts().presents == before) return {};
        return window()->lastPresent();
    }
};

TEST_F(PresentTest, AChangePresentsTheCellsOldAndNewPlaceAndNothingElse) {
    EXPECT_EQ(Presented([&] { form.below->SetVisible(false); }), (std::vector<Rect>{{10, 10, 50, 30}}));
    EXPECT_EQ(Presented([&] { form.above->SetPicture(Solid(40, 20, kBlue)); }), (std::vector<Rect>{{30, 10, 70, 30}}));
    EXPECT_EQ(Presented([&] { form.above->SetTop(11); }), (std::vector<Rect>{{30, 10, 70, 31}}));
    EXPECT_EQ(Presented([&] { form.above->SetLeft(80); }), (std::vector<Rect>{{30, 11, 70, 31}, {80, 11, 100, 31}}));
    // A hidden cell, or one without a picture, changes no pixel.
    EXPECT_TRUE(Presented([&] { form.below->SetLeft(0); }).empty());
    EXPECT_TRUE(Presented([&] { form.below->SetPicture(Solid(40, 20, kGreen)); }).empty());
    EXPECT_EQ(Presented([&] { form.marks(3).SetPicture(nullptr); }), (std::vector<Rect>{{10, 40, 15, 45}}));
    EXPECT_TRUE(Presented([&] { form.marks(3).SetVisible(false); }).empty());
    // Two changes in one event, far apart: one present of both places.
    EXPECT_EQ(Presented([&] {
                  form.marks(9455).SetVisible(false);
                  form.below->SetVisible(true);
              }),
              (std::vector<Rect>{{30, 40, 35, 45}, {0, 10, 40, 30}}));
    EXPECT_EQ(window()->picture(), form.Compose());
}

// A form of many overlapping cells with pictures smaller and larger than the cells,
// some reaching past the window's edges.
class ManyCells : public Form {
public:
    explicit ManyCells(Toolkit& toolkit) : Form(toolkit, "Many", 90, 70) {
        SetBackground(Solid(70, 50, kRed));  // smaller than the window: the back colour shows around it
        std::mt19937 random(11);
        for (int i = 0; i < 24; ++i) {
            auto& cell = AddCell(cells, i, {Coordinate(random), Coordinate(random), Size(random), Size(random), true,
                                            nullptr, ""});
            cell.SetPicture(PictureFrom(random));
        }
    }
    static int Coordinate(std::mt19937& random) { return std::uniform_int_distribution(-25, 95)(random); }
    static int Size(std::mt19937& random) { return std::uniform_int_distribution(1, 30)(random); }
    static Picture PictureFrom(std::mt19937& random) {
        if (std::uniform_int_distribution(0, 5)(random) == 0) return nullptr;
        const auto level = [&] { return static_cast<std::uint8_t>(std::uniform_int_distribution(0, 255)(random)); };
        return Solid(Size(random), Size(random), Rgb{level(), level(), level()});
    }

    ControlArray<PictureCell> cells{"cells"};
};

TEST_F(PresentTest, PartialPresentsLeaveExactlyTheWholeComposeOverRandomChanges) {
    ManyCells many(toolkit);
    many.Show();
    std::mt19937 random(2024);
    std::int64_t presents = 0, pixels = 0;
    for (int step = 0; step < 3000; ++step) {
        toolkit.RunEvent([&] {
            for (int k = std::uniform_int_distribution(1, 4)(random); k > 0; --k) {
                PictureCell& cell = many.cells(std::uniform_int_distribution(0, 23)(random));
                switch (std::uniform_int_distribution(0, 3)(random)) {
                    case 0: cell.SetVisible(!cell.visible()); break;
                    case 1: cell.SetPicture(ManyCells::PictureFrom(random)); break;
                    case 2: cell.SetLeft(cell.left() + std::uniform_int_distribution(-3, 3)(random)); break;
                    default: cell.SetTop(ManyCells::Coordinate(random)); break;
                }
            }
        });
        if (step % 500 == 250) {  // now and then closed, changed while closed, and opened again
            many.Unload();
            many.cells(step % 24).SetVisible(false);
            many.Show();
        }
        const auto* shown = platform.FindWindow("Many");
        ASSERT_EQ(shown->picture(), many.Compose()) << "after step " << step;
        presents += shown->presentCounts().presents;
        pixels += shown->presentCounts().pixels;
        platform.FindWindow("Many")->ResetPresentCounts();
    }
    EXPECT_GT(presents, 1000);
    EXPECT_LT(pixels, presents * 90 * 70 / 3) << "most presents were partial";
}

}  // namespace
}  // namespace vantrel::ui
