// The Win32 backend against a real user32 and gdi32 (Wine's, on the harness's
// Xvfb display): pixels presented to a hosted window are read back through the
// desktop's captures, window styles and geometry are checked through user32
// itself, and timers run in the real message loop. Prints one line per failed
// check and exits non-zero if there was any.
#include "platform/win32/desktop.h"
#include "platform/win32/handles.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_platform.h"
#include "live_check.h"
#include "pattern.h"
#include "support/game_title.h"

#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace vantrel::platform;
using vantrel::platform::win32::DisplayModeFor;
using vantrel::platform::win32::DisplayModeRequest;
using vantrel::platform::win32::GdiObject;
using vantrel::platform::win32::KernelHandle;
using vantrel::platform::win32::Narrow;
using vantrel::platform::win32::OwnedWindow;
using vantrel::platform::win32::Widen;
using vantrel::platform::win32::Win32Desktop;
using vantrel::platform::win32::Win32Platform;
using vantrel::e2e::IsTooltipOf;
using vantrel::e2e::TestPattern;
using vantrel::e2e::TopLevelWindows;
using vantrel::base::Image;
using vantrel::base::Rgb;

int failures = 0;

void Check(bool ok, const char* what, int line) {
    if (ok) return;
    ++failures;
    std::printf("FAILED line %d: %s\n", line, what);
}
#define CHECK(condition) Check((condition), #condition, __LINE__)

using vantrel::testing::kGameTitle;

HWND ToHwnd(ForeignWindow window) { return reinterpret_cast<HWND>(window); }

// The pattern's pixels in `area`, as Copy should deliver them (unused byte zero).
std::vector<std::uint32_t> Expected(const Image& image, Rect area) {
    std::vector<std::uint32_t> pixels;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) pixels.push_back(image.at(x, y));
    return pixels;
}

std::vector<std::uint32_t> Read(ClientSurface& surface, Rect area) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(area.width()) * area.height());
    surface.Copy(area, pixels.data());
    for (auto& p : pixels) p &= 0xFFFFFFu;
    return pixels;
}

struct RecordedEvent {
    char kind;  // 'd'own, 'u'p, 'm'ove
    MouseButton button;
    Point at;
    friend bool operator==(const RecordedEvent&, const RecordedEvent&) = default;
};

struct Recorder final : WindowEvents {
    std::vector<RecordedEvent> events;
    int closeRequests = 0;
    std::function<void()> onClose;
    std::function<void()> onDown;

    void OnMouseDown(MouseButton button, Point at) override {
        events.push_back({'d', button, at});
        if (onDown) onDown();
    }
    void OnMouseUp(MouseButton button, Point at) override { events.push_back({'u', button, at}); }
    void OnMouseMove(Point at) override { events.push_back({'m', MouseButton::Left, at}); }
    void OnCloseRequest() override {
        ++closeRequests;
        if (onClose) onClose();
    }
    void OnMoved(Point at) override { lastMove = at; }
    void OnEndSession() override { ++sessionEnds; }
    Point lastMove{-1, -1};
    int sessionEnds = 0;
};

void TestUtf16() {
    const std::string samples[] = {"", "VXMain", kGameTitle, "\xF0\x9F\x82\xA1 ace", "a\nb"};
    for (const std::string& s : samples) CHECK(Narrow(Widen(s)) == s);
    CHECK(Widen(kGameTitle) == L"\u8dd1\u5f97\u5feb1.13");
    CHECK(Widen("\xF0\x9F\x82\xA1").size() == 2);  // one surrogate pair
}

// A shown window with the game's title whose client area is `picture`.
std::unique_ptr<HostedWindow> ShowGameWindow(Win32Platform& platform, WindowEvents& events, const Image& picture,
                                             Point at, std::vector<std::shared_ptr<const Image>> icons = {}) {
    auto window = platform.CreateHostedWindow(
        WindowSpec{kGameTitle, picture.width(), picture.height(), at, std::move(icons)}, events);
    window->PresentWhole(picture);
    window->Show();
    return window;
}

void TestWindowAndCaptures(Win32Platform& platform) {
    Desktop& desktop = platform.desktop();
    Recorder recorder;
    const Image picture = TestPattern(300, 200);
    const std::vector<std::shared_ptr<const Image>> icons{std::make_shared<const Image>(TestPattern(32, 32)),
                                                           std::make_shared<const Image>(TestPattern(16, 16))};
    auto window = ShowGameWindow(platform, recorder, picture, Point{40, 50}, icons);

    // Found by its UTF-16 title whatever the ANSI code page; geometry and style.
    const ForeignWindow found = desktop.FindWindowByTitle(kGameTitle);
    CHECK(found != 0);
    const HWND h = ToHwnd(found);
    CHECK(desktop.WindowRect(found) == (Rect{40, 50, 340, 250}));
    RECT client{};
    GetClientRect(h, &client);
    CHECK(client.right == 300 && client.bottom == 200);
    const LONG style = GetWindowLongW(h, GWL_STYLE);
    CHECK((style & WS_POPUP) != 0);
    CHECK((style & (WS_CAPTION | WS_THICKFRAME)) == 0);
    CHECK((GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0);
    CHECK(desktop.FindWindowByTitle("no window has this title") == 0);
    // Both icon sizes are the window's own.
    CHECK(SendMessageW(h, WM_GETICON, ICON_BIG, 0) != 0);
    CHECK(SendMessageW(h, WM_GETICON, ICON_SMALL, 0) != 0);

    // Captures through the window's DC. The order grows the cached DIB in steps
    // and then reads smaller areas out of a wider one, so row stride matters.
    {
        auto surface = desktop.OpenClient(found);
        CHECK(surface->Bounds() == (Rect{0, 0, 300, 200}));
        const Rect areas[] = {{5, 6, 6, 7}, {0, 199, 300, 200}, {299, 0, 300, 200},
                              {0, 0, 300, 200}, {10, 20, 13, 22}, {120, 77, 281, 78}};
        for (const Rect& area : areas) CHECK(Read(*surface, area) == Expected(picture, area));
    }

    // No window (no game found) is nothing to read; the screen, for tests, shows the window.
    CHECK(desktop.OpenClient(0) == nullptr);
    {
        Win32Desktop screenDesktop;
        auto screen = screenDesktop.OpenScreen();
        CHECK(screen->Bounds() == (Rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
        CHECK(Read(*screen, Rect{40, 50, 340, 250}) == Expected(picture, Rect{0, 0, 300, 200}));
    }

    // A new picture replaces the old one.
    const Image second = TestPattern(320, 200);  // shifted: column x shows pattern x
    Image shifted(300, 200);
    shifted.Blit(second, -20, 0);
    window->PresentWhole(shifted);
    UpdateWindow(h);
    CHECK(Read(*desktop.OpenClient(found), Rect{0, 0, 300, 200}) == Expected(second, Rect{20, 0, 320, 200}));

    // A partial present changes the named rectangles and nothing else, on the
    // screen and in what the window repaints from.
    {
        const Image blank(300, 200, Rgb{1, 2, 3});
        const Rect changed[] = {{10, 20, 22, 32}, {290, 190, 300, 200}};
        window->Present(blank, changed);
        Image expected = shifted;
        for (const Rect& r : changed) expected.FillRect(r.left, r.top, r.width(), r.height(), Rgb{1, 2, 3});
        CHECK(Read(*desktop.OpenClient(found), Rect{0, 0, 300, 200}) == Expected(expected, Rect{0, 0, 300, 200}));
        InvalidateRect(h, nullptr, FALSE);
        UpdateWindow(h);
        CHECK(Read(*desktop.OpenClient(found), Rect{0, 0, 300, 200}) == Expected(expected, Rect{0, 0, 300, 200}));
        window->PresentWhole(shifted);
    }

    // Layered with full opacity, twice: the bit once, alpha 255, same look.
    window->MakeLayered();
    window->MakeLayered();
    CHECK((GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_LAYERED) != 0);
    BYTE alpha = 0;
    DWORD flags = 0;
    CHECK(GetLayeredWindowAttributes(h, nullptr, &alpha, &flags) && alpha == 255 && flags == LWA_ALPHA);
    UpdateWindow(h);
    CHECK(Read(*desktop.OpenClient(found), Rect{0, 0, 300, 200}) == Expected(second, Rect{20, 0, 320, 200}));

    // Placing: topmost, same size; handle 0 is ignored.
    desktop.PlaceTopmost(found, Point{100, 120});
    CHECK(desktop.WindowRect(found) == (Rect{100, 120, 400, 320}));
    CHECK((GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    desktop.PlaceTopmost(0, Point{1, 1});
    window->MoveTo(Point{-10, 30});
    CHECK(desktop.WindowRect(found) == (Rect{-10, 30, 290, 230}));
    CHECK(recorder.lastMove == (Point{-10, 30}));  // every move is reported, ours too

    window.reset();
    CHECK(!IsWindow(h));
    CHECK(desktop.WindowRect(found).width() == 0);
    std::vector<std::uint32_t> stale(4, 0xDEADBEEFu);
    CHECK(!desktop.OpenClient(found)->Copy(Rect{0, 0, 2, 2}, stale.data()));
    CHECK(stale == std::vector<std::uint32_t>(4, 0xDEADBEEFu));  // a failed copy leaves the buffer alone
    CHECK(desktop.WindowRect(0) == Rect{});
}

// The game's DC is kept between ticks while a find still returns its window, and
// let go at the first find that does not; a surface in use keeps reading.
void TestHeldDcGoesWithTheWindow(Win32Platform& platform) {
    Win32Desktop desktop;
    Recorder recorder;
    const Image picture = TestPattern(120, 80);
    auto window = ShowGameWindow(platform, recorder, picture, Point{60, 70});
    const ForeignWindow found = desktop.FindWindowByTitle(kGameTitle);
    CHECK(found != 0 && !desktop.HoldsClientDc());
    auto surface = desktop.OpenClient(found);
    CHECK(desktop.HoldsClientDc());
    CHECK(desktop.FindWindowByTitle(kGameTitle) == found);
    CHECK(desktop.HoldsClientDc());

    CHECK(desktop.FindWindowByTitle("no window has this title") == 0);
    CHECK(!desktop.HoldsClientDc());
    CHECK(Read(*surface, Rect{0, 0, 120, 80}) == Expected(picture, Rect{0, 0, 120, 80}));
    surface.reset();

    desktop.OpenClient(found);
    CHECK(desktop.HoldsClientDc());
    window.reset();  // the game goes
    CHECK(desktop.FindWindowByTitle(kGameTitle) == 0);
    CHECK(!desktop.HoldsClientDc());
}

// An owner gives its handle back when it goes, when it is reset and when another
// is moved onto it, and a moved-from owner holds nothing, so nothing is given
// back twice. `alive` asks the system whether a handle is still valid.
template <typename Owner, typename Make, typename Alive>
void TestOwner(Make make, Alive alive) {
    const auto first = make(), second = make();
    {
        Owner moved(first);
        Owner holder(std::move(moved));
        CHECK(!moved && holder.get() == first);
        Owner other(second);
        other = std::move(holder);
        CHECK(!holder && other.get() == first);
        CHECK(!alive(second) && alive(first));
    }
    CHECK(!alive(first));
    Owner reset(make());
    const auto held = reset.get();
    reset.reset();
    CHECK(!reset && !alive(held));
}

void TestHandleOwners() {
    TestOwner<OwnedWindow>(
        [] { return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr); },
        [](HWND window) { return IsWindow(window) != FALSE; });
    TestOwner<GdiObject<HBRUSH>>([] { return CreateSolidBrush(RGB(1, 2, 3)); },
                                 [](HBRUSH brush) { return GetObjectType(brush) != 0; });
    TestOwner<KernelHandle>([] { return CreateEventW(nullptr, TRUE, FALSE, nullptr); },
                            [](HANDLE event) {
                                DWORD flags = 0;
                                return GetHandleInformation(event, &flags) != FALSE;
                            });
}

void TestDisplayModeRequest() {
    const DisplayModeRequest request = DisplayModeFor(32);
    CHECK(request.mode.dmSize == sizeof(DEVMODEA));
    CHECK(request.mode.dmFields == 0x5C0000);
    CHECK(request.mode.dmBitsPerPel == 32);
    CHECK(request.mode.dmPelsWidth == 0 && request.mode.dmPelsHeight == 0 && request.mode.dmDisplayFrequency == 0);
    CHECK(request.flags == 0x80000000);
}

void TestDesktopQueries(Win32Platform& platform) {
    Desktop& desktop = platform.desktop();
    // The platform declared per-monitor DPI awareness: every coordinate is a physical pixel.
    CHECK(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()) == DPI_AWARENESS_PER_MONITOR_AWARE);
    SetCursorPos(123, 45);
    CHECK(desktop.CursorPos() == (Point{123, 45}));

    const std::vector<Rect> monitors = desktop.Monitors();
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    CHECK(!monitors.empty() && monitors.front() == (Rect{work.left, work.top, work.right, work.bottom}));

    CHECK(desktop.BitsPerPixel() == 32);
    desktop.RequestBitsPerPixel(32);
    CHECK(desktop.BitsPerPixel() == 32);
}

// The file service in a folder beside this executable, with a Chinese name, and
// the same file held by a handle that shares nothing.
void TestFiles(Win32Platform& platform) {
    using Bytes = std::vector<std::uint8_t>;
    Files& files = platform.files();
    const std::string folder = "backend-files";
    const std::string name = folder + "/\xE8\xAE\xBE\xE7\xBD\xAE.bin";  // 设置.bin
    for (const std::string& left : files.List(folder)) files.Remove(folder + "/" + left);
    CHECK(files.MakeFolder(folder) && files.MakeFolder(folder));
    CHECK(files.List(folder).empty());
    CHECK(files.Read(name).result == FileResult::Missing);
    CHECK(files.WriteAt(name, 0, Bytes{1}) == FileResult::Missing);  // never creates
    CHECK(files.Replace(name, Bytes{1, 2, 3, 4, 5, 6}) == FileResult::Ok);
    CHECK(files.WriteAt(name, 2, Bytes{9, 9}) == FileResult::Ok);
    const FileContents read = files.Read(name);
    CHECK(read.result == FileResult::Ok && read.bytes == (Bytes{1, 2, 9, 9, 5, 6}));
    CHECK(files.Replace(name, Bytes{7}) == FileResult::Ok);
    CHECK(files.Read(name).bytes == Bytes{7});
    CHECK(files.List(folder) == std::vector<std::string>{"\xE8\xAE\xBE\xE7\xBD\xAE.bin"});  // no temporary left
    CHECK(files.Read(folder).result == FileResult::Failed);
    // A folder where the temporary file would go does not stop a replace.
    CHECK(files.MakeFolder(name + ".new") && files.Replace(name, Bytes{8}) == FileResult::Ok);
    CHECK(files.Read(name).bytes == Bytes{8} && files.List(folder).size() == 1);
    CHECK(files.Replace(name, Bytes{7}) == FileResult::Ok);
    RemoveDirectoryW(Widen(name + ".new").c_str());

    wchar_t exe[MAX_PATH];
    const std::wstring path = std::wstring(exe, GetModuleFileNameW(nullptr, exe, MAX_PATH));
    const std::wstring held = path.substr(0, path.find_last_of(L'\\') + 1) + Widen(folder) + L"\\" +
                              L"\u8bbe\u7f6e.bin";
    {
        const vantrel::platform::win32::FileHandle holder(
            CreateFileW(held.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        CHECK(static_cast<bool>(holder));
        CHECK(files.Read(name).result == FileResult::Locked);
        CHECK(files.WriteAt(name, 0, Bytes{8}) == FileResult::Locked);
        CHECK(files.Replace(name, Bytes{8, 8}) != FileResult::Ok);
    }
    CHECK(files.Read(name).bytes == Bytes{7});
    CHECK(files.List(folder).size() == 1);
    CHECK(files.Remove(name) && files.Remove(name));
    CHECK(files.Read(name).result == FileResult::Missing);
    RemoveDirectoryW(Widen(folder).c_str());
}

void TestMouseAndClose(Win32Platform& platform) {
    Recorder recorder;
    auto window = platform.CreateHostedWindow(WindowSpec{"mouse", 80, 60, Point{500, 500}, {}}, recorder);
    window->Show();
    const HWND h = ToHwnd(platform.desktop().FindWindowByTitle("mouse"));
    CHECK(h != nullptr);

    struct Step {
        UINT message;
        WPARAM held;  // buttons still down after the message, as the system reports them
        int x, y;
        RecordedEvent expected;
        bool capturedAfter;
    };
    const Step steps[] = {
        {WM_LBUTTONDOWN, MK_LBUTTON, 3, 4, {'d', MouseButton::Left, {3, 4}}, true},
        {WM_MOUSEMOVE, MK_LBUTTON, -5, 70, {'m', MouseButton::Left, {-5, 70}}, true},
        {WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, 6, 7, {'d', MouseButton::Right, {6, 7}}, true},
        {WM_RBUTTONUP, MK_LBUTTON, 6, 8, {'u', MouseButton::Right, {6, 8}}, true},
        {WM_LBUTTONUP, 0, -20, 300, {'u', MouseButton::Left, {-20, 300}}, false},
        {WM_MBUTTONDOWN, MK_MBUTTON, 79, 59, {'d', MouseButton::Middle, {79, 59}}, true},
        {WM_MBUTTONUP, 0, 0, 0, {'u', MouseButton::Middle, {0, 0}}, false},
    };
    for (const Step& step : steps) {
        recorder.events.clear();
        SendMessageW(h, step.message, step.held,
                     MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(step.x)), static_cast<WORD>(static_cast<SHORT>(step.y))));
        CHECK(recorder.events == std::vector<RecordedEvent>{step.expected});
        CHECK((GetCapture() == h) == step.capturedAfter);
    }

    // A close request is only reported; the window stays until its owner lets it go.
    SendMessageW(h, WM_CLOSE, 0, 0);
    CHECK(recorder.closeRequests == 1);
    CHECK(IsWindow(h));

    // The session's end: the query is agreed to at once; only an end that happens is reported.
    CHECK(SendMessageW(h, WM_QUERYENDSESSION, 0, 0) == TRUE);
    SendMessageW(h, WM_ENDSESSION, FALSE, 0);
    CHECK(recorder.sessionEnds == 0);
    SendMessageW(h, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    CHECK(recorder.sessionEnds == 1);

    // ...and the owner may let it go from inside the handler.
    recorder.onClose = [&window] { window.reset(); };
    SendMessageW(h, WM_CLOSE, 0, 0);
    CHECK(recorder.closeRequests == 2);
    CHECK(!IsWindow(h));
}

// Tooltip windows of the common controls owned by `owner`.
std::vector<HWND> Tooltips(HWND owner) {
    return TopLevelWindows([owner](HWND window) { return IsTooltipOf(window, owner); });
}

// Their tool counts.
std::vector<LRESULT> ToolCounts(HWND owner) {
    std::vector<LRESULT> counts;
    for (HWND tooltip : Tooltips(owner)) counts.push_back(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0));
    return counts;
}

void TestTooltips(Win32Platform& platform) {
    Recorder recorder;
    auto window = platform.CreateHostedWindow(WindowSpec{"tips", 100, 40, Point{600, 600}, {}}, recorder);
    window->Show();
    const HWND h = ToHwnd(platform.desktop().FindWindowByTitle("tips"));

    window->SetTooltips({{Rect{0, 0, 50, 40}, "left"}, {Rect{50, 0, 100, 40}, "跑得快"}});
    CHECK(ToolCounts(h) == std::vector<LRESULT>{2});
    // Its font is asked for in a Chinese character set, whatever the system's tip font.
    LOGFONTW font{};
    const std::vector<HWND> tooltips = Tooltips(h);
    CHECK(tooltips.size() == 1 &&
          GetObjectW(reinterpret_cast<HFONT>(SendMessageW(tooltips.front(), WM_GETFONT, 0, 0)), sizeof font, &font) &&
          font.lfCharSet == GB2312_CHARSET);
    window->SetTooltips({{Rect{0, 0, 100, 40}, "whole"}});
    CHECK(ToolCounts(h) == std::vector<LRESULT>{1});
    window->SetTooltips({});
    CHECK(ToolCounts(h).empty());
}

// Timers in the real loop: one stops itself from its own tick; one runs a nested
// message loop inside its tick (as the system's move loop would) and must not be
// re-entered by it; a controller quits once all that has been seen.
void TestTimers(Win32Platform& platform) {
    int selfStopping = 0, nesting = 0, nestingDepth = 0, nestingMaxDepth = 0, paced = 0;
    TimerId selfStoppingId = 0;
    selfStoppingId = platform.StartTimer(10, [&] {
        if (++selfStopping == 3) platform.StopTimer(selfStoppingId);
    });
    const TimerId nestingId = platform.StartTimer(10, [&] {
        ++nesting;
        ++nestingDepth;
        nestingMaxDepth = std::max(nestingMaxDepth, nestingDepth);
        if (nesting == 1) {
            const int until = paced + 5;
            MSG message;
            while (paced < until && GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
        }
        --nestingDepth;
    });
    const TimerId pacedId = platform.StartTimer(10, [&] { ++paced; });
    const TimerId controllerId = platform.StartTimer(10, [&] {
        if (selfStopping == 3 && nesting >= 3 && paced >= 20) platform.Quit();
    });
    CHECK(platform.RunMessageLoop() == 0);
    for (const TimerId id : {nestingId, pacedId, controllerId}) platform.StopTimer(id);
    CHECK(selfStopping == 3);
    CHECK(nestingMaxDepth == 1);
    CHECK(nesting >= 3);
}

// DragWindow under real input: the press is handed to the system's move loop,
// timers keep ticking inside it, and the loop ends on the release. The input is
// synthesised from a timer tick while the loop runs.
void TestDrag(Win32Platform& platform) {
    Recorder recorder;
    auto window = platform.CreateHostedWindow(WindowSpec{"drag", 100, 100, Point{800, 300}, {}}, recorder);
    window->PresentWhole(TestPattern(100, 100));
    window->Show();
    const ForeignWindow handle = platform.desktop().FindWindowByTitle("drag");
    platform.desktop().PlaceTopmost(handle, Point{800, 300});

    const auto send = [](DWORD flags, int x, int y) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = x * 65536 / GetSystemMetrics(SM_CXSCREEN);
        input.mi.dy = y * 65536 / GetSystemMetrics(SM_CYSCREEN);
        input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &input, sizeof input);
    };
    bool dragging = false, dragReturned = false;
    int ticksInDrag = 0;
    recorder.onDown = [&] {
        dragging = true;
        window->DragWindow();
        dragging = false;
        dragReturned = true;
        platform.Quit();
    };
    const TimerId mover = platform.StartTimer(15, [&] {
        if (!dragging) return;
        ++ticksInDrag;
        if (ticksInDrag == 2) send(MOUSEEVENTF_MOVE, 860, 340);
        if (ticksInDrag == 4) send(MOUSEEVENTF_MOVE, 880, 360);
        if (ticksInDrag == 6) send(MOUSEEVENTF_LEFTUP, 880, 360);
    });
    send(MOUSEEVENTF_MOVE, 850, 350);
    send(MOUSEEVENTF_LEFTDOWN, 850, 350);
    CHECK(platform.RunMessageLoop() == 0);
    platform.StopTimer(mover);

    CHECK(dragReturned);
    CHECK(ticksInDrag >= 6);
    // The press arrived once; the release that ended the drag went to the move loop.
    std::vector<RecordedEvent> pressesAndReleases;
    for (const RecordedEvent& e : recorder.events)
        if (e.kind != 'm') pressesAndReleases.push_back(e);
    CHECK((pressesAndReleases == std::vector<RecordedEvent>{{'d', MouseButton::Left, {50, 50}}}));
    // Moved with the cursor: +30, +10 from where the press was.
    CHECK(platform.desktop().WindowRect(handle) == (Rect{830, 310, 930, 410}));
}

}  // namespace

int main() {
    Win32Platform platform;
    TestUtf16();
    TestWindowAndCaptures(platform);
    TestHeldDcGoesWithTheWindow(platform);
    TestHandleOwners();
    TestDisplayModeRequest();
    TestDesktopQueries(platform);
    TestFiles(platform);
    TestMouseAndClose(platform);
    TestTooltips(platform);
    TestTimers(platform);
    TestDrag(platform);
    std::printf("%s: %d failed checks\n", failures ? "FAILED" : "passed", failures);
    return failures ? 1 : 0;
}
