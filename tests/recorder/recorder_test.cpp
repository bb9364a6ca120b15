// The flight recorder end to end: the program follows the stand-in headless through
// the recording platform, Ctrl+S saves a report, and the replay of that report alone
// prints the stand-in's hands. Then what the recorder holds, and damaged reports.
#include <gtest/gtest.h>

#include <random>

#include "app/program.h"
#include "main_window/frm_identify.h"
#include "platform/headless/headless_platform.h"
#include "recorder/flight_recorder.h"
#include "shared/layouts.h"
#include "shared/settings.h"
#include "recorder/recording_platform.h"
#include "recorder/report_folder.h"
#include "sim/frame_source.h"
#include "sim/table_faults.h"
#include "sim/timeline.h"
#include "support/game_title.h"
#include "support/replay_lines.h"
#include "replay/replay.h"

namespace vantrel {
namespace {

using recorder::FlightRecorder;

using vantrel::testing::kGameTitle;

class MemoryFolder final : public recorder::ReportFolder {
public:
    bool Write(const platform::CalendarTime&, std::span<const std::uint8_t> report) override {
        if (!writable) return false;
        reports.emplace_back(report.begin(), report.end());
        return true;
    }
    bool writable = true;
    std::vector<std::vector<std::uint8_t>> reports;
};

sim::TimelineSettings QuickHands() {
    sim::TimelineSettings quick;
    quick.think_min_ms = 150;
    quick.think_max_ms = 300;
    quick.pause_ms = 1500;
    return quick;
}

// The program on the headless backend through the recording platform, its reports
// kept in memory.
struct RecordedProgram {
    // Starts the program, then brings up the stand-in's table showing `frames`.
    void StartBeside(sim::FrameSource& frames) {
        program.Start();
        host.fakeDesktop().AddWindow(kGameTitle, {300, 200, 1108, 834},
                                     [&frames](std::int64_t t) -> const base::Image& { return frames.FrameAt(t); });
    }

    platform::headless::HeadlessPlatform host;
    MemoryFolder folder;
    FlightRecorder flight{"test", folder, [this] { return host.LocalTime(); }};
    recorder::RecordingPlatform recording{host, flight};
    Program program{recording, flight};
};

class RecordedSession : public ::testing::Test {
protected:
    RecordedSession() {
        program.Start();
        host.fakeDesktop().AddWindow(kGameTitle, {300, 200, 1108, 834},
                                     [this](std::int64_t t) -> const base::Image& { return frames.FrameAt(t); });
    }
    std::vector<std::string> Replay(const std::vector<std::uint8_t>& report) {
        std::string error;
        const auto contents = recorder::ReadReport(report, error);
        EXPECT_TRUE(contents) << error;
        if (!contents) return {};
        const auto result = replay::ReplayStream(contents->stream, std::nullopt);
        EXPECT_EQ(result.failure, "");
        return result.lines;
    }
    void PressCtrlS() { host.PressKey("VXMain", 'S', true); }

    sim::Timeline timeline{21, 5, QuickHands()};
    sim::FrameSource frames{timeline};
    platform::headless::HeadlessPlatform host;
    MemoryFolder folder;
    FlightRecorder flight{"test", folder, [this] { return host.LocalTime(); }};
    recorder::RecordingPlatform recording{host, flight};
    Program program{recording, flight};
};

TEST_F(RecordedSession, AReportBetweenHandsReplaysTheTwoHandsBefore) {
    host.AdvanceTo(timeline.hand_times()[2].cleared_ms + 200);
    PressCtrlS();
    ASSERT_EQ(folder.reports.size(), 1u);
    EXPECT_EQ(Replay(folder.reports[0]), testing::ReplayLinesOf({timeline.hands()[1], timeline.hands()[2]}));
    // The strip says so, and a few seconds later shows its tips again.
    frmIdentify& main = program.shared().Instance<frmIdentify>();
    EXPECT_EQ(main.imgTips.picture(), main.picTips(layouts::kMainReportSavedTip).picture());
    host.AdvanceBy(3100);
    EXPECT_NE(main.imgTips.picture(), main.picTips(layouts::kMainReportSavedTip).picture());
}

TEST_F(RecordedSession, InAHandInDoubtTheSavedSayingShowsOverTheDoubtStripForItsSeconds) {
    host.AdvanceTo(timeline.hand_times()[1].move_ms[2] + 100);
    frmIdentify& main = program.shared().Instance<frmIdentify>();
    main.watcher().tally.Doubt(recognition::DoubtReason::kOpponentRankGone);
    ASSERT_TRUE(main.imgDoubt.visible());
    PressCtrlS();
    EXPECT_FALSE(main.imgDoubt.visible());
    EXPECT_EQ(main.imgTips.picture(), main.picTips(layouts::kMainReportSavedTip).picture());
    host.AdvanceBy(3100);
    EXPECT_TRUE(main.imgDoubt.visible()) << "the hand is still in doubt";
}

TEST_F(RecordedSession, AReportMidHandReplaysTheHandBeforeAndTheMovesSoFar) {
    const sim::HandTimes& fourth = timeline.hand_times()[3];
    host.AdvanceTo(fourth.move_ms[5] + 100);
    PressCtrlS();
    ASSERT_EQ(folder.reports.size(), 1u);
    EXPECT_EQ(Replay(folder.reports[0]), testing::ReplayLinesOf({timeline.hands()[2], timeline.hands()[3]}, 6));
    // The hand before and this one's start, packed: far inside the bound.
    EXPECT_EQ(flight.segments(), 2);
    EXPECT_LT(flight.heldBytes(), 256u << 10) << flight.heldBytes();
}

TEST_F(RecordedSession, TheFirstHandReplaysFromTheProgramsStart) {
    host.AdvanceTo(timeline.hand_times()[0].move_ms[3] + 100);
    PressCtrlS();
    ASSERT_EQ(folder.reports.size(), 1u);
    EXPECT_EQ(Replay(folder.reports[0]), testing::ReplayLinesOf({timeline.hands()[0]}, 4));
}

// A drag onto a monitor of another scale mid-hand is recorded (tag, caption, dpi); the report replays.
TEST_F(RecordedSession, AChangeOfScaleIsRecordedAndTheReportReplays) {
    host.fakeDesktop().SetMonitors({{0, 0, 1920, 1080}, {1920, 0, 3840, 1080}});
    host.fakeDesktop().SetMonitorDpi(1, 144);
    host.AdvanceTo(timeline.hand_times()[0].move_ms[2] + 100);
    host.PressMouse({8 + 3, 8 + 300});  // the main window's background
    host.MoveMouse({8 + 3 + 1920, 8 + 300});
    host.ReleaseMouse({8 + 3 + 1920, 8 + 300});
    host.AdvanceTo(timeline.hand_times()[1].cleared_ms + 100);
    PressCtrlS();
    std::string error;
    const auto contents = recorder::ReadReport(folder.reports.at(0), error);
    ASSERT_TRUE(contents) << error;
    const std::string record = std::string("Z\x06\0VXMain\x90\0\0\0", 13);
    EXPECT_NE(std::string(contents->stream.begin(), contents->stream.end()).find(record), std::string::npos);
    EXPECT_EQ(Replay(folder.reports[0]), testing::ReplayLinesOf({timeline.hands()[0], timeline.hands()[1]}));
}

// What a mouse event lands on depends on where the window stands and at what
// scale: a report of a main window the player had moved, at 150%, replays the
// press of its new-hand button mid-hand whether it starts at the program's start
// (the settings file read as it was) or at a reset (the windows' places and scales
// named), rather than go on following a hand the program had let go.
TEST(ScaledReport, APressAtTheWindowsScaleReplaysFromTheStartAndFromAReset) {
    const sim::Timeline timeline{21, 4, QuickHands()};
    sim::FrameSource frames{timeline};
    RecordedProgram recorded;
    auto& [host, folder, flight, recording, program] = recorded;
    host.fakeDesktop().SetPrimaryDpi(144);
    SettingsFile(host.files()).Write(SettingsRecord::MainWindow, {300 * 15, 100 * 15});
    recorded.StartBeside(frames);
    const ui::Scale scale = ui::Scale::ForDpi(144);
    const ui::ButtonRect hover = ui::FindControl(layouts::kMain, "imgMouseOn", frmIdentify::kNewHandButton).hover;
    const base::Point button{scale.Apply(300 + (hover.x1 + hover.x2) / 2), scale.Apply(100 + (hover.y1 + hover.y2) / 2)};
    const HandWatcher& watcher = program.shared().Instance<frmIdentify>().watcher();
    const auto pressNewHandAt = [&](std::int64_t when) {
        host.AdvanceTo(when);
        ASSERT_TRUE(watcher.view().inHand);
        host.MoveMouse(button);
        host.AdvanceBy(50);  // the hover tick shows the button
        host.PressMouse(button);
        host.ReleaseMouse(button);
        ASSERT_FALSE(watcher.view().inHand) << "the press did not reach the new-hand button";
    };
    pressNewHandAt(timeline.hand_times()[0].move_ms[3] + 100);
    host.AdvanceTo(timeline.hand_times()[1].cleared_ms + 100);
    host.PressKey("VXMain", 'S', true);
    pressNewHandAt(timeline.hand_times()[2].move_ms[3] + 100);
    host.AdvanceTo(timeline.hand_times()[3].cleared_ms + 100);
    host.PressKey("VXMain", 'S', true);
    ASSERT_EQ(folder.reports.size(), 2u);
    // Each report: four moves of the hand let go, then the next hand whole.
    for (const std::size_t pressed : {0u, 2u}) {
        std::vector<std::string> expected = testing::ReplayLinesOf({timeline.hands()[pressed]}, 4);
        expected.push_back("abandoned");
        const std::vector<std::string> both = testing::ReplayLinesOf({timeline.hands()[pressed], timeline.hands()[pressed + 1]});
        expected.insert(expected.end(), std::find_if(both.begin(), both.end(), [](const std::string& line) {
            return line.starts_with("hand 2 ");
        }), both.end());
        std::string error;
        const auto contents = recorder::ReadReport(folder.reports[pressed / 2], error);
        ASSERT_TRUE(contents) << error;
        EXPECT_EQ(contents->stream.front(), pressed == 0 ? 'P' : 'R');
        const auto result = replay::ReplayStream(contents->stream, std::nullopt);
        EXPECT_EQ(result.failure, "") << "the report from the hand pressed in at " << pressed;
        EXPECT_EQ(result.lines, expected);
    }
}

TEST_F(RecordedSession, AnUnwritableFolderOnlyMeansNoReport) {
    folder.writable = false;
    host.AdvanceTo(timeline.hand_times()[1].move_ms[2] + 100);
    PressCtrlS();
    frmIdentify& main = program.shared().Instance<frmIdentify>();
    EXPECT_NE(main.imgTips.picture(), main.picTips(layouts::kMainReportSavedTip).picture());
    // Following goes on, and a later report holds the failed request too.
    folder.writable = true;
    host.AdvanceTo(timeline.hand_times()[1].cleared_ms + 100);
    PressCtrlS();
    ASSERT_EQ(folder.reports.size(), 1u);
    EXPECT_EQ(Replay(folder.reports[0]), testing::ReplayLinesOf({timeline.hands()[0], timeline.hands()[1]}));
}

// The first doubt of a hand leaves a report by itself, whose replay prints the
// stand-in's moves up to the one that raised it, that move as it was read, and the
// doubt right after it.
TEST(DoubtReport, TheReplayPrintsTheMovesAndTheDoubtAtTheMoveThatRaisedIt) {
    const sim::Timeline timeline{21, 3, QuickHands()};
    const auto spot = sim::FindFaultSpot(timeline.hands()[1], sim::TableFault::kGoneRank);
    ASSERT_TRUE(spot);
    const sim::FaultyTable faulty(timeline, {std::nullopt, spot});
    sim::FrameSource frames(timeline, [&faulty](std::size_t change) { return faulty.StateOf(change); });
    RecordedProgram recorded;
    auto& [host, folder, flight, recording, program] = recorded;
    recorded.StartBeside(frames);
    host.AdvanceTo(timeline.hand_times()[2].cleared_ms);
    ASSERT_EQ(folder.reports.size(), 1u) << "one report, at the first doubt";

    std::string error;
    const auto contents = recorder::ReadReport(folder.reports[0], error);
    ASSERT_TRUE(contents) << error;
    const auto result = replay::ReplayStream(contents->stream, std::nullopt);
    EXPECT_EQ(result.failure, "");
    const auto move = static_cast<std::size_t>(spot->move);
    std::vector<std::string> expected = testing::ReplayLinesOf({timeline.hands()[0], timeline.hands()[1]}, move);
    ASSERT_EQ(result.lines.size(), expected.size() + 2);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), result.lines.begin()));
    const std::string& faultyMove = result.lines[expected.size()];
    EXPECT_EQ(faultyMove.rfind("move " + std::to_string(move) + " seat ", 0), 0u) << faultyMove;
    // A rank already gone, laid by the user or by an opponent.
    const bool usersMove = faultyMove.find(" seat 0 ") != std::string::npos;
    EXPECT_EQ(result.lines.back(), usersMove ? "doubt own-rank-not-held" : "doubt opponent-rank-gone");
}

// A copy of 100 x 100 pixels of noise, which does not pack.
void RecordNoise(FlightRecorder& flight, std::mt19937& noise) {
    std::vector<std::uint32_t> pixels(100 * 100);
    for (auto& p : pixels) p = noise();
    recorder::ByteWriter& record = flight.OpenAnswer(recorder::Tag::kCopy);
    record.Rect({0, 0, 100, 100});
    record.U8(1);
    record.Bytes(pixels.data(), pixels.size() * 4);
    flight.Close();
}

// A segment of copies that do not pack: the recorder drops it whole rather than
// hold more, and keeps nothing until the next reset.
TEST(FlightRecorderBound, ASegmentThatOutgrowsTheBoundIsDropped) {
    MemoryFolder folder;
    FlightRecorder flight("test", folder, [] { return platform::CalendarTime{}; });
    std::mt19937 noise(5);
    std::size_t mostHeld = 0;
    for (int copy = 0; copy < 500; ++copy) {
        RecordNoise(flight, noise);
        mostHeld = std::max(mostHeld, flight.heldBytes());
    }
    EXPECT_LE(mostHeld, FlightRecorder::kHeldPackedBytes + 2 * FlightRecorder::kBlockBytes);
    EXPECT_TRUE(flight.BuildReport().empty());
    flight.NoteHandReset();
    flight.OpenEvent(recorder::Tag::kTick).Str("VXMain.tmrStart");
    flight.Close();
    EXPECT_FALSE(flight.BuildReport().empty());
}

// Copies that do not pack, up to the bound: the report built while they are held
// is made at its size, and counted.
TEST(FlightRecorderBound, AFullRecorderBuildsItsReportWithinTheBound) {
    MemoryFolder folder;
    FlightRecorder flight("test", folder, [] { return platform::CalendarTime{}; });
    std::mt19937 noise(7);
    while (flight.heldBytes() + (100u << 10) < FlightRecorder::kHeldPackedBytes) RecordNoise(flight, noise);
    const std::vector<std::uint8_t> report = flight.BuildReport();
    ASSERT_GT(report.size(), FlightRecorder::kHeldPackedBytes - (200u << 10));
    EXPECT_EQ(report.capacity(), report.size());
    EXPECT_GE(flight.heldWhileReporting(), flight.heldBytes() + report.size());
    EXPECT_LE(flight.heldWhileReporting(), 8u << 20);
}

TEST(FlightRecorderBound, OnlyTheLastTwoDealtHandsAreHeld) {
    MemoryFolder folder;
    FlightRecorder flight("test", folder, [] { return platform::CalendarTime{}; });
    const int resetsAfter[] = {1, 2, 3, 3, 4};  // an idle reset between hands adds a segment, not a hand
    for (const int expected : resetsAfter) {
        flight.NoteHandDealt();
        flight.NoteHandReset();
        flight.OpenEvent(recorder::Tag::kTick).Str("VXMain.tmrStart");
        flight.Close();
        EXPECT_LE(flight.segments(), 3) << expected;
    }
    EXPECT_EQ(flight.segments(), 3);
}

TEST(FlightRecorderDoubt, AtMostOneReportAHandButEveryOneThePlayerAsksFor) {
    MemoryFolder folder;
    FlightRecorder flight("test", folder, [] { return platform::CalendarTime{}; });
    auto tick = [&] {
        flight.OpenEvent(recorder::Tag::kTick).Str("VXMain.tmrEmit");
        flight.Close();
    };
    tick();
    EXPECT_TRUE(flight.SaveDoubtReport("test"));
    EXPECT_FALSE(flight.SaveDoubtReport("test"));
    EXPECT_TRUE(flight.SaveReport());
    flight.NoteHandReset();
    tick();
    EXPECT_TRUE(flight.SaveDoubtReport("test"));
    EXPECT_EQ(folder.reports.size(), 3u);
}

TEST(ReportFolder, TheTwentyNewestAreKeptAndOtherFilesLeftAlone) {
    platform::headless::MemoryFiles files;
    recorder::FilesReportFolder folder(files);
    files.MakeFolder("reports");
    files.Put("reports/notes.txt", {1});
    const std::vector<std::uint8_t> report{1, 2, 3};
    for (int second = 0; second < 22; ++second) ASSERT_TRUE(folder.Write({2026, 12, 8, 14, 5, second}, report));
    EXPECT_EQ(files.List("reports").size(), 21u);
    EXPECT_FALSE(files.Contents("reports/vantrel-20261208-140501.vxr"));
    EXPECT_EQ(files.Contents("reports/vantrel-20261208-140502.vxr"), report);
    EXPECT_TRUE(files.Contents("reports/notes.txt"));
}

TEST(ReportFolder, EverySaveHasItsOwnNameAndTheNewestIsNeverRemoved) {
    platform::headless::MemoryFiles files;
    recorder::FilesReportFolder folder(files);
    files.MakeFolder("reports");
    files.Put("reports/vantrel-20261208-140500.vxr.new", {9});  // left by a crash
    const std::vector<std::uint8_t> first{1}, second{2}, third{3};
    for (int s = 30; s < 50; ++s) ASSERT_TRUE(folder.Write({2026, 12, 8, 14, 5, s}, first));
    ASSERT_TRUE(folder.Write({2026, 12, 8, 14, 5, 49}, second));
    ASSERT_TRUE(folder.Write({2025, 1, 1, 0, 0, 0}, third));  // the clock set back: sorts first, and stays
    EXPECT_EQ(files.Contents("reports/vantrel-20261208-140549.vxr"), first);
    EXPECT_EQ(files.Contents("reports/vantrel-20261208-140549_02.vxr"), second);
    EXPECT_EQ(files.Contents("reports/vantrel-20250101-000000.vxr"), third);
    EXPECT_EQ(files.List("reports").size(), 20u);
    EXPECT_FALSE(files.Contents("reports/vantrel-20261208-140531.vxr"));
}

TEST(ReportFolder, AFolderThatCannotBeWrittenMeansNoReport) {
    const platform::CalendarTime when{2026, 12, 8, 14, 5, 9};
    const std::string name = "reports/" + recorder::FilesReportFolder::NameFor(when);
    EXPECT_EQ(name, "reports/vantrel-20261208-140509.vxr");
    platform::headless::MemoryFiles blockedByAFile, cutShort;
    blockedByAFile.Put("reports", {});
    cutShort.Inject(name, platform::headless::MemoryFiles::Fault::ShortWrite);
    for (platform::headless::MemoryFiles* files : {&blockedByAFile, &cutShort}) {
        recorder::FilesReportFolder folder(*files);
        EXPECT_FALSE(folder.Write(when, std::vector<std::uint8_t>(100, 7)));
        EXPECT_FALSE(files->Contents(name));
    }
}

std::vector<std::uint8_t> SmallReport() {
    MemoryFolder folder;
    FlightRecorder flight("1.0.0", folder, [] { return platform::CalendarTime{}; });
    flight.OpenEvent(recorder::Tag::kTick).Str("VXMain.tmrFindDDZ");
    flight.Close();
    return flight.BuildReport();
}

TEST(ReportFile, DamageIsNamedNeverRead) {
    const std::vector<std::uint8_t> good = SmallReport();
    std::string error;
    ASSERT_TRUE(recorder::ReadReport(good, error)) << error;
    struct Case {
        const char* what;
        std::function<void(std::vector<std::uint8_t>&)> damage;
        const char* says;
    } cases[] = {
        {"empty", [](auto& f) { f.clear(); }, "not a Vantrel report"},
        {"another file", [](auto& f) { f[1] = 'P'; }, "not a Vantrel report"},
        {"cut short", [](auto& f) { f.erase(f.end() - 9, f.end()); }, "cut short or damaged"},
        {"a byte changed", [](auto& f) { f[f.size() - 6] ^= 0x40; }, "cut short or damaged"},
        {"a later version", [](auto& f) { f[8] = 3; }, "format version 3"},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> file = good;
        c.damage(file);
        error.clear();
        EXPECT_FALSE(recorder::ReadReport(file, error)) << c.what;
        EXPECT_NE(error.find(c.says), std::string::npos) << c.what << ": " << error;
    }
}

TEST(ReportFile, AReportThatUnpacksBeyondWhatARecorderWritesIsTurnedAway) {
    const recorder::PackedBlock zeros = recorder::Pack(std::vector<std::uint8_t>(4u << 20));
    const std::vector<const recorder::PackedBlock*> blocks(recorder::kMaxStreamBytes / (4u << 20) + 1, &zeros);
    std::string error;
    EXPECT_FALSE(recorder::ReadReport(recorder::WriteReport("1.0.0", blocks), error));
    EXPECT_NE(error.find("claims 4194304 bytes, more than a report holds"), std::string::npos) << error;
}

TEST(ReportFile, AStreamThatDoesNotReplayIsNamed) {
    // A reset with no game found, no timer running, no window and a primary monitor
    // of 0 dpi (taken as 100%), then what follows it.
    // Made at its size: GCC 12 at -O2 and above takes a growing insert for one past
    // the end (-Werror=array-bounds, a false alarm).
    auto afterReset = [](std::initializer_list<std::uint8_t> records) {
        std::vector<std::uint8_t> stream(17 + records.size());
        stream[0] = 'R';
        std::copy(records.begin(), records.end(), stream.begin() + 17);
        return stream;
    };
    const struct {
        std::vector<std::uint8_t> stream;
        const char* says;
    } cases[] = {
        {{'T', 3, 0, 'a', 'b', 'c'}, "does not begin at a start or a reset"},
        {afterReset({'T', 3, 0, 'a', 'b'}), "cut short"},
        {afterReset({'T', 15, 0, 'V', 'X', 'M', 'a', 'i', 'n', '.', 't', 'm', 'r', 'S', 't', 'a', 'r', 't'}), "not running"},
        {afterReset({'b', 0}), "not an event"},
        {afterReset({'C', 2, 0, 'V', 'X'}), "not open"},
    };
    for (const auto& c : cases) {
        const auto result = replay::ReplayStream(c.stream, std::nullopt);
        EXPECT_NE(result.failure.find(c.says), std::string::npos) << result.failure;
    }
}

}  // namespace
}  // namespace vantrel
