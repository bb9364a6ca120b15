// The settings file, byte by byte, and the windows' places that come from it.
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "shared/settings.h"
#include "support/game_fixture.h"

namespace vantrel {
namespace {

using testing::ProgramFixture;
using testing::ScratchDir;

std::vector<unsigned> Bytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<unsigned> bytes;
    for (char c; file.get(c);) bytes.push_back(static_cast<unsigned char>(c));
    return bytes;
}

void WriteBytes(const std::filesystem::path& path, const std::vector<unsigned char>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

const std::vector<unsigned> kDefaultBytes{0x78, 0x00, 0x78, 0x00, 0x78, 0x00, 0x80, 0x25,
                                          0xE4, 0x1B, 0x80, 0x25, 0xAF, 0x00, 0x08, 0x00};

TEST(SettingsFileTest, CreatesTheDefaultsOnlyWhenMissing) {
    ScratchDir dir;
    SettingsFile settings(dir.path());
    EXPECT_EQ(settings.SettingsPath().filename(), "Qelsetup.qes");
    settings.CreateIfMissing();
    EXPECT_EQ(Bytes(settings.SettingsPath()), kDefaultBytes);

    ASSERT_TRUE(settings.Write(SettingsRecord::PlayerWindow, {-15, 32767}));
    settings.CreateIfMissing();
    EXPECT_EQ(settings.Read(SettingsRecord::PlayerWindow), (PosRec{-15, 32767}));
    auto bytes = kDefaultBytes;
    bytes[8] = 0xF1, bytes[9] = 0xFF, bytes[10] = 0xFF, bytes[11] = 0x7F;
    EXPECT_EQ(Bytes(settings.SettingsPath()), bytes);
}

TEST(SettingsFileTest, ValuesRoundHalfToEvenAndClampToSixteenBits) {
    const std::pair<double, int> cases[] = {{1234.5, 1234}, {1235.5, 1236}, {-1234.5, -1234}, {1800, 1800},
                                            {40000, 32767}, {-40000, -32768}, {32767.4, 32767}};
    for (const auto& [position, stored] : cases) EXPECT_EQ(ToRecordValue(position), stored) << position;
}

TEST(SettingsFileTest, AShortFileReadsDefaultsForWhatItLacks) {
    ScratchDir dir;
    SettingsFile settings(dir.path());
    WriteBytes(settings.SettingsPath(), {0x10, 0x00, 0x20, 0x00, 0x30, 0x00});  // record 1 and half of record 2
    EXPECT_EQ(settings.Read(SettingsRecord::MainWindow), (PosRec{16, 32}));
    EXPECT_EQ(settings.Read(SettingsRecord::DetailWindow), (PosRec{120, 9600}));
    EXPECT_EQ(settings.Read(SettingsRecord::GameWindow), (PosRec{175, 8}));

    // Writing record 4 completes the file with whole default records, never a gap.
    ASSERT_TRUE(settings.Write(SettingsRecord::GameWindow, {1, 2}));
    auto bytes = kDefaultBytes;
    bytes[0] = 0x10, bytes[1] = 0, bytes[2] = 0x20, bytes[3] = 0;
    bytes[12] = 1, bytes[13] = 0, bytes[14] = 2, bytes[15] = 0;
    EXPECT_EQ(Bytes(settings.SettingsPath()), bytes);
}

TEST(SettingsFileTest, AnUnusableFileGivesDefaultsAndWritesNothing) {
    ScratchDir dir;
    SettingsFile settings(dir.path());
    std::filesystem::create_directory(settings.SettingsPath());  // cannot be opened as a file, even by root
    settings.CreateIfMissing();
    EXPECT_EQ(settings.Read(SettingsRecord::DetailWindow), (PosRec{120, 9600}));
    EXPECT_FALSE(settings.Write(SettingsRecord::MainWindow, {1, 1}));
    EXPECT_TRUE(std::filesystem::is_directory(settings.SettingsPath()));
}

TEST(KeepOnScreenTest, OnlyAWindowWhollyOffEveryMonitorIsMoved) {
    const std::vector<base::Rect> monitors{{0, 0, 1280, 1024}, {1280, 0, 2560, 1024}};
    struct Case {
        base::Rect window;
        base::Point expected;
    };
    const Case cases[] = {
        {{100, 100, 228, 626}, {100, 100}},       // on screen
        {{-100, -50, 28, 476}, {-100, -50}},      // partly off: left where it was put
        {{-500, 100, -372, 626}, {0, 100}},       // off to the left
        {{3000, 2000, 3460, 2083}, {2100, 941}},  // off beyond the second monitor
        {{100, -400, 228, 126 - 400}, {100, 0}},  // off the top
        {{2559, 100, 2687, 626}, {2559, 100}},    // one column on the second monitor
        {{2560, 100, 2688, 626}, {2432, 100}},    // just off its right edge
        {{100, -525, 228, 1}, {100, -525}},       // one row on the screen
        {{100, -526, 228, 0}, {100, 0}},          // just off its top edge
    };
    for (const Case& c : cases) EXPECT_EQ(KeepOnScreen(c.window, monitors), c.expected) << c.window.left;
}

class SettingsProgramTest : public ProgramFixture {};

TEST_F(SettingsProgramTest, FirstRunCreatesTheFileAndOpensTheWindowsAtTheDefaults) {
    Start();
    EXPECT_EQ(Bytes(dir.path() / "Qelsetup.qes"), kDefaultBytes);
    EXPECT_EQ(main().Left(), 120);
    EXPECT_EQ(main().Top(), 120);
    EXPECT_EQ(detail().Left(), 120);
    EXPECT_EQ(detail().Top(), 9600);
    EXPECT_EQ(player().Left(), 7140);
    EXPECT_EQ(player().Top(), 9600);
    EXPECT_EQ(platform.FindWindow("VXPlayer")->ScreenRect().left, 476);
    EXPECT_EQ(platform.FindWindow("VXDetail")->ScreenRect().top, 640);
}

TEST_F(SettingsProgramTest, ClosingWritesEveryWindowAndTheGameOnlyOnceMeasured) {
    Start();
    main().SetLeft(1234.5);
    detail().SetTop(-30);
    main().Unload();
    SettingsFile settings(dir.path());
    EXPECT_EQ(settings.Read(SettingsRecord::MainWindow), (PosRec{1234, 120}));
    EXPECT_EQ(settings.Read(SettingsRecord::DetailWindow), (PosRec{120, -30}));
    EXPECT_EQ(settings.Read(SettingsRecord::GameWindow), (PosRec{175, 8}));  // never measured: kept
    EXPECT_EQ(shared().bPlayerOpen, kFalse);
    EXPECT_TRUE(platform.quitRequested());
    EXPECT_TRUE(platform.windows().empty());
}

TEST_F(SettingsProgramTest, AWindowDraggedByTheUserIsSavedWhereItWasLeft) {
    Start();
    // A press on the main window's background hands the press to the move loop.
    platform.PressMouse({8 + 60, 8 + 440});
    platform.MoveMouse({8 + 100, 8 + 470});
    platform.ReleaseMouse({8 + 100, 8 + 470});
    EXPECT_EQ(platform.FindWindow("VXMain")->drags(), 1);
    main().Unload();
    EXPECT_EQ(SettingsFile(dir.path()).Read(SettingsRecord::MainWindow), (PosRec{(8 + 40) * 15, (8 + 30) * 15}));
}

TEST_F(SettingsProgramTest, AWindowOnASecondMonitorStaysThere) {
    platform.fakeDesktop().SetMonitors({{0, 0, 1280, 1024}, {1280, 0, 2560, 1024}});
    SettingsFile(dir.path()).CreateIfMissing();
    SettingsFile(dir.path()).Write(SettingsRecord::DetailWindow, {1500 * 15, 100 * 15});
    Start();
    EXPECT_EQ(platform.FindWindow("VXDetail")->ScreenRect().left, 1500);
    EXPECT_EQ(detail().Left(), 1500 * 15);
}

TEST_F(SettingsProgramTest, AStoredPlaceOffEveryScreenIsBroughtBack) {
    SettingsFile(dir.path()).CreateIfMissing();
    SettingsFile(dir.path()).Write(SettingsRecord::MainWindow, {-30000, 300});
    Start();
    EXPECT_EQ(platform.FindWindow("VXMain")->ScreenRect().left, 0);
    EXPECT_EQ(platform.FindWindow("VXMain")->ScreenRect().top, 20);
}

}  // namespace
}  // namespace vantrel
