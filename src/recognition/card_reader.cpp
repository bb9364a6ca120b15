#include "recognition/card_reader.h"

#include <array>
#include <string_view>

namespace vantrel::recognition {
namespace {

struct GlyphPixel {
    int column, row;
};

// The ten probe pixels of the rank glyph, (column, row) from its top-left corner.
constexpr std::array<GlyphPixel, 10> kGlyphProbes{
    {{2, 8}, {4, 2}, {4, 7}, {4, 9}, {4, 10}, {4, 11}, {5, 1}, {5, 15}, {7, 8}, {9, 0}}};

struct GlyphTest {
    std::int16_t rank;
    // One letter per probe above: I ink, P paper, - not looked at.
    std::string_view pattern;
};

// The order matters: the tests overlap, and the first that holds decides.
constexpr std::array<GlyphTest, 13> kGlyphTests{{
    {49, "PP-I---I--"},
    {14, "IIPP------"},
    {13, "IPI---P---"},
    {12, "PP-P----P-"},
    {11, "PP---P---I"},
    {10, "IPP-----P-"},
    {9, "IPPI------"},
    {8, "IPI---I---"},
    {7, "PPP----P--"},
    {6, "IIIP------"},
    {5, "P-P-----IP"},
    {4, "IPP-I-----"},
    {3, "PPIP------"},
}};

// The suit strip's probes in the order they are tried; the first that reads paper names the suit.
constexpr std::array<GlyphPixel, 4> kSuitProbes{{{3, 0}, {4, 0}, {1, 3}, {0, 4}}};

constexpr std::int16_t kTwo = 49;

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
    for (const GlyphTest& test : kGlyphTests) {
        bool holds = true;
        for (std::size_t i = 0; i < kGlyphProbes.size() && holds; ++i) {
            const char want = test.pattern[i];
            if (want != '-') holds = InkAt(kGlyphProbes[i].column, kGlyphProbes[i].row) == (want == 'I' ? 1 : 0);
        }
        if (holds) return test.rank;
    }
    return kTwo;
}

std::optional<std::int16_t> CardReader::ReadSuit() const {
    for (std::size_t i = 0; i < kSuitProbes.size(); ++i)
        if (InkAt(kSuitProbes[i].column, kSuitProbes[i].row) == 0) return static_cast<std::int16_t>(i + 1);
    return std::nullopt;
}

void CardReader::ReadCards(std::int16_t& x, std::int16_t y, std::int16_t mode) {
    const RowEnd end(row_);
    try {
        CardStep = 22;
        do {
            sampler_.CaptureRect(x, y, 11, 16);
            nCard = RecogniseGlyph();
            if (nCard <= 14) {
                sampler_.CaptureRect(ui::Int16(x + 1), ui::Int16(y + 21), 11, 5);
                // A pip that reads as no suit keeps its card's rank: it is counted
                // as a spade rather than as some lower card.
                nCard = ui::Int16((nCard - 3) * 4 + ReadSuit().value_or(1));
            }
            row_.nCardCount = ui::Int16(row_.nCardCount + 1);
            row_.CardList(row_.nCardCount) = nCard;
            sampler_.CaptureRect(ui::Int16(x + CardStep - 4), y, 1, 1);
            x = ui::Int16(x + CardStep);
        } while (sampler_.PixelBuf(3, 1) < 10 && row_.nCardCount < kMostCardsInARow);

        if (mode == 2) {
            tally_.CodesToRanks();
            tally_.StrikeCards(2);
        } else if (mode == 3) {
            tally_.CodesToRanks();
            tally_.StrikeCards(3);
            tally_.RecordPlay();
        }
    } catch (const ui::RuntimeError&) {
        tally_.ResetHand(true);
    }
}

}  // namespace vantrel::recognition
