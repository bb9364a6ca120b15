// The player window: a step-by-step replay of the hand's moves. This is its frame:
// the window, its cells and tiles, the follow-play mark, its place in the settings
// file, its reset and the request to play on; the step drawing comes with its layout.
#pragma once

#include <cstdint>

#include "shared/modqtc.h"
#include "shared/settings.h"
#include "ui/form.h"

namespace vantrel {

class frmPlayer : public ui::Form {
public:
    explicit frmPlayer(modQTC& shared);

    // Back to the first move with every slot empty; loads the window hidden when
    // it is not loaded.
    void InitPlayer();
    // Starts the step timer when a recorded move waits to be shown.
    void Play();

    // Controls and timers, built from the window's layout table.
    ui::ControlArray<ui::PictureCell>& imgEmit{Cells("imgEmit")};
    ui::ControlArray<ui::PictureStore>& picCards{Stores("picCards")};
    ui::PictureStore& picMark{Store("picMark")};
    ui::PictureCell& imgMark{Cell("imgMark")};
    ui::ControlArray<ui::PictureCell>& imgButton{Cells("imgButton")};
    ui::ControlArray<ui::PictureCell>& imgMouseOn{Cells("imgMouseOn")};
    ui::ControlArray<ui::PictureCell>& imgMouseDown{Cells("imgMouseDown")};
    ui::Timer& tmrPOS{TimerNamed("tmrPOS")};
    ui::Timer& tmrShow{TimerNamed("tmrShow")};

    std::int16_t PlayCursor = 0;
    std::int16_t PlayStart = 0;

protected:
    void Form_Load() override;
    void Form_QueryUnload() override;

private:
    modQTC& shared_;
};

}  // namespace vantrel
