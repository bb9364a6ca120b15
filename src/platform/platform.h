// The seam: every operating-system service the program uses, in one place.
// Above this header nothing names an OS type. Two backends implement it: win32/
// (user32 and gdi32, the real program) and headless/ (a fake desktop on a virtual
// clock, for tests). Time is never read below this interface: timers are the only
// clock the program sees, so the headless backend can run hours of play in
// milliseconds.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/image.h"

namespace vantrel::platform {

// The seam speaks in the base layer's geometry and pictures.
using base::Image;
using base::Point;
using base::Rect;
using base::Rgb;

// An opaque reference to a top-level window of another program; 0 is none.
using ForeignWindow = std::uintptr_t;

// The client area of a foreign window, held open for the length of one timer
// tick. Destroying it releases the device context.
class ClientSurface {
public:
    virtual ~ClientSurface() = default;
    // The area that can be read, in client pixels: (0, 0, width, height).
    virtual Rect Bounds() const = 0;
    // Copies `area` (clipped to Bounds by the caller) into `out`, row by row,
    // top row first, 32-bit blue-green-red-unused pixels, `area.width()` per row.
    // False when nothing could be copied (a window that has gone): `out` is then
    // left as it was.
    virtual bool Copy(Rect area, std::uint32_t* out) = 0;
};

// What the program may ask of the desktop and of other programs' windows.
class Desktop {
public:
    virtual ~Desktop() = default;
    // Exact title match; UTF-8 in, compared as UTF-16, whatever the ANSI code page.
    // A backend that keeps a window's client area open between ticks lets it go
    // here once the find no longer returns that window.
    virtual ForeignWindow FindWindowByTitle(const std::string& title) = 0;
    // Outer rectangle in screen pixels; an empty rectangle when the window is gone.
    virtual Rect WindowRect(ForeignWindow window) = 0;
    // Moves the window's top-left corner, keeps its size, puts it in the topmost band.
    virtual void PlaceTopmost(ForeignWindow window, Point topLeft) = 0;
    // Nothing for window 0: with no game window there is nothing to read (never the
    // screen, which shows other programs).
    virtual std::unique_ptr<ClientSurface> OpenClient(ForeignWindow window) = 0;
    virtual int BitsPerPixel() = 0;
    // Asks for a 32-bit display mode; the answer is not examined.
    virtual void RequestBitsPerPixel(int bits) = 0;
    virtual Point CursorPos() = 0;
    // Work areas of the monitors, in screen pixels, the primary one first.
    virtual std::vector<Rect> Monitors() = 0;
    // The primary monitor's dots per inch, 96 at 100%: the display scale the
    // program's windows are drawn at, and the one its stored places are kept in.
    virtual int PrimaryDpi() = 0;
};

enum class MouseButton : std::uint8_t { None = 0, Left = 1, Right = 2, Middle = 4 };

// Input a hosted window receives; positions are window pixels.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    virtual void OnMouseDown(MouseButton button, Point at) = 0;
    virtual void OnMouseUp(MouseButton button, Point at) = 0;
    virtual void OnMouseMove(Point at) = 0;
    // The system asks the window to close (Alt+F4, WM_CLOSE from elsewhere).
    virtual void OnCloseRequest() = 0;
    // The window now stands here (screen pixels): the user dragged it, or it was
    // moved from outside, or by the program itself.
    virtual void OnMoved(Point topLeft) = 0;
    // The session is ending (log-off, shutdown): whatever the program keeps must be
    // written before this returns, for the system may end the process straight after.
    virtual void OnEndSession() = 0;
    // A key went down while the window was active: `key` is its virtual-key code
    // ('A'..'Z' for letters), `control` whether a Ctrl key was held.
    virtual void OnKeyDown(std::uint16_t /*key*/, bool /*control*/) {}
    // The window now stands on a monitor of `dpi` dots per inch (dragged there, or
    // the monitor's scale changed); `suggested` (screen pixels) is where the system
    // would have it stand at that scale.
    virtual void OnDpiChanged(int /*dpi*/, Rect /*suggested*/) {}
};

struct TooltipArea {
    Rect area;  // window pixels
    std::string text;  // UTF-8
};

// One borderless on-screen window of the program, destroyed with this object.
class HostedWindow {
public:
    virtual ~HostedWindow() = default;
    // The window's client area becomes `frame` (the window's size). Only the
    // `changed` rectangles (window pixels) differ from the frame presented before;
    // only they are copied and repainted, so a 12 x 12 blink costs 12 x 12 pixels.
    virtual void Present(const base::Image& frame, std::span<const Rect> changed) = 0;
    // A first frame, or one that changed all over.
    void PresentWhole(const base::Image& frame) {
        const Rect whole = frame.Bounds();
        Present(frame, {&whole, 1});
    }
    virtual void MoveTo(Point topLeft) = 0;  // screen pixels
    virtual void Show() = 0;
    // Layered style with full opacity: the window looks exactly as before.
    virtual void MakeLayered() = 0;
    // Hands the current press to the system's move loop; returns when the mouse
    // button is released. Timers keep firing inside it.
    virtual void DragWindow() = 0;
    virtual void SetTooltips(std::vector<TooltipArea> areas) = 0;
    // The dots per inch of the monitor the window stands on, 96 at 100%.
    virtual int Dpi() = 0;
    // The window covers `screen` (screen pixels) from now on and shows `icons`
    // (the large one first; none: it keeps its own); the next present is a whole
    // frame of its new size.
    virtual void Reshape(Rect screen, const std::vector<std::shared_ptr<const Image>>& icons) = 0;
};

struct WindowSpec {
    std::string caption;  // UTF-8
    int width = 0, height = 0;  // client pixels
    Point topLeft;             // screen pixels
    // The window's icon in its sizes, largest first (for example 32 x 32, then 16 x 16); may be empty.
    std::vector<std::shared_ptr<const Image>> icons;
};

enum class FileResult : std::uint8_t { Ok, Missing, Locked, Failed };
struct FileContents {
    FileResult result = FileResult::Failed;
    std::vector<std::uint8_t> bytes;
};
// Files in the program's own folder (the executable's), named by UTF-8 paths
// relative to it with '/' between folders ("Qelsetup.qes", "reports/x.vxr").
// Nothing is held open between calls.
class Files {
public:
    virtual ~Files() = default;
    // The whole file. Missing: there is none; Locked: another program holds it
    // (a sharing violation); Failed: anything else (a folder, unreadable).
    virtual FileContents Read(std::string_view name) = 0;
    // Writes `bytes` at `offset` into a file that exists; never creates or truncates.
    // Ok only when every byte was written.
    virtual FileResult WriteAt(std::string_view name, std::uint64_t offset, std::span<const std::uint8_t> bytes) = 0;
    // Creates or replaces the whole file through a temporary file beside it and a
    // rename, so the name never holds a short file.
    virtual FileResult Replace(std::string_view name, std::span<const std::uint8_t> bytes) = 0;
    virtual bool MakeFolder(std::string_view name) = 0;  // true when it exists afterwards
    virtual std::vector<std::string> List(std::string_view folder) = 0;  // file names in it, sorted
    virtual bool Remove(std::string_view name) = 0;
};

// Files that pass every call on to others: a decorator overrides what it changes.
class ForwardingFiles : public Files {
public:
    explicit ForwardingFiles(Files& inner) : inner_(inner) {}
    FileContents Read(std::string_view name) override { return inner_.Read(name); }
    FileResult WriteAt(std::string_view name, std::uint64_t offset, std::span<const std::uint8_t> bytes) override {
        return inner_.WriteAt(name, offset, bytes);
    }
    FileResult Replace(std::string_view name, std::span<const std::uint8_t> bytes) override {
        return inner_.Replace(name, bytes);
    }
    bool MakeFolder(std::string_view name) override { return inner_.MakeFolder(name); }
    std::vector<std::string> List(std::string_view folder) override { return inner_.List(folder); }
    bool Remove(std::string_view name) override { return inner_.Remove(name); }

protected:
    Files& inner_;
};

using TimerId = std::uint32_t;

// A moment of the local calendar, as the clock on the wall shows it.
struct CalendarTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

class Platform {
public:
    virtual ~Platform() = default;
    virtual Desktop& desktop() = 0;
    virtual std::unique_ptr<HostedWindow> CreateHostedWindow(const WindowSpec& spec, WindowEvents& events) = 0;
    // A repeating timer on the UI thread. Ticks never overlap: a tick runs to its
    // end before anything else is handled. Ids are never 0.
    virtual TimerId StartTimer(int intervalMs, std::function<void()> tick) = 0;
    // The same, naming the timer ("VXMain.tmrEmit"), so that a recording of the
    // program's ticks can say which of its timers each one was.
    virtual TimerId StartNamedTimer(std::string_view /*name*/, int intervalMs, std::function<void()> tick) {
        return StartTimer(intervalMs, std::move(tick));
    }
    virtual void StopTimer(TimerId id) = 0;
    // Read only to name what the program writes for people (a report's file name);
    // the program's behaviour never depends on it.
    virtual CalendarTime LocalTime() = 0;
    // The files beside the program's executable.
    virtual Files& files() = 0;
    // Ends the event loop once the current event has been handled.
    virtual void Quit() = 0;
};

}  // namespace vantrel::platform
