#include "overlays/frm_detail.h"

#include "shared/layouts.h"
#include "shared/pictures.h"
#include "shared/window_place.h"

namespace vantrel {

frmDetail::frmDetail(modQTC& shared) : Form(shared.toolkit(), layouts::kDetail, pictures::Get), shared_(shared) {}

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
