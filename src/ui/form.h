// Form: one skinned, borderless window of the program. It has a fixed pixel size, a
// background picture over the back colour RGB(58, 110, 165), a position in twips,
// and its controls in z-order (later ones on top). Its look is composed from the
// background and its visible cells; pictures are swapped, never drawn. The form
// keeps the frame it last presented and, after each event, composes and presents
// again only the rectangles that its cells' changes touched.
//
// Lifecycle: a form's controls exist for the life of the instance. Each load puts
// them back in their start state, creates the on-screen window and then runs the
// load handler. Showing an unloaded form loads it first; showing a loaded one
// leaves it as it is. Unloading runs the query-unload handler, stops the timers and
// destroys the on-screen window; the instance and its state survive.
//
// Mouse input goes to the topmost visible cell under the pointer, or to the bare
// form; the mouse-up goes to the element that received the mouse-down, and a
// click follows when the release lands on that same element.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "base/image.h"
#include "ui/changed_rects.h"
#include "ui/controls.h"
#include "ui/layout.h"
#include "ui/scale.h"
#include "ui/timer.h"

namespace vantrel::ui {

class Toolkit;

constexpr base::Rgb kBackColour{58, 110, 165};

class Form : public platform::WindowEvents {
public:
    Form(Toolkit& toolkit, std::string caption, int widthPx, int heightPx);
    // A form built from its layout table: background, icons, every control in
    // z-order and every timer, with pictures named by the table.
    Form(Toolkit& toolkit, const FormLayout& layout, const PictureSource& pictures);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& caption() const { return caption_; }
    int widthPx() const { return widthPx_; }
    int heightPx() const { return heightPx_; }
    Toolkit& toolkit() const { return toolkit_; }

    bool loaded() const { return window_ != nullptr; }
    void Load();
    void Show();
    void Unload();

    double Left() const { return left_; }
    double Top() const { return top_; }
    void SetLeft(double twips);
    void SetTop(double twips);

    // The window as it looks now, composed afresh: background and visible cells
    // over the back colour. What the window shows after a refresh is exactly this.
    base::Image Compose() const;
    // The on-screen window while loaded, null otherwise.
    platform::HostedWindow* window() const { return window_.get(); }

    // The controls and timers that the layout table named; a name it does not
    // hold is a programming error (std::out_of_range).
    ControlArray<PictureCell>& Cells(std::string_view name);
    PictureCell& Cell(std::string_view name) { return Cells(name)(0); }
    ControlArray<PictureStore>& Stores(std::string_view name);
    PictureStore& Store(std::string_view name) { return Stores(name)(0); }
    Timer& TimerNamed(std::string_view name);

    // Hands the press under way to the system's move loop. The loop swallows the
    // mouse-up, so the press ends here.
    void DragWindow();

    // Called by controls when the look of these window pixels changes; the toolkit
    // presents them after the event.
    void MarkChanged(base::Rect area) {
        if (window_) changed_.Add(area);
    }
    // Called by controls when a cell with a tooltip shows, hides or moves.
    void MarkTooltipsChanged() { tooltipsChanged_ = true; }
    // Composes and presents the parts of the window that changed since the last time.
    void Refresh();

    // WindowEvents: input from the on-screen window, in window pixels.
    void OnMouseDown(platform::MouseButton button, base::Point at) override;
    void OnMouseUp(platform::MouseButton button, base::Point at) override;
    void OnMouseMove(base::Point at) override;
    void OnCloseRequest() override;
    void OnMoved(base::Point topLeft) override;
    void OnEndSession() override;
    void OnKeyDown(std::uint16_t key, bool control) override;
    void OnDpiChanged(int dpi, base::Rect suggested) override;

    // The same picture at another scale; a picture it does not know stays as it is.
    using PictureSwap = std::function<Picture(const Picture&)>;

protected:
    virtual void Form_Load() {}
    virtual void Form_QueryUnload() {}
    virtual void Form_MouseDown(const MouseEvent&) {}
    virtual void Form_MouseUp(const MouseEvent&) {}
    virtual void Form_MouseMove(const MouseEvent&) {}
    // The window stands on a monitor of `dpi` dots per inch: at its first show
    // (`topLeft` empty: it stays where it is) and when the system reports a change,
    // with the top-left corner it suggests.
    virtual void Form_DpiChanged(int /*dpi*/, std::optional<base::Point> /*topLeft*/) {}

    // The form re-laid from its table at another scale (`layout`, the table at
    // `to`), moved to `topLeft` if one is given: its size, every control's start place and
    // size, every picture through `swap`, and the places the code gave cells at
    // run time carried from `from` to `to`. It then presents whole, tooltips too.
    void Rescale(const FormLayout& layout, Scale from, Scale to, const PictureSwap& swap,
                 std::optional<base::Point> topLeft);

    // Controls are added once, by the form's constructor, in z-order.
    PictureCell& AddCell(std::string name, CellSpec start);
    PictureCell& AddCell(ControlArray<PictureCell>& array, int index, CellSpec start);
    PictureStore& AddStore(ControlArray<PictureStore>& array, int index, Picture picture);
    Timer& AddTimer(std::string name, int intervalMs, bool enabledAtStart);
    void SetBackground(Picture picture) { background_ = std::move(picture); }

private:
    // The topmost visible cell under a window pixel, or null for the bare form.
    PictureCell* HitTest(base::Point at) const;
    void Dispatch(PictureCell* target, platform::MouseButton button, base::Point at,
                  void (Form::*formHandler)(const MouseEvent&),
                  std::function<void(const MouseEvent&)> PictureCell::*cellHandler);
    std::vector<platform::TooltipArea> VisibleTooltips() const;
    void ComposeInto(base::Image& image, base::Rect area) const;

    Toolkit& toolkit_;
    std::string caption_;
    int widthPx_, heightPx_;
    double left_ = 0, top_ = 0;
    Picture background_;
    std::deque<PictureCell> cells_;
    std::deque<PictureStore> stores_;
    std::deque<Timer> timers_;
    std::vector<Picture> icons_;
    // The arrays of a form built from a layout table, by name.
    std::map<std::string, ControlArray<PictureCell>, std::less<>> cellArrays_;
    std::map<std::string, ControlArray<PictureStore>, std::less<>> storeArrays_;
    std::unique_ptr<platform::HostedWindow> window_;
    // What the window was last given, and what has changed since.
    base::Image frame_;
    ChangedRects changed_;
    bool tooltipsChanged_ = false;
    std::vector<platform::TooltipArea> shownTooltips_;

    // The element that received the last mouse-down, until its mouse-up.
    bool pressed_ = false;
    PictureCell* pressedCell_ = nullptr;
    platform::MouseButton pressedButton_ = platform::MouseButton::None;
};

}  // namespace vantrel::ui
