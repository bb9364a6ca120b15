#include "main_window/held_marks.h"

#include <array>

#include "base/card_code.h"
#include "shared/layouts.h"

namespace vantrel {

using recognition::Opponent;

HeldMarks::HeldMarks(ui::ControlArray<ui::PictureCell>& imgRMCard, ui::ControlArray<ui::PictureStore>& picRMLeft,
                     ui::ControlArray<ui::PictureStore>& picRMRight, const DoubtLook& ownTiles)
    : imgRMCard_(imgRMCard), picRMLeft_(picRMLeft), picRMRight_(picRMRight),
      leftTip_(ui::FindControl(layouts::kMain, picRMLeft.name(), cards::kLowestRank).tooltip),
      rightTip_(ui::FindControl(layouts::kMain, picRMRight.name(), cards::kLowestRank).tooltip), ownTiles_(ownTiles) {}

void HeldMarks::Show(const std::optional<recognition::HeldRanges>& ranges) {
    static const std::string kNoTip;
    std::array<int, 16> shown{}, shownBefore{};
    imgRMCard_.ForEach([&](const ui::PictureCell& mark) { shown[cards::RankOf(mark.index())] += mark.visible(); });
    // Marks go left to right in code order, and a rank's row shrinks from the right.
    imgRMCard_.ForEach([&](ui::PictureCell& mark) {
        const int code = mark.index(), rank = cards::RankOf(code);
        const int position = mark.visible() ? shownBefore[rank]++ : -1;
        const bool left = ranges && position >= 0 && position < ranges->Least(Opponent::kLeft, rank);
        const bool right = ranges && position >= 0 && position >= shown[rank] - ranges->Least(Opponent::kRight, rank);
        const ui::Picture& tile = left    ? picRMLeft_(rank).picture()
                                  : right ? picRMRight_(rank).picture()
                                          : ownTiles_.OwnTile(code);
        if (mark.picture() != tile) mark.SetPicture(tile);
        const std::string& tip = left ? leftTip_ : right ? rightTip_ : kNoTip;
        if (mark.tooltip() != tip) mark.SetTooltip(tip);
    });
}

}  // namespace vantrel
