// What the three windows have in common: a borderless skinned window that stands
// where its settings record puts it and saves itself there when it closes, moves
// when the user presses its background (or a cell handed to DragBy), and polls the
// cursor with its hover timer `tmrPOS`, which the window's mouse-move switches on
// and which switches itself off once the cursor has left the window. While nothing
// is held the tick shows the hover looks; while a button is held it shows that
// button's pressed look whenever the cursor is over the button. Buttons' hover
// rectangles and release extents are columns of the window's layout table, at the
// display scale of the monitor the window stands on, which its pictures are drawn
// at: taken at its first show and followed when the system reports a change.
// Stored places are kept at the primary monitor's scale wherever the window is.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "shared/modqtc.h"
#include "shared/settings.h"
#include "ui/form.h"

namespace vantrel {

using ui::ButtonRect;

// Whether `cursor` (screen pixels) lies strictly inside `r` of `window`, with the
// window's Left and Top in twips divided by 15 and not rounded.
bool IsOver(const ui::Form& window, const ButtonRect& r, base::Point cursor);

class SkinnedForm : public ui::Form {
public:
    ui::Timer& tmrPOS{TimerNamed("tmrPOS")};
    // Nothing held; a window's own values name its held buttons and its drag.
    static constexpr std::int16_t kNothingPressed = 0;
    std::int16_t nPressed = kNothingPressed;

protected:
    // `dragging` is the value of nPressed while the window is being moved.
    SkinnedForm(modQTC& shared, const ui::FormLayout& layout, SettingsRecord record, std::int16_t dragging);

    modQTC& shared() const { return shared_; }
    // The window's display scale, and its layout table at that scale.
    ui::Scale scale() const { return scale_; }
    const ui::FormLayout& layout() const { return *layout_; }
    // The primary monitor's scale, which stored places are kept in.
    ui::Scale placeScale() const { return placeScale_; }
    SettingsFile Settings() const { return SettingsFile(shared_.platform().files()); }

    // Left and Top from the window's record, kept on a monitor.
    void TakeStoredPlace();
    // The window's place into its record, unless the record could not be read when
    // the window was placed and the window has not moved since.
    void SaveStoredPlace();

    // The hover rectangle of the whole window, and of a button in the layout table.
    ButtonRect WholeWindow() const;
    ButtonRect HoverRect(std::string_view name, int index) const;
    // Whether CursorPos, as last read, lies strictly inside `rect` of this window.
    bool IsOver(const ButtonRect& rect) const { return vantrel::IsOver(*this, rect, shared_.CursorPos); }
    // Whether a release at `e` (twips, relative to the pressed element) lies within
    // the release extent the layout table gives that element.
    bool ReleasedWithin(const ui::MouseEvent& e, std::string_view name, int index) const;

    // Any mouse button down on one of `cells` moves the window, as on its background.
    void DragBy(const ui::ControlArray<ui::PictureCell>& cells);

    // The hover tick's two halves, the window's own: the looks while nothing is
    // held, and the look of the held button `pressed`.
    virtual void ShowHoverLooks() = 0;
    virtual void ShowPressedLook(std::int16_t pressed) = 0;

    // After the window was re-laid at a new scale(): what its own code placed or
    // kept at the old one follows.
    virtual void Form_Rescaled() {}

    void Form_MouseDown(const ui::MouseEvent&) override { StartDrag(); }
    void Form_MouseMove(const ui::MouseEvent&) override;
    void Form_DpiChanged(int dpi, std::optional<base::Point> topLeft) override;

private:
    SkinnedForm(modQTC& shared, const ui::FormLayout& layout, SettingsRecord record, std::int16_t dragging,
                ui::Scale scale);
    void tmrPOS_Timer();
    void StartDrag();

    modQTC& shared_;
    ui::Scale placeScale_;
    ui::Scale scale_;
    const ui::FormLayout& table_;
    const ui::FormLayout* layout_;
    SettingsRecord record_;
    std::int16_t dragging_;
    // Where the window was put when its record could not be read.
    std::optional<Place> placedUnread_;
};

}  // namespace vantrel
