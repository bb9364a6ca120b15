// The reading contract, entry by entry: every cell of the glyph decision list,
// every suit probe, the next-card probe and step, and every bound of the seats'
// first-mover and pass signs. Each entry is tested at its edge with synthetic
// pixels painted into the game's screen: one case just inside and one just
// outside, differing in one byte of one pixel, and the result must move exactly
// as the contract says. A probe read one pixel off, or a bound moved by one,
// cannot pass both cases of a pair.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "support/card_probes.h"
#include "support/recognition_fixture.h"
#include "support/painted_table.h"

namespace vantrel {
namespace {

using namespace vantrel::testing;
using test::kDecisionList;
using test::kGlyphProbes;
using test::kSuitProbes;

// Probe pixels sit on the ink/paper cut of the blue byte; red and green stay put,
// so a probe that reads another byte sees no difference between the two sides.
constexpr base::Rgb kInkEdge{90, 210, 149}, kPaperEdge{90, 210, 150};
constexpr base::Rgb kPaper{255, 255, 255};

int CodeOf(int rank, int suit) { return rank == test::kTwo ? 49 : (rank - 3) * 4 + suit; }

// 'I' or 'P' per glyph probe: probe k is ink where bit k is set.
std::string GlyphClasses(unsigned ink) {
    std::string classes;
    for (std::size_t k = 0; k < kGlyphProbes.size(); ++k) classes += (ink >> k & 1) ? 'I' : 'P';
    return classes;
}

class ReadingContractTest : public RecognitionFixture {
protected:
    static constexpr int kX = 300, kY = 200;

    // A card whose glyph and suit strip show these classes on white paper; its
    // next-card probe is white, so the row ends with it.
    void PaintCard(int gx, int gy, const std::string& glyph, const std::string& strip = "PPPP") {
        screen.FillRect(gx, gy, 11, 16, kPaper);
        screen.FillRect(gx + test::kSuitStrip.column, gy + test::kSuitStrip.row, 11, 5, kPaper);
        screen.set(gx + test::kNextCardProbe, gy, kPaper);
        for (std::size_t k = 0; k < kGlyphProbes.size(); ++k)
            screen.set(gx + kGlyphProbes[k].column, gy + kGlyphProbes[k].row, glyph[k] == 'I' ? kInkEdge : kPaperEdge);
        for (std::size_t k = 0; k < kSuitProbes.size(); ++k)
            screen.set(gx + test::kSuitStrip.column + kSuitProbes[k].column,
                       gy + test::kSuitStrip.row + kSuitProbes[k].row, strip[k] == 'I' ? kInkEdge : kPaperEdge);
    }
    // Reads the row at (kX, kY) and drops it; the codes read and where x ended.
    std::vector<int> ReadRow(int* end = nullptr) {
        BeginTick();
        std::int16_t x = kX;
        watcher().reader.ReadCards(x, kY, recognition::RowKind::Dropped);
        EndTick();
        if (end) *end = x;
        std::vector<int> codes;
        for (int k = 1; k <= (x - kX) / test::kCardPitch; ++k) codes.push_back(main().watcher().row.CardList(k));
        return codes;
    }
};

// The first glyph, counting probe k as bit k (ink where set), that `wanted` holds
// for; 1024 when there is none.
template <class Wanted>
unsigned FirstGlyph(Wanted wanted) {
    unsigned glyph = 0;
    while (glyph < 1024 && !wanted(glyph)) ++glyph;
    return glyph;
}

// For every test of the list and every probe it reads, two things. At the edge: a
// glyph on which that test decides, and the same glyph with that one probe a step
// across the ink cut, which the list gives another rank. And the cell's own say:
// a glyph on which the test's other cells hold, and no earlier test, but this one
// fails, so the list must go on past it. Five cells never have a say: every glyph
// on which they would fail is taken by an earlier test (ink at (2,8) and (4,7)
// with paper at (4,2) is a king or an 8 by (5,1); ink at (2,8) and (4,2) with
// paper at (4,7) and (4,9) is an ace).
TEST_F(ReadingContractTest, EveryCellOfTheDecisionListDecidesAtTheInkEdge) {
    const std::set<std::pair<int, std::size_t>> impliedByEarlierTests{
        {8, 6} /* (5,1) */, {6, 1} /* (4,2) */, {6, 2} /* (4,7) */, {4, 2} /* (4,7) */, {3, 0} /* (2,8) */};
    auto rank = [](unsigned glyph) { return test::RankFromClasses(GlyphClasses(glyph)); };
    auto read = [&](unsigned glyph) {
        PaintCard(kX, kY, GlyphClasses(glyph));
        return ReadRow();
    };
    for (std::size_t t = 0; t < kDecisionList.size(); ++t) {
        const test::GlyphTest& decision = kDecisionList[t];
        for (std::size_t k = 0; k < kGlyphProbes.size(); ++k) {
            if (decision.classes[k] == '.') continue;
            const unsigned bit = 1u << k;
            const std::string why = "rank " + std::to_string(decision.rank) + ", probe (" +
                                    std::to_string(kGlyphProbes[k].column) + "," + std::to_string(kGlyphProbes[k].row) + ")";

            const unsigned edge = FirstGlyph([&](unsigned g) {
                return test::DecidingTest(GlyphClasses(g)) == t && rank(g ^ bit) != decision.rank;
            });
            ASSERT_LT(edge, 1024u) << why;
            EXPECT_EQ(read(edge), std::vector<int>{CodeOf(decision.rank, 1)}) << why << " inside";
            EXPECT_EQ(read(edge ^ bit), std::vector<int>{CodeOf(rank(edge ^ bit), 1)}) << why << " outside";

            const unsigned failsHereOnly = FirstGlyph([&](unsigned g) {
                const std::string classes = GlyphClasses(g);
                for (std::size_t i = 0; i < classes.size(); ++i)
                    if (i != k && decision.classes[i] != '.' && decision.classes[i] != classes[i]) return false;
                return test::DecidingTest(classes) > t && rank(g) != decision.rank;
            });
            EXPECT_EQ(failsHereOnly == 1024, impliedByEarlierTests.contains({decision.rank, k})) << why;
            if (failsHereOnly < 1024) {
                EXPECT_EQ(read(failsHereOnly), std::vector<int>{CodeOf(rank(failsHereOnly), 1)}) << why << " alone";
            }
        }
    }
}

// Each suit probe in its turn: with the earlier ones ink, paper there names the
// suit, and ink a step across the cut hands over to the next probe. When all four
// read ink the card keeps its rank and is counted as a spade.
TEST_F(ReadingContractTest, EverySuitProbeDecidesInItsTurnAtTheInkEdge) {
    const std::string ten = "IPPPPPPPPP";
    ASSERT_EQ(test::RankFromClasses(ten), 10);
    for (std::size_t i = 0; i < kSuitProbes.size(); ++i) {
        std::string strip(kSuitProbes.size(), 'P');
        for (std::size_t earlier = 0; earlier < i; ++earlier) strip[earlier] = 'I';
        for (const char at : {'P', 'I'}) {
            strip[i] = at;
            const int suit = test::SuitFromClasses(strip);
            PaintCard(kX, kY, ten, strip);
            EXPECT_EQ(ReadRow(), std::vector<int>{CodeOf(10, suit == 0 ? 1 : suit)}) << "strip " << strip;
        }
    }
}

// Red below 10 at x + 18 on the glyph's top row asks for the card 22 to the right.
TEST_F(ReadingContractTest, TheNextCardProbesRedDecidesAtTenAndTheStepIs22) {
    const std::string ten = "IPPPPPPPPP", six = "IIIPPPPPPP";
    ASSERT_EQ(test::RankFromClasses(six), 6);
    for (const int red : {test::kNextCardRedBelow - 1, test::kNextCardRedBelow}) {
        screen.Fill(kFelt);
        PaintCard(kX + test::kCardPitch, kY, six);
        PaintCard(kX, kY, ten);
        screen.set(kX + test::kNextCardProbe, kY, {static_cast<std::uint8_t>(red), 255, 255});
        int end = 0;
        const std::vector<int> codes = ReadRow(&end);
        if (red < test::kNextCardRedBelow) {
            EXPECT_EQ(codes, (std::vector<int>{CodeOf(10, 1), CodeOf(6, 1)}));
            EXPECT_EQ(end, kX + 2 * test::kCardPitch);
        } else {
            EXPECT_EQ(codes, std::vector<int>{CodeOf(10, 1)});
            EXPECT_EQ(end, kX + test::kCardPitch);
        }
    }
}

class MarkerContractTest : public RecognitionFixture {
protected:
    // Runs `ask` on a fresh capture of the screen as it is now.
    template <class Question>
    bool Ask(Question ask) {
        BeginTick();
        const bool answer = ask();
        EndTick();
        return answer;
    }
};

TEST_F(MarkerContractTest, EachSeatsFirstMoverSignHoldsExactlyInsideItsBand) {
    for (int seat = 0; seat < 3; ++seat) {
        const contract::Pixel probe = contract::kFirstMoverProbe[static_cast<std::size_t>(seat)];
        for (const contract::EdgeCase& c : contract::EdgeCases(contract::kFirstMoverBand)) {
            screen.set(probe.x, probe.y, c.colour);
            EXPECT_EQ(Ask([&] { return tally().IsFirstSeat(static_cast<std::int16_t>(seat)); }), c.inBand)
                << "seat " << seat << ", " << c.what;
        }
        screen.set(probe.x, probe.y, kFelt);
    }
}

// A pass inside the band is a row of its own, 9455 with a count of 1, and the
// turn moves on; outside it nothing changes.
TEST_F(MarkerContractTest, EachSeatsPassSignHoldsExactlyInsideItsBand) {
    for (int seat = 0; seat < 3; ++seat) {
        const contract::Pixel probe = contract::kPassProbe[static_cast<std::size_t>(seat)];
        for (const contract::EdgeCase& c : contract::EdgeCases(contract::kPassBand)) {
            tally().ResetHand(true);
            tally().nTurn = static_cast<std::int16_t>(seat);
            screen.set(probe.x, probe.y, c.colour);
            const std::string why = "seat " + std::to_string(seat) + ", " + c.what;
            EXPECT_EQ(Ask([&] { return tally().CheckPass(tally().nTurn); }), c.inBand) << why;
            EXPECT_EQ(tally().nPlayCount, c.inBand ? 1 : 0) << why;
            EXPECT_EQ(tally().nTurn, c.inBand ? (seat + 1) % 3 : seat) << why;
            EXPECT_EQ(shared().PlayHistory(0, 1), c.inBand ? 9455 : 0) << why;
            EXPECT_EQ(shared().PlayHistory(0, 21), c.inBand ? 1 : 0) << why;
        }
        screen.set(probe.x, probe.y, kFelt);
    }
}

}  // namespace
}  // namespace vantrel
