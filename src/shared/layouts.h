// The make-up of the program's three windows, one table each: size, background,
// icon, every control with its place in pixels, picture, visibility at start and
// tooltip, in z-order, and every timer with its interval and whether it runs from
// the start. The windows build themselves from these tables; tests read them.
#pragma once

#include <array>

#include "ui/layout.h"

namespace vantrel::layouts {

// frmIdentify, "VXMain", 128 x 526.
extern const ui::FormLayout kMain;
// Its rolling tips: the picTips shown in turn, the top each enters at (just
// below the window) before it slides up to imgTips' own, and the note that a
// report was saved.
inline constexpr std::array<int, 2> kMainRollingTips{24, 25};
inline constexpr int kMainTipEntryTop = 530;
inline constexpr int kMainReportSavedTip = 26;
// frmDetail, "VXDetail", 460 x 83.
extern const ui::FormLayout kDetail;
// Its rows of card slots, and the x of the divider standing in the middle of the
// gap after a row's `cardsBefore` cards (before its first when none).
inline constexpr int kDetailFirstCardLeft = 40, kDetailCardPitch = 18, kDetailCardWidth = 15;
constexpr int DetailDividerLeft(int cardsBefore) {
    return kDetailFirstCardLeft + kDetailCardPitch * (cardsBefore - 1) + kDetailCardWidth +
           (kDetailCardPitch - kDetailCardWidth) / 2;
}
// frmPlayer, "VXPlayer", 460 x 83.
extern const ui::FormLayout kPlayer;

// One of the tables above at a display scale (the table itself at 100%), made on
// first use and kept for the run. The constants above are the tables' values:
// code that places controls by them applies the window's scale to them.
const ui::FormLayout& Scaled(const ui::FormLayout& table, ui::Scale scale);

}  // namespace vantrel::layouts
