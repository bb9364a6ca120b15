#include "overlays/overlay_form.h"

#include "shared/pictures.h"
#include "shared/window_place.h"

namespace vantrel {

OverlayForm::OverlayForm(modQTC& shared, const ui::FormLayout& layout, SettingsRecord record, std::int16_t dragging)
    : Form(shared.toolkit(), layout, pictures::Get), shared_(shared), record_(record), dragging_(dragging) {}

void OverlayForm::TakeStoredPlace() {
    modQTC::MakeLayered(*this);
    PlaceFromRecord(*this, SettingsFile(shared_.platform().files()), record_, shared_.platform().desktop());
}

void OverlayForm::SaveStoredPlace() { SettingsFile(shared_.platform().files()).Write(record_, RecordOf(*this)); }

void OverlayForm::ReadCursor() { shared_.CursorPos = shared_.platform().desktop().CursorPos(); }

void OverlayForm::DragBy(const ui::ControlArray<ui::PictureCell>& slots) {
    slots.ForEach([this](ui::PictureCell& slot) { slot.onMouseDown = [this](const ui::MouseEvent&) { StartDrag(); }; });
}

void OverlayForm::Form_MouseMove(const ui::MouseEvent&) {
    if (!tmrPOS.Enabled()) tmrPOS.SetEnabled(true);
    nPressed = 0;
}

void OverlayForm::StartDrag() {
    nPressed = dragging_;
    modQTC::DragWindow(*this);
}

}  // namespace vantrel
