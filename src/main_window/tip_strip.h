// The main window's foot while no hand is followed: a star blinks and a strip of
// tips rolls in, each starting just below the window and sliding up a pixel a tick
// (times the window's scale) into its resting place. A saved report's note takes the strip for a few seconds
// (over a hand in doubt too: the doubt strip steps aside while it lasts). Its
// pictures and places come from the window's layout table (shared/layouts.h).
#pragma once

#include <cstdint>
#include <functional>

#include "ui/bounded_array.h"
#include "ui/controls.h"
#include "ui/scale.h"
#include "ui/timer.h"

namespace vantrel {

class TipStrip {
public:
    struct Controls {
        ui::PictureCell& imgStar;
        ui::PictureCell& imgTips;
        ui::ControlArray<ui::PictureStore>& picTips;
        ui::PictureCell& imgDoubt;
        ui::Timer& tmrStar;
        ui::Timer& tmrTipInterval;
        ui::Timer& tmrTipMove;
        ui::Timer& tmrSaved;
    };
    // `inDoubt` says whether the doubt strip belongs back once the note has gone;
    // `scale` is the window's display scale.
    TipStrip(Controls controls, std::function<bool()> inDoubt, ui::Scale scale);
    // The strip's tops and step at the window's new scale.
    void FollowScale(ui::Scale scale);

    // At each load: the first tip shows, the second comes next.
    void SetRollTips();
    // A hand was dealt: the star and the tips stop.
    void StopForHand();
    // Between hands they run again.
    void RunBetweenHands();
    // The strip says for a few seconds that a report was saved.
    void ShowReportSaved();

    // The picTips indices shown in turn, and the entry shown next.
    std::int16_t tipCount() const { return TipCount; }
    std::int16_t tipIdx() const { return TipIdx; }

    void tmrStar_Timer();
    void tmrTipInterval_Timer();
    void tmrTipMove_Timer();
    void tmrSaved_Timer();

private:
    ui::PictureCell& imgStar;
    ui::PictureCell& imgTips;
    ui::ControlArray<ui::PictureStore>& picTips;
    ui::PictureCell& imgDoubt;
    ui::Timer& tmrStar;
    ui::Timer& tmrTipInterval;
    ui::Timer& tmrTipMove;
    ui::Timer& tmrSaved;
    std::function<bool()> inDoubt_;
    ui::BoundedArray<std::int16_t, 0, 3> TipList;
    std::int16_t TipCount = 0;
    std::int16_t TipIdx = 0;
    int restingTop_ = 0, entryTop_ = 0, step_ = 0;
};

}  // namespace vantrel
