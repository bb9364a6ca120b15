// The card reader against the game's own card artwork, and the decision list's
// and the suit probes' order on glyphs made to sit on their edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "sim/card_art/card_art.h"
#include "support/recognition_fixture.h"
#include "base/card_code.h"
#include "support/painted_table.h"

namespace vantrel {
namespace {

using testing::RecognitionFixture;

int CodeOf(int rank, int suit) { return rank == 15 ? 49 : (rank - 3) * 4 + suit; }

class ReaderTest : public RecognitionFixture {
protected:
    // Reads the row at (x, y) and drops it: the row's card codes stay in CardList.
    std::vector<int> ReadCodes(std::int16_t x, std::int16_t y, std::int16_t* end = nullptr) {
        BeginTick();
        main().watcher().reader.ReadCards(x, y, recognition::RowKind::Dropped);
        if (end) *end = x;
        std::vector<int> codes;
        for (int k = 1; k <= (x - start_) / 22 && k <= 50; ++k) codes.push_back(main().watcher().row.CardList(k));
        return codes;
    }
    std::vector<int> ReadAt(std::int16_t x, std::int16_t y, std::int16_t* end = nullptr) {
        start_ = x;
        return ReadCodes(x, y, end);
    }
    // A glyph on paper with the listed probe pixels in ink.
    void Glyph(int gx, int gy, std::initializer_list<std::pair<int, int>> ink) {
        screen.FillRect(gx, gy, 11, 16, testing::kWhite);
        for (auto [c, r] : ink) screen.set(gx + c, gy + r, {0, 0, 0});
    }
    int start_ = 0;
};

TEST_F(ReaderTest, EveryRankSuitAndInkOfTheArtworkReadsRight) {
    for (int rank = 3; rank <= 15; ++rank)
        for (int suit = 1; suit <= 4; ++suit)
            for (const card_art::Ink ink : {card_art::Ink::kBlack, card_art::Ink::kRed}) {
                screen.Fill(testing::kFelt);
                card_art::DrawCard(screen, 300, 200, rank, suit);
                screen.Blit(card_art::RankGlyph(rank, ink), 300, 200);
                std::int16_t end = 0;
                const auto codes = ReadAt(300, 200, &end);
                ASSERT_EQ(codes.size(), 1u) << card_art::RankName(rank) << " of " << card_art::SuitName(suit);
                EXPECT_EQ(codes[0], CodeOf(rank, suit))
                    << card_art::RankName(rank) << " of " << card_art::SuitName(suit) << " in " << card_art::InkName(ink);
                EXPECT_EQ(end, 322);
            }
}

// Random rows of real cards, laid as a seat's play: after the read and the tally
// the history, the count and the marks hold exactly the truth.
TEST_F(ReaderTest, RandomRowsOfRealCardsAreTalliedExactly) {
    std::vector<int> deck;
    for (int code = 1; code <= 49; ++code)
        if (code != 48) deck.push_back(code);
    std::mt19937 random(20261208);
    recognition::CardTally& tally = main().watcher().tally;
    for (int round = 0; round < 2000; ++round) {
        std::shuffle(deck.begin(), deck.end(), random);
        const int n = 1 + static_cast<int>(random() % 16);
        std::vector<int> row(deck.begin(), deck.begin() + n);
        std::sort(row.begin(), row.end());
        screen.FillRect(0, 100, 800, 140, testing::kFelt);
        const int gx = 14 + static_cast<int>(random() % 40), gy = 114;
        for (int k = 0; k < n; ++k) {
            const int code = row[static_cast<std::size_t>(k)];
            card_art::DrawCard(screen, gx + 22 * k, gy, cards::RankOf(code), cards::SuitOf(code));
        }
        tally.ResetHand(true);
        tally.nTurn = 2;
        tally.RemainCards.Fill(16);
        BeginTick();
        std::int16_t x = static_cast<std::int16_t>(gx);
        main().watcher().reader.ReadCards(x, static_cast<std::int16_t>(gy), recognition::RowKind::Play);

        ASSERT_EQ(x, gx + 22 * n) << "round " << round;
        ASSERT_EQ(shared().PlayHistory(0, 21), n) << "round " << round;
        std::array<int, 16> struck{};
        for (int k = 0; k < n; ++k) {
            const int rank = cards::RankOf(row[static_cast<std::size_t>(k)]);
            ASSERT_EQ(shared().PlayHistory(0, k + 1), rank) << "round " << round << " card " << k;
            ++struck[static_cast<std::size_t>(rank)];
        }
        ASSERT_EQ(tally.RemainCards(2), 16 - n);
        if (n == 16) continue;  // the last cards: nothing struck
        for (int rank = 3; rank <= 15; ++rank) {
            int hidden = 0;
            main().imgRMCard.ForEach([&](ui::PictureCell& mark) {
                hidden += !mark.visible() && cards::RankOf(mark.index()) == rank;
            });
            ASSERT_EQ(hidden, struck[static_cast<std::size_t>(rank)]) << "round " << round << " rank " << rank;
        }
        ASSERT_EQ(main().imgRMNum(2).picture(), main().picRMNum(16 - n).picture());
    }
}

TEST_F(ReaderTest, TheDecisionListsOrderDecides) {
    struct Case {
        std::initializer_list<std::pair<int, int>> ink;
        int code;  // with a spade pip under it
        const char* why;
    };
    const Case cases[] = {
        {{{4, 9}, {5, 15}, {9, 0}}, 49, "tests 1 and 5 both hold: the first, the 2, wins"},
        {{{4, 9}, {9, 0}}, (11 - 3) * 4 + 1, "test 1 fails on (5,15): test 5, the jack"},
        {{{2, 8}, {4, 2}, {4, 10}, {5, 15}, {7, 8}}, (14 - 3) * 4 + 1, "ink, ink, paper, paper: an ace whatever else"},
        {{{2, 8}, {4, 7}, {4, 9}, {5, 15}}, (13 - 3) * 4 + 1, "test 2 fails on (4,2), test 3 holds: a king"},
        {{{0, 0}, {1, 1}}, (12 - 3) * 4 + 1, "all ten probes paper: the queen's test holds first"},
    };
    for (const Case& c : cases) {
        screen.Fill(testing::kFelt);
        card_art::DrawCard(screen, 300, 200, 3, 1);
        Glyph(300, 200, c.ink);
        const auto codes = ReadAt(300, 200);
        ASSERT_EQ(codes.size(), 1u) << c.why;
        EXPECT_EQ(codes[0], c.code) << c.why;
    }
    // All ink matches no test: the 2, which needs no suit.
    screen.Fill(testing::kFelt);
    card_art::DrawCard(screen, 300, 200, 3, 1);
    screen.FillRect(300, 200, 11, 16, {0, 0, 0});
    EXPECT_EQ(ReadAt(300, 200), std::vector<int>{49});
}

TEST_F(ReaderTest, TheSuitProbesAreTriedInOrderAndNoSuitKeepsTheRank) {
    struct Case {
        std::vector<std::pair<int, int>> paper;  // strip pixels left paper; the rest is ink
        int suit;
    };
    const Case cases[] = {
        {{{3, 0}, {4, 0}, {1, 3}, {0, 4}}, 1},
        {{{4, 0}, {1, 3}, {0, 4}}, 2},
        {{{1, 3}, {0, 4}}, 3},
        {{{0, 4}}, 4},
        {{}, 1},  // all four read ink: the ten keeps its rank, counted as a spade
    };
    for (const Case& c : cases) {
        screen.Fill(testing::kFelt);
        card_art::DrawCard(screen, 300, 200, 10, 1);
        screen.FillRect(301, 221, 11, 5, {0, 0, 0});
        for (auto [col, row] : c.paper) screen.set(301 + col, 221 + row, testing::kWhite);
        EXPECT_EQ(ReadAt(300, 200), std::vector<int>{(10 - 3) * 4 + c.suit}) << "suit " << c.suit;
    }
}

TEST_F(ReaderTest, TheNextCardProbesRedBoundIsTen) {
    for (const int red : {9, 10}) {
        screen.Fill(testing::kFelt);
        card_art::DrawCard(screen, 300, 200, 5, 2);
        card_art::DrawCard(screen, 322, 200, 9, 3);
        screen.set(318, 200, {static_cast<std::uint8_t>(red), 0, 0});
        std::int16_t end = 0;
        const auto codes = ReadAt(300, 200, &end);
        if (red == 9) {
            EXPECT_EQ(codes, (std::vector<int>{(5 - 3) * 4 + 2, (9 - 3) * 4 + 3}));
            EXPECT_EQ(end, 344);
        } else {
            EXPECT_EQ(codes, (std::vector<int>{(5 - 3) * 4 + 2}));
            EXPECT_EQ(end, 322);
        }
    }
}

// A play longer than a history row's 20 columns cannot be true: the hand goes on
// in doubt, its count lowered by the whole row, and the row keeps the move's place
// with its first 20 cards.
TEST_F(ReaderTest, APlayTooLongForItsHistoryRowPutsTheHandInDoubtAndKeepsItsPlace) {
    for (int k = 0; k < 22; ++k) testing::PaintBlankCard(screen, 30 + 22 * k, 200);
    recognition::CardTally& tally = main().watcher().tally;
    tally.bInHand = true;
    tally.nTurn = 0;
    tally.RemainCards.Fill(16);
    BeginTick();
    std::int16_t x = 30;
    main().watcher().reader.ReadCards(x, 200, recognition::RowKind::Play);
    EXPECT_TRUE(tally.bInHand);
    EXPECT_EQ(tally.check.reason(), recognition::DoubtReason::kPlayTooLong);
    EXPECT_EQ(tally.RemainCards(0), 16 - 22);
    EXPECT_EQ(tally.nPlayCount, 1);
    EXPECT_EQ(shared().PlayHistory(0, 21), 20);
    EXPECT_EQ(shared().PlayHistory(0, 20), 12);
}

TEST_F(ReaderTest, ARowThatNeverEndsStopsAtItsFiftiethCard) {
    screen.Fill({0, 0, 0});  // dark everywhere: every probe asks for one more card
    main().watcher().tally.bInHand = true;
    main().watcher().tally.RemainCards.Fill(16);
    main().watcher().tally.nTurn = 1;
    BeginTick();
    std::int16_t x = 10;
    main().watcher().reader.ReadCards(x, 100, recognition::RowKind::Play);
    EXPECT_EQ(x, 10 + 22 * 50);
    EXPECT_EQ(main().watcher().row.nCardCount, 0);
    EXPECT_EQ(main().watcher().tally.RemainCards(1), 16 - 50);
    EXPECT_EQ(main().watcher().tally.check.reason(), recognition::DoubtReason::kPlayTooLong);

    // The next row starts again at the first entry.
    screen.Fill(testing::kFelt);
    card_art::DrawCard(screen, 300, 200, 7, 4);
    EXPECT_EQ(ReadAt(300, 200), std::vector<int>{(7 - 3) * 4 + 4});
}

}  // namespace
}  // namespace vantrel
