// The card tally: striking marks, counts, the move history, the marker tests and
// the reset between hands, on the main window of a headless program.
#include <gtest/gtest.h>

#include <vector>

#include "shared/layouts.h"
#include "shared/pictures.h"
#include "support/recognition_fixture.h"

namespace vantrel {
namespace {

using testing::RecognitionFixture;

// Inside one watcher tick from set-up to tear-down.
class TallyTest : public RecognitionFixture {
protected:
    void SetUp() override {
        RecognitionFixture::SetUp();
        BeginTick();
    }
    void TearDown() override { EndTick(); }

    // A row of ranks as the reader leaves it after converting the codes.
    void SetRow(const std::vector<int>& ranks) {
        main().watcher().row.nCardCount = static_cast<std::int16_t>(ranks.size());
        for (std::size_t k = 0; k < ranks.size(); ++k)
            main().watcher().row.CardList(static_cast<int>(k) + 1) = static_cast<std::int16_t>(ranks[k]);
    }
    void Follow(int firstSeat) {
        shared().FirstSeat = static_cast<std::int16_t>(firstSeat);
        tally().nTurn = static_cast<std::int16_t>(firstSeat);
        tally().bInHand = true;
        tally().RemainCards.Fill(16);
    }
    void Play(const std::vector<int>& ranks) {
        SetRow(ranks);
        tally().StrikeCards(recognition::RowKind::Play);
        tally().RecordPlay();
        main().watcher().row.nCardCount = 0;
        tally().nTurn = static_cast<std::int16_t>((tally().nTurn + 1) % 3);
    }
    bool Mark(int code) { return main().imgRMCard(code).visible(); }
};

TEST_F(TallyTest, StrikingHidesTheHighestVisibleMarkOfTheRank) {
    Follow(1);
    Play({13, 13});
    EXPECT_FALSE(Mark(44));
    EXPECT_FALSE(Mark(43));
    EXPECT_TRUE(Mark(42));
    Play({3});  // seat 2
    EXPECT_FALSE(Mark(4));
    tally().nTurn = 1;
    Play({13});
    EXPECT_FALSE(Mark(42));
    EXPECT_TRUE(Mark(41));
    EXPECT_EQ(VisibleMarks(), 48 - 4);
}

TEST_F(TallyTest, AnAceOrATwoWithNoMarkLeftIsADoubtAndHidesNothing) {
    Follow(1);
    main().imgRMCard(47).SetVisible(false);
    main().imgRMCard(46).SetVisible(false);
    Play({14});
    EXPECT_FALSE(Mark(45));
    const int before = VisibleMarks();
    tally().nTurn = 1;
    Play({14});  // no ace mark is left
    EXPECT_EQ(VisibleMarks(), before);
    EXPECT_EQ(tally().check.reason(), recognition::DoubtReason::kOpponentRankGone);

    tally().check.Clear();
    tally().nTurn = 1;
    Play({15});
    EXPECT_FALSE(Mark(49));
    EXPECT_FALSE(tally().check.InDoubt());
    tally().nTurn = 1;
    Play({15});  // the one 2 is gone: the check looks
    EXPECT_EQ(tally().check.reason(), recognition::DoubtReason::kOpponentRankGone);
}

TEST_F(TallyTest, TheUsersOwnPlayIsCountedAndRecordedButStrikesNothing) {
    Follow(0);
    ASSERT_FALSE(tally().check.CheckDeal(std::vector<std::int16_t>{5, 5, 5, 9, 9, 3, 3, 4, 4, 6, 6, 7, 7, 8, 8, 10}));
    Play({5, 5, 5, 9, 9});
    EXPECT_FALSE(tally().check.InDoubt());
    EXPECT_EQ(tally().RemainCards(0), 11);
    EXPECT_EQ(VisibleMarks(), 48);
    EXPECT_FALSE(main().imgRMNum(1).HasPicture());
    EXPECT_EQ(shared().PlayHistory(0, 21), 5);
    EXPECT_EQ(shared().PlayHistory(0, 1), 5);
    EXPECT_EQ(shared().PlayHistory(0, 5), 9);
}

TEST_F(TallyTest, OpponentsCountsShowTheirDigit) {
    Follow(2);
    tally().ShowCount(1);
    Play({7, 7});
    EXPECT_EQ(main().imgRMNum(2).picture(), main().picRMNum(14).picture());
    EXPECT_EQ(main().imgRMNum(1).picture(), main().picRMNum(16).picture());
}

TEST_F(TallyTest, TheLastPlayEndsTheHandLeavingMarksAndCountAsTheyWere) {
    Follow(1);
    tally().RemainCards(1) = 2;
    tally().ShowCount(1);
    Play({8, 8});
    EXPECT_TRUE(tally().bHandOver);
    EXPECT_EQ(VisibleMarks(), 48);
    EXPECT_EQ(main().imgRMNum(1).picture(), main().picRMNum(2).picture());
    EXPECT_EQ(shared().PlayHistory(0, 21), 2);
    EXPECT_EQ(tally().nPlayCount, 1);
}

TEST_F(TallyTest, MovesAreRowsInTurnOrderFromTheFirstSeat) {
    Follow(2);
    Play({3});
    Play({4});
    Play({6});
    for (int row = 0; row < 3; ++row) EXPECT_EQ(shared().PlayHistory(row, 21), 1);
    EXPECT_EQ(shared().PlayHistory(0, 1), 3);  // seat 2
    EXPECT_EQ(shared().PlayHistory(1, 1), 4);  // seat 0
    EXPECT_EQ(shared().PlayHistory(2, 1), 6);  // seat 1
    EXPECT_EQ(shared().PlayHistory(3, 1), 0);  // the end of the history
    EXPECT_EQ(tally().RemainCards(2), 15);
    EXPECT_EQ(tally().RemainCards(0), 15);
    EXPECT_EQ(tally().RemainCards(1), 15);
}

// The pass sign's colour, well inside its band.
constexpr base::Rgb kPassSign{250, 200, 10};
constexpr base::Rgb kFirstMoverSign{245, 200, 55};

TEST_F(TallyTest, APassIsARowOfItsOwn) {
    Follow(1);
    screen.set(658, 154, kPassSign);
    EXPECT_TRUE(tally().CheckPass(1));
    EXPECT_EQ(tally().nTurn, 2);
    EXPECT_EQ(shared().PlayHistory(0, 1), modQTC::PassMark);
    EXPECT_EQ(shared().PlayHistory(0, 21), 1);
    for (int column = 2; column <= 20; ++column) EXPECT_EQ(shared().PlayHistory(0, column), 0);
    EXPECT_FALSE(tally().CheckPass(2));  // seat 2 shows no sign
    EXPECT_EQ(tally().nPlayCount, 1);
}

TEST_F(TallyTest, MarkerBandsAreStrict) {
    struct Case {
        base::Rgb colour;
        bool pass, first;
    };
    const Case cases[] = {
        {kPassSign, true, false},          // blue 10 is below the first-mover band
        {kFirstMoverSign, true, true},
        {{231, 200, 30}, true, true},
        {{230, 200, 30}, false, true},     // red must be above 230 for a pass
        {{250, 230, 30}, false, false},    // green below 230
        {{250, 171, 69}, true, true},
        {{250, 200, 70}, false, true},     // blue must be below 70 for a pass
        {{221, 200, 89}, false, true},
        {{220, 200, 50}, false, false},    // red above 220 for the first mover
        {{250, 200, 90}, false, false},
        {{250, 200, 20}, true, false},     // blue above 20 for the first mover
    };
    Follow(0);
    for (const Case& c : cases) {
        screen.set(498, 451, c.colour);
        screen.set(542, 322, c.colour);
        main().watcher().sampler.BeginTick(surface.get());
        EXPECT_EQ(tally().IsFirstSeat(0), c.first) << int(c.colour.r) << "," << int(c.colour.g) << "," << int(c.colour.b);
        EXPECT_EQ(tally().CheckPass(0), c.pass) << int(c.colour.r) << "," << int(c.colour.g) << "," << int(c.colour.b);
        tally().nTurn = 0;
    }
}

TEST_F(TallyTest, ResetHandClearsEverythingAndSetsTheWatcherByItsFlag) {
    Follow(1);
    Play({10, 10, 10, 4, 4});
    main().tmrEmit.SetEnabled(true);
    main().tmrStar.SetEnabled(false);
    tally().ResetHand(false);
    EXPECT_FALSE(main().tmrStart.Enabled());
    EXPECT_FALSE(main().tmrEmit.Enabled());
    EXPECT_TRUE(main().tmrStar.Enabled());
    EXPECT_TRUE(main().tmrTipInterval.Enabled());
    EXPECT_EQ(VisibleMarks(), 48);
    EXPECT_EQ(shared().PlayHistory(0, 1), 0);
    EXPECT_EQ(shared().PlayHistory(0, 21), 0);
    EXPECT_EQ(tally().nPlayCount, 0);
    EXPECT_FALSE(main().imgRMNum(1).HasPicture());
    EXPECT_FALSE(tally().bInHand);
    EXPECT_EQ(shared().FirstSeat, 1);  // kept until the next hand's first mover

    main().tmrEmit.SetEnabled(true);
    tally().ResetHand(true);
    EXPECT_TRUE(main().tmrStart.Enabled());
    EXPECT_FALSE(main().tmrEmit.Enabled());
}

TEST_F(TallyTest, ResetLoadsClosedOverlaysHiddenSoTheyStayCurrent) {
    detail().Unload();
    player().Unload();
    tally().ResetHand(true);
    EXPECT_TRUE(detail().loaded());
    EXPECT_TRUE(player().loaded());
    EXPECT_EQ(shared().bPlayerOpen, kTrue);
    EXPECT_FALSE(platform.FindWindow("VXPlayer")->shown());
}

TEST_F(TallyTest, TheHundredAndFirstMoveIsKeptAndTheNextPutsTheHandInDoubtWhetherPassOrPlay) {
    Follow(1);
    tally().nPlayCount = 100;
    screen.set(658, 154, kPassSign);
    EXPECT_TRUE(tally().CheckPass(1));
    EXPECT_EQ(tally().nPlayCount, 101);
    EXPECT_EQ(shared().PlayHistory(100, 1), 9455);
    EXPECT_FALSE(tally().check.InDoubt());
    screen.set(658, 154, {10, 100, 115});

    for (const bool pass : {true, false}) {
        Follow(1);
        tally().check.Clear();
        tally().nPlayCount = 101;
        if (pass) {
            screen.set(658, 154, kPassSign);
            main().watcher().sampler.BeginTick(surface.get());
            EXPECT_TRUE(tally().CheckPass(1));
            screen.set(658, 154, {10, 100, 115});
        } else {
            Play({13});
        }
        // The hand goes on, in doubt: the turn moves, the count falls, no row is written.
        EXPECT_EQ(tally().check.reason(), recognition::DoubtReason::kTooManyMoves) << (pass ? "pass" : "play");
        EXPECT_TRUE(tally().bInHand);
        EXPECT_EQ(tally().nTurn, 2);
        EXPECT_EQ(tally().nPlayCount, 101);
        EXPECT_EQ(tally().RemainCards(1), pass ? 16 : 15);
    }
}

TEST_F(TallyTest, ACountBelowZeroPutsTheHandInDoubtAndKeepsCounting) {
    // Twenty cards still fit a history row: the count is what cannot be true.
    for (const auto& [seat, cards] : {std::pair{0, 2}, std::pair{1, 20}}) {
        Follow(seat);
        tally().check.Clear();
        tally().RemainCards(seat) = 1;
        Play(std::vector<int>(static_cast<std::size_t>(cards), 3));
        EXPECT_EQ(tally().check.reason(), recognition::DoubtReason::kCountBelowZero) << seat;
        EXPECT_EQ(tally().RemainCards(seat), 1 - cards);
        EXPECT_FALSE(tally().bHandOver);
        EXPECT_EQ(VisibleMarks(), 48) << "no mark is struck in doubt";
    }
}

TEST_F(TallyTest, ADoubtIsRaisedOnceShowsItsLookAndTheResetTakesItAway) {
    std::vector<recognition::DoubtReason> heard;
    tally().onDoubt = [&heard](recognition::DoubtReason reason) { heard.push_back(reason); };
    Follow(2);
    tally().ShowCount(1);
    Play({15});
    tally().nTurn = 1;
    Play({15});  // the 2 is gone: impossible
    Play({9});   // no further mark is struck, and nothing is heard again
    EXPECT_EQ(heard, std::vector{recognition::DoubtReason::kOpponentRankGone});
    EXPECT_EQ(VisibleMarks(), 47);
    EXPECT_EQ(tally().RemainCards(2), 14);
    EXPECT_EQ(tally().RemainCards(1), 15);
    EXPECT_EQ(main().imgRMNum(1).picture(), main().picRMDoubt.picture());
    EXPECT_TRUE(main().imgDoubt.visible());
    EXPECT_NE(main().imgDoubt.tooltip().find(recognition::DoubtText(recognition::DoubtReason::kOpponentRankGone)),
              std::string::npos);

    tally().ResetHand(true);
    EXPECT_FALSE(tally().check.InDoubt());
    EXPECT_FALSE(main().imgDoubt.visible());
    main().imgRMCard.ForEach([](ui::PictureCell& mark) {
        EXPECT_EQ(mark.picture(), pictures::Get(ui::FindControl(layouts::kMain, "imgRMCard", mark.index()).picture))
            << "mark " << mark.index() << " is back on its own tile";
    });
}

TEST_F(TallyTest, CodesBecomeRanks) {
    const std::vector<std::pair<int, int>> codes{{1, 3}, {4, 3}, {5, 4}, {44, 13}, {45, 14}, {47, 14}, {48, 14}, {49, 15}};
    SetRow({});
    main().watcher().row.nCardCount = static_cast<std::int16_t>(codes.size());
    for (std::size_t k = 0; k < codes.size(); ++k) main().watcher().row.CardList(static_cast<int>(k) + 1) = static_cast<std::int16_t>(codes[k].first);
    tally().CodesToRanks();
    for (std::size_t k = 0; k < codes.size(); ++k) EXPECT_EQ(main().watcher().row.CardList(static_cast<int>(k) + 1), codes[k].second) << codes[k].first;
}

}  // namespace
}  // namespace vantrel
