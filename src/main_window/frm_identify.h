// The main window, the program's start-up window. It finds and follows the game
// window, watches the game's pixels for each deal, its first mover and every move,
// and shows the tally: the remaining-card grid and the opponents' counts.
//
// The main loop is a chain of timers, each switching the next on:
//   idle                 tmrFindDDZ   until the game window is found
//   waiting for a hand   tmrStart     until the two deal signs show
//   waiting first mover  tmrStart     until a seat's first-mover sign lights: the
//                                     user's 16 cards are read and struck
//   following the hand   tmrEmit      until a seat has played out or the new-hand
//                                     button, or a second after the deal's sign
//                                     has gone (an end never read); the game's
//                                     loss: idle
// A tick that meets a capture which copied nothing changes nothing. While the
// tally holds the hand in doubt the window shows the doubt look (doubt_look.h).
//
// Its chrome: the window is dragged by its background or a grid mark; buttons 1
// (new hand), 2 (detail window), 3 (player window) and 5 (close) have hover and
// pressed looks, switched by a polled hover tick (tmrPOS) that tests the cursor
// against ButtonRects and stops itself once the cursor has left the window; a
// star blinks and a strip of tips rolls in at the foot while no hand is followed.
// Closing the window, however it is asked, saves the positions, closes the other
// windows and so ends the program.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "main_window/doubt_look.h"
#include "recognition/card_reader.h"
#include "recognition/card_tally.h"
#include "recognition/screen_sampler.h"
#include "shared/modqtc.h"
#include "shared/settings.h"
#include "shared/skinned_form.h"
#include "ui/bounded_array.h"

namespace vantrel {

class frmIdentify : public SkinnedForm {
public:
    explicit frmIdentify(modQTC& shared);

    // The new-hand button's action: stop following this hand and wait for a new one.
    void StartNewHand();
    // The tip strip says for a few seconds that a report was saved.
    void ShowReportSaved();

    // The main window's buttons, as indices of imgMouseOn, imgMouseDown and ButtonRects.
    static constexpr std::array<int, 4> kButtons{1, 2, 3, 5};
    // Pressed-state values that name no button.
    static constexpr std::int16_t kNothingPressed = 0, kDragging = 6;
    // The picTips index of the note that a report was saved.
    static constexpr int kReportSavedTip = 26;

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
    DoubtLook doubtLook{imgRMCard, imgRMNum, picRMDim, picRMDoubt, imgDoubt};

    ui::Timer& tmrFindDDZ{TimerNamed("tmrFindDDZ")};
    ui::Timer& tmrGamePos{TimerNamed("tmrGamePos")};
    ui::Timer& tmrDelay{TimerNamed("tmrDelay")};
    ui::Timer& tmrStart{TimerNamed("tmrStart")};
    ui::Timer& tmrEmit{TimerNamed("tmrEmit")};
    ui::Timer& tmrStar{TimerNamed("tmrStar")};
    ui::Timer& tmrTipInterval{TimerNamed("tmrTipInterval")};
    ui::Timer& tmrTipMove{TimerNamed("tmrTipMove")};
    ui::Timer& tmrSaved{TimerNamed("tmrSaved")};

    // Screen reading and the tally, owned by this window.
    recognition::ScreenSampler sampler;
    recognition::CardRow row;
    recognition::CardTally tally;
    recognition::CardReader reader;

    // The game window.
    platform::ForeignWindow hGameWnd = 0;
    bool bGameFound = false;
    bool bGameLossDone = false;
    std::int16_t GameLeft = 0, GameTop = 0;
    // Whether GameLeft/GameTop hold a position measured in this run.
    bool bGamePosSeen = false;
    PosRec posRec;

    // The hand watcher.
    bool bLoadDone = false;
    bool bTurnKnown = false;
    std::int16_t nScanX = 0, nScanY = 0;
    // Play ticks that found nothing; every fifth looks for the deal's sign, and the
    // hand is over when five looks in a row (a second or more) miss it.
    std::int16_t nQuietTicks = 0;
    std::int16_t nLooksWithoutDeal = 0;
    static constexpr std::int16_t kQuietTicksPerLook = 5;
    static constexpr std::int16_t kLooksWithoutDealEndingHand = 5;
    static constexpr const auto& ScanSpan = recognition::game::ScanSpan;
    static constexpr const auto& ScanRow = recognition::game::ScanRow;

    // The chrome: nPressed is kNothingPressed, the button held down, or kDragging.
    ui::BoundedArray<ButtonRect, 0, 5> ButtonRects;  // 0 the whole window; 4 names no button
    ui::BoundedArray<std::int16_t, 0, 3> TipList;  // picTips indices shown in turn
    std::int16_t TipCount = 0;
    std::int16_t TipIdx = 0;  // the TipList entry shown next

    SettingsFile& settings() { return settings_; }

    // Timer handlers; the timers call them, and benchmarks may too.
    void tmrFindDDZ_Timer();
    void tmrGamePos_Timer();
    void tmrDelay_Timer();
    void tmrStart_Timer();
    void tmrEmit_Timer();
    void tmrStar_Timer();
    void tmrTipInterval_Timer();
    void tmrTipMove_Timer();
    void tmrSaved_Timer();


protected:
    void Form_Load() override;
    void Form_QueryUnload() override;
    void ShowHoverLooks() override;
    void ShowPressedLook(std::int16_t pressed) override;

private:
    // The game's client area for one watcher tick, released on every path.
    class GameDC;

    void FinishReset(bool keepWatching);
    void imgMouseOn_MouseUp(int index, const ui::MouseEvent& release);
    void SetRollTips();
    void SaveGamePosition();
    bool FindPlay(std::int16_t seat, int clientHeight);
    // The first of the two deal signs, which shows from a deal to the hand's end.
    bool TopDealSignShows();
    void EndHandOnceTheDealHasGone();
    // Asks the player window to show the newest move when it follows the play.
    void FollowPlay();

    modQTC& shared_;
    SettingsFile settings_;
};

}  // namespace vantrel
