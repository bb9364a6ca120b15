#include "platform/win32/single_instance.h"

#include "platform/win32/utf16.h"

namespace vantrel::platform::win32 {

SingleInstance::SingleInstance(const std::wstring& name) : SingleInstance(ClaimName(name)) {}

SingleInstance::Claim SingleInstance::ClaimName(const std::wstring& name) {
    const std::wstring sessionName = L"Local\\" + name;
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, sessionName.c_str());
    // Read at once: nothing may run between the call and its error. Without a
    // mutex at all the program runs, as it would have before.
    return {mutex, mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS};
}

void BringToFront(const std::string& caption, int waitMs) {
    constexpr int kPollMs = 50;
    const std::wstring title = Widen(caption);
    HWND window = FindWindowW(nullptr, title.c_str());
    for (int waited = 0; !window && waited < waitMs; waited += kPollMs) {
        Sleep(kPollMs);
        window = FindWindowW(nullptr, title.c_str());
    }
    if (!window) return;
    if (IsIconic(window)) ShowWindowAsync(window, SW_RESTORE);
    // The z-order first: where the system refuses this process the foreground,
    // the window still stands above every other ordinary window.
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(window);
}

}  // namespace vantrel::platform::win32
