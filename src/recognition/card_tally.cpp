#include "recognition/card_tally.h"

#include <algorithm>

#include "base/card_code.h"

namespace vantrel::recognition {

CardTally::CardTally(ScreenSampler& sampler, CardRow& row, modQTC& shared, TallyDisplay display)
    : sampler_(sampler), row_(row), shared_(shared), display_(std::move(display)) {}

bool CardTally::IsFirstSeat(std::int16_t seat) {
    return game::kFirstSeatBand.Holds(sampler_.ReadPixel(FirstSeatProbe(seat)));
}

bool CardTally::CheckPass(std::int16_t seat) {
    if (!game::kPassBand.Holds(sampler_.ReadPixel(PassProbe(seat)))) return false;
    if (StartHistoryRow()) {
        shared_.PlayHistory(nPlayCount, 1) = modQTC::PassMark;
        shared_.PlayHistory(nPlayCount, MoveTable::kCountColumn) = 1;
        nPlayCount = ui::Int16(nPlayCount + 1);
        FollowHoldings();
    }
    nTurn = static_cast<std::int16_t>((nTurn + 1) % 3);
    return true;
}

bool CardTally::StartHistoryRow() {
    if (nPlayCount < MoveTable::kRows) return true;
    // The history is full: the turn still moves on, so that the hand's end is found.
    Doubt(DoubtReason::kTooManyMoves);
    return false;
}

void CardTally::CodesToRanks() {
    for (int k = 1; k <= row_.nCardCount; ++k)
        row_.CardList(k) = ui::Int16(cards::RankOf(row_.CardList(k)));
}

void CardTally::Strike(std::int16_t rank) {
    if (rank == cards::kTwo) {  // the one 2 hides without looking
        display_.imgRMCard(cards::kTwoOfSpades).SetVisible(false);
        return;
    }
    const int lowest = cards::CodeOf(rank, 1);
    const int highest = lowest + cards::DeckCount(rank) - 1;
    for (int code = highest; code >= lowest; --code) {
        ui::PictureCell& mark = display_.imgRMCard(code);
        if (mark.visible()) {
            mark.SetVisible(false);
            return;
        }
    }
}

int CardTally::MarksShown(std::int16_t rank) const {
    if (rank == cards::kTwo) return display_.imgRMCard(cards::kTwoOfSpades).visible() ? 1 : 0;
    const int lowest = cards::CodeOf(rank, 1);
    int shown = 0;
    for (int code = lowest; code < lowest + cards::DeckCount(rank); ++code) shown += display_.imgRMCard(code).visible() ? 1 : 0;
    return shown;
}

std::span<const std::int16_t> CardTally::RowRanks() const {
    return {&row_.CardList(1), static_cast<std::size_t>(row_.nCardCount)};
}

void CardTally::Doubt(DoubtReason reason) {
    if (!check.Raise(reason)) return;
    display_.showHeld();  // in doubt nothing is held
    if (display_.showDoubt) display_.showDoubt(reason);
    if (onDoubt) onDoubt(reason);
}

void CardTally::StrikeCards(RowKind kind) {
    if (kind == RowKind::DealtHand) {
        if (const auto doubt = check.CheckDeal(RowRanks())) Doubt(*doubt);
        if (check.InDoubt()) return;
        for (int k = 1; k <= row_.nCardCount; ++k) Strike(row_.CardList(k));
    } else if (kind == RowKind::Play) {
        if (row_.nCardCount > kMostCardsInAPlay) Doubt(DoubtReason::kPlayTooLong);
        RemainCards(nTurn) = ui::Int16(RemainCards(nTurn) - row_.nCardCount);
        if (RemainCards(nTurn) == 0) {
            bHandOver = true;
            return;
        }
        if (RemainCards(nTurn) < 0) Doubt(DoubtReason::kCountBelowZero);
        if (check.InDoubt()) return;
        if (nTurn == 0) {  // the user's own cards were struck at the deal
            if (const auto doubt = check.CheckOwnPlay(RowRanks())) Doubt(*doubt);
            return;
        }
        const auto doubt = HandCheck::CheckOpponentPlay(RowRanks(), [this](std::int16_t rank) { return MarksShown(rank); });
        if (doubt) {
            Doubt(*doubt);
            return;
        }
        for (int k = 1; k <= row_.nCardCount; ++k) Strike(row_.CardList(k));
        ShowCount(nTurn);
    }
}

void CardTally::ShowCount(std::int16_t seat) {
    if (check.InDoubt()) return;
    display_.imgRMNum(seat).SetPicture(display_.picRMNum(RemainCards(seat)).picture());
}

void CardTally::RecordPlay() {
    if (!StartHistoryRow()) return;
    // A play too long for its row keeps its first cards: the row still stands for the move.
    const int recorded = std::min<int>(row_.nCardCount, kMostCardsInAPlay);
    for (int k = 1; k <= recorded; ++k) shared_.PlayHistory(nPlayCount, k) = row_.CardList(k);
    shared_.PlayHistory(nPlayCount, MoveTable::kCountColumn) = ui::Int16(recorded);
    nPlayCount = ui::Int16(nPlayCount + 1);
    FollowHoldings();
}

void CardTally::FollowHoldings() {
    // The hand's last play resets it; a hand in doubt shows nothing held.
    if (bHandOver || check.InDoubt()) return;
    ByRank out{};
    for (int rank = kFirstRank; rank <= kLastRank; ++rank)
        out[rank] = static_cast<std::int8_t>(MarksShown(static_cast<std::int16_t>(rank)));
    holdings.Follow(shared_.PlayHistory, nPlayCount, shared_.FirstSeat, out, RemainCards(2), RemainCards(1));
    display_.showHeld();
}

const std::optional<HeldRanges>& CardTally::Held() const {
    static const std::optional<HeldRanges> kNothing;
    return check.InDoubt() ? kNothing : holdings.ranges();
}

void CardTally::ResetHand(bool keepWatching) {
    // Told first, while the hand's history is still there to be read.
    shared_.recorder().NoteHandReset();
    bInHand = false;
    bHandOver = false;
    nTurn = 0;
    RemainCards.Fill(0);
    display_.imgRMNum(1).SetPicture(nullptr);
    display_.imgRMNum(2).SetPicture(nullptr);
    for (int i = 0; i <= std::min<int>(nPlayCount, MoveTable::kRows - 1); ++i)
        for (int column = 1; column <= MoveTable::kCountColumn; ++column) shared_.PlayHistory(i, column) = 0;
    nPlayCount = 0;
    display_.imgRMCard.ForEach([](ui::PictureCell& mark) { mark.SetVisible(true); });
    const bool wasInDoubt = check.InDoubt();
    check.Clear();
    if (wasInDoubt && display_.showDoubt) display_.showDoubt(std::nullopt);
    holdings.NewHand();
    display_.showHeld();
    display_.finishReset(keepWatching);
}

}  // namespace vantrel::recognition
