// The detail window: each opponent's laid cards of this hand. It only reads the
// shared history. This is its frame: the window, its cells and tiles, its place in
// the settings file and its reset; the drawing of the rows comes with its layout.
#pragma once

#include "shared/modqtc.h"
#include "shared/settings.h"
#include "ui/form.h"

namespace vantrel {

class frmDetail : public ui::Form {
public:
    explicit frmDetail(modQTC& shared);

    // Empties every card slot and hides every divider; loads the window hidden
    // when it is not loaded, so its rows stay current while it is closed.
    void InitDetail();
    // Brings the rows up to date with the history.
    void ShowDetail();

    // Controls and timers, built from the window's layout table.
    ui::ControlArray<ui::PictureCell>& imgEmit{Cells("imgEmit")};
    ui::ControlArray<ui::PictureCell>& imgDivide{Cells("imgDivide")};
    ui::ControlArray<ui::PictureStore>& picCards{Stores("picCards")};
    ui::ControlArray<ui::PictureCell>& imgButton{Cells("imgButton")};
    ui::ControlArray<ui::PictureCell>& imgDown{Cells("imgDown")};
    ui::ControlArray<ui::PictureCell>& imgNote{Cells("imgNote")};
    ui::ControlArray<ui::PictureCell>& imgClose{Cells("imgClose")};
    ui::Timer& tmrPOS{TimerNamed("tmrPOS")};

protected:
    void Form_Load() override;
    void Form_QueryUnload() override;

private:
    modQTC& shared_;
};

}  // namespace vantrel
