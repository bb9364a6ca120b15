#include "recognition/hand_check.h"

#include <iterator>

namespace vantrel::recognition {

namespace {

struct DoubtWords {
    std::string_view name;  // for reports and logs
    std::string_view text;  // for the player
};
// In the order of DoubtReason.
constexpr DoubtWords kDoubtWords[] = {
    {"deal-not-16", "发到手的牌不是16张"},
    {"deal-too-many-of-a-rank", "发到手的某种牌多于一副牌的张数"},
    {"opponent-rank-gone", "对手出了一张已无剩余的牌"},
    {"own-rank-not-held", "你出了一张手里没有的牌"},
    {"count-below-zero", "有一家出的牌多于手中剩余的张数"},
    {"play-too-long", "一手牌超过20张"},
    {"too-many-moves", "这一局超过101手"},
};
static_assert(std::size(kDoubtWords) == static_cast<std::size_t>(DoubtReason::kTooManyMoves) + 1);

}  // namespace

std::string_view DoubtText(DoubtReason reason) { return kDoubtWords[static_cast<std::size_t>(reason)].text; }

std::string_view DoubtName(DoubtReason reason) { return kDoubtWords[static_cast<std::size_t>(reason)].name; }

std::optional<DoubtReason> HandCheck::CheckDeal(Ranks ranks) {
    ownLeft_.Fill(0);
    if (ranks.size() != 16) return DoubtReason::kDealNotSixteen;
    for (const std::int16_t rank : ranks) {
        if (!IsRank(rank) || ++ownLeft_(rank) > cards::DeckCount(rank)) return DoubtReason::kDealTooManyOfRank;
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
