// live_chrome: the main window's chrome of the real vantrel.exe under Wine, driven
// by the real X pointer (xdotool) and read back off the screen as pixels.
//
//   live_chrome VANTREL_EXE TABLE_EXE WORK_DIR      (no table is started)
//
// vantrel.exe runs from a fresh folder of WORK_DIR with its windows placed by a
// settings file written first: the main window at (100, 100), the detail window
// at (300, 600), the player window at (800, 600). Then:
//  - each hover look appears one pixel inside its rectangle and goes on its edge,
//    and goes when the pointer leaves the window;
//  - the tooltip of button 2 shows its Chinese text (the screen around it is
//    saved as tooltip.png);
//  - button 2 pressed, slid off and released there does nothing; flicked off
//    quicker than a hover tick it keeps no pressed look; buttons 2 and 3 then
//    bring the detail and player windows back where they were closed;
//  - the main window dragged by its background, then by a grid mark, moves by the
//    pointer's travel;
//  - the close button ends the process, and records 1 to 3 hold where the
//    windows stood, in twips.
// Exit status 0 when everything held; on failure a screenshot of the desktop
// before the close is left in WORK_DIR.
#include <windows.h>

#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "base/png.h"
#include "live_run.h"
#include "platform/win32/utf16.h"
#include "shared/layouts.h"

namespace {

using vantrel::e2e::Checks;
using vantrel::e2e::FileBytes;
using vantrel::e2e::LiveRun;
using vantrel::e2e::WindowReader;
using vantrel::e2e::Xdotool;
using vantrel::e2e::IsTooltipOf;
using vantrel::e2e::OuterRect;
using vantrel::e2e::TopLevelWindows;
using vantrel::e2e::Record;
using vantrel::e2e::RecordOf;
using vantrel::e2e::WaitFor;
using vantrel::base::Image;
using vantrel::base::Point;
using vantrel::base::Rect;
using vantrel::platform::win32::Narrow;
using vantrel::platform::win32::Widen;

std::string At(Point p) {
    char text[32];
    std::snprintf(text, sizeof text, "(%d, %d)", p.x, p.y);
    return text;
}

constexpr DWORD kSettleMs = 3000;  // a hover tick is 50 ms; Wine and a loaded machine add the rest

// The real X pointer, moved and pressed with xdotool as a user's mouse would be.
class XPointer {
public:
    explicit XPointer(const std::wstring& unixWork) : xdotool_(unixWork) {}

    bool Do(const std::string& command) { return xdotool_.Run(command); }
    // --sync waits until the pointer stands there; a move to where it is would wait forever.
    bool MoveTo(Point p) {
        if (p == at_) return true;
        at_ = p;
        return Do("mousemove --sync " + std::to_string(p.x) + " " + std::to_string(p.y));
    }
    bool Press() { return Do("mousedown 1"); }
    // Moved to `p` and released there in one xdotool run, quicker than a hover tick.
    bool FlickTo(Point p) {
        at_ = p;
        return Do("mousemove " + std::to_string(p.x) + " " + std::to_string(p.y) + " mouseup 1");
    }
    bool Release() { return Do("mouseup 1"); }
    // Pressed at `from`, moved in ten steps as a hand drags, released at `to`.
    bool Drag(Point from, Point to) {
        bool ok = MoveTo(from) && Press();
        for (int step = 1; step <= 10 && ok; ++step) {
            ok = MoveTo({from.x + (to.x - from.x) * step / 10, from.y + (to.y - from.y) * step / 10});
            Sleep(30);
        }
        return Release() && ok;
    }

private:
    Xdotool xdotool_;
    Point at_{-1, -1};
};

// The main window's chrome read back off the screen.
class Chrome {
public:
    Chrome() : main_(vantrel::layouts::kMain) {}

    HWND window() const { return vantrel::e2e::FindCaption(vantrel::e2e::kMainCaption); }
    // The screen point of window pixel (x, y).
    Point Screen(int x, int y) const {
        const Rect r = OuterRect(window());
        return {r.left + x, r.top + y};
    }
    Point ButtonCentre(int button) const {
        const auto& look = Look("imgMouseOn", button);
        return Screen(look.left + look.width / 2, look.top + look.height / 2);
    }
    Point Background() const { return Screen(5, 300); }

    // The buttons whose hover look shows, and whether a pressed look does.
    std::vector<int> HoverLooks() {
        std::vector<int> shown;
        if (!main_.Capture()) return {-1};
        for (int button : {1, 2, 3, 5})
            if (Shows(Look("imgMouseOn", button))) shown.push_back(button);
        return shown;
    }
    bool PressedLook(int button) { return main_.Capture() && Shows(Look("imgMouseDown", button)); }
    const WindowReader& reader() const { return main_; }
    bool WaitForLooks(const std::vector<int>& looks) {
        return WaitFor(kSettleMs, [&] { return HoverLooks() == looks; });
    }

private:
    static const vantrel::ui::ControlSpec& Look(std::string_view name, int button) {
        return vantrel::ui::FindControl(vantrel::layouts::kMain, name, button);
    }
    bool Shows(const vantrel::ui::ControlSpec& look) const { return main_.Shows(look.picture, look.left, look.top); }

    WindowReader main_;
};

// The visible tooltip control owned by `owner`, if any.
HWND VisibleTooltip(HWND owner) {
    const std::vector<HWND> shown =
        TopLevelWindows([owner](HWND window) { return IsTooltipOf(window, owner) && IsWindowVisible(window); });
    return shown.empty() ? nullptr : shown.front();
}

// The text a tooltip control shows. Asked with WM_GETTEXT, which the system
// carries across processes: GetWindowText would answer the control's empty caption.
std::wstring TipText(HWND tooltip) {
    wchar_t text[128] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(tooltip, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &copied);
    return text;
}

void SaveScreen(vantrel::platform::win32::Win32Desktop& desktop, Rect area, const std::wstring& file) {
    Image shot(area.width(), area.height());
    desktop.OpenScreen()->Copy(area, shot.data());
    vantrel::base::WritePng(shot, Narrow(file));
}

// Closes an overlay window standing at `at` (moved there first) as the system would.
bool MoveAndClose(const wchar_t* caption, Point at) {
    const HWND window = FindWindowW(nullptr, caption);
    SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageW(window, WM_CLOSE, 0, 0);
    return WaitFor(kSettleMs, [&] { return !IsWindow(window); });
}

bool ShownAt(const wchar_t* caption, Point at) {
    return WaitFor(kSettleMs, [&] {
        const HWND window = FindWindowW(nullptr, caption);
        return window && IsWindowVisible(window) && OuterRect(window).left == at.x && OuterRect(window).top == at.y;
    });
}

int Run(LiveRun& run) {
    Checks& check = run.check();
    vantrel::platform::win32::Win32Desktop desktop;
    const std::wstring& work = run.work();
    const auto placed = vantrel::e2e::SettingsBytes({{{1500, 1500}, {4500, 9000}, {12000, 9000}, {175, 8}}});
    if (!run.StartVantrel({.from = work, .settings = &placed})) return run.Verdict();
    check.That(WaitFor(60000,
                       [] {
                           return FindWindowW(nullptr, L"VXMain") && FindWindowW(nullptr, L"VXDetail") &&
                                  FindWindowW(nullptr, L"VXPlayer");
                       }),
               "the three windows did not come up");
    Chrome chrome;
    XPointer pointer(Widen(run.hostWork()));
    // It places itself once it has shown the other two.
    check.That(WaitFor(kSettleMs,
                       [&] { return OuterRect(chrome.window()).left == 100 && OuterRect(chrome.window()).top == 100; }),
               "the main window is not at (100, 100)");

    // Hover looks at their rectangles' edges: each case from the one before it, so
    // that a look must come or go.
    check.That(pointer.MoveTo(chrome.Background()), "xdotool could not move the pointer");
    struct Edge {
        int x, y;  // window pixels
        std::vector<int> looks;
    };
    const Edge edges[] = {
        {13, 470, {1}}, {12, 470, {}},  {13, 470, {1}}, {31, 470, {}},  {30, 470, {1}}, {30, 463, {}},
        {30, 464, {1}}, {30, 482, {}},  {30, 481, {1}}, {41, 481, {2}}, {40, 481, {}},  {69, 470, {3}},
        {87, 470, {}},  {109, 1, {5}},  {108, 1, {}},   {125, 13, {5}}, {125, 14, {}},
    };
    for (const Edge& e : edges) {
        pointer.MoveTo(chrome.Screen(e.x, e.y));
        check.That(chrome.WaitForLooks(e.looks), "window pixel " + At({e.x, e.y}) +
                                                     ": the hover looks shown are not the expected " +
                                                     std::to_string(e.looks.size()));
    }
    pointer.MoveTo(chrome.ButtonCentre(1));
    check.That(chrome.WaitForLooks({1}), "no hover look over button 1");
    pointer.MoveTo({640, 300});  // off every window
    check.That(chrome.WaitForLooks({}), "the hover look stayed after the pointer left the window");

    // The tooltip of button 2, in Chinese.
    pointer.MoveTo(chrome.Background());
    pointer.MoveTo(chrome.ButtonCentre(2));
    HWND tip = nullptr;
    check.That(WaitFor(5000, [&] { return (tip = VisibleTooltip(chrome.window())) != nullptr; }), "no tooltip showed");
    if (tip) {
        check.That(TipText(tip) == L"\u51fa\u724c\u67e5\u770b\u5668", "the tooltip reads \"" + Narrow(TipText(tip)) + "\"");
        const Rect both = vantrel::base::BoundingUnion(OuterRect(chrome.window()), OuterRect(tip));
        SaveScreen(desktop, {both.left - 8, both.top - 8, both.right + 8, both.bottom + 8}, work + L"\\tooltip.png");
    }

    // Pressed, slid off and released there: nothing but the look's going.
    check.That(MoveAndClose(L"VXDetail", {260, 700}), "the detail window did not close");
    pointer.MoveTo(chrome.Background());
    pointer.MoveTo(chrome.ButtonCentre(2));
    check.That(chrome.WaitForLooks({2}), "no hover look over button 2");
    pointer.Press();
    check.That(WaitFor(kSettleMs, [&] { return chrome.PressedLook(2); }), "no pressed look while button 2 is held");
    pointer.MoveTo(chrome.Screen(50, 300));
    check.That(WaitFor(kSettleMs, [&] { return !chrome.PressedLook(2); }), "the pressed look stayed off the button");
    pointer.Release();
    check.That(chrome.WaitForLooks({}), "the hover look stayed after a release off the button");
    Sleep(500);
    check.That(FindWindowW(nullptr, L"VXDetail") == nullptr, "a release off button 2 showed the detail window");

    // Flicked: pressed until its pressed look shows, then moved off and released in
    // one go, quicker than a hover tick. The look goes with the release, and button
    // 2 still works below.
    pointer.MoveTo(chrome.Background());
    pointer.MoveTo(chrome.ButtonCentre(2));
    check.That(chrome.WaitForLooks({2}), "no hover look over button 2 before the flick");
    pointer.Press();
    check.That(WaitFor(kSettleMs, [&] { return chrome.PressedLook(2); }), "no pressed look before the flick");
    check.That(pointer.FlickTo(chrome.Screen(50, 300)), "xdotool could not flick");
    check.That(WaitFor(kSettleMs, [&] { return !chrome.PressedLook(2) && chrome.HoverLooks().empty(); }),
               "a flicked button 2 kept its pressed look");

    // Buttons 2 and 3 bring their windows back where they were closed.
    check.That(MoveAndClose(L"VXPlayer", {700, 760}), "the player window did not close");
    for (const auto& [button, caption, at] : {std::tuple{2, L"VXDetail", Point{260, 700}},
                                              std::tuple{3, L"VXPlayer", Point{700, 760}}}) {
        pointer.MoveTo(chrome.Background());
        pointer.MoveTo(chrome.ButtonCentre(button));
        check.That(chrome.WaitForLooks({button}), "no hover look over button " + std::to_string(button));
        pointer.Press();
        pointer.Release();
        check.That(ShownAt(caption, at),
                   "button " + std::to_string(button) + " did not bring its window back at " + At(at));
    }

    // Dragged by the background, then by a grid mark (the king of diamonds, far
    // from the edges it is dragged towards).
    auto mainAt = [&] { return At({OuterRect(chrome.window()).left, OuterRect(chrome.window()).top}); };
    const Point background = chrome.Background();
    check.That(pointer.Drag(background, {background.x + 60, background.y + 40}), "xdotool could not drag");
    check.That(WaitFor(kSettleMs, [&] { return OuterRect(chrome.window()).left == 160 && OuterRect(chrome.window()).top == 140; }),
               "dragged by the background by (60, 40), the main window stands at " + mainAt());
    const auto& king = vantrel::ui::FindControl(vantrel::layouts::kMain, "imgRMCard", 44);
    const Point mark = chrome.Screen(king.left + king.width / 2, king.top + king.height / 2);
    check.That(pointer.Drag(mark, {mark.x - 40, mark.y - 30}), "xdotool could not drag");
    check.That(WaitFor(kSettleMs, [&] { return OuterRect(chrome.window()).left == 120 && OuterRect(chrome.window()).top == 110; }),
               "dragged by a mark by (-40, -30), the main window stands at " + mainAt());

    // The screen as it stands, before the close takes the program's windows away.
    run.SaveScreensOnFailure({&chrome.reader()});

    // The close button ends the program; the records hold where the windows stood.
    pointer.MoveTo(chrome.Background());
    pointer.MoveTo(chrome.ButtonCentre(5));
    check.That(chrome.WaitForLooks({5}), "no hover look over the close button");
    pointer.Press();
    pointer.Release();
    run.ExpectExit("at its close button");
    const auto bytes = FileBytes(run.SettingsPath());
    const Record expected[] = {{120 * 15, 110 * 15}, {260 * 15, 700 * 15}, {700 * 15, 760 * 15}, {175, 8}};
    for (int record = 1; record <= 4; ++record) {
        const Record held = RecordOf(bytes, record);
        check.That(held == expected[record - 1], "record " + std::to_string(record) + " holds " +
                                                     vantrel::e2e::Describe(held) + ", not " +
                                                     vantrel::e2e::Describe(expected[record - 1]));
    }
    return run.Verdict({&chrome.reader()});
}

}  // namespace

int wmain(int argc, wchar_t** argv) { return vantrel::e2e::LiveTestMain(argc, argv, "live_chrome", Run); }
