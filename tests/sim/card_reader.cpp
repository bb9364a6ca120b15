#include "card_reader.h"

namespace vantrel::test {
namespace {

struct GlyphTest {
    int rank;
    std::string_view classes;  // per probe: 'I' ink, 'P' paper, '.' not read
};

// Probes:                        (2,8) (4,2) (4,7) (4,9) (4,10) (4,11) (5,1) (5,15) (7,8) (9,0)
constexpr std::array<GlyphTest, 13> kDecisionList{{
    {kTwo, "PP.I...I.."},
    {14, "IIPP......"},
    {13, "IPI...P..."},
    {12, "PP.P....P."},
    {11, "PP...P...I"},
    {10, "IPP.....P."},
    {9, "IPPI......"},
    {8, "IPI...I..."},
    {7, "PPP....P.."},
    {6, "IIIP......"},
    {5, "P.P.....IP"},
    {4, "IPP.I....."},
    {3, "PPIP......"},
}};

std::string Classes(const platform::Image& image, int x, int y, const auto& probes) {
    std::string classes;
    for (const ProbePixel& p : probes) classes += IsInk(image.rgb(x + p.column, y + p.row).b) ? 'I' : 'P';
    return classes;
}

}  // namespace

std::string GlyphClasses(const platform::Image& image, int x, int y) { return Classes(image, x, y, kGlyphProbes); }
std::string StripClasses(const platform::Image& image, int x, int y) { return Classes(image, x, y, kSuitProbes); }

int RankFromClasses(std::string_view glyph_classes) {
    for (const GlyphTest& test : kDecisionList) {
        bool matches = true;
        for (std::size_t i = 0; i < test.classes.size(); ++i)
            if (test.classes[i] != '.' && test.classes[i] != glyph_classes[i]) matches = false;
        if (matches) return test.rank;
    }
    return kTwo;
}

int SuitFromClasses(std::string_view strip_classes) {
    const auto paper = strip_classes.find('P');
    return paper == std::string_view::npos ? 0 : static_cast<int>(paper) + 1;
}

ReadRow ReadCardRow(const platform::Image& image, int x, int y) {
    ReadRow row;
    for (int card = 0; card < 51 && image.Contains(x + 18, y + 25); ++card, x += 22) {
        int code = RankFromClasses(GlyphClasses(image, x, y));
        if (code <= 14) {
            const int suit = SuitFromClasses(StripClasses(image, x + 1, y + 21));
            if (suit != 0) code = (code - 3) * 4 + suit;
        }
        row.codes.push_back(code);
        const std::uint8_t red = image.rgb(x + 18, y).r;
        row.next_probe_red.push_back(red);
        if (red >= 10) break;
    }
    return row;
}

}  // namespace vantrel::test
