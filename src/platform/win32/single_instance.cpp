#include "platform/win32/single_instance.h"

#include "platform/win32/utf16.h"

namespace vantrel::platform::win32 {

// CreateMutexW's error is read before anything else can overwrite it.
SingleInstance::SingleInstance(const std::wstring& name)
    : mutex_(CreateMutexW(nullptr, FALSE, (L"Local\\" + name).c_str())),
      first_(!mutex_ || GetLastError() != ERROR_ALREADY_EXISTS) {}

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
