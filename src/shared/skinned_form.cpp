#include "shared/skinned_form.h"

#include "shared/layouts.h"
#include "shared/pictures.h"
#include "shared/window_place.h"

namespace vantrel {

bool IsOver(const ui::Form& window, const ButtonRect& r, base::Point cursor) {
    const double left = window.Left() / ui::kTwipsPerPixel, top = window.Top() / ui::kTwipsPerPixel;
    return left + r.x1 < cursor.x && cursor.x < left + r.x2 && top + r.y1 < cursor.y && cursor.y < top + r.y2;
}

SkinnedForm::SkinnedForm(modQTC& shared, const ui::FormLayout& layout, SettingsRecord record, std::int16_t dragging)
    : SkinnedForm(shared, layout, record, dragging, DisplayScale(shared.platform().desktop())) {}

SkinnedForm::SkinnedForm(modQTC& shared, const ui::FormLayout& layout, SettingsRecord record, std::int16_t dragging,
                         ui::Scale scale)
    : Form(shared.toolkit(), layouts::Scaled(layout, scale),
           [scale](std::string_view name) { return pictures::Get(name, scale); }),
      shared_(shared),
      placeScale_(scale),
      scale_(scale),
      table_(layout),
      layout_(&layouts::Scaled(layout, scale)),
      record_(record),
      dragging_(dragging) {
    tmrPOS.onTick = [this] { tmrPOS_Timer(); };
}

void SkinnedForm::TakeStoredPlace() {
    const bool read = PlaceFromRecord(*this, Settings(), record_, shared_.platform().desktop(), placeScale_);
    placedUnread_ = read ? std::nullopt : std::optional(RecordOf(*this, placeScale_));
}

void SkinnedForm::SaveStoredPlace() {
    // Standing where a record that could not be read put it, the window knows
    // nothing of its record: only a move makes the place its own to write.
    const Place now = RecordOf(*this, placeScale_);
    if (now != placedUnread_) Settings().Write(record_, now);
}

ButtonRect SkinnedForm::WholeWindow() const {
    return {0, ui::Int16(layout_->width), 0, ui::Int16(layout_->height)};
}

ButtonRect SkinnedForm::HoverRect(std::string_view name, int index) const {
    return ui::FindControl(*layout_, name, index).hover;
}

bool SkinnedForm::ReleasedWithin(const ui::MouseEvent& e, std::string_view name, int index) const {
    const ui::ReleaseExtent extent = ui::FindControl(*layout_, name, index).release;
    return e.x > 0 && e.x < extent.width && e.y > 0 && e.y < extent.height;
}

void SkinnedForm::DragBy(const ui::ControlArray<ui::PictureCell>& cells) {
    cells.ForEach([this](ui::PictureCell& cell) { cell.onMouseDown = [this](const ui::MouseEvent&) { StartDrag(); }; });
}

void SkinnedForm::Form_DpiChanged(int dpi, std::optional<base::Point> topLeft) {
    const ui::Scale to = ui::Scale::ForDpi(dpi);
    if (to == scale_) return;
    const ui::Scale from = scale_;
    scale_ = to;
    layout_ = &layouts::Scaled(table_, to);
    const auto swap = [to](const ui::Picture& picture) { return pictures::AtScale(picture, to); };
    Rescale(*layout_, from, to, swap, topLeft);
    Form_Rescaled();
}

void SkinnedForm::tmrPOS_Timer() {
    shared_.CursorPos = shared_.platform().desktop().CursorPos();
    if (nPressed == kNothingPressed) {
        ShowHoverLooks();
        tmrPOS.SetEnabled(IsOver(WholeWindow()));
    } else if (nPressed != dragging_) {
        ShowPressedLook(nPressed);
    }
}

void SkinnedForm::Form_MouseMove(const ui::MouseEvent&) {
    if (!tmrPOS.Enabled()) tmrPOS.SetEnabled(true);
    nPressed = kNothingPressed;
}

void SkinnedForm::StartDrag() {
    nPressed = dragging_;
    modQTC::DragWindow(*this);
}

}  // namespace vantrel
