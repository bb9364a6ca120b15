#include "main_window/doubt_look.h"

#include <string>

#include "base/card_code.h"
#include "shared/pictures.h"

namespace vantrel {

DoubtLook::DoubtLook(ui::ControlArray<ui::PictureCell>& imgRMCard, ui::ControlArray<ui::PictureCell>& imgRMNum,
                     ui::ControlArray<ui::PictureStore>& picRMDim, ui::PictureStore& picRMDoubt,
                     ui::PictureCell& imgDoubt)
    : imgRMCard_(imgRMCard), imgRMNum_(imgRMNum), picRMDim_(picRMDim), picRMDoubt_(picRMDoubt), imgDoubt_(imgDoubt) {
    imgRMCard_.ForEach([this](ui::PictureCell& mark) { ownTile_[mark.index()] = mark.picture(); });
}

void DoubtLook::FollowScale(ui::Scale scale) {
    for (auto& [code, tile] : ownTile_) tile = pictures::AtScale(tile, scale);
}

void DoubtLook::Show(recognition::DoubtReason reason) {
    imgRMNum_(1).SetPicture(picRMDoubt_.picture());
    imgRMNum_(2).SetPicture(picRMDoubt_.picture());
    imgRMCard_.ForEach(
        [this](ui::PictureCell& mark) { mark.SetPicture(picRMDim_(cards::RankOf(mark.index())).picture()); });
    imgDoubt_.SetTooltip("记牌可能有误：" + std::string(recognition::DoubtText(reason)) + "。下一局自动恢复。");
    imgDoubt_.SetVisible(true);
}

void DoubtLook::Clear() {
    imgRMCard_.ForEach([this](ui::PictureCell& mark) { mark.SetPicture(ownTile_.at(mark.index())); });
    imgDoubt_.SetVisible(false);
}

}  // namespace vantrel
