// The main loop on the virtual clock against a painted game screen: the game
// window's locator and follower, the deal and first-mover watch, and the play
// tick's scan, with their exact bounds.
#include <gtest/gtest.h>

#include "shared/settings.h"
#include "support/game_fixture.h"
#include "support/painted_table.h"

namespace vantrel {
namespace {

using namespace vantrel::testing;

class MainLoopTest : public ProgramFixture {
protected:
    void Deal() { PaintDealSigns(screen); }
    void Card(int gx, int gy) { PaintBlankCard(screen, gx, gy); }
    void OwnRow(int cards) { PaintOwnRow(screen, cards); }
    void Clear(int x, int y, int w, int h) { screen.FillRect(x, y, w, h, kFelt); }
    recognition::CardTally& tally() { return main().watcher().tally; }
};

TEST_F(MainLoopTest, TheGameIsFoundPlacedAndFollowed) {
    Start();
    platform.AdvanceTo(999);
    OpenGame({300, 200, 1108, 834});
    EXPECT_FALSE(main().tmrStart.Enabled());
    platform.AdvanceTo(1000);
    EXPECT_TRUE(main().gameWindow().found);
    EXPECT_TRUE(main().tmrStart.Enabled());
    EXPECT_TRUE(main().tmrGamePos.Enabled());
    platform.AdvanceTo(2499);
    EXPECT_EQ(platform.fakeDesktop().WindowRect(game).left, 300);
    platform.AdvanceTo(2500);
    const base::Rect placed = platform.fakeDesktop().WindowRect(game);
    EXPECT_EQ(placed, (base::Rect{175, 8, 175 + 808, 8 + 634}));  // moved, not resized
    EXPECT_TRUE(platform.fakeDesktop().IsTopmost(game));
    EXPECT_FALSE(main().tmrDelay.Enabled());
    platform.AdvanceTo(3000);
    EXPECT_EQ(main().gameWindow().left, 175);
    EXPECT_EQ(main().gameWindow().top, 8);
}

TEST_F(MainLoopTest, LosingTheGameMidHandResetsItAndRemembersWhereItStood) {
    StartFollowing(1);
    platform.AdvanceTo(3000);
    platform.fakeDesktop().MoveWindow(game, {222, 33});
    platform.AdvanceTo(4000);
    platform.fakeDesktop().RemoveWindow(game);
    platform.AdvanceTo(5000);
    EXPECT_FALSE(main().gameWindow().found);
    EXPECT_FALSE(main().tmrStart.Enabled());
    EXPECT_FALSE(main().tmrEmit.Enabled());
    EXPECT_FALSE(main().tmrGamePos.Enabled());
    EXPECT_EQ(VisibleMarks(), 48);
    EXPECT_EQ(SettingsFile(platform.files()).Read(SettingsRecord::GameWindow), (PosRec{222, 33}));

    // Found again: placed where it was lost, 1.5 s later, and watched for a new hand.
    OpenGame({500, 400, 1308, 1034});
    platform.AdvanceTo(6000);
    EXPECT_TRUE(main().tmrStart.Enabled());
    platform.AdvanceTo(7500);
    EXPECT_EQ(platform.fakeDesktop().WindowRect(game).left, 222);
    EXPECT_EQ(platform.fakeDesktop().WindowRect(game).top, 33);
}

TEST_F(MainLoopTest, AGameLostBeforeItWasMeasuredLeavesTheRecordAlone) {
    Start();
    SettingsFile(platform.files()).Write(SettingsRecord::GameWindow, {400, 300});
    OpenGame();
    platform.AdvanceTo(1000);
    platform.fakeDesktop().RemoveWindow(game);
    platform.AdvanceTo(2000);
    EXPECT_TRUE(main().gameWindow().lossDone);
    EXPECT_EQ(SettingsFile(platform.files()).Read(SettingsRecord::GameWindow), (PosRec{400, 300}));
}

TEST_F(MainLoopTest, APositionAtTheScreensEdgeIsTakenAndAMinimisedOneIsNot) {
    Start();
    OpenGame({0, 50, 808, 684});
    platform.AdvanceTo(2400);  // measured at 2 s, before the placement
    EXPECT_TRUE(main().gameWindow().placeSeen);
    platform.fakeDesktop().SetMinimised(game, true);
    platform.AdvanceTo(4000);
    EXPECT_EQ(main().gameWindow().left, 0);
    EXPECT_EQ(main().gameWindow().top, 50);
    platform.fakeDesktop().SetMinimised(game, false);
    platform.AdvanceTo(5000);
    EXPECT_EQ(main().gameWindow().left, 175);
}

TEST_F(MainLoopTest, ANewHandleBetweenTicksIsFollowedWithoutALoss) {
    StartFollowing(0);
    const auto first = game;
    OpenGame();  // the newer window of the same title
    platform.fakeDesktop().RemoveWindow(first);
    platform.AdvanceTo(2000);
    EXPECT_EQ(main().gameWindow().window, game);
    EXPECT_FALSE(main().gameWindow().lossDone);
    EXPECT_TRUE(main().tmrEmit.Enabled());
}

TEST_F(MainLoopTest, TheDealProbesAreStrict) {
    Start();
    OpenGame();
    struct Case {
        base::Rgb top, corner;
        bool deal;
    };
    const Case cases[] = {
        {kFelt, kCorner, true},
        {{10, 100, 150}, kCorner, false},   // blue 150
        {{20, 100, 115}, kCorner, false},   // red 20
        {{19, 250, 81}, kCorner, true},     // green not looked at
        {kFelt, {80, 150, 180}, false},     // blue 180
        {kFelt, {80, 110, 150}, false},     // green 110
        {kFelt, {175, 150, 150}, false},    // red 175
        {kFelt, {174, 111, 121}, true},
    };
    platform.AdvanceTo(1000);
    for (const Case& c : cases) {
        tally().bInHand = false;
        screen.set(400, 192, c.top);
        screen.set(785, 591, c.corner);
        platform.AdvanceBy(50);
        EXPECT_EQ(tally().bInHand, c.deal) << int(c.top.b) << " " << int(c.corner.r);
    }
    EXPECT_FALSE(main().tmrStar.Enabled());
    EXPECT_FALSE(main().imgStar.visible());
}

TEST_F(MainLoopTest, TheFirstMoverIsAskedSeat0First) {
    Start();
    OpenGame();
    Deal();
    OwnRow(16);
    platform.AdvanceTo(1100);
    screen.set(244, 76, kSign);
    screen.set(542, 322, kSign);
    platform.AdvanceBy(50);
    EXPECT_EQ(shared().FirstSeat, 0);
    EXPECT_EQ(tally().nTurn, 0);
    EXPECT_EQ(VisibleMarks(), 32);
    EXPECT_EQ(main().imgRMNum(1).picture(), main().picRMNum(16).picture());
    EXPECT_EQ(main().imgRMNum(2).picture(), main().picRMNum(16).picture());
    EXPECT_FALSE(main().tmrStart.Enabled());
}

TEST_F(MainLoopTest, AnUnreadableDealtRowIsFollowedInDoubt) {
    Start();
    OpenGame();
    Deal();
    // Dark from the dealt row's first glyph on: every next-card probe asks for one
    // more, and the row ends at its fiftieth card.
    screen.FillRect(190, 340, 610, 40, kBlack);
    platform.AdvanceTo(1100);
    screen.set(562, 80, kSign);
    platform.AdvanceBy(100);
    EXPECT_TRUE(main().tmrEmit.Enabled());
    EXPECT_EQ(tally().check.reason(), recognition::DoubtReason::kDealNotSixteen);
    EXPECT_EQ(VisibleMarks(), 48);
    EXPECT_EQ(main().imgRMNum(1).picture(), main().picRMDoubt.picture());
    EXPECT_EQ(tally().RemainCards(1), 16);
    EXPECT_EQ(program.shared().toolkit().unhandledErrors(), 0);
}

TEST_F(MainLoopTest, APassByTheSeatToMoveAdvancesWithoutAScan) {
    StartFollowing(1);
    Card(470, 150);  // a play is there too, but the pass sign is asked first
    screen.set(658, 154, kPass);
    platform.AdvanceBy(50);
    EXPECT_EQ(tally().nTurn, 2);
    EXPECT_EQ(shared().PlayHistory(0, 1), modQTC::PassMark);
    EXPECT_EQ(tally().RemainCards(1), 16);
}

TEST_F(MainLoopTest, APlayIsReadFromTheScanHitAndTheTurnMovesOn) {
    StartFollowing(2);
    for (int k = 0; k < 3; ++k) Card(14 + 22 * k, 150);
    platform.AdvanceBy(50);
    EXPECT_EQ(tally().nTurn, 0);
    EXPECT_EQ(tally().RemainCards(2), 13);
    EXPECT_EQ(shared().PlayHistory(0, 21), 3);
    EXPECT_EQ(shared().PlayHistory(0, 1), 12);
    EXPECT_EQ(main().imgRMNum(2).picture(), main().picRMNum(13).picture());
}

TEST_F(MainLoopTest, BlackFollowedByGreyIsNoHitAndTheScanResumesTwoOn) {
    StartFollowing(1);
    screen.set(470, 214, kBlack);
    screen.set(471, 214, {220, 255, 255});  // one byte not above 220
    screen.set(472, 214, kWhite);           // skipped: the scan resumes at 473
    platform.AdvanceBy(50);
    EXPECT_EQ(tally().nTurn, 1);
    EXPECT_EQ(tally().nPlayCount, 0);
    Card(520, 150);
    platform.AdvanceBy(50);
    EXPECT_EQ(tally().nPlayCount, 1);
}

TEST_F(MainLoopTest, AHitWithNoLowerEdgeFindsNoPlay) {
    StartFollowing(0);
    screen.FillRect(300, 300, 30, 300, kWhite);
    screen.FillRect(299, 300, 1, 300, kBlack);
    platform.AdvanceBy(200);
    EXPECT_EQ(tally().nPlayCount, 0);
    EXPECT_TRUE(main().tmrEmit.Enabled());
    EXPECT_EQ(program.shared().toolkit().unhandledErrors(), 0);
}

TEST_F(MainLoopTest, ThePlayThatEmptiesASeatEndsTheHand) {
    StartFollowing(1);
    tally().RemainCards(1) = 2;
    Card(470, 150);
    Card(492, 150);
    platform.AdvanceBy(50);
    EXPECT_EQ(tally().nPlayCount, 0);
    EXPECT_FALSE(main().tmrEmit.Enabled());
    EXPECT_TRUE(main().tmrStart.Enabled());
    EXPECT_FALSE(tally().bInHand);
    EXPECT_TRUE(main().tmrStar.Enabled());
}

TEST_F(MainLoopTest, ANewHandPressMidHandWaitsForTheNextDeal) {
    StartFollowing(2);
    main().StartNewHand();
    EXPECT_FALSE(main().tmrEmit.Enabled());
    EXPECT_TRUE(main().tmrStart.Enabled());
    EXPECT_EQ(VisibleMarks(), 48);
    platform.AdvanceBy(50);  // the deal signs still show: a hand is seen again
    EXPECT_TRUE(tally().bInHand);
}

TEST_F(MainLoopTest, AMinimisedGameLeavesTheHandWaiting) {
    StartFollowing(1);
    platform.fakeDesktop().SetMinimised(game, true);
    Card(470, 150);
    platform.AdvanceBy(500);
    EXPECT_EQ(tally().nPlayCount, 0);
    EXPECT_TRUE(main().tmrEmit.Enabled());
    platform.fakeDesktop().SetMinimised(game, false);
    platform.AdvanceBy(50);
    EXPECT_EQ(tally().nPlayCount, 1);
}

// Seat 1 lays its last two cards, read as one: its count stays above 0 and the end
// of the hand is never read. Once the deal's sign has been gone for a second the
// hand is over, and the next deal is followed from its first move.
TEST_F(MainLoopTest, AHandWhoseEndWasNeverReadEndsOnceTheDealSignHasGone) {
    StartFollowing(1);
    screen.set(562, 80, kFelt);  // the first-mover sign goes with the first move
    tally().RemainCards(1) = 2;
    Card(470, 150);
    platform.AdvanceBy(50);
    ASSERT_EQ(tally().RemainCards(1), 1);
    Clear(460, 140, 60, 130);
    screen.set(400, 192, {0, 0, 0});  // between hands
    platform.AdvanceBy(950);
    EXPECT_TRUE(main().tmrEmit.Enabled()) << "four looks without the sign are not yet enough";
    platform.AdvanceBy(300);
    EXPECT_FALSE(main().tmrEmit.Enabled());
    EXPECT_EQ(VisibleMarks(), 48);

    Deal();
    screen.set(244, 76, kSign);
    platform.AdvanceBy(100);
    EXPECT_TRUE(main().tmrEmit.Enabled());
    EXPECT_EQ(shared().FirstSeat, 2);
    EXPECT_EQ(tally().RemainCards(1), 16);
    EXPECT_EQ(tally().nPlayCount, 0);
}

TEST_F(MainLoopTest, TheNewHandButtonClearsADoubt) {
    StartFollowing(2);
    tally().Doubt(recognition::DoubtReason::kCountBelowZero);
    ASSERT_TRUE(main().imgDoubt.visible());
    main().StartNewHand();
    EXPECT_FALSE(tally().check.InDoubt());
    EXPECT_FALSE(main().imgDoubt.visible());
}

}  // namespace
}  // namespace vantrel
