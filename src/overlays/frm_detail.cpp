#include "overlays/frm_detail.h"

#include "shared/layouts.h"
#include "ui/bounded_array.h"

namespace vantrel {
namespace {

// A row of the window: 20 card slots, and 19 dividers of which the first is never
// shown. A seat of this game lays 16 cards at most; anything beyond a row's slots
// or dividers is not drawn rather than spilling into the other row.
constexpr int kSlotsPerRow = 20;
constexpr int kDividersPerRow = 19;

// The first row of the history that `seat` made.
int FirstRowOf(int seat, int firstSeat) { return (seat - firstSeat + 3) % 3; }

}  // namespace

frmDetail::frmDetail(modQTC& shared) : SkinnedForm(shared, layouts::kDetail, SettingsRecord::DetailWindow, kDragging) {
    DragBy(imgEmit);
    for (int k : {kRankOrderButton, kPlayOrderButton}) {
        imgButton(k).onMouseDown = [this, k](const ui::MouseEvent&) { nPressed = static_cast<std::int16_t>(k); };
        imgButton(k).onMouseUp = [this, k](const ui::MouseEvent& e) { imgButton_MouseUp(k, e); };
    }
    imgClose.ForEach([this](ui::PictureCell& look) {
        look.onMouseDown = [this](const ui::MouseEvent&) { nPressed = kCloseHeld; };
        look.onMouseUp = [this](const ui::MouseEvent& e) { imgClose_MouseUp(e); };
    });
}

void frmDetail::Form_Load() {
    shared().bDetailOpen = kTrue;
    modQTC::MakeLayered(*this);
    TakeStoredPlace();
    DetailMode = kPlayOrder;
    ShowDetail();
}

void frmDetail::Form_QueryUnload() { SaveStoredPlace(); }

void frmDetail::OnCloseRequest() {
    toolkit().RunEvent([this] { CloseByUser(); });
}

void frmDetail::CloseByUser() {
    Unload();
    shared().bDetailOpen = kFalse;
}

void frmDetail::InitDetail() {
    Load();
    imgEmit.ForEach([](ui::PictureCell& slot) { slot.SetPicture(nullptr); });
    imgDivide.ForEach([](ui::PictureCell& divider) { divider.SetVisible(false); });
}

void frmDetail::ShowDetail() {
    if (DetailMode == kPlayOrder)
        ShowInPlayOrder();
    else if (DetailMode == kRankOrder)
        ShowInRankOrder();
}

// Nothing is emptied first: every call puts the same cards and dividers in the
// same places and adds those of the plays since the last call.
void frmDetail::ShowInPlayOrder() {
    const MoveTable& history = shared().PlayHistory;
    ui::BoundedArray<std::int16_t, 0, 2> PlayCount, CardCount;
    for (int i = 0; i < MoveTable::kRows && history(i, 1) != 0; ++i) {
        const int seat = (shared().FirstSeat + i) % 3;
        if (history(i, 1) == modQTC::PassMark || seat == 0) continue;
        ++PlayCount(seat);
        // In the three-pixel gap between the last card drawn and this play's first.
        if (PlayCount(seat) > 1 && PlayCount(seat) <= kDividersPerRow) {
            ui::PictureCell& divider = imgDivide(seat == 1 ? PlayCount(1) : PlayCount(2) + kDividersPerRow);
            divider.SetLeft(scale().Apply(layouts::DetailDividerLeft(CardCount(seat))));
            divider.SetVisible(true);
        }
        for (int m = 1; m <= history(i, MoveTable::kCountColumn); ++m) {
            ++CardCount(seat);
            if (CardCount(seat) <= kSlotsPerRow)
                imgEmit((seat - 1) * kSlotsPerRow + CardCount(seat)).SetPicture(picCards(history(i, m)).picture());
        }
    }
}

// Each opponent's cards from the highest rank down; cards of one rank keep the
// order in which they were laid. A pass never matches a rank.
void frmDetail::ShowInRankOrder() {
    const MoveTable& history = shared().PlayHistory;
    imgDivide.ForEach([](ui::PictureCell& divider) { divider.SetVisible(false); });
    ui::BoundedArray<std::int16_t, 0, 2> CardCount;
    for (int seat : {1, 2}) {
        for (int rank = 17; rank >= 3; --rank) {
            for (int i = FirstRowOf(seat, shared().FirstSeat); i < MoveTable::kRows && history(i, 1) != 0; i += 3) {
                for (int m = 1; m <= history(i, MoveTable::kCountColumn); ++m) {
                    if (history(i, m) != rank) continue;
                    ++CardCount(seat);
                    if (CardCount(seat) <= kSlotsPerRow)
                        imgEmit((seat - 1) * kSlotsPerRow + CardCount(seat)).SetPicture(picCards(rank).picture());
                }
            }
        }
    }
}

void frmDetail::ShowHoverLooks() { imgClose(0).SetVisible(IsOverCloseButton()); }

void frmDetail::ShowPressedLook(std::int16_t pressed) {
    if (pressed == kCloseHeld) {
        imgClose(1).SetVisible(IsOverCloseButton());
    } else {
        imgDown(pressed).SetVisible(IsOverOrderButton());
        imgButton(pressed).SetVisible(!IsOverOrderButton());
    }
}

void frmDetail::imgButton_MouseUp(int k, const ui::MouseEvent& e) {
    nPressed = kNothingPressed;
    if (!ReleasedWithin(e, "imgButton", k)) {
        // The pressed look goes and the face comes back, whatever the hover tick
        // last showed: a look left up would take every later press.
        imgDown(k).SetVisible(false);
        imgButton(k).SetVisible(true);
        return;
    }
    const int other = k == kRankOrderButton ? kPlayOrderButton : kRankOrderButton;
    imgDown(k).SetVisible(false);
    imgButton(k).SetVisible(false);
    imgButton(other).SetVisible(true);
    imgNote(k).SetVisible(false);
    imgNote(other).SetVisible(true);
    DetailMode = static_cast<std::int16_t>(k);
    ShowDetail();
}

void frmDetail::imgClose_MouseUp(const ui::MouseEvent& e) {
    nPressed = kNothingPressed;
    imgClose(0).SetVisible(false);
    imgClose(1).SetVisible(false);
    if (ReleasedWithin(e, "imgClose", 0)) CloseByUser();
}

}  // namespace vantrel
