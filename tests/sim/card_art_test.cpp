// The card artwork read back through the program's fixed probes: every glyph in
// both inks and every pip must name itself, with every probe byte far from the
// ink/paper cut, and the committed PNGs must be what the artwork draws today.
#include <cstdlib>
#include <iostream>
#include <memory>

#include <gtest/gtest.h>

#include "sim/card_art/card_art.h"
#include "base/png.h"
#include "support/card_probes.h"
#include "support/artwork_check.h"

namespace vantrel::test {
namespace {

using card_art::Ink;

struct GlyphGolden {
    int rank;
    std::string_view classes;  // at (2,8) (4,2) (4,7) (4,9) (4,10) (4,11) (5,1) (5,15) (7,8) (9,0)
    int recognised;            // what the decision list must make of them
};

constexpr std::array<GlyphGolden, 13> kGlyphGolden{{
    {3, "PPIPPPIIIP", 3},
    {4, "IPPPIIPPIP", 4},
    {5, "PPPPPPIIIP", 5},
    {6, "IIIPPPIIPP", 6},
    {7, "PPPIIIIPPI", 7},
    {8, "IPIPPPIIIP", 8},
    {9, "IPPIPPIIIP", 9},
    {10, "IPPPPPIPPI", 10},
    {11, "PPPPPPIIII", 11},
    {12, "PPPPPPIPPP", 12},
    {13, "IPIIIPPPPI", 13},
    {14, "IIPPIIIPPP", 14},
    {15, "PPIIPPIIPP", kTwo},
}};

TEST(CardArt, EveryGlyphShowsItsGoldenClassesInBothInksAndIsRecognised) {
    for (const GlyphGolden& golden : kGlyphGolden) {
        SCOPED_TRACE(card_art::RankName(golden.rank));
        EXPECT_EQ(RankFromClasses(golden.classes), golden.recognised);
        for (Ink ink : {Ink::kBlack, Ink::kRed}) {
            const base::Image glyph = card_art::RankGlyph(golden.rank, ink);
            ASSERT_EQ(glyph.width(), card_art::kGlyphWidth);
            ASSERT_EQ(glyph.height(), card_art::kGlyphHeight);
            EXPECT_EQ(GlyphClasses(glyph, 0, 0), golden.classes) << card_art::InkName(ink);
        }
    }
}

TEST(CardArt, EverySuitStripShowsItsGoldenClassesAndIsRecognised) {
    constexpr std::array<std::string_view, card_art::kSuitCount> kStripGolden{"PIII", "IPIP", "IIPP", "IIIP"};
    for (int suit = 1; suit <= card_art::kSuitCount; ++suit) {
        SCOPED_TRACE(card_art::SuitName(suit));
        const base::Image pip = card_art::SuitPip(suit);
        ASSERT_EQ(pip.width(), card_art::kPipWidth);
        ASSERT_GE(pip.height(), card_art::kSuitStripHeight);
        const auto classes = StripClasses(pip, 0, 0);
        EXPECT_EQ(classes, kStripGolden[static_cast<std::size_t>(suit - 1)]);
        EXPECT_EQ(SuitFromClasses(classes), suit);
    }
}

// Every card of every rank and suit, in both inks, drawn in place; reports the probe
// byte nearest the ink/paper cut of 150.
TEST(CardArt, EveryProbeOfEveryCardReadsFarFromTheInkCut) {
    constexpr int kGx = 10, kGy = 10;
    int nearest = -1;
    for (int rank = card_art::kLowestRank; rank <= card_art::kHighestRank; ++rank) {
        for (int suit = 1; suit <= card_art::kSuitCount; ++suit) {
            for (Ink ink : {Ink::kBlack, Ink::kRed}) {
                base::Image card(40, 130, {52, 122, 70});
                card_art::DrawCard(card, kGx, kGy, rank, suit);
                card.Blit(card_art::RankGlyph(rank, ink), kGx, kGy);  // each ink on each suit's face
                const int expected = rank == 15 ? kTwo : (rank - 3) * 4 + suit;
                EXPECT_EQ(ReadCardRow(card, kGx, kGy).codes, std::vector<int>{expected});
                std::vector<std::uint8_t> blues;
                for (const ProbePixel& p : kGlyphProbes) blues.push_back(card.rgb(kGx + p.column, kGy + p.row).b);
                for (const ProbePixel& p : kSuitProbes)
                    blues.push_back(card.rgb(kGx + card_art::kPipDx + p.column, kGy + card_art::kPipDy + p.row).b);
                for (int blue : blues)
                    if (nearest < 0 || std::abs(blue - 150) < std::abs(nearest - 150)) nearest = blue;
            }
        }
    }
    std::cout << "probe byte nearest the ink cut of 150: " << nearest << " (" << std::abs(nearest - 150)
              << " away)\n";
    RecordProperty("nearest_probe_byte", nearest);
    EXPECT_GE(std::abs(nearest - 150), 100);
}

TEST(CardArt, CardEdgesAndBlankFaceSitWhereTheTableReaderLooks) {
    constexpr int kGx = 10, kGy = 10;
    base::Image card(40, 130, {52, 122, 70});
    card_art::DrawCard(card, kGx, kGy, 9, card_art::kHearts);
    for (int y = kGy - 3; y < kGy + 109; ++y) {
        EXPECT_EQ(card.rgb(kGx - 4, y), (base::Rgb{0, 0, 0})) << y;
        EXPECT_EQ(card.rgb(kGx - 3, y), (base::Rgb{255, 255, 255})) << y;
    }
    EXPECT_EQ(card.rgb(kGx - 3, kGy + 109), (base::Rgb{0, 0, 0}));
    for (int y = kGy + card_art::kBlankFaceFirstRow; y < kGy + 109; ++y)
        for (int x = kGx - 3; x <= kGx + 24; ++x) ASSERT_EQ(card.rgb(x, y), (base::Rgb{255, 255, 255})) << x << "," << y;
}

// --- The committed PNGs ---------------------------------------------------------

TEST(CardArtFiles, CommittedPicturesEqualWhatTheArtworkDraws) {
    vantrel::testing::ExpectCommittedArtwork(card_art::ArtworkFiles(), VANTREL_CARD_ART_DIR, "generate-card-art");
}

}  // namespace
}  // namespace vantrel::test
