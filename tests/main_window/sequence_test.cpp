// The program's sequences, each checked once as a sequence on the virtual clock:
// the start-up's order (display depth, layering, the settings file, the detail
// window, then the player window, then the main window's own place), the timers it
// leaves running, the close's order, and what one hand of the main loop asks of
// the overlays and the idle animations at each step. Calls into the overlays are
// seen through their effects: `Play` by the copy of the first seat it takes, the
// resets by the cells they empty and the window they load.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shared/settings.h"
#include "support/game_fixture.h"
#include "support/painted_table.h"

namespace vantrel {
namespace {

using namespace vantrel::testing;
using namespace vantrel::testing::contract;

class SequenceTest : public ProgramFixture {
protected:
    // The journal from entry `from` on, moves left out.
    std::vector<std::string> WindowSteps(std::size_t from) {
        const auto& entries = platform.journal().entries();
        std::vector<std::string> steps;
        for (std::size_t i = from; i < entries.size(); ++i)
            if (!entries[i].starts_with("move ")) steps.push_back(entries[i]);
        return steps;
    }
    recognition::CardTally& tally() { return main().watcher().tally; }
    // A play of one six in the seat's area, its left edge 10 pixels into the span.
    void LaySix(int seat) {
        const Scan scan = kScan[static_cast<std::size_t>(seat)];
        screen.Fill(kFelt);
        PaintLaidSix(screen, scan.first + 11, scan.row);
        screen.set(scan.first + 10, scan.row, kBlack);
    }
};

TEST_F(SequenceTest, StartUpChecksTheDepthLayersMakesTheFileAndShowsDetailPlayerThenItself) {
    platform.fakeDesktop().SetBitsPerPixel(24);
    // Each step, and whether the settings file was there when it was taken. The
    // overlays' own moves are theirs; the main window's two moves (Left, then Top)
    // are its one placement.
    std::vector<std::string> steps;
    platform.journal().onEntry = [&](const std::string& entry) {
        if (entry.starts_with("move ") && !entry.starts_with("move VXMain ")) return;
        const std::string step =
            (entry.starts_with("move ") ? "place VXMain" : entry) + (platform.memoryFiles().Contents(SettingsFile::kName) ? " +file" : "");
        if (steps.empty() || steps.back() != step) steps.push_back(step);
    };
    Start();
    platform.journal().onEntry = nullptr;
    EXPECT_EQ(steps, (std::vector<std::string>{
                         "create VXMain", "depth 32", "layered VXMain",
                         "create VXDetail +file", "layered VXDetail +file", "show VXDetail +file",
                         "create VXPlayer +file", "layered VXPlayer +file", "show VXPlayer +file",
                         "place VXMain +file", "show VXMain +file"}));

    struct TimerAtStart {
        const char* name;
        int interval;
        bool enabled;
    };
    const TimerAtStart timers[] = {
        {"tmrFindDDZ", 1000, true}, {"tmrGamePos", 1000, false}, {"tmrDelay", 1500, false},
        {"tmrStart", 50, false},    {"tmrEmit", 50, false},      {"tmrPOS", 50, false},
        {"tmrStar", 300, true},     {"tmrTipInterval", 5000, true}, {"tmrTipMove", 20, true},
    };
    for (const TimerAtStart& t : timers) {
        const ui::Timer& timer = main().TimerNamed(t.name);
        EXPECT_EQ(timer.Interval(), t.interval) << timer.name();
        EXPECT_EQ(timer.Enabled(), t.enabled) << timer.name();
    }

    // Every load makes its window layered again before showing it.
    const std::size_t from = platform.journal().entries().size();
    detail().Unload();
    detail().Show();
    EXPECT_EQ(WindowSteps(from),
              (std::vector<std::string>{"destroy VXDetail", "create VXDetail", "layered VXDetail", "show VXDetail"}));
}

// The main window's close, or the session's end heard first by any window: the
// same road, records 1 and 4 first, then the detail and the player window.
struct CloseCause {
    const char* window;
    bool sessionEnds;
};

class CloseSequenceTest : public SequenceTest, public ::testing::WithParamInterface<CloseCause> {};

INSTANTIATE_TEST_SUITE_P(Causes, CloseSequenceTest,
                         ::testing::Values(CloseCause{"VXMain", false}, CloseCause{"VXMain", true},
                                           CloseCause{"VXDetail", true}, CloseCause{"VXPlayer", true}),
                         [](const auto& cause) {
                             return std::string(cause.param.sessionEnds ? "SessionEndAt" : "CloseOf") + cause.param.window;
                         });

TEST_P(CloseSequenceTest, SavesItselfAndTheGameThenClosesTheDetailThenThePlayerWindow) {
    Start();
    OpenGame({300, 200, 1108, 834});
    platform.AdvanceTo(2000);  // found at 1 s and measured at 2 s, not yet placed
    ASSERT_EQ(main().gameWindow().left, 300);
    main().SetLeft(1500);
    main().SetTop(600);
    detail().SetTop(3000);
    player().SetLeft(4500);

    const std::size_t from = platform.journal().entries().size();
    platform::WindowEvents& heard = platform.FindWindow(GetParam().window)->events();
    GetParam().sessionEnds ? heard.OnEndSession() : heard.OnCloseRequest();
    EXPECT_EQ(WindowSteps(from), (std::vector<std::string>{"destroy VXDetail", "destroy VXPlayer", "destroy VXMain"}));
    const SettingsFile settings(platform.files());
    EXPECT_EQ(settings.Read(SettingsRecord::MainWindow), (PosRec{1500, 600}));
    EXPECT_EQ(settings.Read(SettingsRecord::DetailWindow), (PosRec{120, 3000}));
    EXPECT_EQ(settings.Read(SettingsRecord::PlayerWindow), (PosRec{4500, 9600}));
    EXPECT_EQ(settings.Read(SettingsRecord::GameWindow), (PosRec{300, 200}));
    EXPECT_EQ(shared().bPlayerOpen, kFalse);
    EXPECT_TRUE(platform.quitRequested());
}

TEST_F(SequenceTest, OneHandAsksTheOverlaysAndTheAnimationsAtEachStep) {
    Start();
    OpenGame();
    PaintOwnRow(screen, 16);                // the user's dealt row: four each of 3 to 6
    platform.AdvanceTo(1210);               // found at 1 s; the star blinked back on at 1.2 s
    ASSERT_TRUE(main().imgStar.visible());
    ASSERT_TRUE(main().tmrTipInterval.Enabled());

    // The deal (the felt holds the first probe): seen on the watcher's 50 ms beat
    // from the find, and the idle animations stop.
    screen.set(kDealLamp.x, kDealLamp.y, kDealLampBand.inside);
    platform.AdvanceTo(1249);
    EXPECT_FALSE(tally().bInHand);
    platform.AdvanceTo(1250);
    EXPECT_TRUE(tally().bInHand);
    EXPECT_FALSE(main().tmrTipInterval.Enabled());
    EXPECT_FALSE(main().tmrStar.Enabled());
    EXPECT_FALSE(main().imgStar.visible());

    // Seat 1 moves first: the user's row is read and its cards struck, both counts
    // show 16, and the play tick takes over.
    screen.set(kFirstMoverProbe[1].x, kFirstMoverProbe[1].y, kFirstMoverBand.inside);
    platform.AdvanceTo(1300);
    EXPECT_EQ(shared().FirstSeat, 1);
    EXPECT_FALSE(main().imgRMCard(16).visible());
    EXPECT_EQ(VisibleMarks(), 32);
    EXPECT_EQ(main().imgRMNum(1).picture(), main().picRMNum(16).picture());
    EXPECT_EQ(main().imgRMNum(2).picture(), main().picRMNum(16).picture());
    EXPECT_FALSE(main().tmrStart.Enabled());
    EXPECT_TRUE(main().tmrEmit.Enabled());

    // Seat 1 lays a six: the player window is asked to play, so it copies the
    // first seat and starts its step timer.
    ASSERT_FALSE(player().tmrShow.Enabled());
    player().PlayStart = 0;
    LaySix(1);
    platform.AdvanceTo(1350);
    EXPECT_EQ(shared().PlayHistory(0, 1), 6);
    EXPECT_EQ(player().PlayStart, 1);
    EXPECT_TRUE(player().tmrShow.Enabled());
    EXPECT_EQ(tally().nTurn, 2);

    // Seat 2 passes: asked again.
    player().PlayStart = 0;
    screen.Fill(kFelt);
    screen.set(kPassProbe[2].x, kPassProbe[2].y, kPassBand.inside);
    platform.AdvanceTo(1400);
    EXPECT_EQ(shared().PlayHistory(1, 1), 9455);
    EXPECT_EQ(player().PlayStart, 1);
    EXPECT_EQ(tally().nTurn, 0);

    // Seat 0 lays a six while the follow-play box is unticked: not asked.
    player().PlayStart = 0;
    player().imgMark.SetPicture(nullptr);
    LaySix(0);
    platform.AdvanceTo(1450);
    EXPECT_EQ(shared().PlayHistory(2, 1), 6);
    EXPECT_EQ(player().PlayStart, 0);

    // Seat 1 lays a six while the player window is closed (its box ticked): not
    // asked, and the loop does not load it.
    player().imgMark.SetPicture(player().picMark.picture());
    player().Unload();
    LaySix(1);
    platform.AdvanceTo(1500);
    EXPECT_EQ(shared().PlayHistory(3, 1), 6);
    EXPECT_EQ(player().PlayStart, 0);
    EXPECT_FALSE(player().loaded());

    // Seat 2 lays its last card: the hand is reset (the turn still moves on after
    // it), the detail window emptied, the player window loaded (hidden) and reset,
    // the watcher waits for a deal and the idle animations resume.
    tally().RemainCards(2) = 1;
    detail().imgEmit(1).SetPicture(detail().picCards(6).picture());
    detail().imgDivide(2).SetVisible(true);
    LaySix(2);
    platform.AdvanceTo(1550);
    EXPECT_FALSE(tally().bInHand);
    EXPECT_EQ(tally().nTurn, 1);
    EXPECT_EQ(shared().PlayHistory(0, 21), 0);
    EXPECT_EQ(VisibleMarks(), 48);
    EXPECT_FALSE(main().imgRMNum(1).HasPicture());
    EXPECT_FALSE(main().imgRMNum(2).HasPicture());
    EXPECT_FALSE(main().tmrEmit.Enabled());
    EXPECT_TRUE(main().tmrStart.Enabled());
    EXPECT_TRUE(main().tmrTipInterval.Enabled());
    EXPECT_TRUE(main().tmrStar.Enabled());
    EXPECT_FALSE(detail().imgEmit(1).HasPicture());
    EXPECT_FALSE(detail().imgDivide(2).visible());
    EXPECT_TRUE(player().loaded());
    EXPECT_EQ(shared().bPlayerOpen, -1);
}

TEST(DisplayDepthTest, OnlyADisplayNotAt32BitsIsSwitchedAndOnlyAtTheFirstStartUp) {
    for (const int bits : {16, 24, 31, 32, 33}) {
        platform::headless::HeadlessPlatform platform;
        platform.fakeDesktop().SetBitsPerPixel(bits);
        Program program(platform);
        program.Start();
        frmIdentify& main = program.shared().Instance<frmIdentify>();
        main.Unload();
        main.Show();  // a second start-up does nothing
        std::vector<std::string> requests;
        for (const std::string& entry : platform.journal().entries())
            if (entry.starts_with("depth ")) requests.push_back(entry);
        EXPECT_EQ(requests, bits == 32 ? std::vector<std::string>{} : std::vector<std::string>{"depth 32"}) << bits;
    }
}

}  // namespace
}  // namespace vantrel
