#include "recognition/hand_check.h"

namespace vantrel::recognition {

std::string_view DoubtText(DoubtReason reason) {
    switch (reason) {
        case DoubtReason::kDealNotSixteen:
            return "发到手的牌不是16张";
        case DoubtReason::kDealTooManyOfRank:
            return "发到手的某种牌多于一副牌的张数";
        case DoubtReason::kOpponentRankGone:
            return "对手出了一张已无剩余的牌";
        case DoubtReason::kOwnRankNotHeld:
            return "你出了一张手里没有的牌";
        case DoubtReason::kCountBelowZero:
            return "有一家出的牌多于手中剩余的张数";
        case DoubtReason::kPlayTooLong:
            return "一手牌超过20张";
        case DoubtReason::kTooManyMoves:
            return "这一局超过101手";
    }
    return {};
}

std::optional<DoubtReason> HandCheck::CheckDeal(Ranks ranks) {
    ownLeft_.Fill(0);
    if (ranks.size() != 16) return DoubtReason::kDealNotSixteen;
    for (const std::int16_t rank : ranks) {
        if (!IsRank(rank) || ++ownLeft_(rank) > DeckCount(rank)) return DoubtReason::kDealTooManyOfRank;
    }
    return std::nullopt;
}

std::optional<DoubtReason> HandCheck::CheckOwnPlay(Ranks ranks) {
    for (const std::int16_t rank : ranks) {
        if (!IsRank(rank) || ownLeft_(rank) == 0) return DoubtReason::kOwnRankNotHeld;
        --ownLeft_(rank);
    }
    return std::nullopt;
}

bool HandCheck::Raise(DoubtReason reason) {
    if (reason_) return false;
    reason_ = reason;
    return true;
}

void HandCheck::Clear() {
    reason_.reset();
    ownLeft_.Fill(0);
}

}  // namespace vantrel::recognition
