// capture_bench: what reading another program's window costs, measured the way
// the program reads the game. A child process (this executable, run with
// --target) shows an 800 x 600 client area titled like the game and painted with
// the test pattern; the parent scans one seat's span of 181 pixels of one row
//   (a) as 181 one-pixel copies per tick, one BitBlt each, and
//   (b) as one 181 x 1 copy per tick, the probes then served from memory,
// and copies the whole client area once per round. It prints the median cost of
// each per tick in microseconds and the ratio of (a) to (b). Every copy is also
// checked against the pattern: the exit status is 1 if any pixel read is wrong.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "child_process.h"
#include "pattern.h"
#include "platform/win32/desktop.h"
#include "platform/win32/handles.h"
#include "platform/win32/utf16.h"
#include "support/game_title.h"

namespace {

using vantrel::platform::ClientSurface;
using vantrel::platform::ForeignWindow;
using vantrel::base::Rect;
using vantrel::platform::win32::BitmapCanvas;
using vantrel::platform::win32::PaintDc;
using vantrel::platform::win32::Win32Desktop;

using vantrel::testing::kGameTitle;
constexpr int kClientWidth = 800, kClientHeight = 600;
constexpr int kSpanLeft = 310, kSpanWidth = 181, kRow = 420;
constexpr int kTicks = 300, kFullCopies = 40;

// --- the child: a framed window standing in for the game -------------------

BitmapCanvas* targetPicture = nullptr;

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            const PaintDc paint(window);
            BitBlt(paint.get(), 0, 0, kClientWidth, kClientHeight, targetPicture->dc(), 0, 0, SRCCOPY);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

int RunTarget() {
    BitmapCanvas picture(nullptr, kClientWidth, kClientHeight);
    const vantrel::base::Image pattern = vantrel::e2e::TestPattern(kClientWidth, kClientHeight);
    std::copy_n(pattern.data(), static_cast<std::size_t>(kClientWidth) * kClientHeight, picture.dib().bits());
    targetPicture = &picture;

    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = TargetProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"CaptureBenchTarget";
    RegisterClassExW(&windowClass);
    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT outer{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRect(&outer, style, FALSE);
    const vantrel::platform::win32::OwnedWindow window(
        CreateWindowExW(0, windowClass.lpszClassName, vantrel::platform::win32::Widen(kGameTitle).c_str(), style | WS_VISIBLE, 20, 20,
                        outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance, nullptr));
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}

// --- the parent: the measurements ------------------------------------------

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    static const double ticksPerMicrosecond = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1e6;
    }();
    return static_cast<double>(to.QuadPart - from.QuadPart) / ticksPerMicrosecond;
}

double Median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

template <typename Work>
double MedianMicroseconds(int rounds, Work&& work) {
    std::vector<double> samples;
    for (int i = 0; i < rounds; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        work();
        QueryPerformanceCounter(&end);
        samples.push_back(Microseconds(start, end));
    }
    return Median(samples);
}

bool Matches(const std::vector<std::uint32_t>& pixels, const vantrel::base::Image& pattern, Rect area) {
    std::size_t i = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if ((pixels[i++] & 0xFFFFFFu) != pattern.at(x, y)) return false;
    return true;
}


// The target's window once it is up and painted, or 0 after about 30 s.
ForeignWindow WaitForTarget(Win32Desktop& desktop, const vantrel::base::Image& pattern) {
    const Rect probe{0, 0, kClientWidth, 1};
    std::vector<std::uint32_t> row(kClientWidth);
    for (int attempt = 0; attempt < 600; ++attempt, Sleep(50)) {
        const ForeignWindow window = desktop.FindWindowByTitle(kGameTitle);
        if (!window) continue;
        desktop.OpenClient(window)->Copy(probe, row.data());
        if (Matches(row, pattern, probe)) return window;
    }
    return 0;
}

int RunBench() {
    Win32Desktop desktop;
    const vantrel::e2e::ChildProcess child(vantrel::e2e::ChildProcess::ThisExecutable(), L"--target");
    if (!child.started()) {
        std::puts("capture_bench: cannot start the target process");
        return 1;
    }
    const vantrel::base::Image pattern = vantrel::e2e::TestPattern(kClientWidth, kClientHeight);
    const ForeignWindow window = WaitForTarget(desktop, pattern);
    if (!window) {
        std::puts("capture_bench: the target window did not appear painted");
        return 1;
    }

    const std::unique_ptr<ClientSurface> surface = desktop.OpenClient(window);
    const Rect span{kSpanLeft, kRow, kSpanLeft + kSpanWidth, kRow + 1};
    const Rect whole{0, 0, kClientWidth, kClientHeight};
    std::vector<std::uint32_t> probes(kSpanWidth), row(kSpanWidth), full(static_cast<std::size_t>(kClientWidth) * kClientHeight);
    bool correct = true;

    const double perProbe = MedianMicroseconds(kTicks, [&] {
        for (int i = 0; i < kSpanWidth; ++i)
            surface->Copy(Rect{kSpanLeft + i, kRow, kSpanLeft + i + 1, kRow + 1}, &probes[static_cast<std::size_t>(i)]);
    });
    correct = correct && Matches(probes, pattern, span);
    std::uint32_t checksum = 0;
    const double perRow = MedianMicroseconds(kTicks, [&] {
        surface->Copy(span, row.data());
        for (int i = 0; i < kSpanWidth; ++i) checksum += row[static_cast<std::size_t>(i)];
    });
    correct = correct && Matches(row, pattern, span);
    const double perFull = MedianMicroseconds(kFullCopies, [&] { surface->Copy(whole, full.data()); });
    correct = correct && Matches(full, pattern, whole);

    std::printf("capture_bench: medians over %d ticks, window of another process, %d-pixel span\n", kTicks, kSpanWidth);
    std::printf("  (a) %d x 1x1 copies per tick : %10.1f us\n", kSpanWidth, perProbe);
    std::printf("  (b) one %dx1 row per tick   : %10.1f us\n", kSpanWidth, perRow);
    std::printf("  ratio (a)/(b)                 : %10.1f\n", perProbe / perRow);
    std::printf("  whole %dx%d client copy     : %10.1f us (median of %d)\n", kClientWidth, kClientHeight, perFull,
                kFullCopies);
    std::printf("  (checksum %08x)\n", static_cast<unsigned>(checksum));
    if (!correct) std::puts("capture_bench: FAILED: a copy did not read back the target's pattern");

    PostMessageW(reinterpret_cast<HWND>(window), WM_CLOSE, 0, 0);
    return correct ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--target") return RunTarget();
    return RunBench();
}
