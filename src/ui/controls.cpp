#include "ui/controls.h"

#include "ui/form.h"

namespace vantrel::ui {

PictureCell::PictureCell(Form& owner, std::string name, int index, CellSpec start)
    : owner_(owner), name_(std::move(name)), index_(index), start_(std::move(start)) {
    RestoreStartState();
}

void PictureCell::RestoreStartState() {
    // Only ever before the form's window exists: each load presents it whole.
    picture_ = start_.picture;
    visible_ = start_.visible;
    left_ = start_.left;
    top_ = start_.top;
    tooltip_ = start_.tooltip;
}

void PictureCell::SetTooltip(std::string text) {
    if (text == tooltip_) return;
    tooltip_ = std::move(text);
    if (visible_) owner_.MarkTooltipsChanged();
}

void PictureCell::SetPicture(Picture picture) {
    if (picture == picture_) return;
    picture_ = std::move(picture);
    if (visible_) owner_.MarkChanged(PixelBounds());
}

void PictureCell::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    if (picture_) owner_.MarkChanged(PixelBounds());
    if (!tooltip().empty()) owner_.MarkTooltipsChanged();
}

void PictureCell::SetLeft(int pixels) { MoveTo(pixels, top_); }

void PictureCell::SetTop(int pixels) { MoveTo(left_, pixels); }

void PictureCell::MoveTo(int left, int top) {
    if (left == left_ && top == top_) return;
    const bool shows = visible_ && picture_;
    if (shows) owner_.MarkChanged(PixelBounds());
    left_ = left;
    top_ = top;
    if (shows) owner_.MarkChanged(PixelBounds());
    if (visible_ && !tooltip().empty()) owner_.MarkTooltipsChanged();
}

base::Rect PictureCell::PixelBounds() const { return {left_, top_, left_ + width(), top_ + height()}; }

}  // namespace vantrel::ui
