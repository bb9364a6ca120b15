// The main window's look while the tally holds the hand in doubt: it shows that it
// has lost track, and no number or mark it cannot vouch for. Both count cells show
// a question mark; every mark of the grid takes the dimmed tile of its rank, so
// the grid still shows what was struck before the doubt but no longer claims it;
// and a steady strip over the rolling tips says so, with the reason as its
// tooltip. The next hand's reset puts every mark back on its own tile and takes
// the strip away (the reset blanks the counts itself).
#pragma once

#include <map>

#include "recognition/hand_check.h"
#include "ui/controls.h"
#include "ui/scale.h"

namespace vantrel {

class DoubtLook {
public:
    // The grid's marks as the layout made them, the count cells, the dimmed tiles by
    // rank (3..15), the question mark and the strip.
    DoubtLook(ui::ControlArray<ui::PictureCell>& imgRMCard, ui::ControlArray<ui::PictureCell>& imgRMNum,
              ui::ControlArray<ui::PictureStore>& picRMDim, ui::PictureStore& picRMDoubt, ui::PictureCell& imgDoubt);

    void Show(recognition::DoubtReason reason);
    void Clear();
    // The tile a mark has when nothing else is shown on it.
    const ui::Picture& OwnTile(int code) const { return ownTile_.at(code); }
    // The tiles at the window's new scale.
    void FollowScale(ui::Scale scale);

private:
    ui::ControlArray<ui::PictureCell>& imgRMCard_;
    ui::ControlArray<ui::PictureCell>& imgRMNum_;
    ui::ControlArray<ui::PictureStore>& picRMDim_;
    ui::PictureStore& picRMDoubt_;
    ui::PictureCell& imgDoubt_;
    std::map<int, ui::Picture> ownTile_;  // by card code
};

}  // namespace vantrel
