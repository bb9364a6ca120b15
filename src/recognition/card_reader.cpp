#include "recognition/card_reader.h"

#include "base/card_code.h"
#include "recognition/game_contract.h"

namespace vantrel::recognition {
namespace {

// The most cards a row holds (CardList's entries 1..50): a probe that keeps finding
// dark pixels is walking over something other than cards, and the row ends there.
constexpr std::int16_t kMostCardsInARow = 50;

// However a row ends (also by a capture that copied nothing, which abandons the
// tick), the next row starts again at the first entry.
class RowEnd {
public:
    explicit RowEnd(CardRow& row) : row_(row) {}
    ~RowEnd() { row_.nCardCount = 0; }
    RowEnd(const RowEnd&) = delete;
    RowEnd& operator=(const RowEnd&) = delete;

private:
    CardRow& row_;
};

}  // namespace

CardReader::CardReader(ScreenSampler& sampler, CardRow& row, CardTally& tally)
    : sampler_(sampler), row_(row), tally_(tally) {}

std::int16_t CardReader::InkAt(int column, int row) const {
    return ScreenSampler::IsInk(sampler_.PixelBuf(4 * column + 1, row + 1));
}

std::int16_t CardReader::RecogniseGlyph() const {
    for (const GlyphTest& test : game::kGlyphTests) {
        bool holds = true;
        for (std::size_t i = 0; i < game::kGlyphProbes.size() && holds; ++i) {
            const char want = test.pattern[i];
            if (want != '-') holds = InkAt(game::kGlyphProbes[i].column, game::kGlyphProbes[i].row) == (want == 'I' ? 1 : 0);
        }
        if (holds) return test.rank;
    }
    return game::kUnmatchedGlyph;
}

std::optional<std::int16_t> CardReader::ReadSuit() const {
    for (std::size_t i = 0; i < game::kSuitProbes.size(); ++i)
        if (InkAt(game::kSuitProbes[i].column, game::kSuitProbes[i].row) == 0) return static_cast<std::int16_t>(i + 1);
    return std::nullopt;
}

void CardReader::ReadCards(std::int16_t& x, std::int16_t y, RowKind kind) {
    const RowEnd end(row_);
    try {
        const std::int16_t CardStep = game::kCardStep;
        do {
            sampler_.CaptureRect(x, y, game::kGlyphWidth, game::kGlyphHeight);
            std::int16_t nCard = RecogniseGlyph();
            if (nCard <= cards::kAce) {
                sampler_.CaptureRect(ui::Int16(x + game::kStripDx), ui::Int16(y + game::kStripDy), game::kStripWidth,
                                     game::kStripHeight);
                // A pip that reads as no suit keeps its card's rank: it is counted
                // as a spade rather than as some lower card.
                nCard = ui::Int16(cards::CodeOf(nCard, ReadSuit().value_or(1)));
            }
            row_.nCardCount = ui::Int16(row_.nCardCount + 1);
            row_.CardList(row_.nCardCount) = nCard;
            sampler_.CaptureRect(ui::Int16(x + CardStep + game::kNextEdgeDx), y, 1, 1);
            x = ui::Int16(x + CardStep);
        } while (sampler_.PixelBuf(3, 1) < game::kNextEdgeRedBelow && row_.nCardCount < kMostCardsInARow);

        if (kind == RowKind::DealtHand) {
            tally_.CodesToRanks();
            tally_.StrikeCards(RowKind::DealtHand);
        } else if (kind == RowKind::Play) {
            tally_.CodesToRanks();
            tally_.StrikeCards(RowKind::Play);
            tally_.RecordPlay();
        }
    } catch (const ui::RuntimeError&) {
        tally_.ResetHand(true);
    }
}

}  // namespace vantrel::recognition
