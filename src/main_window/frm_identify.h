// The main window, the program's start-up window. It finds and follows the game
// window, and shows what the hand watcher (hand_watcher.h) reads: the tally's
// remaining-card grid and the opponents' counts.
//
// Its own timers find the game window once a second (tmrFindDDZ), take its place
// while it is up (tmrGamePos) and put it back where it was last time, 1.5 s after
// it comes up (tmrDelay); on the game's loss the hand is dropped and nothing is
// watched. The watcher's timers (tmrStart, tmrEmit) follow each hand. While the
// tally holds the hand in doubt the window shows the doubt look (doubt_look.h),
// and while no hand is followed the tip strip's star and tips (tip_strip.h).
//
// Its chrome: the window is dragged by its background or a grid mark; buttons 1
// (new hand), 2 (detail window), 3 (player window) and 5 (close) have hover and
// pressed looks, switched by a polled hover tick (tmrPOS) that tests the cursor
// against the buttons' hover rectangles in the layout table and stops itself once
// the cursor has left the window. Closing the window, however it is asked, saves
// the positions, closes the other windows and so ends the program.
#pragma once

#include <array>
#include <cstdint>

#include "main_window/doubt_look.h"
#include "main_window/hand_watcher.h"
#include "main_window/held_marks.h"
#include "main_window/tip_strip.h"
#include "shared/modqtc.h"
#include "shared/settings.h"
#include "shared/skinned_form.h"

namespace vantrel {

class frmIdentify : public SkinnedForm {
public:
    explicit frmIdentify(modQTC& shared);

    // The new-hand button's action: stop following this hand and wait for a new one.
    void StartNewHand();
    // The tip strip says for a few seconds that a report was saved.
    void ShowReportSaved();

    // The main window's buttons, as indices of imgMouseOn and imgMouseDown.
    static constexpr std::int16_t kNewHandButton = 1, kDetailButton = 2, kPlayerButton = 3, kCloseButton = 5;
    static constexpr std::array<int, 4> kButtons{kNewHandButton, kDetailButton, kPlayerButton, kCloseButton};
    // The pressed-state value while the window is dragged.
    static constexpr std::int16_t kDragging = 6;

    // Controls and timers, built from the window's layout table.
    ui::ControlArray<ui::PictureCell>& imgRMNum{Cells("imgRMNum")};
    ui::ControlArray<ui::PictureStore>& picRMNum{Stores("picRMNum")};
    ui::ControlArray<ui::PictureCell>& imgRMCard{Cells("imgRMCard")};
    ui::ControlArray<ui::PictureCell>& imgMouseOn{Cells("imgMouseOn")};
    ui::ControlArray<ui::PictureCell>& imgMouseDown{Cells("imgMouseDown")};
    ui::PictureCell& imgStar{Cell("imgStar")};
    ui::PictureCell& imgTips{Cell("imgTips")};
    ui::ControlArray<ui::PictureStore>& picTips{Stores("picTips")};
    ui::ControlArray<ui::PictureStore>& picRMDim{Stores("picRMDim")};  // 3..15: the dimmed rank tiles
    ui::PictureStore& picRMDoubt{Store("picRMDoubt")};
    ui::PictureCell& imgDoubt{Cell("imgDoubt")};
    ui::ControlArray<ui::PictureStore>& picRMLeft{Stores("picRMLeft")};    // 3..15: held by the left opponent
    ui::ControlArray<ui::PictureStore>& picRMRight{Stores("picRMRight")};  // ... by the right one

    ui::Timer& tmrFindDDZ{TimerNamed("tmrFindDDZ")};
    ui::Timer& tmrGamePos{TimerNamed("tmrGamePos")};
    ui::Timer& tmrDelay{TimerNamed("tmrDelay")};
    ui::Timer& tmrStart{TimerNamed("tmrStart")};
    ui::Timer& tmrEmit{TimerNamed("tmrEmit")};
    ui::Timer& tmrStar{TimerNamed("tmrStar")};
    ui::Timer& tmrTipInterval{TimerNamed("tmrTipInterval")};
    ui::Timer& tmrTipMove{TimerNamed("tmrTipMove")};
    ui::Timer& tmrSaved{TimerNamed("tmrSaved")};

    // The game window as the locator last saw it.
    struct GameWindowView {
        platform::ForeignWindow window = 0;  // 0: none found
        bool found = false;
        bool lossDone = false;  // its loss has been handled
        bool placeSeen = false;  // left and top were measured in this run
        std::int16_t left = 0, top = 0;
    };
    GameWindowView gameWindow() const;
    // Stands as if the game window `game` (0: none) had been found or lost, for a
    // replay that starts where a running program stood.
    void RestoreGameWindow(platform::ForeignWindow game);

    HandWatcher& watcher() { return watcher_; }
    const HandWatcher& watcher() const { return watcher_; }
    const TipStrip& tips() const { return tips_; }

    // The locator's timer handlers; the timers call them, and tests may too.
    void tmrFindDDZ_Timer();
    void tmrGamePos_Timer();
    void tmrDelay_Timer();

protected:
    void Form_Load() override;
    void Form_QueryUnload() override;
    void Form_Rescaled() override;
    void ShowHoverLooks() override;
    void ShowPressedLook(std::int16_t pressed) override;

private:
    // The last steps of a reset between hands: the overlays and the idle animations.
    void FinishReset();
    void imgMouseOn_MouseUp(int index, const ui::MouseEvent& release);
    void SaveGamePosition();

    modQTC& shared_;
    SettingsFile settings_;
    DoubtLook doubtLook{imgRMCard, imgRMNum, picRMDim, picRMDoubt, imgDoubt};
    HeldMarks heldMarks_{imgRMCard, picRMLeft, picRMRight, doubtLook};
    TipStrip tips_;

    platform::ForeignWindow hGameWnd = 0;
    bool bGameFound = false;
    bool bGameLossDone = false;
    std::int16_t GameLeft = 0, GameTop = 0;
    // Whether GameLeft/GameTop hold a position measured in this run.
    bool bGamePosSeen = false;
    bool bLoadDone = false;

    HandWatcher watcher_;
};

}  // namespace vantrel
