// The Win32 desktop: other programs' windows found by title, moved, and read
// back as pixels. Captures go through one BitBlt into a 32-bit top-down DIB
// section per call, so the bytes are blue, green, red, unused whatever the
// display's depth. The DIB section is kept for the desktop's life and grown only
// when a larger area is asked, so a capture costs one BitBlt and a memory copy.
//
// The window's device context is kept too, from the first tick that reads a
// window until a find by title returns another window or none (the window has
// gone, or another now bears the title), a tick reads another window, or the
// desktop goes: under Wine a GetDC and ReleaseDC of another process's window
// cost about 180 us, more than all of a watcher tick's copies together. The
// program looks for its game once a second, so a lost game's DC goes within a
// second and is not held through the idle time. The system keeps a held DC's
// origin and clipping up to date as the window moves, and a DC of a window that
// has gone makes the copies fail, which the surface reports. A surface shares
// the DC it was opened with, so letting the DC go never pulls it from under a
// surface still in use. Usable on its own (the capture benchmark does) or
// through Win32Platform.
#pragma once

#include <memory>
#include <optional>

#include "platform/platform.h"
#include "platform/win32/handles.h"

namespace vantrel::platform::win32 {

// The display mode asked for at start-up: only the depth is given; width, height
// and frequency are flagged but left zero, and the flag word 0x80000000 is none of
// the documented CDS_ values. The request is made in exactly this form on purpose,
// and what the system answers does not matter.
struct DisplayModeRequest {
    DEVMODEA mode;
    DWORD flags;
};
DisplayModeRequest DisplayModeFor(int bitsPerPixel);

class Win32Desktop final : public Desktop {
public:
    ForeignWindow FindWindowByTitle(const std::string& title) override;
    Rect WindowRect(ForeignWindow window) override;
    void PlaceTopmost(ForeignWindow window, Point topLeft) override;
    std::unique_ptr<ClientSurface> OpenClient(ForeignWindow window) override;
    int BitsPerPixel() override;
    void RequestBitsPerPixel(int bits) override;
    Point CursorPos() override;
    std::vector<Rect> Monitors() override;
    int PrimaryDpi() override;

    // The whole screen, for tests' pictures of it: not part of the seam, so the
    // program itself never reads other programs' pixels.
    std::unique_ptr<ClientSurface> OpenScreen();

    // Whether a window's DC is held between ticks (for the backend's tests).
    bool HoldsClientDc() const { return sourceDc_ != nullptr; }

private:
    // A surface on the window's DC, or on the screen's for no window.
    std::unique_ptr<ClientSurface> Open(HWND window);

    HWND sourceWindow_ = nullptr;
    HANDLE sourceDpiContext_ = nullptr;  // the held window's, asked with its DC
    std::shared_ptr<WindowDc> sourceDc_;
    std::optional<BitmapCanvas> canvas_;
};

}  // namespace vantrel::platform::win32
