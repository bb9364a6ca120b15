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
//                                     button; the game window's loss goes to idle
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

#include "recognition/card_reader.h"
#include "recognition/card_tally.h"
#include "recognition/screen_sampler.h"
#include "shared/modqtc.h"
#include "shared/settings.h"
#include "ui/bounded_array.h"
#include "ui/form.h"

namespace vantrel {

class frmIdentify : public ui::Form {
public:
    explicit frmIdentify(modQTC& shared);

    // The new-hand button's action: stop following this hand and wait for a new one.
    void StartNewHand();
    // The tip strip says for a few seconds that a report was saved.
    void ShowReportSaved();

    // A hover rectangle in window pixels; a point is inside when strictly between.
    struct ButtonRect {
        std::int16_t x1, x2, y1, y2;
    };
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

    ui::Timer& tmrFindDDZ{TimerNamed("tmrFindDDZ")};
    ui::Timer& tmrGamePos{TimerNamed("tmrGamePos")};
    ui::Timer& tmrDelay{TimerNamed("tmrDelay")};
    ui::Timer& tmrStart{TimerNamed("tmrStart")};
    ui::Timer& tmrEmit{TimerNamed("tmrEmit")};
    ui::Timer& tmrPOS{TimerNamed("tmrPOS")};
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
    struct Span {
        std::int16_t first, last;
    };
    static constexpr ui::BoundedArray<Span, 0, 2> ScanSpan{{{{240, 360}, {460, 640}, {1, 140}}}};
    static constexpr ui::BoundedArray<std::int16_t, 0, 2> ScanRow{{{330, 214, 214}}};

    // The chrome.
    std::int16_t nPressed = kNothingPressed;  // or the button held down, or kDragging
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
    void tmrPOS_Timer();
    void tmrStar_Timer();
    void tmrTipInterval_Timer();
    void tmrTipMove_Timer();
    void tmrSaved_Timer();


protected:
    void Form_Load() override;
    void Form_QueryUnload() override;
    void Form_MouseDown(const ui::MouseEvent&) override;
    void Form_MouseMove(const ui::MouseEvent&) override;

private:
    // The game's client area for one watcher tick, released on every path.
    class GameDC;

    void FinishReset(bool keepWatching);
    void BeginDrag();
    void imgMouseOn_MouseUp(int index, const ui::MouseEvent& release);
    // The hit test of the hover tick, against the cursor it last read.
    bool CursorInside(const ButtonRect& r) const;
    void SetRollTips();
    void SaveGamePosition();
    // One pixel of the game through the sampler: blue, green, red.
    platform::Rgb Probe(int x, int y);
    bool FindPlay(std::int16_t seat, int clientHeight);
    // Asks the player window to show the newest move when it follows the play.
    void FollowPlay();

    modQTC& shared_;
    SettingsFile settings_;
};

}  // namespace vantrel
