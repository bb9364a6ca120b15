// live_follow: vantrel.exe beside the stand-in table.exe, both real Windows
// programs under Wine, checked from outside as a user would see them.
//
//   live_follow VANTREL_EXE TABLE_EXE WORK_DIR
//
// vantrel.exe is copied into a fresh folder of WORK_DIR and started from another
// folder, so its settings file must appear beside the executable, with the
// default bytes. Then:
//  - the table comes up at (420, 300) and is moved to (175, 8), topmost, about
//    1.5 s after it appears;
//  - it plays two hands; after every move its log reports, the main window is read
//    back off the screen, and its grid marks and both count cells must show
//    exactly what the log implies (all 48 marks and no counts after a hand ends);
//  - in the third hand the table is closed mid-hand: the grid is reset and
//    settings record 4 holds where the table last stood; a new table is placed
//    again;
//  - the table and the main window are moved from outside, the main window is
//    closed: records 1 and 4 hold the new places and vantrel.exe exits.
// Exit status 0 when everything held; on failure a screenshot is left in WORK_DIR.
// Every process started here is ended by its handle on every path.
#include <windows.h>

#include <array>
#include <memory>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.h"
#include "screen_windows.h"
#include "platform/win32/desktop.h"
#include "platform/win32/utf16.h"
#include "shared/card_code.h"
#include "shared/layouts.h"
#include "shared/pictures.h"
#include "ui/form.h"
#include "platform/png.h"

namespace {

using vantrel::platform::ForeignWindow;
using vantrel::platform::Rect;
using vantrel::platform::win32::Narrow;
using vantrel::platform::win32::Win32Desktop;
using vantrel::platform::Image;
using vantrel::e2e::FileBytes;
using vantrel::e2e::LayoutReader;
using vantrel::e2e::Record;
using vantrel::e2e::RecordOf;
using vantrel::e2e::WaitFor;

const std::string kGameTitle = "\xE8\xB7\x91\xE5\xBE\x97\xE5\xBF\xAB" "1.13";

// The ground-truth log as table.exe writes it, read as it grows.
class LogTail {
public:
    explicit LogTail(std::wstring path) : path_(std::move(path)) {}
    std::vector<std::string> NewLines() {
        std::ifstream file(Narrow(path_), std::ios::binary);
        std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        std::vector<std::string> lines;
        std::size_t end;
        while ((end = text.find('\n', consumed_)) != std::string::npos) {
            std::string line = text.substr(consumed_, end - consumed_);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty()) lines.push_back(line);
            consumed_ = end + 1;
        }
        return lines;
    }

private:
    std::wstring path_;
    std::size_t consumed_ = 0;
};

using vantrel::cards::RankOf;
int DeckCount(int rank) { return rank == 15 ? 1 : rank == 14 ? 3 : 4; }

// What the main window should show, followed from the log's lines.
struct Expected {
    std::array<int, 16> marks{};
    int counts[3] = {0, 0, 0};
    bool inHand = false;
    int moves = 0;

    void Reset() {
        for (int rank = 3; rank <= 15; ++rank) marks[static_cast<std::size_t>(rank)] = DeckCount(rank);
        counts[1] = counts[2] = 0;
        inHand = false;
    }
    void Apply(const std::string& line) {
        std::istringstream in(line);
        std::string word;
        in >> word;
        if (word == "deal") {
            Reset();
            std::string token;
            in >> token >> token;  // hand number, "seat0"
            while (in >> token && token != "|") --marks[static_cast<std::size_t>(RankOf(std::stoi(token)))];
            counts[1] = counts[2] = 16;
            inHand = true;
            moves = 0;
        } else if (word == "move") {
            int seat;
            std::string kind, token;
            in >> seat >> kind;
            while (in >> token && token != "counts")
                if (seat != 0) --marks[static_cast<std::size_t>(RankOf(std::stoi(token)))];
            in >> counts[0] >> counts[1] >> counts[2];
            ++moves;
        } else if (word == "end") {
            Reset();
        }
    }
};

// A grid mark: 1 shown, 0 hidden (the background shows), -1 neither.
int Mark(const LayoutReader& main, int code) {
    const vantrel::ui::ControlSpec& mark = main.Control("imgRMCard", code);
    if (main.Shows(mark)) return 1;
    return main.ShowsBackground(mark) ? 0 : -1;
}

// The count a cell shows; -1 blank, -2 unreadable.
int Count(const LayoutReader& main, int seat) {
    const vantrel::ui::ControlSpec& cell = main.Control("imgRMNum", seat);
    for (int n = 0; n <= 16; ++n)
        if (main.Shows(*vantrel::pictures::Get(main.Control("picRMNum", n).picture), cell.left, cell.top)) return n;
    return main.ShowsBackground(cell) ? -1 : -2;
}

// Compares what the main window shows with `expected`; names what differs.
bool Matches(LayoutReader& reader, const Expected& expected, const std::string& when) {
    if (!reader.Capture()) {
        std::printf("live_follow: %s: the main window could not be read\n", when.c_str());
        return false;
    }
    bool same = true;
    std::array<int, 16> shown{};
    for (int code = 1; code <= 49; ++code) {
        if (code == 48) continue;
        const int mark = Mark(reader, code);
        if (mark < 0) {
            std::printf("live_follow: %s: mark %d shows neither its tile nor the background\n", when.c_str(), code);
            same = false;
        }
        shown[static_cast<std::size_t>(RankOf(code))] += mark == 1;
    }
    for (int rank = 3; rank <= 15; ++rank)
        if (shown[static_cast<std::size_t>(rank)] != expected.marks[static_cast<std::size_t>(rank)]) {
            std::printf("live_follow: %s: rank %d shows %d marks, the log implies %d\n", when.c_str(), rank,
                        shown[static_cast<std::size_t>(rank)], expected.marks[static_cast<std::size_t>(rank)]);
            same = false;
        }
    for (int seat : {1, 2}) {
        const int want = expected.inHand ? expected.counts[seat] : -1;
        if (Count(reader, seat) != want) {
            std::printf("live_follow: %s: seat %d's count cell reads %d, the log implies %d\n", when.c_str(), seat,
                        Count(reader, seat), want);
            same = false;
        }
    }
    return same;
}

Rect OuterRect(ForeignWindow window) { return vantrel::e2e::OuterRect(reinterpret_cast<HWND>(window)); }

int Run(const std::wstring& vantrelExe, const std::wstring& tableExe, const std::wstring& work) {
    Win32Desktop desktop;
    const std::wstring home = work + L"\\vantrel-home", elsewhere = work;
    CreateDirectoryW(work.c_str(), nullptr);
    CreateDirectoryW(home.c_str(), nullptr);
    const std::wstring settings = home + L"\\Qelsetup.qes";
    DeleteFileW(settings.c_str());
    const std::wstring exe = home + L"\\vantrel.exe";
    if (!CopyFileW(vantrelExe.c_str(), exe.c_str(), FALSE)) {
        std::puts("live_follow: cannot copy vantrel.exe");
        return 1;
    }

    vantrel::e2e::ChildProcess vantrel(exe, L"", elsewhere);
    CHECK(vantrel.started(), "vantrel.exe did not start\n");
    CHECK(WaitFor(60000, [] { return FindWindowW(nullptr, L"VXMain") != nullptr; }), "no main window\n");
    // The windows come up while the main window's start-up runs; the file is its next step.
    WaitFor(10000, [&] { return FileBytes(settings).size() >= 16; });
    const std::vector<unsigned char> defaults{0x78, 0x00, 0x78, 0x00, 0x78, 0x00, 0x80, 0x25,
                                              0xE4, 0x1B, 0x80, 0x25, 0xAF, 0x00, 0x08, 0x00};
    CHECK(FileBytes(settings) == defaults, "the settings file beside vantrel.exe does not hold the defaults\n");
    CHECK(GetFileAttributesW((elsewhere + L"\\Qelsetup.qes").c_str()) == INVALID_FILE_ATTRIBUTES,
          "a settings file appeared in the working folder\n");

    // The table, placed 1.5 s after it appears.
    const std::wstring log = work + L"\\hands.log";
    DeleteFileW(log.c_str());
    const std::wstring clock = L" --think-ms 650-800 --deal-ms 600 --final-ms 700 --pause-ms 1500";
    auto table = std::make_unique<vantrel::e2e::ChildProcess>(tableExe, L"--seed 5 --hands 3 --pos 420,300 --log \"" + log + L"\"" + clock, work);
    ForeignWindow game = 0;
    CHECK(WaitFor(60000, [&] { return (game = desktop.FindWindowByTitle(kGameTitle)) != 0; }), "no table window\n");
    const ULONGLONG appeared = GetTickCount64();
    const bool placed = WaitFor(6000, [&] { return OuterRect(game).left == 175 && OuterRect(game).top == 8; });
    const ULONGLONG after = GetTickCount64() - appeared;
    CHECK(placed, "the table was not moved to (175, 8)\n");
    CHECK(after >= 1300 && after <= 3500, "the table was placed %llu ms after it appeared\n", after);
    CHECK(GetWindowLongW(reinterpret_cast<HWND>(game), GWL_EXSTYLE) & WS_EX_TOPMOST, "the table is not topmost\n");
    const Rect placedRect = OuterRect(game);
    CHECK(placedRect.width() > 800 && placedRect.height() > 600, "the table changed size\n");

    // Two hands, checked after every move.
    LayoutReader reader(desktop, vantrel::layouts::kMain);
    LogTail tail(log);
    Expected expected;
    expected.Reset();
    int hands = 0, checks = 0, mismatches = 0;
    const bool finished = WaitFor(180000, [&] {
        const auto lines = tail.NewLines();
        bool moved = false;
        for (const std::string& line : lines) {
            expected.Apply(line);
            moved = moved || line.rfind("move ", 0) == 0;
            if (line.rfind("end ", 0) == 0) ++hands;
        }
        if (moved) {
            Sleep(300);  // the program reads a move within a tick; the next one is at least 650 ms away
            for (const std::string& line : tail.NewLines()) {
                expected.Apply(line);
                if (line.rfind("end ", 0) == 0) ++hands;
            }
            ++checks;
            const std::string when = "hand " + std::to_string(hands) + " move " + std::to_string(expected.moves);
            if (!Matches(reader, expected, when)) ++mismatches;
        }
        return hands >= 2 && !expected.inHand;
    });
    CHECK(finished, "two hands did not finish\n");
    CHECK(mismatches == 0, "%d of %d checks differed from the log\n", mismatches, checks);
    CHECK(checks >= 20, "only %d moves were checked\n", checks);
    std::printf("live_follow: %d hands, %d moves checked against the log, %d differed\n", hands, checks, mismatches);

    // The table closed mid-hand.
    CHECK(WaitFor(30000, [&] {
              for (const std::string& line : tail.NewLines()) expected.Apply(line);
              return expected.inHand && expected.moves >= 3;
          }),
          "the third hand did not get going\n");
    PostMessageW(reinterpret_cast<HWND>(game), WM_CLOSE, 0, 0);
    CHECK(table->ExitsWithin(10000), "the table did not close\n");
    table.reset();
    Sleep(1600);  // the locator notices within a second
    expected.Reset();
    CHECK(Matches(reader, expected, "after the table went"), "the hand was not reset when the table went\n");
    const Record lost = RecordOf(FileBytes(settings), 4);
    CHECK(lost.x == 175 && lost.y == 8, "record 4 holds (%d, %d) after the loss, not (175, 8)\n", lost.x, lost.y);

    // Found again: placed again.
    table = std::make_unique<vantrel::e2e::ChildProcess>(tableExe, L"--seed 6 --hands 1 --pos 400,320" + clock, work);
    CHECK(WaitFor(60000, [&] { return (game = desktop.FindWindowByTitle(kGameTitle)) != 0; }), "no second table\n");
    CHECK(WaitFor(6000, [&] { return OuterRect(game).left == 175 && OuterRect(game).top == 8; }),
          "the second table was not placed\n");

    // Moved from outside, then the main window closed.
    SetWindowPos(reinterpret_cast<HWND>(game), nullptr, 180, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(FindWindowW(nullptr, L"VXMain"), nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Sleep(1500);  // the follower measures the game once a second
    PostMessageW(FindWindowW(nullptr, L"VXMain"), WM_CLOSE, 0, 0);
    CHECK(vantrel.ExitsWithin(10000), "vantrel.exe did not exit when its main window closed\n");
    const auto bytes = FileBytes(settings);
    const Record main = RecordOf(bytes, 1), gameAtClose = RecordOf(bytes, 4);
    CHECK(main.x == 450 && main.y == 600, "record 1 holds (%d, %d), not (450, 600)\n", main.x, main.y);
    CHECK(gameAtClose.x == 180 && gameAtClose.y == 20, "record 4 holds (%d, %d), not (180, 20)\n", gameAtClose.x,
          gameAtClose.y);
    CHECK(bytes.size() == 16, "the settings file has %zu bytes\n", bytes.size());

    if (vantrel::e2e::failures) {
        Image screen(1280, 1024);
        desktop.OpenClient(0)->Copy({0, 0, 1280, 1024}, screen.data());
        vantrel::platform::WritePng(screen, Narrow(work + L"\\live_follow_failure.png"));
        if (!reader.picture().empty()) vantrel::platform::WritePng(reader.picture(), Narrow(work + L"\\main_window.png"));
        std::printf("live_follow: %d checks failed; screenshots in the work folder\n", vantrel::e2e::failures);
    }
    return vantrel::e2e::failures ? 1 : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::puts("usage: live_follow VANTREL_EXE TABLE_EXE WORK_DIR");
        return 2;
    }
    using vantrel::e2e::WindowsPath;
    return Run(WindowsPath(argv[1]), WindowsPath(argv[2]), WindowsPath(argv[3]));
}
