// The detail window, "VXDetail": every card that each opponent has laid in this
// hand, seat 1 in the lower row and seat 2 in the upper one, in play order with a
// divider in front of each play after the first, or sorted from the highest rank
// down. The user's plays and every pass are left out. It reads the shared history
// and redraws the whole hand on every request, so whenever it opens it shows the
// hand from its first move.
//
// While it is loaded, hidden or not, the main loop asks it to redraw after every
// recorded play; a hand reset loads it hidden if the user had closed it, so its
// rows are current whenever it is shown again.
#pragma once

#include <cstdint>

#include "shared/skinned_form.h"

namespace vantrel {

class frmDetail : public SkinnedForm {
public:
    explicit frmDetail(modQTC& shared);

    // Empties every card slot and hides every divider; loads the window hidden
    // when it is not loaded.
    void InitDetail();
    // Redraws both rows from the whole history in the current order.
    void ShowDetail();

    // A close asked for by the system (Alt+F4, WM_CLOSE from elsewhere) is the
    // user's close, as by the close button: the window saves its place and the
    // main loop stops asking it to redraw.
    void OnCloseRequest() override;

    // Controls and timers, built from the window's layout table.
    ui::ControlArray<ui::PictureCell>& imgEmit{Cells("imgEmit")};
    ui::ControlArray<ui::PictureCell>& imgDivide{Cells("imgDivide")};
    ui::ControlArray<ui::PictureStore>& picCards{Stores("picCards")};
    ui::ControlArray<ui::PictureCell>& imgButton{Cells("imgButton")};
    ui::ControlArray<ui::PictureCell>& imgDown{Cells("imgDown")};
    ui::ControlArray<ui::PictureCell>& imgNote{Cells("imgNote")};
    ui::ControlArray<ui::PictureCell>& imgClose{Cells("imgClose")};

    static constexpr std::int16_t kRankOrder = 1;
    static constexpr std::int16_t kPlayOrder = 2;
    // Any other value draws nothing.
    std::int16_t DetailMode = kPlayOrder;

    // The two order buttons, indices of imgButton, imgDown and imgNote, share one
    // place: the one shown draws its own order when clicked, its index being that
    // DetailMode, and gives its place to the other.
    static constexpr std::int16_t kRankOrderButton = kRankOrder, kPlayOrderButton = kPlayOrder;
    // nPressed: an order button while it is held, kCloseHeld while the close button
    // is, kDragging while the window moves.
    static constexpr std::int16_t kDragging = 3, kCloseHeld = 4;

protected:
    void Form_Load() override;
    void Form_QueryUnload() override;

private:
    void ShowInPlayOrder();
    void ShowInRankOrder();
    // The two order buttons share one place and one hover rectangle.
    bool IsOverOrderButton() const { return IsOver(HoverRect("imgButton", 1)); }
    bool IsOverCloseButton() const { return IsOver(HoverRect("imgClose", 0)); }
    void ShowHoverLooks() override;
    void ShowPressedLook(std::int16_t pressed) override;
    void imgButton_MouseUp(int k, const ui::MouseEvent& e);
    void imgClose_MouseUp(const ui::MouseEvent& e);
    void CloseByUser();
};

}  // namespace vantrel
