#include "overlays/frm_detail.h"

#include "shared/tiles.h"
#include "shared/window_place.h"

namespace vantrel {

frmDetail::frmDetail(modQTC& shared) : Form(shared.toolkit(), "VXDetail", 460, 83), shared_(shared) {
    // Upper row (the left opponent) 21..40, lower row (the right opponent) 1..20.
    for (int i = 21; i <= 40; ++i) AddCell(imgEmit, i, {40 + 18 * (i - 21), 23, 15, 20, true, nullptr, ""});
    for (int i = 1; i <= 20; ++i) AddCell(imgEmit, i, {40 + 18 * (i - 1), 54, 15, 20, true, nullptr, ""});
    for (int i = 20; i <= 38; ++i) AddCell(imgDivide, i, {10, 21, 1, 24, false, nullptr, ""});
    for (int i = 1; i <= 19; ++i) AddCell(imgDivide, i, {10, 52, 1, 24, false, nullptr, ""});
    for (int rank = 3; rank <= 17; ++rank) AddStore(picCards, rank, tiles::CardRank(rank));
    tmrPOS = &AddTimer("tmrPOS", 100, false);
}

void frmDetail::Form_Load() {
    shared_.bDetailOpen = kTrue;
    modQTC::MakeLayered(*this);
    PlaceFromRecord(*this, SettingsFile(shared_.platform().ExecutableDir()), SettingsRecord::DetailWindow,
                    shared_.platform().desktop());
    ShowDetail();
}

void frmDetail::Form_QueryUnload() {
    SettingsFile(shared_.platform().ExecutableDir()).Write(SettingsRecord::DetailWindow, RecordOf(*this));
}

void frmDetail::InitDetail() {
    Load();
    imgEmit.ForEach([](ui::PictureCell& slot) { slot.SetPicture(nullptr); });
    imgDivide.ForEach([](ui::PictureCell& divider) { divider.SetVisible(false); });
}

void frmDetail::ShowDetail() {}

}  // namespace vantrel
