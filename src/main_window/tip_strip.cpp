#include "main_window/tip_strip.h"

#include <algorithm>

#include "shared/layouts.h"
#include "ui/runtime_error.h"

namespace vantrel {

TipStrip::TipStrip(Controls controls, std::function<bool()> inDoubt, ui::Scale scale)
    : imgStar(controls.imgStar),
      imgTips(controls.imgTips),
      picTips(controls.picTips),
      imgDoubt(controls.imgDoubt),
      tmrStar(controls.tmrStar),
      tmrTipInterval(controls.tmrTipInterval),
      tmrTipMove(controls.tmrTipMove),
      tmrSaved(controls.tmrSaved),
      inDoubt_(std::move(inDoubt)) {
    FollowScale(scale);
}

void TipStrip::FollowScale(ui::Scale scale) {
    restingTop_ = scale.Apply(ui::FindControl(layouts::kMain, "imgTips").top);
    entryTop_ = scale.Apply(layouts::kMainTipEntryTop);
    step_ = scale.Apply(1);
}

void TipStrip::SetRollTips() {
    TipCount = 0;
    for (const int tip : layouts::kMainRollingTips) TipList(TipCount++) = ui::Int16(tip);
    imgTips.SetPicture(picTips(TipList(0)).picture());
    TipIdx = 1;
}

void TipStrip::StopForHand() {
    tmrTipInterval.SetEnabled(false);
    tmrStar.SetEnabled(false);
    imgStar.SetVisible(false);
}

void TipStrip::RunBetweenHands() {
    tmrTipInterval.SetEnabled(true);
    tmrStar.SetEnabled(true);
}

void TipStrip::tmrStar_Timer() { imgStar.SetVisible(!imgStar.visible()); }

void TipStrip::tmrTipInterval_Timer() {
    if (tmrSaved.Enabled()) return;  // the saved report's note stays its few seconds
    imgTips.SetPicture(picTips(TipList(TipIdx)).picture());
    TipIdx = static_cast<std::int16_t>((TipIdx + 1) % TipCount);
    imgTips.SetTop(entryTop_);
    tmrTipMove.SetEnabled(true);
}

void TipStrip::ShowReportSaved() {
    imgDoubt.SetVisible(false);
    imgTips.SetPicture(picTips(layouts::kMainReportSavedTip).picture());
    imgTips.SetTop(restingTop_);
    tmrTipMove.SetEnabled(false);
    // A second report within the few seconds starts them again.
    tmrSaved.SetEnabled(false);
    tmrSaved.SetEnabled(true);
}

// Back to the tip that was showing.
void TipStrip::tmrSaved_Timer() {
    tmrSaved.SetEnabled(false);
    imgDoubt.SetVisible(inDoubt_());
    imgTips.SetPicture(picTips(TipList((TipIdx + TipCount - 1) % TipCount)).picture());
}

void TipStrip::tmrTipMove_Timer() {
    if (imgTips.top() > restingTop_)
        imgTips.SetTop(std::max(imgTips.top() - step_, restingTop_));
    else
        tmrTipMove.SetEnabled(false);
}

}  // namespace vantrel
