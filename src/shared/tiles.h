// The windows' tile pictures, drawn once at start-up: the rank tiles of the
// remaining-card grid (21 x 28) and of the overlays' card cells (15 x 20), the
// count digits (17 x 18: 0 to 5 red on white outline, 6 to 16 green), the pass
// tile, the follow-play tick, and the main window's hover, pressed and star looks.
// Every picture differs from every other, so what a cell shows can be read back.
#pragma once

#include "ui/controls.h"

namespace vantrel::tiles {

// Rank 3..15 (3..10, J, Q, K, A, 2).
ui::Picture GridRank(int rank);
// Count 0..16.
ui::Picture CountDigit(int count);
// Rank 3..15, and 16 / 17 for the black and red joker.
ui::Picture CardRank(int rank);
ui::Picture PassTile();
ui::Picture FollowTick();
// The main window's buttons 1, 2, 3 and 5 (close): hover and pressed looks.
ui::Picture ButtonHover(int button);
ui::Picture ButtonPressed(int button);
ui::Picture Star();
// The two rolling tip strips, 24 and 25.
ui::Picture TipStrip(int index);

}  // namespace vantrel::tiles
