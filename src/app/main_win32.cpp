// The Windows entry point: the Win32 backend hosts the program, and its message
// loop runs until the program asks the platform to quit. <windows.h> is here
// only for wWinMain's signature.
#include <windows.h>

#include "app/program.h"
#include "platform/win32/win32_platform.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    vantrel::platform::win32::Win32Platform platform;
    vantrel::Program program(platform);
    program.Start();
    return platform.RunMessageLoop();
}
