#include "main_window/frm_identify.h"

#include "overlays/frm_detail.h"
#include "overlays/frm_player.h"
#include "shared/layouts.h"
#include "shared/window_place.h"

namespace vantrel {
namespace {

using recognition::game::kGameTitle;

}  // namespace

frmIdentify::frmIdentify(modQTC& shared)
    : SkinnedForm(shared, layouts::kMain, SettingsRecord::MainWindow, kDragging),
      shared_(shared),
      settings_(shared.platform().files()),
      tips_({imgStar, imgTips, picTips, imgDoubt, tmrStar, tmrTipInterval, tmrTipMove, tmrSaved},
            [this] { return watcher_.tally.check.InDoubt(); }, scale()),
      watcher_(shared, hGameWnd,
               {{imgRMCard, imgRMNum, picRMNum, [this](bool) { FinishReset(); },
                 [this](std::optional<recognition::DoubtReason> reason) {
                     reason ? doubtLook.Show(*reason) : doubtLook.Clear();
                 },
                 [this] { heldMarks_.Show(watcher_.tally.Held()); }},
                tmrStart,
                tmrEmit,
                [this] { tips_.StopForHand(); }}) {
    // The first doubt of a hand leaves a report of what was read, for the replay.
    watcher_.tally.onDoubt = [this](recognition::DoubtReason reason) {
        shared_.recorder().SaveDoubtReport(recognition::DoubtName(reason));
    };
    DragBy(imgRMCard);
    // The hover looks take the presses: a button can only be pressed while its
    // hover look shows.
    for (const int button : kButtons) {
        imgMouseOn(button).onMouseDown = [this, button](const ui::MouseEvent&) { nPressed = ui::Int16(button); };
        imgMouseOn(button).onMouseUp = [this, button](const ui::MouseEvent& e) { imgMouseOn_MouseUp(button, e); };
    }
    auto onTick = []<class Part>(ui::Timer& timer, Part* part, void (Part::*tick)()) {
        timer.onTick = [part, tick] { (part->*tick)(); };
    };
    onTick(tmrFindDDZ, this, &frmIdentify::tmrFindDDZ_Timer);
    onTick(tmrGamePos, this, &frmIdentify::tmrGamePos_Timer);
    onTick(tmrDelay, this, &frmIdentify::tmrDelay_Timer);
    // A watcher tick that meets a capture which copied nothing (the game minimised
    // or gone, even mid-tick) ends there: nothing it saw is used.
    auto onWatch = [this](ui::Timer& timer, void (HandWatcher::*tick)()) {
        timer.onTick = [this, tick] {
            try {
                (watcher_.*tick)();
            } catch (const recognition::NothingCopied&) {
            }
        };
    };
    onWatch(tmrStart, &HandWatcher::tmrStart_Timer);
    onWatch(tmrEmit, &HandWatcher::tmrEmit_Timer);
    onTick(tmrStar, &tips_, &TipStrip::tmrStar_Timer);
    onTick(tmrTipInterval, &tips_, &TipStrip::tmrTipInterval_Timer);
    onTick(tmrTipMove, &tips_, &TipStrip::tmrTipMove_Timer);
    onTick(tmrSaved, &tips_, &TipStrip::tmrSaved_Timer);
}

void frmIdentify::Form_Load() {
    if (bLoadDone) return;
    bLoadDone = true;

    platform::Desktop& desktop = shared_.platform().desktop();
    if (desktop.BitsPerPixel() != 32) desktop.RequestBitsPerPixel(32);
    modQTC::MakeLayered(*this);
    settings_.CreateIfMissing();
    shared_.Instance<frmDetail>().Show();
    shared_.Instance<frmPlayer>().Show();
    TakeStoredPlace();
    tips_.SetRollTips();
}

void frmIdentify::Form_Rescaled() {
    tips_.FollowScale(scale());
    doubtLook.FollowScale(scale());
}

void frmIdentify::Form_QueryUnload() {
    SaveStoredPlace();
    SaveGamePosition();
    shared_.Instance<frmDetail>().Unload();
    shared_.Instance<frmPlayer>().Unload();
}

// --- The chrome: the buttons' looks and actions.

void frmIdentify::ShowHoverLooks() {
    for (const int button : kButtons) imgMouseOn(button).SetVisible(IsOver(HoverRect("imgMouseOn", button)));
}

// The pressed look follows the cursor out of its button and back while held.
void frmIdentify::ShowPressedLook(std::int16_t pressed) { imgMouseDown(pressed).SetVisible(IsOver(HoverRect("imgMouseOn", pressed))); }

void frmIdentify::imgMouseOn_MouseUp(int index, const ui::MouseEvent& release) {
    nPressed = kNothingPressed;
    if (!ReleasedWithin(release, "imgMouseOn", index)) {
        // A release off the button before a hover tick could hide its pressed look
        // would leave that look over the button, taking every later press.
        imgMouseDown(index).SetVisible(false);
        imgMouseOn(index).SetVisible(false);
    } else if (index == kCloseButton) {
        Unload();
    } else {
        imgMouseDown(index).SetVisible(false);
        if (index == kNewHandButton) StartNewHand();
        if (index == kDetailButton) shared_.Instance<frmDetail>().Show();
        if (index == kPlayerButton) shared_.Instance<frmPlayer>().Show();
    }
}

void frmIdentify::StartNewHand() { watcher_.StartNewHand(); }

void frmIdentify::ShowReportSaved() { tips_.ShowReportSaved(); }

frmIdentify::GameWindowView frmIdentify::gameWindow() const {
    return {hGameWnd, bGameFound, bGameLossDone, bGamePosSeen, GameLeft, GameTop};
}

void frmIdentify::RestoreGameWindow(platform::ForeignWindow game) {
    hGameWnd = game;
    bGameFound = game != 0;
    bGameLossDone = game == 0;
}

void frmIdentify::SaveGamePosition() {
    // Until the game window has been measured in this run there is no position to
    // remember, and the stored one stays.
    if (!bGamePosSeen) return;
    const PosRec posRec{GameLeft, GameTop};
    settings_.Write(SettingsRecord::GameWindow, {posRec.X, posRec.Y});
}

void frmIdentify::FinishReset() {
    // The watcher has stopped tmrEmit and starts tmrStart when it keeps watching.
    shared_.Instance<frmDetail>().InitDetail();
    shared_.Instance<frmPlayer>().InitPlayer();
    tips_.RunBetweenHands();
}

// --- The game window: found by title once a second, placed 1.5 s after it comes up.

void frmIdentify::tmrFindDDZ_Timer() {
    hGameWnd = shared_.platform().desktop().FindWindowByTitle(kGameTitle);
    if (hGameWnd != 0 && !bGameFound) {
        tmrDelay.SetEnabled(true);
        tmrGamePos.SetEnabled(true);
        tmrStart.SetEnabled(true);
        bGameFound = true;
        bGameLossDone = false;
    } else if (hGameWnd == 0 && bGameFound && !bGameLossDone) {
        SaveGamePosition();
        watcher_.LoseGame();
        tmrGamePos.SetEnabled(false);
        bGameFound = false;
        bGameLossDone = true;
    }
}

void frmIdentify::tmrGamePos_Timer() {
    platform::Desktop& desktop = shared_.platform().desktop();
    const base::Rect r = desktop.WindowRect(hGameWnd);
    // Any place on a monitor, left of or above the primary one too; never where a
    // minimised window stands (-32000), off every monitor.
    if (OnAMonitor(r, desktop.Monitors())) {
        const Place logical = GamePlaceOf({r.left, r.top}, placeScale());
        GameLeft = ToRecordValue(logical.X);
        GameTop = ToRecordValue(logical.Y);
        bGamePosSeen = true;
    }
}

void frmIdentify::tmrDelay_Timer() {
    platform::Desktop& desktop = shared_.platform().desktop();
    const base::Point stored = GamePlaceOnScreen(settings_.ReadPlace(SettingsRecord::GameWindow), placeScale());
    const base::Rect now = desktop.WindowRect(hGameWnd);
    const base::Point at =
        KeepOnScreen({stored.x, stored.y, stored.x + now.width(), stored.y + now.height()}, desktop.Monitors());
    desktop.PlaceTopmost(hGameWnd, at);
    tmrDelay.SetEnabled(false);
}

}  // namespace vantrel
