// The detail window: each opponent's cards in play order with dividers, or by
// rank; its order button, close button, hover look and drag; and how it keeps
// current with the main loop while it is open, closed or loaded hidden.
#include <gtest/gtest.h>

#include "overlay_fixture.h"
#include "shared/pictures.h"
#include "shared/settings.h"

namespace vantrel {
namespace {

using namespace vantrel::testing;
using soak::DetailRow;
using soak::DetailView;

constexpr int kTick = 100;  // the detail window's hover timer

DetailRow Row(std::vector<int> ranks, std::vector<int> dividers) {
    ranks.resize(soak::kDetailSlots, 0);
    return {ranks, dividers};
}
DetailView View(DetailRow lower, DetailRow upper) { return {{DetailRow{}, lower, upper}}; }

// Seat 1 lays A, then 4 4, then passes; seat 2 lays 5 5, then K, then 3; the user
// passes throughout. In turn order from `firstSeat`.
std::vector<std::vector<int>> ThreeRounds(int firstSeat) {
    const std::vector<std::vector<int>> bySeat[3] = {{{}, {}, {}}, {{14}, {4, 4}, {}}, {{5, 5}, {13}, {3}}};
    std::vector<std::vector<int>> moves;
    for (int round = 0; round < 3; ++round)
        for (int i = 0; i < 3; ++i) moves.push_back(bySeat[(firstSeat + i) % 3][static_cast<std::size_t>(round)]);
    return moves;
}

class DetailTest : public OverlayFixture {
protected:
    platform::Point At(int x, int y) { return OverlayFixture::At(detail(), x, y); }
    DetailView Shown() { return soak::ReadDetail(detail()); }
    void PressClose() {
        Hover(detail(), At(425, 5), kTick);
        ASSERT_TRUE(detail().imgClose(0).visible());
        platform.PressMouse(At(425, 5));
    }
};

TEST_F(DetailTest, AnEmptyHistoryChangesNoSlotAndRankOrderHidesEveryDivider) {
    detail().imgEmit(5).SetPicture(detail().picCards(9).picture());
    detail().imgDivide(3).SetVisible(true);
    detail().ShowDetail();
    EXPECT_TRUE(detail().imgDivide(3).visible());
    EXPECT_EQ(soak::TileOf(detail().imgEmit(5), detail().picCards), 9);
    detail().DetailMode = frmDetail::kRankOrder;
    detail().ShowDetail();
    EXPECT_FALSE(detail().imgDivide(3).visible());
    EXPECT_EQ(soak::TileOf(detail().imgEmit(5), detail().picCards), 9);
}

TEST_F(DetailTest, TheUsersPlaysAndEveryPassAreLeftOutAndAPassMakesNoDivider) {
    // First seat 1: row 0 is the lower row's, row 1 the upper's, row 2 the user's.
    Record(1, {{5, 6}, {}, {7}, {}, {9}, {}, {10}, {11, 11}});
    detail().ShowDetail();
    EXPECT_EQ(Shown(), View(Row({5, 6, 10}, {74}), Row({9, 11, 11}, {56})));
    // The upper row's second play is its second divider's, whatever passes came first.
    EXPECT_TRUE(detail().imgDivide(21).visible());
    EXPECT_FALSE(detail().imgDivide(22).visible());
    EXPECT_FALSE(detail().imgDivide(20).visible());
    EXPECT_FALSE(detail().imgDivide(1).visible());
}

TEST_F(DetailTest, ASecondPlayAfterThreeCardsHasItsDividerAt92AndItsFirstCardAt94) {
    Record(1, {{3, 4, 5}, {}, {}, {8}});
    detail().ShowDetail();
    EXPECT_EQ(detail().imgEmit(3).left(), 76);
    EXPECT_EQ(detail().imgDivide(2).left(), 92);
    EXPECT_EQ(detail().imgEmit(4).left(), 94);
    // On the window itself: the divider's one column at x = 92, the 8 from x = 94.
    const platform::Image window = detail().Compose();
    const platform::Image& divider = *pictures::Get(ui::FindControl(layouts::kDetail, "imgDivide", 2).picture);
    const platform::Image& eight = *detail().picCards(8).picture();
    for (int y = 0; y < 24; ++y) EXPECT_EQ(window.at(92, 52 + y), divider.at(0, y)) << y;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 15; ++x) ASSERT_EQ(window.at(94 + x, 54 + y), eight.at(x, y)) << x << "," << y;
}

TEST_F(DetailTest, RankOrderAndBackWhateverSeatMovedFirst) {
    for (int firstSeat = 0; firstSeat < 3; ++firstSeat) {
        SCOPED_TRACE(firstSeat);
        tally().ResetHand(true);  // empties the rows, as between hands
        Record(firstSeat, ThreeRounds(firstSeat));
        detail().ShowDetail();
        const DetailView playOrder = View(Row({14, 4, 4}, {56}), Row({5, 5, 13, 3}, {74, 92}));
        EXPECT_EQ(Shown(), playOrder);
        const platform::Image before = detail().Compose();

        Click(At(430, 40));  // the order button
        EXPECT_EQ(detail().DetailMode, frmDetail::kRankOrder);
        EXPECT_EQ(Shown(), View(Row({14, 4, 4}, {}), Row({13, 5, 5, 3}, {})));
        EXPECT_FALSE(detail().imgButton(1).visible());
        EXPECT_TRUE(detail().imgButton(2).visible());
        EXPECT_FALSE(detail().imgNote(1).visible());
        EXPECT_TRUE(detail().imgNote(2).visible());

        Click(At(430, 40));
        EXPECT_EQ(detail().DetailMode, frmDetail::kPlayOrder);
        EXPECT_EQ(Shown(), playOrder);
        EXPECT_EQ(detail().Compose(), before);  // no stale tile, the same look
    }
}

TEST_F(DetailTest, AReleaseOutsideTheOrderButtonChangesNothing) {
    Record(0, ThreeRounds(0));
    detail().ShowDetail();
    const platform::Image before = detail().Compose();
    for (const platform::Point release : {At(407 + 47, 40), At(430, 18 + 47), At(406, 40), At(430, 17)}) {
        Click(At(430, 40), release);
        EXPECT_EQ(detail().DetailMode, frmDetail::kPlayOrder);
        EXPECT_EQ(detail().Compose(), before);
    }
    Click(At(430, 40), At(407 + 46, 18 + 46));  // the button's last pixel
    EXPECT_EQ(detail().DetailMode, frmDetail::kRankOrder);
}

TEST_F(DetailTest, ThePressedLookShowsOnlyStrictlyInsideTheButtonsRectangle) {
    Hover(detail(), At(5, 5), kTick);
    platform.PressMouse(At(430, 40));
    struct Case {
        int x, y;
        bool inside;
    };
    for (const Case c : {Case{412, 40, true}, Case{411, 40, false}, Case{453, 62, true}, Case{454, 40, false},
                         Case{430, 63, false}, Case{430, 21, true}}) {
        platform.MoveMouse(At(c.x, c.y));
        platform.AdvanceBy(kTick);
        EXPECT_EQ(detail().imgDown(1).visible(), c.inside) << c.x << "," << c.y;
        EXPECT_EQ(detail().imgButton(1).visible(), !c.inside) << c.x << "," << c.y;
    }
    platform.ReleaseMouse(At(430, 40));
    EXPECT_FALSE(detail().imgDown(1).visible());
}

TEST_F(DetailTest, TheCloseButtonClosesOnAReleaseWithin43By15PixelsOfItsCorner) {
    struct Case {
        int x, y;
        bool closes;
    };
    // Relative to the close image at (420, 0); the image itself is 34 x 13.
    for (const Case c : {Case{43, 5, false}, Case{0, 5, false}, Case{20, 15, false}, Case{20, 0, false},
                         Case{42, 14, true}}) {
        ASSERT_TRUE(detail().loaded());
        PressClose();
        platform.ReleaseMouse(At(420 + c.x, c.y));
        EXPECT_EQ(detail().loaded(), !c.closes) << c.x << "," << c.y;
        EXPECT_FALSE(detail().imgClose(0).visible());
        EXPECT_FALSE(detail().imgClose(1).visible());
    }
    EXPECT_EQ(shared().bDetailOpen, kFalse);
    EXPECT_EQ(platform.FindWindow("VXDetail"), nullptr);
}

TEST_F(DetailTest, DraggedByItsBackgroundOrACardSlotAndSavedWhereItWasClosed) {
    platform.PressMouse(At(200, 8), platform::MouseButton::Right);  // any button, on the background
    EXPECT_EQ(detail().nPressed, frmDetail::kDragging);
    platform.MoveMouse({8 + 200 + 30, 640 + 8 - 40});
    platform.ReleaseMouse({8 + 200 + 30, 640 + 8 - 40});
    platform.PressMouse(At(45, 60));  // an empty card slot of the lower row
    platform.MoveMouse(At(45 + 10, 60));
    platform.ReleaseMouse(At(45 + 10, 60));
    EXPECT_EQ(platform.FindWindow("VXDetail")->drags(), 2);
    EXPECT_EQ(platform.FindWindow("VXDetail")->ScreenRect().left, 48);
    PressClose();
    platform.ReleaseMouse(At(425, 5));
    EXPECT_EQ(SettingsFile(platform.files()).Read(SettingsRecord::DetailWindow), (PosRec{48 * 15, 600 * 15}));
}

TEST_F(DetailTest, TheHoverTestIsStrictAndUnroundedAndStopsAtTheWindowsEdge) {
    detail().SetLeft(127);  // 8.47 pixels: the window stands at 8
    Hover(detail(), {461, 645}, kTick);
    EXPECT_TRUE(detail().imgClose(0).visible());  // 461 < 8.47 + 453
    platform.MoveMouse({462, 645});
    platform.AdvanceBy(kTick);
    EXPECT_FALSE(detail().imgClose(0).visible());
    EXPECT_TRUE(detail().tmrPOS.Enabled());

    detail().SetLeft(150);
    platform.fakeDesktop().SetCursor({10, 660});  // exactly on the left edge
    platform.AdvanceBy(kTick);
    EXPECT_FALSE(detail().tmrPOS.Enabled());
}

TEST_F(DetailTest, ARowPast100IsNeverReadAndARowsSlotsAndDividersNeverSpillOver) {
    for (int row = 0; row < MoveTable::kRows; ++row) Append({3 + row % 13});
    EXPECT_NO_THROW(detail().ShowDetail());
    for (int k = 1; k <= 40; ++k) EXPECT_TRUE(detail().imgEmit(k).HasPicture()) << k;
    EXPECT_FALSE(detail().imgDivide(20).visible());  // seat 1's 20th play has no divider
    EXPECT_TRUE(detail().imgDivide(19).visible());
    detail().DetailMode = frmDetail::kRankOrder;
    EXPECT_NO_THROW(detail().ShowDetail());
}

// With the main loop: redrawn after each play while open; a system close stops
// the redraws like the close button; a hand reset loads it hidden and current.
class DetailFollowTest : public DetailTest {
protected:
    void SetUp() override {}  // the test starts the program following a hand
};

TEST_F(DetailFollowTest, RedrawnAfterEachPlayUntilClosedAndLoadedHiddenAtTheReset) {
    StartFollowing(2);
    for (int k = 0; k < 3; ++k) PaintBlankCard(screen, 14 + 22 * k, 150);  // three queens
    platform.AdvanceBy(50);
    EXPECT_EQ(Shown(), View(Row({}, {}), Row({12, 12, 12}, {})));

    detail().SetLeft(300);
    platform.FindWindow("VXDetail")->events().OnCloseRequest();  // Alt+F4
    EXPECT_FALSE(detail().loaded());
    EXPECT_EQ(shared().bDetailOpen, kFalse);
    EXPECT_EQ(SettingsFile(platform.files()).Read(SettingsRecord::DetailWindow), (PosRec{300, 9600}));

    screen.set(498, 451, kPass);  // the user passes, then seat 1 lays a queen
    platform.AdvanceBy(50);
    screen.set(498, 451, kFelt);
    PaintBlankCard(screen, 470, 150);
    platform.AdvanceBy(50);
    EXPECT_EQ(tally().nPlayCount, 3);
    EXPECT_EQ(Shown(), View(Row({}, {}), Row({12, 12, 12}, {})));  // not redrawn while closed
    EXPECT_EQ(program.shared().toolkit().unhandledErrors(), 0);

    main().StartNewHand();
    EXPECT_TRUE(detail().loaded());
    EXPECT_EQ(shared().bDetailOpen, kTrue);
    EXPECT_FALSE(platform.FindWindow("VXDetail")->shown());
    EXPECT_EQ(Shown(), View(Row({}, {}), Row({}, {})));
    Record(1, {{14}});
    program.shared().toolkit().RunEvent([&] { detail().ShowDetail(); });
    EXPECT_EQ(Shown(), View(Row({14}, {}), Row({}, {})));
    EXPECT_EQ(platform.FindWindow("VXDetail")->picture(), detail().Compose());  // the hidden window is current
}

}  // namespace
}  // namespace vantrel
