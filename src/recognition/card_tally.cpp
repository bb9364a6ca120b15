#include "recognition/card_tally.h"

#include <cmath>

namespace vantrel::recognition {

CardTally::CardTally(ScreenSampler& sampler, CardRow& row, modQTC& shared, TallyDisplay display)
    : sampler_(sampler), row_(row), shared_(shared), display_(std::move(display)) {}

void CardTally::Probe(ProbePoint p) { sampler_.CaptureRect(p.X, p.Y, 1, 1); }

bool CardTally::IsFirstSeat(std::int16_t seat) {
    Probe(FirstSeatProbe(seat));
    const auto& px = sampler_.PixelBuf;
    const int blue = px(1, 1), green = px(2, 1), red = px(3, 1);
    return blue > 20 && blue < 90 && green > 170 && green < 230 && red > 220;
}

bool CardTally::CheckPass(std::int16_t seat) {
    Probe(PassProbe(seat));
    const auto& px = sampler_.PixelBuf;
    const int blue = px(1, 1), green = px(2, 1), red = px(3, 1);
    if (!(green > 170 && blue < 70 && green < 230 && red > 230)) return false;
    try {
        shared_.PlayHistory(nPlayCount, 1) = modQTC::PassMark;
        shared_.PlayHistory(nPlayCount, 21) = 1;
        nPlayCount = ui::Int16(nPlayCount + 1);
        nTurn = static_cast<std::int16_t>((nTurn + 1) % 3);
    } catch (const ui::RuntimeError&) {
        // A move past the history's last row: the hand cannot be followed further,
        // so it is dropped like a row that cannot be read.
        ResetHand(true);
    }
    return true;
}

void CardTally::CodesToRanks() {
    for (int k = 1; k <= row_.nCardCount; ++k)
        row_.CardList(k) = ui::Int16(static_cast<long long>(std::floor((row_.CardList(k) - 1) / 4.0)) + 3);
}

void CardTally::Strike(std::int16_t rank) {
    if (rank == 15) {  // the one 2 hides without looking
        display_.imgRMCard(49).SetVisible(false);
        return;
    }
    const int highest = rank == 14 ? 47 : (rank - 3) * 4 + 4;
    const int lowest = rank == 14 ? 45 : (rank - 3) * 4 + 1;
    for (int code = highest; code >= lowest; --code) {
        ui::PictureCell& mark = display_.imgRMCard(code);
        if (mark.visible()) {
            mark.SetVisible(false);
            return;
        }
    }
}

void CardTally::StrikeCards(std::int16_t mode) {
    if (mode == 2) {
        for (int k = 1; k <= row_.nCardCount; ++k) Strike(row_.CardList(k));
    } else if (mode == 3) {
        RemainCards(nTurn) = ui::Int16(RemainCards(nTurn) - row_.nCardCount);
        if (RemainCards(nTurn) == 0) {
            bHandOver = true;
            return;
        }
        if (nTurn == 0) return;  // the user's own cards were struck at the deal
        for (int k = 1; k <= row_.nCardCount; ++k) Strike(row_.CardList(k));
        ShowCount(nTurn);
    }
}

void CardTally::ShowCount(std::int16_t seat) {
    display_.imgRMNum(seat).SetPicture(display_.picRMNum(RemainCards(seat)).picture());
}

void CardTally::RecordPlay() {
    for (int k = 1; k <= row_.nCardCount; ++k) shared_.PlayHistory(nPlayCount, k) = row_.CardList(k);
    shared_.PlayHistory(nPlayCount, 21) = row_.nCardCount;
    nPlayCount = ui::Int16(nPlayCount + 1);
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
        for (int column = 1; column <= 21; ++column) shared_.PlayHistory(i, column) = 0;
    nPlayCount = 0;
    display_.imgRMCard.ForEach([](ui::PictureCell& mark) { mark.SetVisible(true); });
    display_.finishReset(keepWatching);
}

}  // namespace vantrel::recognition
