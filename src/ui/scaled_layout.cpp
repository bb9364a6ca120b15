#include "ui/layout.h"

namespace vantrel::ui {

ScaledLayout::ScaledLayout(const FormLayout& table, Scale scale) : layout_(table) {
    const auto px = [scale](int value) { return scale.Apply(value); };
    const auto px16 = [scale](std::int16_t value) { return static_cast<std::int16_t>(scale.Apply(value)); };
    controls_.reserve(table.controls.size());
    for (ControlSpec c : table.controls) {
        c.left = px(c.left);
        c.top = px(c.top);
        c.width = px(c.width);
        c.height = px(c.height);
        c.hover = {px16(c.hover.x1), px16(c.hover.x2), px16(c.hover.y1), px16(c.hover.y2)};
        c.release = {px(c.release.width), px(c.release.height)};
        controls_.push_back(c);
    }
    layout_.width = px(table.width);
    layout_.height = px(table.height);
    layout_.controls = controls_;
}

}  // namespace vantrel::ui
