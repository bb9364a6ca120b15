#include "support/card_probes.h"

namespace vantrel::test {
namespace {

std::string Classes(const base::Image& image, int x, int y, const auto& probes) {
    std::string classes;
    for (const ProbePixel& p : probes) classes += IsInk(image.rgb(x + p.column, y + p.row).b) ? 'I' : 'P';
    return classes;
}

}  // namespace

std::string GlyphClasses(const base::Image& image, int x, int y) { return Classes(image, x, y, kGlyphProbes); }
std::string StripClasses(const base::Image& image, int x, int y) { return Classes(image, x, y, kSuitProbes); }

std::size_t DecidingTest(std::string_view glyph_classes) {
    std::size_t t = 0;
    for (; t < kDecisionList.size(); ++t) {
        const std::string_view cells = kDecisionList[t].classes;
        bool holds = true;
        for (std::size_t i = 0; i < cells.size(); ++i)
            if (cells[i] != '.' && cells[i] != glyph_classes[i]) holds = false;
        if (holds) break;
    }
    return t;
}

int RankFromClasses(std::string_view glyph_classes) {
    const std::size_t t = DecidingTest(glyph_classes);
    return t < kDecisionList.size() ? kDecisionList[t].rank : kTwo;
}

int SuitFromClasses(std::string_view strip_classes) {
    const auto paper = strip_classes.find('P');
    return paper == std::string_view::npos ? 0 : static_cast<int>(paper) + 1;
}

ReadRow ReadCardRow(const base::Image& image, int x, int y) {
    ReadRow row;
    for (int card = 0; card < 51 && image.Contains(x + kNextCardProbe, y + 25); ++card, x += kCardPitch) {
        int code = RankFromClasses(GlyphClasses(image, x, y));
        if (code <= 14) {
            const int suit = SuitFromClasses(StripClasses(image, x + kSuitStrip.column, y + kSuitStrip.row));
            if (suit != 0) code = (code - 3) * 4 + suit;
        }
        row.codes.push_back(code);
        const std::uint8_t red = image.rgb(x + kNextCardProbe, y).r;
        row.next_probe_red.push_back(red);
        if (red >= kNextCardRedBelow) break;
    }
    return row;
}

}  // namespace vantrel::test
