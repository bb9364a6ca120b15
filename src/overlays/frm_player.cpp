#include "overlays/frm_player.h"

#include <algorithm>
#include <cmath>

#include "shared/layouts.h"

namespace vantrel {
namespace {

constexpr int kSlotsPerSeat = 20;

}  // namespace

frmPlayer::frmPlayer(modQTC& shared) : SkinnedForm(shared, layouts::kPlayer, SettingsRecord::PlayerWindow, kDragging) {
    DragBy(imgEmit);
    imgMark.onClick = [this] { imgMark.SetPicture(imgMark.HasPicture() ? nullptr : picMark.picture()); };
    for (int k = kReplay; k <= kClose; ++k) {
        imgMouseOn(k).onMouseDown = [this, k](const ui::MouseEvent&) { nPressed = static_cast<std::int16_t>(k); };
        imgMouseOn(k).onMouseUp = [this, k](const ui::MouseEvent& e) { imgMouseOn_MouseUp(k, e); };
    }
    tmrShow.onTick = [this] { tmrShow_Timer(); };
}

void frmPlayer::Form_Load() {
    shared().bPlayerOpen = kTrue;
    modQTC::MakeLayered(*this);
    TakeStoredPlace();
    imgMark.SetPicture(picMark.picture());
    PlayPauseButton = kPlay;
    PlayCursor = 0;
    Play();
}

void frmPlayer::Form_QueryUnload() {
    SaveStoredPlace();
    shared().bPlayerOpen = kFalse;
}

void frmPlayer::InitPlayer() {
    Load();
    PlayCursor = 0;
    EmptyAllSlots();
}

void frmPlayer::Play() {
    if (!MoveWaits(PlayCursor)) return;
    PlayStart = shared().FirstSeat;
    playStartTaken_ = true;
    tmrShow.SetEnabled(true);
}

bool frmPlayer::MoveWaits(int row) const {
    return row >= 0 && row < MoveTable::kRows && shared().PlayHistory(row, MoveTable::kCountColumn) != 0;
}

// A move of more cards than an area's 20 slots shows its first 20, rather than
// spilling into the next seat's area.
int frmPlayer::SlotsOf(int row) const { return std::min<int>(shared().PlayHistory(row, MoveTable::kCountColumn), kSlotsPerSeat); }

// Slot 1 of an area never moves: it stays where the table puts it (at 100%: the
// window's scale applies to every place reckoned from it).
int frmPlayer::RowLeft(int seat) { return ui::FindControl(layouts::kPlayer, "imgEmit", kSlotsPerSeat * seat + 1).left; }

bool frmPlayer::IsOverButton(int k) const { return IsOver(HoverRect("imgMouseOn", k)); }

int frmPlayer::SeatOf(int row) const { return ((playStartTaken_ ? PlayStart : shared().FirstSeat) + row) % 3; }

void frmPlayer::ShowPlay(int row) {
    const MoveTable& history = shared().PlayHistory;
    const int count = SlotsOf(row);
    const int seat = SeatOf(row);
    // Up to 13 cards 16 pixels apart; a longer move squeezed so that its last card
    // starts no more than 192 pixels right of its first.
    const int step = count < 14 ? 16 : 192 / (count - 1);
    for (int n = 2; n <= count; ++n)
        imgEmit(kSlotsPerSeat * seat + n).SetLeft(scale().Apply(RowLeft(seat) + (n - 1) * step));
    // A pass is PassMark in column 1, which is also the index of the pass tile.
    for (int n = 1; n <= count; ++n) imgEmit(kSlotsPerSeat * seat + n).SetPicture(picCards(history(row, n)).picture());
}

void frmPlayer::ClearPlay(int row) {
    if (row < 0) return;
    const int count = SlotsOf(row);
    const int seat = SeatOf(row);
    for (int n = 1; n <= count; ++n) imgEmit(kSlotsPerSeat * seat + n).SetPicture(nullptr);
}

void frmPlayer::EmptyAllSlots() {
    for (int n = 1; n <= 3 * kSlotsPerSeat; ++n) imgEmit(n).SetPicture(nullptr);
}

// Move r - 3 is the same seat's as move r and was emptied by the step that showed
// r - 1, so showing r and emptying r - 2 leaves exactly the two latest on display.
void frmPlayer::tmrShow_Timer() {
    if (!MoveWaits(PlayCursor)) return;
    ShowPlay(PlayCursor);
    ClearPlay(PlayCursor - 2);
    ++PlayCursor;
    const bool more = MoveWaits(PlayCursor);
    if (!more) tmrShow.SetEnabled(false);
    const std::int16_t shown = more ? kPause : kPlay;
    if (IsOverButton(PlayPauseButton)) {
        imgMouseOn(shown).SetVisible(true);
        imgMouseOn(OtherPlayButton(shown)).SetVisible(false);
    } else {
        imgButton(shown).SetVisible(true);
        imgButton(OtherPlayButton(shown)).SetVisible(false);
    }
    PlayPauseButton = shown;
}

void frmPlayer::ShowHoverLooks() {
    imgMouseOn(kReplay).SetVisible(IsOverButton(kReplay));
    const bool overPair = IsOverButton(PlayPauseButton);
    imgMouseOn(PlayPauseButton).SetVisible(overPair);
    imgButton(PlayPauseButton).SetVisible(!overPair);
    imgMouseOn(OtherPlayButton(PlayPauseButton)).SetVisible(false);
    imgButton(OtherPlayButton(PlayPauseButton)).SetVisible(false);
    for (int k : {kStepBack, kStepForward, kFaster, kSlower, kClose}) imgMouseOn(k).SetVisible(IsOverButton(k));
}

void frmPlayer::ShowPressedLook(std::int16_t pressed) { imgMouseDown(pressed).SetVisible(IsOverButton(pressed)); }

void frmPlayer::StopReplay() {
    tmrShow.SetEnabled(false);
    imgButton(kPlay).SetVisible(true);
    imgButton(kPause).SetVisible(false);
    PlayPauseButton = kPlay;
}

void frmPlayer::imgMouseOn_MouseUp(int k, const ui::MouseEvent& e) {
    nPressed = kNothingPressed;
    if (!ReleasedWithin(e, "imgMouseOn", k)) {
        // The pressed look goes and the face comes back, whatever the hover tick
        // last showed: a look left up would take every later press.
        imgMouseDown(k).SetVisible(false);
        imgMouseOn(k).SetVisible(false);
        if (k != kClose) imgButton(k).SetVisible(true);
        return;
    }
    if (k == kClose) {
        Unload();
        return;
    }
    imgMouseDown(k).SetVisible(false);
    switch (k) {
        case kReplay:
            PlayCursor = 0;
            EmptyAllSlots();
            Play();
            break;
        case kPause:
            tmrShow.SetEnabled(false);
            imgMouseOn(kPlay).SetVisible(true);
            imgMouseOn(kPause).SetVisible(false);
            PlayPauseButton = kPlay;
            break;
        case kStepBack:
            StopReplay();
            if (PlayCursor >= 3) {
                ClearPlay(PlayCursor - 1);
                ShowPlay(PlayCursor - 3);
                --PlayCursor;
            }
            break;
        case kStepForward:
            StopReplay();
            if (MoveWaits(PlayCursor)) {
                ClearPlay(PlayCursor - 2);
                ShowPlay(PlayCursor);
                ++PlayCursor;
            }
            break;
        case kFaster:
            // Halved to the nearest, a half to the even neighbour: 1000, 500, 250.
            if (tmrShow.Interval() > 300) tmrShow.SetInterval(static_cast<int>(std::lrint(tmrShow.Interval() / 2.0)));
            break;
        case kSlower:
            if (tmrShow.Interval() < 800) tmrShow.SetInterval(tmrShow.Interval() * 2);
            break;
        case kPlay:
            Play();
            break;
        default:
            break;
    }
}

}  // namespace vantrel
