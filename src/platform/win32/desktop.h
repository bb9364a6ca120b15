// The Win32 desktop: other programs' windows found by title, moved, and read
// back as pixels. Captures go through one BitBlt into a 32-bit top-down DIB
// section per call, so the bytes are blue, green, red, unused whatever the
// display's depth; a ClientSurface keeps its device contexts and its DIB section
// between calls and grows the DIB only when a larger area is asked, so a capture
// costs one BitBlt and a memory copy. Usable on its own (the capture benchmark
// does) or through Win32Platform.
#pragma once

#include "platform/platform.h"

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
};

}  // namespace vantrel::platform::win32
