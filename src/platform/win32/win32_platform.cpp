#include "platform/win32/win32_platform.h"

#include "platform/win32/handles.h"  // <windows.h>, which <commctrl.h> needs first

#include <commctrl.h>

#include <string>
#include <unordered_map>

#include "platform/win32/desktop.h"
#include "platform/win32/dpi.h"
#include "platform/win32/files.h"
#include "platform/win32/hosted_window.h"

namespace vantrel::platform::win32 {
namespace {

constexpr const wchar_t* kTimerClassName = L"VantrelTimers";

struct Timer {
    std::function<void()> tick;
    bool running = false;
};

}  // namespace

struct Win32Platform::State {
    State() : instance(GetModuleHandleW(nullptr)) {
        DeclareDpiAwareness();
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof controls;
        controls.dwICC = ICC_WIN95_CLASSES;
        InitCommonControlsEx(&controls);

        if (!Win32HostedWindow::RegisterWindowClass(instance)) CannotRunTimers();
        WNDCLASSEXW timerClass{};
        timerClass.cbSize = sizeof timerClass;
        timerClass.lpfnWndProc = &State::TimerWindowProc;
        timerClass.hInstance = instance;
        timerClass.lpszClassName = kTimerClassName;
        if (!RegisterClassExW(&timerClass)) CannotRunTimers();
        timerWindow = OwnedWindow(
            CreateWindowExW(0, kTimerClassName, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr));
        if (!timerWindow) CannotRunTimers();
        SetWindowLongPtrW(timerWindow.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }

    ~State() {
        timerWindow.reset();  // its timers die with it
        UnregisterClassW(kTimerClassName, instance);
        Win32HostedWindow::UnregisterWindowClass(instance);
    }

    // Without its timers the program would look alive and read nothing: it says
    // so, once, and ends. The box disables the program's windows and the timer
    // window goes first, so nothing of the program runs while it shows.
    // "Vantrel 无法启动计时器，即将退出。请重新启动。": Vantrel cannot start its
    // timers and will close now; please start it again.
    [[noreturn]] void CannotRunTimers() {
        timerWindow.reset();
        MessageBoxW(nullptr,
                    L"Vantrel \u65e0\u6cd5\u542f\u52a8\u8ba1\u65f6\u5668\uff0c\u5373\u5c06\u9000\u51fa\u3002"
                    L"\u8bf7\u91cd\u65b0\u542f\u52a8\u3002",
                    L"Vantrel", MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
        ExitProcess(1);
    }

    static LRESULT CALLBACK TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<State*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_TIMER && self) {
            self->Tick(static_cast<TimerId>(wParam));
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    void Tick(TimerId id) {
        const auto found = timers.find(id);
        // A WM_TIMER already queued when its timer was stopped finds nothing.
        if (found == timers.end()) return;
        // Held here because the tick may stop its own timer, which erases the entry.
        const std::shared_ptr<Timer> timer = found->second;
        if (timer->running) return;
        timer->running = true;
        timer->tick();
        timer->running = false;
    }

    HINSTANCE instance;
    Win32Desktop desktop;
    Win32Files files;
    OwnedWindow timerWindow;
    std::unordered_map<TimerId, std::shared_ptr<Timer>> timers;
    TimerId nextTimerId = 1;
};

Win32Platform::Win32Platform() : state_(std::make_unique<State>()) {}
Win32Platform::~Win32Platform() = default;

Desktop& Win32Platform::desktop() { return state_->desktop; }

std::unique_ptr<HostedWindow> Win32Platform::CreateHostedWindow(const WindowSpec& spec, WindowEvents& events) {
    return std::make_unique<Win32HostedWindow>(state_->instance, spec, events);
}

TimerId Win32Platform::StartTimer(int intervalMs, std::function<void()> tick) {
    const TimerId id = state_->nextTimerId++;
    state_->timers.emplace(id, std::make_shared<Timer>(Timer{std::move(tick)}));
    if (SetTimer(state_->timerWindow.get(), id, static_cast<UINT>(intervalMs), nullptr) == 0) state_->CannotRunTimers();
    return id;
}

void Win32Platform::StopTimer(TimerId id) {
    KillTimer(state_->timerWindow.get(), id);
    state_->timers.erase(id);
}

CalendarTime Win32Platform::LocalTime() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

Files& Win32Platform::files() { return state_->files; }

void Win32Platform::Quit() {
    if (onQuit) onQuit();
    PostQuitMessage(0);
}

int Win32Platform::RunMessageLoop() {
    MSG message{};
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return got == 0 ? static_cast<int>(message.wParam) : -1;
}

}  // namespace vantrel::platform::win32
