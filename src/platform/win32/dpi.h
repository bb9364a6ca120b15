// Display scale on Win32. The process declares per-monitor DPI awareness, so the
// system neither stretches its windows nor translates its coordinates: every
// coordinate it handles is a physical pixel, and drawing its windows at the
// monitor's scale is the program's own job. The calls are looked up at run time,
// newest first, because older systems (and some Wine versions) lack them.
#pragma once

#include "platform/win32/handles.h"

namespace vantrel::platform::win32 {

// Per-monitor awareness (version 2 where there is one); the manifest declares it
// too, and this changes nothing when the manifest has already decided.
void DeclareDpiAwareness();

// The primary monitor's dots per inch: GetDpiForMonitor, else the system's DPI
// (GetDpiForSystem, else the screen DC's LOGPIXELSX), which is every monitor's on
// systems before 8.1.
int PrimaryMonitorDpi();

// The dots per inch of the monitor `window` stands on: GetDpiForWindow, else
// GetDpiForMonitor of its monitor, else the system's.
int WindowDpi(HWND window);

// `window`'s DPI awareness context, which is fixed when a window is made: asked
// once per window, not at every tick. Null where the system lacks the call.
HANDLE DpiContextOf(HWND window);

// For its life, the calling thread answers in `context` (a window's, from
// DpiContextOf): a game that is not DPI aware, stretched by the system, has its
// client bounds in its own unscaled pixels, as its window DC is read. Nothing for
// a null context or where the system lacks the call.
class ThreadDpiContext {
public:
    explicit ThreadDpiContext(HANDLE context);
    ~ThreadDpiContext();
    ThreadDpiContext(const ThreadDpiContext&) = delete;
    ThreadDpiContext& operator=(const ThreadDpiContext&) = delete;

private:
    HANDLE previous_ = nullptr;
};

}  // namespace vantrel::platform::win32
