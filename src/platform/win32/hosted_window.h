// One of the program's own windows on the Win32 desktop. It is a WS_POPUP window
// (no frame, no caption bar) whose client area is exactly the asked pixel size,
// and a WS_EX_TOOLWINDOW: the program's windows are borderless companions beside
// the game, so none of them takes a taskbar button or an Alt+Tab entry; the
// program's own controls close it. The window keeps the last presented picture
// in a 32-bit DIB of its own and paints only from it; a present copies only the
// rectangles that changed into it and draws just those onto the window.
//
// Events reach WindowEvents after the window has done its own bookkeeping
// (capture taken or released), so a handler may destroy the window it is called
// from. A press handed to DragWindow ends inside the system's move loop, which
// consumes the release: no OnMouseUp follows a drag.
//
// Internal to the backend (includes <windows.h>); Win32Platform creates these.
#pragma once

#include <optional>

#include "platform/platform.h"
#include "platform/win32/handles.h"

namespace vantrel::platform::win32 {

class Win32HostedWindow final : public HostedWindow {
public:
    static constexpr const wchar_t* kClassName = L"VantrelHostedWindow";
    // Once per process, before the first window is created.
    static bool RegisterWindowClass(HINSTANCE instance);
    static void UnregisterWindowClass(HINSTANCE instance);

    Win32HostedWindow(HINSTANCE instance, const WindowSpec& spec, WindowEvents& events);
    ~Win32HostedWindow() override;
    Win32HostedWindow(const Win32HostedWindow&) = delete;
    Win32HostedWindow& operator=(const Win32HostedWindow&) = delete;

    void Present(const base::Image& frame, std::span<const Rect> changed) override;
    void MoveTo(Point topLeft) override;
    void Show() override;
    void MakeLayered() override;
    void DragWindow() override;
    void SetTooltips(std::vector<TooltipArea> areas) override;
    int Dpi() override;
    void Reshape(Rect screen, const std::vector<std::shared_ptr<const Image>>& icons) override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HWND window);
    void SetIcons(const std::vector<std::shared_ptr<const Image>>& icons);

    HINSTANCE instance_;
    WindowEvents& events_;
    int width_, height_;
    // Destroyed in reverse order: the tooltip (owned by the window) first, then
    // the picture, then the window itself, and its icons and the tip font once
    // nothing shows them.
    GdiObject<HFONT> tipFont_;
    int tipFontDpi_ = 0;
    OwnedIcon bigIcon_, smallIcon_;
    OwnedWindow window_;
    std::optional<BitmapCanvas> picture_;
    OwnedWindow tooltip_;
};

}  // namespace vantrel::platform::win32
