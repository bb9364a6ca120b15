// What the detail and the player window have in common: a borderless window that
// stands where its settings record puts it and saves itself there when it closes,
// moves when the user presses its background or one of its card slots, and polls
// the cursor with its hover timer `tmrPOS`, which the window's mouse-move switches
// on and which switches itself off once the cursor has left.
#pragma once

#include <cstdint>

#include "shared/hover.h"
#include "shared/modqtc.h"
#include "shared/settings.h"
#include "ui/form.h"

namespace vantrel {

class OverlayForm : public ui::Form {
public:
    ui::Timer& tmrPOS{TimerNamed("tmrPOS")};
    // 0: nothing held; a window's own values name its held buttons and its drag.
    std::int16_t nPressed = 0;

protected:
    // `dragging` is the value of nPressed while the window is being moved.
    OverlayForm(modQTC& shared, const ui::FormLayout& layout, SettingsRecord record, std::int16_t dragging);

    modQTC& shared() const { return shared_; }

    // The load step's common part: layered style, then the place from the record.
    void TakeStoredPlace();
    // The query-unload's common part: the window's place into its record.
    void SaveStoredPlace();

    // CursorPos := where the cursor is now.
    void ReadCursor();
    // Whether CursorPos, as last read, lies strictly inside `rect` of this window.
    bool IsOver(const ButtonRect& rect) const { return vantrel::IsOver(*this, rect, shared_.CursorPos); }
    // A release at `e` (twips, relative to the element pressed) that lies strictly
    // within widthTwips x heightTwips of the element's top-left corner.
    static bool ReleasedWithin(const ui::MouseEvent& e, int widthTwips, int heightTwips) {
        return e.x > 0 && e.x < widthTwips && e.y > 0 && e.y < heightTwips;
    }

    // Any mouse button down on one of `slots` moves the window, as on its background.
    void DragBy(const ui::ControlArray<ui::PictureCell>& slots);

    void Form_MouseDown(const ui::MouseEvent&) override { StartDrag(); }
    void Form_MouseMove(const ui::MouseEvent&) override;

private:
    void StartDrag();

    modQTC& shared_;
    SettingsRecord record_;
    std::int16_t dragging_;
};

}  // namespace vantrel
