// The card glyph recogniser. The game lays a hand or a play as a row of face-up
// cards overlapping left to right, each showing its rank glyph (11 x 16) at the top
// of its left strip and its suit pip (11 x 5) under it. `ReadCards` walks the row:
// it names each rank by a decision list of pixel tests on the glyph, each suit by
// four pixels of the pip, steps 22 pixels right while the next card's dark edge is
// there, and hands the row to the tally. There is no template matching and no
// search: the positions and thresholds follow the game's card artwork exactly.
#pragma once

#include <cstdint>
#include <optional>

#include "recognition/card_tally.h"
#include "recognition/game_contract.h"
#include "recognition/screen_sampler.h"

namespace vantrel::recognition {

class CardReader {
public:
    CardReader(ScreenSampler& sampler, CardRow& row, CardTally& tally);

    // Reads the row whose first glyph is at (x, y); x comes back as the first x
    // after the row. A dealt hand is struck from the counts, a play by seat nTurn
    // struck and recorded, a dropped row only read. A row ends at its 50th card. A
    // run-time error on the way drops the hand and returns normally.
    void ReadCards(std::int16_t& x, std::int16_t y, RowKind kind);

    // On an 11 x 16 capture: a rank 3..14, or 49 for the 2.
    std::int16_t RecogniseGlyph() const;
    // On an 11 x 5 capture: a suit 1..4, or none when all four probes read ink.
    std::optional<std::int16_t> ReadSuit() const;

private:
    std::int16_t InkAt(int column, int row) const;

    ScreenSampler& sampler_;
    CardRow& row_;
    CardTally& tally_;
};

}  // namespace vantrel::recognition
