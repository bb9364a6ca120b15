// The Win32 desktop: other programs' windows found by title, moved, and read
// back as pixels. Captures go through one BitBlt into a 32-bit top-down DIB
// section per call, so the bytes are blue, green, red, unused whatever the
// display's depth. The DIB section is kept for the desktop's life and grown only
// when a larger area is asked, so a capture costs one BitBlt and a memory copy.
//
// The window's device context is kept too, from the first tick that reads a
// window until a tick reads another one (or the desktop goes): under Wine a
// GetDC and ReleaseDC of another process's window cost about 180 us, more than
// all of a watcher tick's copies together. The system keeps a held DC's origin
// and clipping up to date as the window moves, and a DC of a window that has
// gone makes the copies fail, which the surface reports. Usable on its own (the
// capture benchmark does) or through Win32Platform.
#pragma once

#include <optional>

#include "platform/platform.h"
#include "platform/win32/handles.h"

namespace vantrel::platform::win32 {

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

private:
    HWND sourceWindow_ = nullptr;
    std::optional<WindowDc> sourceDc_;
    std::optional<BitmapCanvas> canvas_;
};

}  // namespace vantrel::platform::win32
