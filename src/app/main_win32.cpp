// The Windows entry point: the Win32 backend hosts the program, and its message
// loop runs until the program asks the platform to quit. A copy started while
// another runs brings that one's main window to the front and ends at once,
// before it reads the settings file or looks for the game; one started while
// another is closing waits for it to go, then starts. <windows.h> is here only
// for wWinMain's signature.
#include <windows.h>

#include "app/program.h"
#include "recorder/flight_recorder.h"
#include "recorder/recording_platform.h"
#include "recorder/report_folder.h"
#include "platform/win32/single_instance.h"
#include "platform/win32/win32_platform.h"

namespace {

// Long enough for a copy started a moment earlier to show its main window, and
// for a closing one to take its windows down (Wine without a window manager
// waits up to 2 s for each).
constexpr int kWaitForOtherCopyMs = 10000;

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Claimed first, so two copies started together cannot both go on.
    vantrel::platform::win32::SingleInstance instance(L"Vantrel");
    vantrel::platform::win32::Win32Platform platform;
    // Everything the program is told goes through the recorder on its way in.
    vantrel::recorder::FilesReportFolder reports(platform.files());
    vantrel::recorder::FlightRecorder recorder(VANTREL_VERSION, reports, [&platform] { return platform.LocalTime(); });
    vantrel::recorder::RecordingPlatform recording(platform, recorder);
    vantrel::Program program(recording, recorder);
    if (!instance.first() && !instance.TakeOver(program.MainWindowCaption(), kWaitForOtherCopyMs)) return 0;
    platform.onQuit = [&instance] { instance.MarkClosing(); };
    program.Start();
    return platform.RunMessageLoop();
}
