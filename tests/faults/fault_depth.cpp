// fault_depth: the program on a 16-bit screen, checked from inside the Wine
// desktop while fault_depth.sh runs vantrel.exe and counts its display-mode
// requests.
//
//   fault_depth VANTREL_EXE TABLE_EXE WORK_DIR
//
// VANTREL_EXE is the copy the script started; it is not started again here.
// Writes the Windows process id of vantrel.exe, four hex digits as Wine's trace
// prints it, to WORK_DIR/vantrel-pid.txt.
// The screen must run at 16 bits per pixel (the test's own precondition). With
// vantrel.exe already started, a table plays a hand and the main window, read
// back off the screen, must follow it move by move with no difference from the
// log: the screen keeps 5 or 6 bits per colour, so a pixel matches its picture
// within 8 per channel. Then the main window is closed and must go.
#include "live_run.h"

#include <cstring>

#include "platform/win32/handles.h"

namespace {

using namespace vantrel::e2e;

// 5 bits of a colour keep it within 8 of what was drawn.
constexpr int kSixteenBitTolerance = 8;

int ScreenBitsPerPixel() {
    const vantrel::platform::win32::WindowDc screen(nullptr);
    return GetDeviceCaps(screen.get(), BITSPIXEL);
}

int Run(LiveRun& run) {
    Checks& check = run.check();
    const std::wstring& work = run.work();
    const int bits = ScreenBitsPerPixel();
    if (!check.That(bits == 16, "the screen runs at " + std::to_string(bits) + " bits per pixel, not 16"))
        return run.Verdict();
    run.AwaitVantrel();
    // The trace also holds the calls of processes Wine starts alongside (the
    // desktop's own set-up among them); the script keeps the program's alone.
    DWORD pid = 0;
    GetWindowThreadProcessId(FindCaption(kMainCaption), &pid);
    char hex[16];
    std::snprintf(hex, sizeof hex, "%04lx\n", static_cast<unsigned long>(pid));
    WriteFileBytes(work + L"\\vantrel-pid.txt", std::vector<unsigned char>(hex, hex + std::strlen(hex)));

    const Table table = run.StartTable(L"--seed 7 --hands 1 " + std::wstring(kQuickClock), L"hands.log");
    if (!table) return run.Verdict();
    run.ExpectPlaced(table);

    LogFollower follower(check, table.log, kSixteenBitTolerance);
    check.That(follower.FollowUntil(60000, [](const Expected& e) { return e.handsEnded >= 1; }), "the hand did not finish");
    check.That(follower.mismatches() == 0, "the main window differed from the log");
    check.That(follower.checked() >= 10, "only " + std::to_string(follower.checked()) + " moves were checked");
    check.Note("on a " + std::to_string(bits) + "-bit screen: " + follower.Summary());

    run.CloseVantrel();
    return run.Verdict({&follower.reader()});
}

}  // namespace

int wmain(int argc, wchar_t** argv) { return LiveTestMain(argc, argv, "fault_depth", Run); }
