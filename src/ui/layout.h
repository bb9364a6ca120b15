// A window's make-up as data: its size, background, icon, every control with its
// place, look and visibility at start, and its timers. Each window has one such
// table; the form builds itself from it, and tests read the same table instead of
// copying positions. Pictures are named, and a PictureSource turns names into
// pictures, so that the toolkit knows nothing of where pictures come from.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "ui/controls.h"
#include "ui/scale.h"

namespace vantrel::ui {

enum class ControlKind : unsigned char {
    Cell,   // a picture cell: shown on the form, receives the mouse
    Store,  // a picture store: holds a picture for the code to copy, never shown
};

// A button's hover rectangle in window pixels. The cursor is over it only when
// strictly inside: a cursor on an edge is outside.
struct ButtonRect {
    std::int16_t x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

// How far from a pressed element's top-left corner a release still counts as a
// click on it, in twips, exclusive at both ends. It may reach beyond the element.
struct ReleaseExtent {
    int width = 0, height = 0;
};

struct ControlSpec {
    std::string_view name;  // the control array's name ("imgRMCard"), or a lone control's
    int index = 0;          // the index within its array; 0 for a lone control
    ControlKind kind = ControlKind::Cell;
    int left = 0, top = 0, width = 0, height = 0;  // window pixels; a store's place is unused
    bool visible = true;                             // at every load
    std::string_view picture;                        // empty: no picture
    std::string_view tooltip;                        // UTF-8; shown while the cell is visible
    ButtonRect hover{};        // a button's: where its hover look shows
    ReleaseExtent release{};  // a button's: where a release on it is a click
};

struct TimerSpec {
    std::string_view name;
    int intervalMs = 0;
    bool enabled = false;  // at every load
};

struct FormLayout {
    std::string_view caption;
    int width = 0, height = 0;  // pixels
    std::string_view background;
    std::span<const std::string_view> icons;  // largest first; none for most windows
    std::span<const ControlSpec> controls;     // in z-order: later ones on top
    std::span<const TimerSpec> timers;
};

using PictureSource = std::function<Picture(std::string_view name)>;

}  // namespace vantrel::ui

namespace vantrel::ui {

// The table entry of one control; a control the table does not hold is a
// programming error (std::out_of_range).
const ControlSpec& FindControl(const FormLayout& layout, std::string_view name, int index = 0);

// A layout table at a display scale: the window's size, every control's place and
// size, hover rectangle and release extent times the scale, each value rounded on
// its own; names, pictures, tooltips and timers as the table has them.
class ScaledLayout {
public:
    ScaledLayout(const FormLayout& table, Scale scale);
    ScaledLayout(const ScaledLayout&) = delete;
    ScaledLayout& operator=(const ScaledLayout&) = delete;
    const FormLayout& layout() const { return layout_; }

private:
    std::vector<ControlSpec> controls_;
    FormLayout layout_;
};

}  // namespace vantrel::ui
