// The player window: the replay step by step in the seats' areas, the transport
// buttons and their speeds, the follow-play box with the main loop, the close
// button, hand resets, and the hover looks.
#include <gtest/gtest.h>

#include "overlay_fixture.h"
#include "shared/settings.h"

namespace vantrel {
namespace {

using namespace vantrel::testing;
using soak::ReplayView;

constexpr int kHoverTick = 50;
constexpr int kStep = 500;  // the step timer's interval at every load
constexpr int kPassTile = modQTC::PassMark;

class PlayerTest : public OverlayFixture {
protected:
    base::Point At(int x, int y) { return OverlayFixture::At(player(), x, y); }
    // The middle of transport button k (1..7) or of the close image (8).
    base::Point Centre(int k) {
        const ButtonRect& r = ui::FindControl(layouts::kPlayer, "imgMouseOn", k).hover;
        return At((r.x1 + r.x2) / 2, (r.y1 + r.y2) / 2);
    }
    // A press while the hover look shows, and a release at `dx`, `dy` pixels from it.
    void PressButton(int k) {
        Hover(player(), Centre(k), kHoverTick);
        ASSERT_TRUE(player().imgMouseOn(k).visible()) << k;
        platform.PressMouse(Centre(k));
    }
    void ClickButton(int k) {
        PressButton(k);
        platform.ReleaseMouse(Centre(k));
    }
    ReplayView Shown() { return soak::ReadReplay(player()); }
    ReplayView After(int firstSeat, const std::vector<std::vector<int>>& moves, std::size_t count) {
        return soak::ExpectedReplay(SeatMoves(firstSeat, {moves.begin(), moves.begin() + static_cast<long>(count)}));
    }
    bool PlayButtonShown() { return player().imgButton(7).visible() && !player().imgButton(2).visible(); }
    bool PauseButtonShown() { return player().imgButton(2).visible() && !player().imgButton(7).visible(); }
};

const std::vector<std::vector<int>> kFourMoves = {{9, 9}, {}, {5, 6, 7}, {15}};

TEST_F(PlayerTest, LoadedWithNoMovesItWaitsAndShowsTheFirstMoveOneStepAfterPlay) {
    EXPECT_FALSE(player().tmrShow.Enabled());
    EXPECT_TRUE(PlayButtonShown());
    EXPECT_TRUE(player().imgMark.HasPicture());
    Record(0, {{3}});
    player().Play();
    platform.AdvanceBy(kStep - 1);
    EXPECT_EQ(Shown(), ReplayView{});
    platform.AdvanceBy(1);
    EXPECT_EQ(Shown(), (ReplayView{{{{{3, 44}}, {}, {}}}}));
}

TEST_F(PlayerTest, EachStepShowsTheLatestTwoMovesInTheirSeatsAreas) {
    Record(2, kFourMoves);
    player().Play();
    platform.AdvanceBy(kStep);
    EXPECT_EQ(Shown(), (ReplayView{{{{}, {}, {{9, 13}, {9, 29}}}}}));  // top left
    EXPECT_TRUE(PauseButtonShown());
    platform.AdvanceBy(kStep);
    EXPECT_EQ(Shown(), (ReplayView{{{{{kPassTile, 44}}, {}, {{9, 13}, {9, 29}}}}}));  // the pass at the bottom
    platform.AdvanceBy(kStep);
    EXPECT_EQ(Shown(), (ReplayView{{{{{kPassTile, 44}}, {{5, 240}, {6, 256}, {7, 272}}, {}}}}));  // top left emptied
    EXPECT_TRUE(player().tmrShow.Enabled());
    platform.AdvanceBy(kStep);
    EXPECT_EQ(Shown(), (ReplayView{{{{}, {{5, 240}, {6, 256}, {7, 272}}, {{15, 13}}}}}));
    EXPECT_FALSE(player().tmrShow.Enabled());
    EXPECT_TRUE(PlayButtonShown());
    EXPECT_EQ(player().PlayPauseButton, frmPlayer::kPlay);
}

TEST_F(PlayerTest, LongMovesAreSqueezedSoTheLastCardStartsAtMost192PixelsOn) {
    const struct {
        int count, pitch;
    } cases[] = {{13, 16}, {14, 14}, {15, 13}, {16, 12}, {20, 10}};
    for (const auto& c : cases) {
        tally().ResetHand(true);
        Record(0, {std::vector<int>(static_cast<std::size_t>(c.count), 8)});
        player().Play();
        platform.AdvanceBy(kStep);
        const ReplayView shown = Shown();
        const auto& bottom = shown.area[0];
        ASSERT_EQ(static_cast<int>(bottom.size()), c.count);
        for (int n = 1; n <= c.count; ++n) EXPECT_EQ(bottom[static_cast<std::size_t>(n - 1)].left, 44 + (n - 1) * c.pitch);
    }
}

TEST_F(PlayerTest, AShortMoveAfterA16CardMoveOfTheSameSeatLeavesNothingOfTheLongOne) {
    std::vector<int> sixteen(16, 4);
    const std::vector<std::vector<int>> moves = {sixteen, {}, {}, {10, 11, 12}};
    Record(0, moves);
    player().Play();
    platform.AdvanceBy(kStep);
    EXPECT_EQ(Shown().area[0].back(), (soak::ReplayTile{4, 224}));
    platform.AdvanceBy(3 * kStep);
    EXPECT_EQ(Shown(), (ReplayView{{{{{10, 44}, {11, 60}, {12, 76}}, {}, {{kPassTile, 13}}}}}));
}

TEST_F(PlayerTest, SteppingBackAndForthKeepsTheTwoMovesAroundTheCursor) {
    Record(2, kFourMoves);
    player().Play();
    platform.AdvanceBy(4 * kStep);
    ClickButton(frmPlayer::kStepBack);
    EXPECT_EQ(player().PlayCursor, 3);
    EXPECT_EQ(Shown(), After(2, kFourMoves, 3));
    ClickButton(frmPlayer::kStepBack);
    EXPECT_EQ(player().PlayCursor, 2);
    EXPECT_EQ(Shown(), After(2, kFourMoves, 2));
    ClickButton(frmPlayer::kStepBack);  // below 3: the first two moves stay
    EXPECT_EQ(player().PlayCursor, 2);
    EXPECT_EQ(Shown(), After(2, kFourMoves, 2));
    ClickButton(frmPlayer::kStepForward);
    ClickButton(frmPlayer::kStepForward);
    EXPECT_EQ(player().PlayCursor, 4);
    EXPECT_EQ(Shown(), After(2, kFourMoves, 4));
    ClickButton(frmPlayer::kStepForward);  // caught up
    EXPECT_EQ(player().PlayCursor, 4);
    EXPECT_EQ(Shown(), After(2, kFourMoves, 4));
}

TEST_F(PlayerTest, StepBackBelow3AndStepForwardWhenCaughtUpOnlyStopTheReplay) {
    Record(2, kFourMoves);
    player().Play();
    platform.AdvanceBy(kStep);
    ASSERT_TRUE(player().tmrShow.Enabled());
    ClickButton(frmPlayer::kStepBack);
    EXPECT_FALSE(player().tmrShow.Enabled());
    EXPECT_EQ(player().PlayPauseButton, frmPlayer::kPlay);
    EXPECT_EQ(player().PlayCursor, 1);
    EXPECT_EQ(Shown(), After(2, kFourMoves, 1));

    // A hand reset leaves a running step timer running over an empty history.
    ClickButton(frmPlayer::kPlay);
    ASSERT_TRUE(player().tmrShow.Enabled());
    tally().ResetHand(true);
    ASSERT_TRUE(player().tmrShow.Enabled());
    ClickButton(frmPlayer::kStepForward);
    EXPECT_FALSE(player().tmrShow.Enabled());
    EXPECT_EQ(player().PlayPauseButton, frmPlayer::kPlay);
    EXPECT_EQ(player().PlayCursor, 0);
    EXPECT_EQ(Shown(), ReplayView{});
}

TEST_F(PlayerTest, AResetWhileTheStepTimerRunsDrawsNothingUntilTheNewHandsFirstMove) {
    Record(1, kFourMoves);
    player().Play();
    platform.AdvanceBy(kStep);
    ASSERT_TRUE(player().tmrShow.Enabled());
    tally().ResetHand(true);
    EXPECT_TRUE(player().tmrShow.Enabled());
    EXPECT_TRUE(PauseButtonShown());  // the pair is left as it was
    EXPECT_EQ(Shown(), ReplayView{});
    platform.AdvanceBy(3 * kStep);
    EXPECT_EQ(Shown(), ReplayView{});
    EXPECT_EQ(player().PlayCursor, 0);
    Record(1, {{13}});  // the next hand's first move: the running timer shows it
    platform.AdvanceBy(kStep);
    EXPECT_EQ(Shown(), (ReplayView{{{{}, {{13, 240}}, {}}}}));
    EXPECT_FALSE(player().tmrShow.Enabled());
}

TEST_F(PlayerTest, FasterAndSlowerReachOnly250500And1000Milliseconds) {
    const struct {
        int button, interval;
    } presses[] = {{5, 250}, {5, 250}, {6, 500}, {6, 1000}, {6, 1000}, {5, 500}, {5, 250}};
    for (const auto& p : presses) {
        ClickButton(p.button);
        EXPECT_EQ(player().tmrShow.Interval(), p.interval) << p.button;
    }
    // The running replay steps at the new speed.
    Record(0, {{3}, {4}});
    player().Play();
    platform.AdvanceBy(250);
    EXPECT_EQ(player().PlayCursor, 1);
    ClickButton(frmPlayer::kSlower);  // 500 from the release on
    platform.AdvanceBy(kStep - 1);
    EXPECT_EQ(player().PlayCursor, 1);
    platform.AdvanceBy(1);
    EXPECT_EQ(player().PlayCursor, 2);
}

TEST_F(PlayerTest, ReplayEmptiesEveryAreaAtOnceAndStartsOverWithAFreshFirstSeat) {
    Record(2, kFourMoves);
    player().Play();
    platform.AdvanceBy(4 * kStep);
    shared().FirstSeat = 0;
    ClickButton(frmPlayer::kReplay);
    EXPECT_EQ(Shown(), ReplayView{});
    EXPECT_EQ(player().PlayCursor, 0);
    EXPECT_EQ(player().PlayStart, 0);
    platform.AdvanceBy(kStep);
    EXPECT_EQ(Shown(), (ReplayView{{{{{9, 44}, {9, 60}}, {}, {}}}}));  // now the user's move
}

TEST_F(PlayerTest, BeforePlayHasEverCopiedTheFirstSeatSteppingGoesByTheHandsOwn) {
    Record(1, kFourMoves);  // loaded with no moves: Play copied nothing
    ClickButton(frmPlayer::kStepForward);
    EXPECT_EQ(Shown(), After(1, kFourMoves, 1));
    EXPECT_EQ(Shown().area[1].size(), 2u);
}

TEST_F(PlayerTest, AReleaseOutsideAButtonRestoresItsLookAndDoesNothing) {
    Record(2, kFourMoves);
    for (const base::Point off : {base::Point{20, 0}, {0, 20}, {-10, 0}, {0, -10}}) {
        PressButton(frmPlayer::kStepForward);
        const base::Point c = Centre(frmPlayer::kStepForward);
        platform.ReleaseMouse({c.x + off.x, c.y + off.y});
        EXPECT_EQ(player().PlayCursor, 0);
        EXPECT_TRUE(player().imgButton(4).visible());
        EXPECT_FALSE(player().imgMouseOn(4).visible());
    }
    EXPECT_EQ(Shown(), ReplayView{});
}

TEST_F(PlayerTest, TheHoverLooksShowThePairsCurrentButtonAndThePressedLookFollowsTheCursor) {
    Record(2, kFourMoves);
    player().Play();
    platform.AdvanceBy(kStep);
    ASSERT_EQ(player().PlayPauseButton, frmPlayer::kPause);
    Hover(player(), Centre(frmPlayer::kPause), kHoverTick);
    EXPECT_TRUE(player().imgMouseOn(2).visible());
    EXPECT_FALSE(player().imgButton(2).visible());
    EXPECT_FALSE(player().imgMouseOn(7).visible());
    EXPECT_FALSE(player().imgButton(7).visible());
    EXPECT_FALSE(player().imgMouseOn(3).visible());

    platform.PressMouse(Centre(frmPlayer::kPause));
    platform.AdvanceBy(kHoverTick);
    EXPECT_TRUE(player().imgMouseDown(2).visible());
    platform.MoveMouse(At(306, 64));  // just off it
    platform.AdvanceBy(kHoverTick);
    EXPECT_FALSE(player().imgMouseDown(2).visible());
    platform.MoveMouse(Centre(frmPlayer::kPause));
    platform.AdvanceBy(kHoverTick);
    platform.ReleaseMouse(Centre(frmPlayer::kPause));
    EXPECT_FALSE(player().tmrShow.Enabled());  // paused
    EXPECT_TRUE(player().imgMouseOn(7).visible());
    EXPECT_FALSE(player().imgMouseDown(2).visible());

    platform.MoveMouse({2000, 2000});  // gone: the hover timer stops itself
    platform.AdvanceBy(kHoverTick);
    EXPECT_FALSE(player().tmrPOS.Enabled());
}

TEST_F(PlayerTest, ARowPast100IsNeverRead) {
    Record(0, {});
    for (int row = 0; row < MoveTable::kRows; ++row) Append({});
    player().Play();
    platform.AdvanceBy(MoveTable::kRows * kStep);
    EXPECT_EQ(player().PlayCursor, MoveTable::kRows);
    EXPECT_FALSE(player().tmrShow.Enabled());
    ClickButton(frmPlayer::kStepForward);
    ClickButton(frmPlayer::kPlay);
    EXPECT_EQ(program.shared().toolkit().unhandledErrors(), 0);
}

TEST_F(PlayerTest, DraggedByItsBackgroundOrACardSlotAndSavedWhereItWasClosed) {
    platform.PressMouse(At(100, 50), platform::MouseButton::Middle);  // the bare background
    EXPECT_EQ(player().nPressed, frmPlayer::kDragging);
    platform.MoveMouse({476 + 100 + 4, 640 + 50 - 100});
    platform.ReleaseMouse({476 + 100 + 4, 640 + 50 - 100});
    platform.PressMouse(At(5, 60));  // the unused slot 0 drags too
    platform.MoveMouse(At(5 + 6, 60));
    platform.ReleaseMouse(At(5 + 6, 60));
    EXPECT_EQ(platform.FindWindow("VXPlayer")->drags(), 2);

    for (const base::Point release : {base::Point{43, 5}, {20, 15}}) {  // from the close image's corner
        PressButton(frmPlayer::kClose);
        platform.ReleaseMouse(At(420 + release.x, release.y));
        EXPECT_TRUE(player().loaded());
    }
    PressButton(frmPlayer::kClose);
    platform.ReleaseMouse(At(420 + 42, 14));
    EXPECT_FALSE(player().loaded());
    EXPECT_EQ(shared().bPlayerOpen, kFalse);
    EXPECT_EQ(SettingsFile(platform.files()).Read(SettingsRecord::PlayerWindow), (PosRec{486 * 15, 540 * 15}));
}

// With the main loop: the follow-play box, a close from outside, and the reset
// that loads a closed window hidden, ticked and current.
class PlayerFollowTest : public PlayerTest {
protected:
    void SetUp() override {}  // the test starts the program following a hand
};

TEST_F(PlayerFollowTest, AnUntickedBoxDoesNotFollowAndPlayShowsTheMovesAll) {
    StartFollowing(1);
    Click(At(405, 65));  // the tick box
    EXPECT_FALSE(player().imgMark.HasPicture());
    screen.set(658, 154, kPass);  // seat 1 passes
    platform.AdvanceBy(50);
    ASSERT_EQ(tally().nPlayCount, 1);
    platform.AdvanceBy(2 * kStep);
    EXPECT_FALSE(player().tmrShow.Enabled());
    EXPECT_EQ(Shown(), ReplayView{});

    ClickButton(frmPlayer::kPlay);
    platform.AdvanceBy(kStep);
    EXPECT_EQ(Shown(), (ReplayView{{{{}, {{kPassTile, 240}}, {}}}}));

    Click(At(405, 65));  // ticked again: the next move is followed
    screen.set(108, 154, kPass);  // seat 2 passes
    platform.AdvanceBy(50);
    EXPECT_TRUE(player().tmrShow.Enabled());
    platform.AdvanceBy(kStep);
    EXPECT_EQ(Shown(), (ReplayView{{{{}, {{kPassTile, 240}}, {{kPassTile, 13}}}}}));
}

TEST_F(PlayerFollowTest, ClosedFromOutsideItIsNotAskedAndAResetLoadsItHiddenAndTicked) {
    StartFollowing(1);
    Click(At(405, 65));  // unticked, and the interval changed: a load puts both back
    ClickButton(frmPlayer::kFaster);
    platform.FindWindow("VXPlayer")->events().OnCloseRequest();
    EXPECT_FALSE(player().loaded());
    EXPECT_EQ(shared().bPlayerOpen, kFalse);
    screen.set(658, 154, kPass);
    platform.AdvanceBy(50);
    ASSERT_EQ(tally().nPlayCount, 1);
    EXPECT_FALSE(player().tmrShow.Enabled());
    EXPECT_EQ(program.shared().toolkit().unhandledErrors(), 0);

    main().StartNewHand();
    EXPECT_TRUE(player().loaded());
    EXPECT_FALSE(platform.FindWindow("VXPlayer")->shown());
    EXPECT_EQ(shared().bPlayerOpen, kTrue);
    EXPECT_TRUE(player().imgMark.HasPicture());
    EXPECT_EQ(player().tmrShow.Interval(), kStep);
    EXPECT_EQ(player().PlayCursor, 0);
}

}  // namespace
}  // namespace vantrel
