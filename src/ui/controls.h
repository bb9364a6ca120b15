// Controls of a form: picture cells, picture stores and the indexed arrays that
// hold them. A cell is windowless: it is a rectangle of its form with a picture or
// none, a visibility and an optional tooltip, and it receives the mouse events that
// its form routes to it. At run time only a cell's picture, visibility, Left,
// Top and tooltip change; a change that alters the look tells the form which pixels it
// touched (the cell's place, before and after a move), so that only those are
// composed and presented again. Cells are placed in window pixels, as the
// windows' code moves them; mouse positions reach the handlers in twips relative
// to the element, 15 to the pixel.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/platform.h"
#include "base/image.h"
#include "ui/runtime_error.h"

namespace vantrel::ui {

constexpr int kTwipsPerPixel = 15;

// A picture handle: null is "no picture". Pictures are shared, never drawn into.
using Picture = std::shared_ptr<const base::Image>;

struct MouseEvent {
    platform::MouseButton button = platform::MouseButton::Left;
    int x = 0, y = 0;  // twips, relative to the element that receives the event
};

class Form;

struct CellSpec {
    int left = 0, top = 0, width = 0, height = 0;  // window pixels
    bool visible = true;
    Picture picture;
    std::string tooltip;
};

class PictureCell {
public:
    PictureCell(Form& owner, std::string name, int index, CellSpec start);

    const std::string& name() const { return name_; }
    int index() const { return index_; }

    const Picture& picture() const { return picture_; }
    bool HasPicture() const { return picture_ != nullptr; }
    void SetPicture(Picture picture);
    bool visible() const { return visible_; }
    void SetVisible(bool visible);
    int left() const { return left_; }
    int top() const { return top_; }
    void SetLeft(int pixels);
    void SetTop(int pixels);
    int width() const { return start_.width; }
    int height() const { return start_.height; }
    const std::string& tooltip() const { return tooltip_; }
    void SetTooltip(std::string text);

    // Window pixels covered by the cell.
    base::Rect PixelBounds() const;

    std::function<void(const MouseEvent&)> onMouseDown, onMouseUp, onMouseMove;
    std::function<void()> onClick;

private:
    friend class Form;
    void RestoreStartState();
    void MoveTo(int left, int top);

    Form& owner_;
    std::string name_;
    int index_;
    CellSpec start_;
    Picture picture_;
    bool visible_ = true;
    int left_ = 0, top_ = 0;
    std::string tooltip_;
};

// A hidden holder of one picture that the code copies into cells.
class PictureStore {
public:
    PictureStore(std::string name, int index, Picture picture) : name_(std::move(name)), index_(index), picture_(std::move(picture)) {}
    const Picture& picture() const { return picture_; }
    const std::string& name() const { return name_; }
    int index() const { return index_; }

private:
    friend class Form;  // which swaps the picture for its own at another scale
    std::string name_;
    int index_;
    Picture picture_;
};

// An indexed control array: indices may start anywhere and have gaps; an index
// that is not listed does not exist, and touching it raises the run-time error.
template <class Control>
class ControlArray {
public:
    explicit ControlArray(std::string name) : name_(std::move(name)) {}

    Control& operator()(int index) const {
        const auto it = items_.find(index);
        if (it == items_.end()) RaiseSubscript(name_, index);
        return *it->second;
    }
    bool Has(int index) const { return items_.count(index) != 0; }
    const std::string& name() const { return name_; }

    template <class F>
    void ForEach(F&& f) const {
        for (const auto& [index, control] : items_) f(*control);
    }

    void Add(int index, Control& control) { items_[index] = &control; }

private:
    std::string name_;
    std::map<int, Control*> items_;
};

}  // namespace vantrel::ui
