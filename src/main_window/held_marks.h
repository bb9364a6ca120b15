// The grid's marks that an opponent must hold. In each rank's row, of the marks
// shown, the leftmost that the left opponent must hold take its tile and the
// rightmost that the right one must hold take the other's, each with a tooltip
// saying whose it is; every other mark keeps its own tile. Nothing is shown as
// held while the reading knows nothing or is off, nor in doubt: the tally asks
// for this look before it shows the doubt, and after the reset that ends it.
#pragma once

#include <optional>
#include <string>

#include "main_window/doubt_look.h"
#include "recognition/holdings.h"
#include "ui/controls.h"

namespace vantrel {

class HeldMarks {
public:
    // The grid, the held tiles of each side by rank (3..15), whose tooltips the
    // layout gives, and the look that knows every mark's own tile.
    HeldMarks(ui::ControlArray<ui::PictureCell>& imgRMCard, ui::ControlArray<ui::PictureStore>& picRMLeft,
              ui::ControlArray<ui::PictureStore>& picRMRight, const DoubtLook& ownTiles);

    void Show(const std::optional<recognition::HeldRanges>& ranges);

private:
    ui::ControlArray<ui::PictureCell>& imgRMCard_;
    ui::ControlArray<ui::PictureStore>& picRMLeft_;
    ui::ControlArray<ui::PictureStore>& picRMRight_;
    std::string leftTip_, rightTip_;
    const DoubtLook& ownTiles_;
};

}  // namespace vantrel
