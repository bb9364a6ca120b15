#include "platform/win32/hosted_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "platform/win32/dpi.h"
#include "platform/win32/utf16.h"

namespace vantrel::platform::win32 {
namespace {

constexpr DWORD kStyle = WS_POPUP;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;
// WM_DPICHANGED, which older SDK headers lack.
constexpr UINT kDpiChanged = 0x02E0;

// The outer size of a window whose client area is width x height.
SIZE OuterSize(int width, int height) {
    RECT outer{0, 0, width, height};
    AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

// Wide enough for the longest tip at 100% (times the scale); also what makes the
// tooltip honour line breaks.
constexpr int kMaxTipWidth = 400;

// An opaque icon from a picture: the colour bitmap carries the pixels and an
// all-zero mask lets every one of them show.
OwnedIcon IconFrom(const Image& picture) {
    const DibSection colour(nullptr, picture.width(), picture.height());
    if (!colour) return {};
    std::copy_n(picture.data(), static_cast<std::size_t>(picture.width()) * picture.height(), colour.bits());
    const std::vector<std::uint8_t> clear(static_cast<std::size_t>((picture.width() + 15) / 16 * 2) * picture.height());
    const GdiObject<HBITMAP> mask(CreateBitmap(picture.width(), picture.height(), 1, 1, clear.data()));
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = mask.get();
    info.hbmColor = colour.get();
    return OwnedIcon(CreateIconIndirect(&info));  // it copies both bitmaps
}

// The tips are Chinese, and the system's tip font need not carry those glyphs
// (it does not on a Western system, nor under Wine): its size and weight in a
// face that does, asked for by the GB2312 character set, which the font mapper
// honours even where the named face is missing. The system's metrics are at the
// primary monitor's scale; the tips follow the scale of their window's monitor.
GdiObject<HFONT> ChineseTipFont(int dpi) {
    LOGFONTW font{};
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        font = metrics.lfStatusFont, font.lfHeight = MulDiv(font.lfHeight, dpi, PrimaryMonitorDpi());
    else
        font.lfHeight = -MulDiv(12, dpi, 96);
    font.lfCharSet = GB2312_CHARSET;
    std::wcsncpy(font.lfFaceName, L"Microsoft YaHei", LF_FACESIZE - 1);
    return GdiObject<HFONT>(CreateFontIndirectW(&font));
}

Point PointOf(LPARAM lParam) { return Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

MouseButton ButtonOf(UINT message) {
    switch (message) {
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            return MouseButton::Right;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            return MouseButton::Middle;
        default:
            return MouseButton::Left;
    }
}

}  // namespace

bool Win32HostedWindow::RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_OWNDC;  // Present draws through it at every change
    windowClass.lpfnWndProc = &Win32HostedWindow::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = kClassName;
    // No background brush: WM_PAINT covers the whole client area from the picture.
    return RegisterClassExW(&windowClass) != 0;
}

void Win32HostedWindow::UnregisterWindowClass(HINSTANCE instance) { UnregisterClassW(kClassName, instance); }

Win32HostedWindow::Win32HostedWindow(HINSTANCE instance, const WindowSpec& spec, WindowEvents& events)
    : instance_(instance), events_(events), width_(spec.width), height_(spec.height) {
    picture_.emplace(nullptr, width_, height_);
    const SIZE outer = OuterSize(width_, height_);
    window_ = OwnedWindow(CreateWindowExW(kExStyle, kClassName, Widen(spec.caption).c_str(), kStyle, spec.topLeft.x,
                                          spec.topLeft.y, outer.cx, outer.cy, nullptr, nullptr, instance_, this));
    SetIcons(spec.icons);
}

void Win32HostedWindow::SetIcons(const std::vector<std::shared_ptr<const Image>>& icons) {
    if (icons.empty()) return;
    // The icons shown so far are destroyed only once the window holds the new ones.
    OwnedIcon newBig = IconFrom(*icons.front()), newSmall = IconFrom(*icons.back());
    SendMessageW(window_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(newBig.get()));
    SendMessageW(window_.get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(newSmall.get()));
    bigIcon_ = std::move(newBig);
    smallIcon_ = std::move(newSmall);
}

Win32HostedWindow::~Win32HostedWindow() {
    // Messages sent while the window is being destroyed must not reach this
    // half-destroyed object.
    if (window_) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
}

LRESULT CALLBACK Win32HostedWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32HostedWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    return self->Handle(window, message, wParam, lParam);
}

// Every branch that calls into events_ returns straight after: the handler may
// have destroyed this object.
LRESULT Win32HostedWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint(window);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            // Captured so that the matching release arrives even off the window.
            SetCapture(window);
            events_.OnMouseDown(ButtonOf(message), PointOf(lParam));
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            if ((wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0) ReleaseCapture();
            events_.OnMouseUp(ButtonOf(message), PointOf(lParam));
            return 0;
        case WM_MOUSEMOVE:
            events_.OnMouseMove(PointOf(lParam));
            return 0;
        case WM_MOVE:
            events_.OnMoved(PointOf(lParam));
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;  // nothing here is worth holding the session up for
        case WM_ENDSESSION:
            // Every top-level window hears it; the first one's handler closes them all.
            if (wParam) events_.OnEndSession();
            return 0;
        case WM_KEYDOWN:
            events_.OnKeyDown(static_cast<std::uint16_t>(wParam), (GetKeyState(VK_CONTROL) & 0x8000) != 0);
            return 0;
        case kDpiChanged: {
            const auto& suggested = *reinterpret_cast<const RECT*>(lParam);
            events_.OnDpiChanged(LOWORD(wParam), {suggested.left, suggested.top, suggested.right, suggested.bottom});
            return 0;
        }
        case WM_CLOSE:
            // The toolkit decides whether the window goes; the default would destroy it.
            events_.OnCloseRequest();
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

void Win32HostedWindow::Paint(HWND window) {
    const PaintDc paint(window);
    const RECT& area = paint.area();
    if (picture_ && *picture_)
        BitBlt(paint.get(), area.left, area.top, area.right - area.left, area.bottom - area.top, picture_->dc(),
               area.left, area.top, SRCCOPY);
}

// The changed rectangles are copied into the DIB and drawn from it straight onto
// the window through its own DC (the class has CS_OWNDC, so GetDC hands back the
// same DC at no cost). Invalidating them instead would cost a paint message and,
// under Wine, six more requests to the window server per present (region queries
// and caret hiding around BeginPaint and EndPaint), which were most of what the
// idle program cost. WM_PAINT still repaints from the DIB whatever the system
// asks for, so a window that is hidden or covered while presented is made whole
// when it shows.
void Win32HostedWindow::Present(const base::Image& frame, std::span<const Rect> changed) {
    if (!picture_ || !*picture_) return;
    // A paint may still be reading the bits.
    GdiFlush();
    const DibSection& dib = picture_->dib();
    const Rect within = Intersection(frame.Bounds(), Rect{0, 0, dib.width(), dib.height()});
    const WindowDc screen(window_.get());
    for (const Rect& change : changed) {
        const Rect area = Intersection(change, within);
        if (area.empty()) continue;
        for (int y = area.top; y < area.bottom; ++y)
            std::memcpy(dib.bits() + static_cast<std::size_t>(y) * dib.width() + area.left, frame.row(y) + area.left,
                        static_cast<std::size_t>(area.width()) * sizeof(std::uint32_t));
        BitBlt(screen.get(), area.left, area.top, area.width(), area.height(), picture_->dc(), area.left, area.top,
               SRCCOPY);
    }
}

void Win32HostedWindow::MoveTo(Point topLeft) {
    SetWindowPos(window_.get(), nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Win32HostedWindow::Dpi() { return WindowDpi(window_.get()); }

void Win32HostedWindow::Reshape(Rect screen, const std::vector<std::shared_ptr<const Image>>& icons) {
    SetIcons(icons);
    width_ = screen.width();
    height_ = screen.height();
    picture_.emplace(nullptr, width_, height_);
    const SIZE outer = OuterSize(width_, height_);
    SetWindowPos(window_.get(), nullptr, screen.left, screen.top, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32HostedWindow::Show() {
    ShowWindow(window_.get(), SW_SHOW);
    UpdateWindow(window_.get());
}

void Win32HostedWindow::MakeLayered() {
    const HWND window = window_.get();
    SetWindowLongA(window, GWL_EXSTYLE, GetWindowLongA(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(window, 0, 255, LWA_ALPHA);
}

void Win32HostedWindow::DragWindow() {
    const HWND window = window_.get();
    // The move loop wants the mouse for itself. It reads the press from the
    // cursor, not from lParam, which is handed a pointer to a zero word.
    ReleaseCapture();
    std::int32_t zero = 0;
    SendMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, reinterpret_cast<LPARAM>(&zero));
}

void Win32HostedWindow::SetTooltips(std::vector<TooltipArea> areas) {
    tooltip_.reset();
    if (areas.empty()) return;
    const HWND window = window_.get();
    tooltip_ = OwnedWindow(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                           WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                           CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance_, nullptr));
    if (!tooltip_) return;
    // The old tooltip, the font's only user, has gone: a font of another scale can replace it.
    if (const int dpi = Dpi(); !tipFont_ || dpi != tipFontDpi_) tipFont_ = ChineseTipFont(dpi), tipFontDpi_ = dpi;
    SendMessageW(tooltip_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(tipFont_.get()), FALSE);
    SendMessageW(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0, MulDiv(kMaxTipWidth, tipFontDpi_, 96));
    for (std::size_t i = 0; i < areas.size(); ++i) {
        std::wstring text = Widen(areas[i].text);
        TTTOOLINFOW tool{};
        // The version-5 size: comctl32 without a version-6 manifest rejects the
        // larger structure.
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = window;
        tool.uId = i;
        tool.rect = RECT{areas[i].area.left, areas[i].area.top, areas[i].area.right, areas[i].area.bottom};
        tool.hinst = instance_;
        tool.lpszText = text.data();
        SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    // A look that carries a tip appears under a pointer that has often stopped by
    // then; the new tip control must hear where the pointer stands to show at all.
    POINT cursor{};
    if (GetCursorPos(&cursor) && ScreenToClient(window, &cursor)) {
        MSG move{};
        move.hwnd = window;
        move.message = WM_MOUSEMOVE;
        move.lParam = MAKELPARAM(static_cast<WORD>(cursor.x), static_cast<WORD>(cursor.y));
        move.time = GetMessageTime();
        SendMessageW(tooltip_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
    }
}

}  // namespace vantrel::platform::win32
