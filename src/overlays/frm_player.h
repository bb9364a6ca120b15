// The player window, "VXPlayer": the hand's moves replayed one at a time, each in
// the area of the seat that made it (the user's at the bottom, seat 1's at the top
// right, seat 2's at the top left), so that after every step the two latest moves
// shown are on display and the area of the seat to move next is empty.
//
// The step timer `tmrShow` shows one move per tick (250, 500 or 1000 ms) until it
// has caught up with the history; seven transport buttons restart, pause, step
// back and forth, change the speed and play. While the follow-play box is ticked
// the main loop asks it to play on after every recorded move, so a ticked window
// keeps up with the game. A hand reset loads it hidden if the user had closed it,
// ticked, so its replay stays current; a running step timer is left running.
#pragma once

#include <cstdint>

#include "shared/skinned_form.h"

namespace vantrel {

class frmPlayer : public SkinnedForm {
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
    // The follow-play box: ticked exactly while it holds a picture.
    ui::PictureCell& imgMark{Cell("imgMark")};
    // Whether the follow-play box is ticked: the main loop asks it to play on after
    // every recorded move.
    bool FollowsPlay() const { return imgMark.HasPicture(); }
    ui::ControlArray<ui::PictureCell>& imgButton{Cells("imgButton")};
    ui::ControlArray<ui::PictureCell>& imgMouseOn{Cells("imgMouseOn")};
    ui::ControlArray<ui::PictureCell>& imgMouseDown{Cells("imgMouseDown")};
    ui::Timer& tmrShow{TimerNamed("tmrShow")};

    // The transport buttons; 8 is the close button.
    enum Button : std::int16_t {
        kReplay = 1, kPause = 2, kStepBack = 3, kStepForward = 4, kFaster = 5, kSlower = 6, kPlay = 7, kClose = 8
    };
    // nPressed: a Button while that button is held, kDragging while the window moves.
    static constexpr std::int16_t kDragging = 9;

    // The history row that the next step shows.
    std::int16_t PlayCursor = 0;
    // FirstSeat as Play last copied it when it started the step timer.
    std::int16_t PlayStart = 0;
    // Which of the pair sharing one place is shown: kPlay (stopped) or kPause (running).
    std::int16_t PlayPauseButton = kPlay;
    static std::int16_t OtherPlayButton(std::int16_t k) { return k == kPause ? kPlay : kPause; }

protected:
    void Form_Load() override;
    void Form_QueryUnload() override;

private:
    // Whether row `row` holds a move; a row past the last (100) is empty.
    bool MoveWaits(int row) const;
    // The seat that made move `row`. Until Play has first copied FirstSeat the
    // stepping buttons go by the hand's FirstSeat itself.
    int SeatOf(int row) const;
    // How many of move `row`'s cards its seat's area shows.
    int SlotsOf(int row) const;
    // The x of slot 1 of each seat's area.
    static int RowLeft(int seat);
    // Whether the cursor is over transport button k (7 at 2's place) or the close button (8).
    bool IsOverButton(int k) const;
    void ShowPlay(int row);
    void ClearPlay(int row);
    void EmptyAllSlots();
    // The replay has stopped: the play button, in its normal look, takes the pair's place.
    void StopReplay();

    void tmrShow_Timer();
    void ShowHoverLooks() override;
    void ShowPressedLook(std::int16_t pressed) override;
    void imgMouseOn_MouseUp(int k, const ui::MouseEvent& e);

    bool playStartTaken_ = false;
};

}  // namespace vantrel
