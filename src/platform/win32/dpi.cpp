#include "platform/win32/dpi.h"

namespace vantrel::platform::win32 {
namespace {

// A function of a system DLL that older systems may lack, or null.
template <class Function>
Function Lookup(HMODULE module, const char* name) {
    // Through void*: a direct cast between function types draws a warning.
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

HMODULE User32() { return GetModuleHandleW(L"user32.dll"); }

using SetThreadContext = HANDLE(WINAPI*)(HANDLE);

SetThreadContext SetThreadDpiContext() {
    static const auto set = Lookup<SetThreadContext>(User32(), "SetThreadDpiAwarenessContext");
    return set;
}

}  // namespace

void DeclareDpiAwareness() {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    const auto perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
    const auto perMonitor = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));
    if (const auto set = Lookup<SetContext>(User32(), "SetProcessDpiAwarenessContext")) {
        if (set(perMonitorV2) || set(perMonitor) || GetLastError() == ERROR_ACCESS_DENIED) return;
    }
    // Windows 8.1: per-monitor awareness through shcore.
    using SetAwareness = HRESULT(WINAPI*)(int);
    constexpr int kPerMonitorAware = 2;
    const LoadedLibrary shcore(LoadLibraryW(L"shcore.dll"));
    if (const auto set = Lookup<SetAwareness>(shcore.get(), "SetProcessDpiAwareness")) {
        const HRESULT result = set(kPerMonitorAware);
        if (SUCCEEDED(result) || result == E_ACCESSDENIED) return;
    }
    // Vista to 8: the system's DPI, which is every monitor's there.
    using SetAware = BOOL(WINAPI*)();
    if (const auto set = Lookup<SetAware>(User32(), "SetProcessDPIAware")) set();
}

namespace {

// GetDpiForMonitor, else the system's DPI (GetDpiForSystem, else the screen DC's).
int MonitorDpi(HMONITOR monitor) {
    using ForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    constexpr int kEffectiveDpi = 0;
    const LoadedLibrary shcore(LoadLibraryW(L"shcore.dll"));
    if (const auto forMonitor = Lookup<ForMonitor>(shcore.get(), "GetDpiForMonitor")) {
        UINT x = 0, y = 0;
        if (SUCCEEDED(forMonitor(monitor, kEffectiveDpi, &x, &y)) && x > 0) return static_cast<int>(x);
    }
    using ForSystem = UINT(WINAPI*)();
    if (const auto forSystem = Lookup<ForSystem>(User32(), "GetDpiForSystem"))
        if (const UINT dpi = forSystem(); dpi > 0) return static_cast<int>(dpi);
    const WindowDc screen(nullptr);
    return screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 96;
}

}  // namespace

int PrimaryMonitorDpi() { return MonitorDpi(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY)); }

int WindowDpi(HWND window) {
    using ForWindow = UINT(WINAPI*)(HWND);
    static const auto forWindow = Lookup<ForWindow>(User32(), "GetDpiForWindow");
    if (forWindow)
        if (const UINT dpi = forWindow(window); dpi > 0) return static_cast<int>(dpi);
    return MonitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

HANDLE DpiContextOf(HWND window) {
    using WindowContext = HANDLE(WINAPI*)(HWND);
    static const auto ofWindow = Lookup<WindowContext>(User32(), "GetWindowDpiAwarenessContext");
    return ofWindow && window ? ofWindow(window) : nullptr;
}

ThreadDpiContext::ThreadDpiContext(HANDLE context) {
    if (context && SetThreadDpiContext()) previous_ = SetThreadDpiContext()(context);
}

ThreadDpiContext::~ThreadDpiContext() {
    if (previous_) SetThreadDpiContext()(previous_);
}

}  // namespace vantrel::platform::win32
