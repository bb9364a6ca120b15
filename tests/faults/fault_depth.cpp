// fault_depth: the program on a 16-bit screen, checked from inside the Wine
// desktop while fault_depth.sh runs vantrel.exe and counts its display-mode
// requests.
//
//   fault_depth TABLE_EXE WORK_DIR
//
// Writes the Windows process id of vantrel.exe, four hex digits as Wine's trace
// prints it, to WORK_DIR/vantrel-pid.txt.
// The screen must run at 16 bits per pixel (the test's own precondition). With
// vantrel.exe already started, a table plays a hand and the main window, read
// back off the screen, must follow it move by move with no difference from the
// log: the screen keeps 5 or 6 bits per colour, so a pixel matches its picture
// within 8 per channel. Then the main window is closed and must go.
#include "live_check.h"

#include <cstring>

namespace {

using namespace vantrel::e2e;

// 5 bits of a colour keep it within 8 of what was drawn.
constexpr int kSixteenBitTolerance = 8;

int ScreenBitsPerPixel() {
    const HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bits;
}

int Run(const std::wstring& tableExe, const std::wstring& work) {
    Checks check("fault_depth");
    CreateDirectoryW(work.c_str(), nullptr);
    const int bits = ScreenBitsPerPixel();
    if (!check.That(bits == 16, "the screen runs at " + std::to_string(bits) + " bits per pixel, not 16"))
        return Verdict(check, work);
    check.That(WaitFor(60000, [] { return FindCaption(kMainCaption) != nullptr; }), "no main window");
    // The trace also holds the calls of processes Wine starts alongside (the
    // desktop's own set-up among them); the script keeps the program's alone.
    DWORD pid = 0;
    GetWindowThreadProcessId(FindCaption(kMainCaption), &pid);
    char hex[16];
    std::snprintf(hex, sizeof hex, "%04lx\n", static_cast<unsigned long>(pid));
    WriteFileBytes(work + L"\\vantrel-pid.txt", std::vector<unsigned char>(hex, hex + std::strlen(hex)));

    const std::wstring log = work + L"\\hands.log";
    Table table = StartTable(tableExe, L"--seed 7 --hands 1 " + std::wstring(kQuickClock), work, log);
    if (!check.That(table.window != nullptr, "no table window")) return Verdict(check, work);
    check.That(MsUntilPlaced(table.window, {175, 8}, 6000) >= 0, "the table was not placed");

    LogFollower follower(check, log, kSixteenBitTolerance);
    check.That(follower.FollowUntil(60000, [](const Expected& e) { return e.handsEnded >= 1; }), "the hand did not finish");
    check.That(follower.mismatches() == 0, "the main window differed from the log");
    check.That(follower.checked() >= 10, "only " + std::to_string(follower.checked()) + " moves were checked");
    check.Note("on a " + std::to_string(bits) + "-bit screen: " + follower.Summary());

    PostMessageW(FindCaption(kMainCaption), WM_CLOSE, 0, 0);
    check.That(WaitFor(10000, [] { return FindCaption(kMainCaption) == nullptr; }), "the main window did not close");
    return Verdict(check, work, {&follower.reader()});
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::puts("usage: fault_depth TABLE_EXE WORK_DIR");
        return 2;
    }
    return Run(WindowsPath(argv[1]), WindowsPath(argv[2]));
}
