// winprobe: looks at the Wine desktop from inside, for the e2e scripts.
//
//   winprobe list                              every top-level window, one a line
//   winprobe wait [--deadline-ms N] CAPTION... until each caption names a visible
//                                              top-level window; prints their lines
//   winprobe close CAPTION                     posts WM_CLOSE to that window
//   winprobe capture CAPTION FILE              its client area, read through its DC
//   winprobe screenshot FILE                   the whole screen
//
// A window's line is `pid=P visible=0|1 frame=0|1 client=WxH at=X,Y caption=TEXT`
// with the caption last, in UTF-8; frame is 1 when the window has a caption bar
// or a sizing border. FILE ending in .png is written as PNG, any other name as
// raw rows of blue-green-red-unused bytes, top row first. Exit status 0 on
// success, 1 when a window is missing or the deadline passed, 2 on bad usage.
// Captions given on the command line should be ASCII: Wine decodes the
// command line with the host's locale.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <fcntl.h>
#include <io.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/win32/desktop.h"
#include "platform/win32/utf16.h"
#include "base/image.h"
#include "base/png.h"

namespace {

using vantrel::platform::ForeignWindow;
using vantrel::base::Rect;
using vantrel::platform::win32::Narrow;
using vantrel::platform::win32::Win32Desktop;

struct WindowInfo {
    HWND handle = nullptr;
    DWORD pid = 0;
    bool visible = false;
    bool frame = false;
    int clientWidth = 0, clientHeight = 0;
    POINT clientOrigin{};
    std::wstring caption;
};

WindowInfo Describe(HWND window) {
    WindowInfo info;
    info.handle = window;
    GetWindowThreadProcessId(window, &info.pid);
    info.visible = IsWindowVisible(window) != FALSE;
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    info.frame = (style & WS_CAPTION) == WS_CAPTION || (style & WS_THICKFRAME) != 0;
    RECT client{};
    GetClientRect(window, &client);
    info.clientWidth = client.right;
    info.clientHeight = client.bottom;
    ClientToScreen(window, &info.clientOrigin);
    std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    caption.resize(static_cast<std::size_t>(GetWindowTextW(window, caption.data(), static_cast<int>(caption.size()))));
    info.caption = std::move(caption);
    return info;
}

std::vector<WindowInfo> TopLevelWindows() {
    std::vector<WindowInfo> windows;
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            reinterpret_cast<std::vector<WindowInfo>*>(context)->push_back(Describe(window));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

void Print(const WindowInfo& w) {
    const std::string line = "pid=" + std::to_string(w.pid) + " visible=" + (w.visible ? "1" : "0") +
                             " frame=" + (w.frame ? "1" : "0") + " client=" + std::to_string(w.clientWidth) + "x" +
                             std::to_string(w.clientHeight) + " at=" + std::to_string(w.clientOrigin.x) + "," +
                             std::to_string(w.clientOrigin.y) + " caption=" + Narrow(w.caption) + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
}

// The visible window of that caption, else any window of it, else none.
const WindowInfo* FindByCaption(const std::vector<WindowInfo>& windows, const std::wstring& caption) {
    const WindowInfo* hidden = nullptr;
    for (const WindowInfo& w : windows) {
        if (w.caption != caption) continue;
        if (w.visible) return &w;
        if (!hidden) hidden = &w;
    }
    return hidden;
}

bool Save(const vantrel::base::Image& image, const std::wstring& file) {
    if (file.size() >= 4 && file.compare(file.size() - 4, 4, L".png") == 0) return vantrel::base::WritePng(image, file);
    std::ofstream out(std::filesystem::path(file), std::ios::binary);
    out.write(reinterpret_cast<const char*>(image.data()),
              static_cast<std::streamsize>(image.width()) * image.height() * sizeof(std::uint32_t));
    return static_cast<bool>(out);
}

// Reads `area` of `window`'s client (window 0: the screen) into an image.
vantrel::base::Image Capture(ForeignWindow window, Rect area) {
    Win32Desktop desktop;
    vantrel::base::Image image(area.width(), area.height());
    desktop.OpenClient(window)->Copy(area, image.data());
    return image;
}

int List() {
    for (const WindowInfo& w : TopLevelWindows()) Print(w);
    return 0;
}

int Wait(std::vector<std::wstring> args) {
    DWORD deadlineMs = 30000;
    if (args.size() >= 2 && args[0] == L"--deadline-ms") {
        wchar_t* end = nullptr;
        deadlineMs = static_cast<DWORD>(std::wcstoul(args[1].c_str(), &end, 10));
        if (end == args[1].c_str() || *end != L'\0') return 2;
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty()) return 2;
    const ULONGLONG deadline = GetTickCount64() + deadlineMs;
    for (;;) {
        const std::vector<WindowInfo> windows = TopLevelWindows();
        std::vector<const WindowInfo*> found;
        for (const std::wstring& caption : args) {
            const WindowInfo* w = FindByCaption(windows, caption);
            if (w && w->visible) found.push_back(w);
        }
        if (found.size() == args.size()) {
            for (const WindowInfo* w : found) Print(*w);
            return 0;
        }
        if (GetTickCount64() >= deadline) {
            std::fprintf(stderr, "winprobe: %zu of %zu windows visible after %lu ms\n", found.size(), args.size(),
                         static_cast<unsigned long>(deadlineMs));
            return 1;
        }
        Sleep(50);
    }
}

int Close(const std::wstring& caption) {
    const std::vector<WindowInfo> windows = TopLevelWindows();
    const WindowInfo* w = FindByCaption(windows, caption);
    if (!w) return 1;
    // Posted, not sent: a busy or hung target must not hang the probe.
    return PostMessageW(w->handle, WM_CLOSE, 0, 0) ? 0 : 1;
}

int CaptureWindow(const std::wstring& caption, const std::wstring& file) {
    const std::vector<WindowInfo> windows = TopLevelWindows();
    const WindowInfo* w = FindByCaption(windows, caption);
    if (!w) return 1;
    const auto image = Capture(reinterpret_cast<ForeignWindow>(w->handle), Rect{0, 0, w->clientWidth, w->clientHeight});
    return Save(image, file) ? 0 : 1;
}

int Screenshot(const std::wstring& file) {
    const auto image = Capture(0, Rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    return Save(image, file) ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // UTF-8 goes out byte for byte; text mode would also turn \n into \r\n.
    _setmode(_fileno(stdout), _O_BINARY);
    const std::vector<std::wstring> args(argv + 1, argv + argc);
    if (args.empty()) return 2;
    const std::wstring& command = args[0];
    if (command == L"list" && args.size() == 1) return List();
    if (command == L"wait") return Wait({args.begin() + 1, args.end()});
    if (command == L"close" && args.size() == 2) return Close(args[1]);
    if (command == L"capture" && args.size() == 3) return CaptureWindow(args[1], args[2]);
    if (command == L"screenshot" && args.size() == 2) return Screenshot(args[1]);
    std::fputs("usage: winprobe list | wait [--deadline-ms N] CAPTION... | close CAPTION | "
               "capture CAPTION FILE | screenshot FILE\n",
               stderr);
    return 2;
}
