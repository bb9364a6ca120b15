#include "platform/win32/desktop.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/win32/dpi.h"
#include "platform/win32/handles.h"
#include "platform/win32/utf16.h"

namespace vantrel::platform::win32 {
namespace {

HWND ToHwnd(ForeignWindow window) { return reinterpret_cast<HWND>(window); }

Rect FromRect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

class Win32ClientSurface final : public ClientSurface {
public:
    Win32ClientSurface(HWND window, HANDLE dpiContext, std::shared_ptr<WindowDc> source,
                       std::optional<BitmapCanvas>& canvas)
        : window_(window), dpiContext_(dpiContext), sourceDc_(std::move(source)), source_(sourceDc_->get()),
          canvas_(canvas) {}

    Rect Bounds() const override {
        if (!window_) return Rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        // Asked in the game's own DPI context: a game the system stretches is
        // copied from its unscaled surface, and its bounds must be that surface's.
        const ThreadDpiContext context(dpiContext_);
        RECT client{};
        if (!GetClientRect(window_, &client)) return {};
        return FromRect(client);
    }

    bool Copy(Rect area, std::uint32_t* out) override {
        const int width = area.width(), height = area.height();
        if (width <= 0 || height <= 0) return true;
        if (!source_ || !EnsureCapacity(width, height) ||
            !BitBlt(canvas_->dc(), 0, 0, width, height, source_, area.left, area.top, SRCCOPY))
            return false;
        GdiFlush();
        const DibSection& dib = canvas_->dib();
        for (int y = 0; y < height; ++y)
            std::memcpy(out + static_cast<std::size_t>(y) * width,
                        dib.bits() + static_cast<std::size_t>(y) * dib.width(),
                        static_cast<std::size_t>(width) * sizeof(std::uint32_t));
        return true;
    }

private:
    bool EnsureCapacity(int width, int height) {
        if (canvas_ && canvas_->dib().width() >= width && canvas_->dib().height() >= height) return true;
        const int newWidth = std::max(width, canvas_ ? canvas_->dib().width() : 0);
        const int newHeight = std::max(height, canvas_ ? canvas_->dib().height() : 0);
        canvas_.reset();
        canvas_.emplace(source_, newWidth, newHeight);
        if (*canvas_) return true;
        canvas_.reset();
        return false;
    }

    HWND window_;
    HANDLE dpiContext_;
    std::shared_ptr<WindowDc> sourceDc_;
    HDC source_;
    std::optional<BitmapCanvas>& canvas_;
};

}  // namespace

DisplayModeRequest DisplayModeFor(int bitsPerPixel) {
    DisplayModeRequest request;
    std::memset(&request.mode, 0, sizeof request.mode);
    request.mode.dmSize = sizeof(DEVMODEA);
    request.mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
    request.mode.dmBitsPerPel = static_cast<DWORD>(bitsPerPixel);
    request.flags = 0x80000000;
    return request;
}

ForeignWindow Win32Desktop::FindWindowByTitle(const std::string& title) {
    const HWND found = FindWindowW(nullptr, Widen(title).c_str());
    // The held DC belongs to a window this find no longer names: it has gone (or
    // another window bears the title now), so the DC goes too.
    if (sourceDc_ && found != sourceWindow_) sourceDc_.reset();
    return reinterpret_cast<ForeignWindow>(found);
}

Rect Win32Desktop::WindowRect(ForeignWindow window) {
    RECT r{};
    if (!window || !GetWindowRect(ToHwnd(window), &r)) return {};
    return FromRect(r);
}

void Win32Desktop::PlaceTopmost(ForeignWindow window, Point topLeft) {
    if (!window) return;
    SetWindowPos(ToHwnd(window), HWND_TOPMOST, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE);
}

std::unique_ptr<ClientSurface> Win32Desktop::OpenClient(ForeignWindow window) {
    if (window == 0) return nullptr;
    return Open(ToHwnd(window));
}

std::unique_ptr<ClientSurface> Win32Desktop::OpenScreen() { return Open(nullptr); }

std::unique_ptr<ClientSurface> Win32Desktop::Open(HWND hwnd) {
    if (!sourceDc_ || sourceWindow_ != hwnd || !sourceDc_->get()) {
        sourceDc_ = std::make_shared<WindowDc>(hwnd);
        sourceWindow_ = hwnd;
        sourceDpiContext_ = DpiContextOf(hwnd);
    }
    return std::make_unique<Win32ClientSurface>(hwnd, sourceDpiContext_, sourceDc_, canvas_);
}

int Win32Desktop::BitsPerPixel() {
    const WindowDc screen(nullptr);
    return screen ? GetDeviceCaps(screen.get(), BITSPIXEL) : 0;
}

void Win32Desktop::RequestBitsPerPixel(int bits) {
    DisplayModeRequest request = DisplayModeFor(bits);
    ChangeDisplaySettingsA(&request.mode, request.flags);
}

Point Win32Desktop::CursorPos() {
    POINT p{};
    if (!GetCursorPos(&p)) return {};
    return Point{p.x, p.y};
}

std::vector<Rect> Win32Desktop::Monitors() {
    std::vector<Rect> areas;
    const auto collect = [](HMONITOR monitor, HDC, LPRECT, LPARAM context) -> BOOL {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (GetMonitorInfoW(monitor, &info)) {
            auto& list = *reinterpret_cast<std::vector<Rect>*>(context);
            const Rect work = FromRect(info.rcWork);
            if (info.dwFlags & MONITORINFOF_PRIMARY)
                list.insert(list.begin(), work);
            else
                list.push_back(work);
        }
        return TRUE;
    };
    EnumDisplayMonitors(nullptr, nullptr, collect, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

int Win32Desktop::PrimaryDpi() { return PrimaryMonitorDpi(); }

}  // namespace vantrel::platform::win32
