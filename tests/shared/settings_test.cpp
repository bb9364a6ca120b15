// The settings file, byte by byte, and the windows' places that come from it.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless/memory_files.h"
#include "shared/settings.h"
#include "support/game_fixture.h"

namespace vantrel {
namespace {

using testing::ProgramFixture;
using Fault = platform::headless::MemoryFiles::Fault;
using Bytes = std::vector<std::uint8_t>;

const Bytes kDefaultBytes{0x78, 0x00, 0x78, 0x00, 0x78, 0x00, 0x80, 0x25,
                          0xE4, 0x1B, 0x80, 0x25, 0xAF, 0x00, 0x08, 0x00};
const std::string kName(SettingsFile::kName);

TEST(SettingsFileTest, CreatesTheDefaultsOnlyWhenMissing) {
    platform::headless::MemoryFiles files;
    SettingsFile settings(files);
    settings.CreateIfMissing();
    EXPECT_EQ(files.Contents(kName), kDefaultBytes);
    EXPECT_EQ(files.writes(), (std::vector<std::string>{"replace Qelsetup.qes 16"}));

    ASSERT_TRUE(settings.Write(SettingsRecord::PlayerWindow, {-15, 32767}));
    settings.CreateIfMissing();
    EXPECT_EQ(settings.Read(SettingsRecord::PlayerWindow), (PosRec{-15, 32767}));
    auto bytes = kDefaultBytes;
    bytes[8] = 0xF1, bytes[9] = 0xFF, bytes[10] = 0xFF, bytes[11] = 0x7F;
    EXPECT_EQ(files.Contents(kName), bytes);

    // A file that is there but cannot be read is never taken for a missing one.
    for (const Fault fault : {Fault::Locked, Fault::Unreadable}) {
        platform::headless::MemoryFiles held;
        held.Put(kName, {1, 2, 3});
        held.Inject(kName, fault);
        SettingsFile(held).CreateIfMissing();
        EXPECT_TRUE(held.writes().empty());
    }
}

TEST(SettingsFileTest, ValuesRoundHalfToEvenAndClampToSixteenBits) {
    const std::pair<double, int> cases[] = {{1234.5, 1234}, {1235.5, 1236}, {-1234.5, -1234}, {1800, 1800},
                                            {40000, 32767}, {-40000, -32768}, {32767.4, 32767}};
    for (const auto& [position, stored] : cases) EXPECT_EQ(ToRecordValue(position), stored) << position;
}

TEST(SettingsFileTest, AShortFileReadsDefaultsForWhatItLacks) {
    platform::headless::MemoryFiles files;
    SettingsFile settings(files);
    files.Put(kName, {0x10, 0x00, 0x20, 0x00, 0x30, 0x00});  // record 1 and half of record 2
    EXPECT_EQ(settings.Read(SettingsRecord::MainWindow), (PosRec{16, 32}));
    EXPECT_EQ(settings.Read(SettingsRecord::DetailWindow), (PosRec{120, 9600}));
    EXPECT_EQ(settings.Read(SettingsRecord::GameWindow), (PosRec{175, 8}));
}

// Writing record 3 as (1, 2) into the file as it stands: what the program asks of
// the file service, what it answers, and the bytes left.
TEST(SettingsFileTest, AWriteNeverRisksWhatIsThere) {
    Bytes written = kDefaultBytes;
    written[8] = 1, written[9] = 0, written[10] = 2, written[11] = 0;
    Bytes longer = kDefaultBytes;
    longer.insert(longer.end(), {9, 9, 9});
    Bytes longerWritten = written;
    longerWritten.insert(longerWritten.end(), {9, 9, 9});
    Bytes shortWritten = kDefaultBytes;
    shortWritten[0] = 0x10, shortWritten[1] = 0, shortWritten[2] = 0x20, shortWritten[3] = 0;
    shortWritten[8] = 1, shortWritten[10] = 2, shortWritten[9] = shortWritten[11] = 0;
    Bytes torn = kDefaultBytes;
    torn[8] = 1, torn[9] = 0, torn[10] = 2;  // the last byte never landed

    struct Case {
        const char* what;
        std::optional<Bytes> before;
        Fault fault;
        const char* asked;
        bool ok;
        std::optional<Bytes> after;
    };
    const Case cases[] = {
        {"whole", kDefaultBytes, Fault::None, "write Qelsetup.qes 8+4", true, written},
        {"longer", longer, Fault::None, "write Qelsetup.qes 8+4", true, longerWritten},
        {"missing", std::nullopt, Fault::None, "replace Qelsetup.qes 16", true, written},
        {"short", Bytes{0x10, 0, 0x20, 0, 0x30, 0}, Fault::None, "replace Qelsetup.qes 16", true, shortWritten},
        {"held", kDefaultBytes, Fault::Locked, "", false, kDefaultBytes},
        {"unreadable", kDefaultBytes, Fault::Unreadable, "", false, kDefaultBytes},
        {"cut short", kDefaultBytes, Fault::ShortWrite, "write Qelsetup.qes 8+4", false, torn},
        {"cut short, missing", std::nullopt, Fault::ShortWrite, "replace Qelsetup.qes 16", false, std::nullopt},
    };
    for (const Case& c : cases) {
        platform::headless::MemoryFiles files;
        if (c.before) files.Put(kName, *c.before);
        files.Inject(kName, c.fault);
        EXPECT_EQ(SettingsFile(files).Write(SettingsRecord::PlayerWindow, {1, 2}), c.ok) << c.what;
        EXPECT_EQ(files.writes(), *c.asked ? std::vector<std::string>{c.asked} : std::vector<std::string>{}) << c.what;
        EXPECT_EQ(files.Contents(kName), c.after) << c.what;
    }
}

// Places beyond the 16 bits of a record: clamped into it, and exact in the
// extension after byte 16, which a copy that writes only records cannot mislead.
TEST(SettingsFileTest, APlaceThatDoesNotFitIsKeptExactlyBesideItsClampedRecord) {
    platform::headless::MemoryFiles files;
    SettingsFile settings(files);
    settings.CreateIfMissing();
    ASSERT_TRUE(settings.Write(SettingsRecord::MainWindow, {4008 * 15, 1500}));
    Bytes extended = kDefaultBytes;
    extended[0] = 0xFF, extended[1] = 0x7F, extended[2] = 0xDC, extended[3] = 0x05;  // 32767, 1500
    for (const std::int32_t value : {4008 * 15, 1500, 120, 9600, 7140, 9600, 175, 8})
        for (int shift = 0; shift < 32; shift += 8) extended.push_back(static_cast<std::uint8_t>(value >> shift));
    EXPECT_EQ(files.Contents(kName), extended);
    EXPECT_EQ(settings.Read(SettingsRecord::MainWindow), (PosRec{32767, 1500}));

    struct Case {
        const char* what;
        std::function<void()> write;
        Place place;
    };
    const Case cases[] = {
        {"as written", [] {}, {4008 * 15, 1500}},
        {"another record written", [&] { settings.Write(SettingsRecord::GameWindow, {-40000, 8}); }, {4008 * 15, 1500}},
        {"a copy without the extension writes the record",
         [&] { files.WriteAt(kName, 0, Bytes{0xDC, 0x05, 0xDC, 0x05}); }, {1500, 1500}},
        {"beyond again", [&] { settings.Write(SettingsRecord::MainWindow, {-40000, 33000}); }, {-40000, 33000}},
        // ...where the place before it clamps to the same record.
        {"a place that fits, into the extended file",
         [&] { settings.Write(SettingsRecord::MainWindow, {-32768, 32767}); }, {-32768, 32767}},
        // An exact place beyond any screen's reach: the sum of it and a width would overflow.
        {"beyond any screen", [&] { files.WriteAt(kName, 16, Bytes{0, 0, 0, 0x80}); }, {-32768, 32767}},
    };
    for (const Case& c : cases) {
        c.write();
        EXPECT_EQ(settings.ReadPlace(SettingsRecord::MainWindow), c.place) << c.what;
    }
    EXPECT_EQ(settings.ReadPlace(SettingsRecord::GameWindow), (Place{-40000, 8}));
    EXPECT_EQ(settings.Read(SettingsRecord::GameWindow), (PosRec{-32768, 8}));
    EXPECT_EQ(files.Contents(kName)->size(), 48u);

    platform::headless::MemoryFiles fresh;
    ASSERT_TRUE(SettingsFile(fresh).Write(SettingsRecord::PlayerWindow, {70000, 9600}));
    EXPECT_EQ(fresh.writes(), (std::vector<std::string>{"replace Qelsetup.qes 48"}));
    EXPECT_EQ(SettingsFile(fresh).ReadPlace(SettingsRecord::PlayerWindow), (Place{70000, 9600}));
    EXPECT_EQ(SettingsFile(fresh).ReadPlace(SettingsRecord::DetailWindow), (Place{120, 9600}));
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
    EXPECT_EQ(platform.memoryFiles().Contents(kName), kDefaultBytes);
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
    SettingsFile settings(platform.files());
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
    EXPECT_EQ(SettingsFile(platform.files()).Read(SettingsRecord::MainWindow), (PosRec{(8 + 40) * 15, (8 + 30) * 15}));
}

TEST_F(SettingsProgramTest, AWindowOnASecondMonitorStaysThere) {
    platform.fakeDesktop().SetMonitors({{0, 0, 1280, 1024}, {1280, 0, 2560, 1024}});
    SettingsFile(platform.files()).CreateIfMissing();
    SettingsFile(platform.files()).Write(SettingsRecord::DetailWindow, {1500 * 15, 100 * 15});
    Start();
    EXPECT_EQ(platform.FindWindow("VXDetail")->ScreenRect().left, 1500);
    EXPECT_EQ(detail().Left(), 1500 * 15);
}

TEST_F(SettingsProgramTest, AStoredPlaceOffEveryScreenIsBroughtBack) {
    SettingsFile(platform.files()).CreateIfMissing();
    SettingsFile(platform.files()).Write(SettingsRecord::MainWindow, {-30000, 300});
    Start();
    EXPECT_EQ(platform.FindWindow("VXMain")->ScreenRect().left, 0);
    EXPECT_EQ(platform.FindWindow("VXMain")->ScreenRect().top, 20);
}

TEST_F(SettingsProgramTest, WindowsOnAWideDesktopComeBackExactly) {
    platform.fakeDesktop().SetMonitors({{0, 0, 5120, 1440}});
    Start();
    main().SetLeft(4008 * 15);
    player().SetLeft(4600 * 15);
    player().SetTop(1300 * 15);
    main().Unload();
    Program again(platform);
    again.Start();
    EXPECT_EQ(platform.FindWindow("VXMain")->ScreenRect().left, 4008);
    EXPECT_EQ(platform.FindWindow("VXPlayer")->ScreenRect(), (base::Rect{4600, 1300, 5060, 1383}));
}

// Another program holds the file through the close: nothing is written over it,
// the program still ends, and the next close writes.
TEST_F(SettingsProgramTest, AFileHeldAtTheCloseIsLeftWholeAndTheNextCloseWrites) {
    Start();
    platform.memoryFiles().Inject(kName, Fault::Locked);
    main().SetLeft(1500);
    main().Unload();
    EXPECT_TRUE(platform.quitRequested());
    EXPECT_TRUE(platform.windows().empty());
    platform.memoryFiles().Inject(kName, Fault::None);
    EXPECT_EQ(platform.memoryFiles().Contents(kName), kDefaultBytes);

    main().Show();
    main().SetLeft(1500);
    main().Unload();
    EXPECT_EQ(SettingsFile(platform.files()).Read(SettingsRecord::MainWindow), (PosRec{1500, 120}));
}

}  // namespace
}  // namespace vantrel
