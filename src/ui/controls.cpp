#include "ui/controls.h"

#include "ui/form.h"

namespace vantrel::ui {

PictureCell::PictureCell(Form& owner, std::string name, int index, CellSpec start)
    : owner_(owner), name_(std::move(name)), index_(index), start_(std::move(start)) {
    RestoreStartState();
}

void PictureCell::RestoreStartState() {
    picture_ = start_.picture;
    visible_ = start_.visible;
    left_ = start_.left;
    top_ = start_.top;
    owner_.MarkDirty();
}

void PictureCell::SetPicture(Picture picture) {
    if (picture == picture_) return;
    picture_ = std::move(picture);
    owner_.MarkDirty();
}

void PictureCell::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    owner_.MarkDirty();
}

void PictureCell::SetLeft(int pixels) {
    if (pixels == left_) return;
    left_ = pixels;
    owner_.MarkDirty();
}

void PictureCell::SetTop(int pixels) {
    if (pixels == top_) return;
    top_ = pixels;
    owner_.MarkDirty();
}

platform::Rect PictureCell::PixelBounds() const { return {left_, top_, left_ + width(), top_ + height()}; }

}  // namespace vantrel::ui
