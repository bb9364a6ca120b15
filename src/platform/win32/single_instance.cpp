#include "platform/win32/single_instance.h"

#include "platform/win32/utf16.h"

namespace vantrel::platform::win32 {

SingleInstance::SingleInstance(const std::wstring& name)
    : mutex_(CreateMutexW(nullptr, FALSE, (L"Local\\" + name).c_str())),
      closing_(CreateEventW(nullptr, TRUE, FALSE, (L"Local\\" + name + L".closing").c_str())) {
    // Without a mutex at all the program runs, as it would have before.
    owned_ = !mutex_ || Claim(0);
}

SingleInstance::~SingleInstance() {
    if (mutex_ && owned_) ReleaseMutex(mutex_.get());
}

bool SingleInstance::Claim(DWORD waitMs) {
    const DWORD result = WaitForSingleObject(mutex_.get(), waitMs);
    // Abandoned: its last holder ended without letting it go, which is how a
    // closing copy goes as well as a crashed one.
    if (result != WAIT_OBJECT_0 && result != WAIT_ABANDONED) return false;
    owned_ = true;
    if (closing_) ResetEvent(closing_.get());
    return true;
}

bool SingleInstance::TakeOver(const std::string& caption, int waitMs) {
    constexpr DWORD kPollMs = 50;
    const std::wstring title = Widen(caption);
    for (int waited = 0; waited <= waitMs; waited += static_cast<int>(kPollMs)) {
        const bool closing = closing_ && WaitForSingleObject(closing_.get(), 0) == WAIT_OBJECT_0;
        // A copy that is starting has no window yet; one that is closing still has
        // it, but says it is going.
        if (const HWND running = closing ? nullptr : FindWindowW(nullptr, title.c_str())) {
            BringToFront(running);
            return false;
        }
        if (Claim(kPollMs)) return true;
    }
    return false;
}

void SingleInstance::MarkClosing() const {
    if (closing_ && owned_) SetEvent(closing_.get());
}

void BringToFront(HWND window) {
    if (IsIconic(window)) ShowWindowAsync(window, SW_RESTORE);
    // The z-order first: where the system refuses this process the foreground,
    // the window still stands above every other ordinary window.
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    SetForegroundWindow(window);
}

}  // namespace vantrel::platform::win32
