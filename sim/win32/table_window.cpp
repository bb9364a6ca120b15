#include "sim/win32/table_window.h"

#include <cassert>
#include <utility>

#include "base/game_title.h"
#include "sim/table_renderer.h"

namespace vantrel::sim::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"VantrelStandInTable";
constexpr UINT_PTR kClockTimer = 1;
constexpr UINT kClockPeriodMs = 10;
// A normal captioned window that cannot be resized or maximised, as the game's is.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = 0;
// The table's frame as a DIB: its words are blue, green, red, unused, top row
// first (hence the negative height), so it goes to the window as it is.
constexpr BITMAPINFO kFrameLayout{
    {sizeof(BITMAPINFOHEADER), kClientWidth, -kClientHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};

bool RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    window_class.lpszClassName = kWindowClass;
    return RegisterClassExW(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

TableWindow::TableWindow(HINSTANCE instance, const Timeline& timeline, TableWindowOptions options)
    : timeline_(timeline), options_(std::move(options)) {
    if (!RegisterWindowClass(instance, &TableWindow::WindowProc)) return;
    Show(timeline_.ChangeIndexAt(0));

    RECT outer{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
    window_.reset(CreateWindowExW(
        kExStyle, kWindowClass, base::kGameTitleWide.data(), kStyle, options_.outer_top_left.x, options_.outer_top_left.y,
        outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance, this));
    if (!window_) return;
    ShowWindow(window_.get(), SW_SHOWNORMAL);
    UpdateWindow(window_.get());
    start_tick_ = GetTickCount64();
    WriteLogUpTo(0);
    SetTimer(window_.get(), kClockTimer, kClockPeriodMs, nullptr);
}

TableWindow::~TableWindow() {
    if (window_) KillTimer(window_.get(), kClockTimer);
}

LRESULT CALLBACK TableWindow::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TableWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (self == nullptr || message == WM_NCDESTROY) return DefWindowProcW(window, message, wparam, lparam);
    return self->Handle(window, message, wparam, lparam);
}

LRESULT TableWindow::Handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_TIMER:
            if (wparam == kClockTimer) Advance();
            return 0;
        case WM_PAINT:
            Paint(window);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the DIB covers the whole client area
        case WM_CLOSE:
            // The window's owner destroys it once the loop is over.
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wparam, lparam);
    }
}

void TableWindow::Advance() {
    const auto elapsed = static_cast<std::int64_t>(GetTickCount64() - start_tick_);
    WriteLogUpTo(elapsed);
    const std::size_t change = timeline_.ChangeIndexAt(elapsed);
    if (change != shown_change_) {
        Show(change);
        InvalidateRect(window_.get(), nullptr, FALSE);
    }
    if (options_.exit_after_ms && elapsed >= *options_.exit_after_ms) PostQuitMessage(0);
}

void TableWindow::WriteLogUpTo(std::int64_t elapsed_ms) {
    if (!options_.log) return;
    const auto& lines = timeline_.log_lines();
    bool wrote = false;
    for (; next_log_line_ < lines.size() && lines[next_log_line_].time_ms <= elapsed_ms; ++next_log_line_) {
        std::fputs(lines[next_log_line_].text.c_str(), options_.log.get());
        wrote = true;
    }
    if (wrote) std::fflush(options_.log.get());
}

void TableWindow::Show(std::size_t change) {
    if (options_.states)
        table_.Show(options_.states(change));
    else
        table_.Show(timeline_.changes()[change].state);
    assert(table_.frame().width() == kClientWidth && table_.frame().height() == kClientHeight);
    shown_change_ = change;
}

void TableWindow::Paint(HWND window) {
    const Painting painting(window);
    SetDIBitsToDevice(painting.hdc, 0, 0, kClientWidth, kClientHeight, 0, 0, 0, kClientHeight, table_.frame().data(),
                      &kFrameLayout, DIB_RGB_COLORS);
}

}  // namespace vantrel::sim::win32
