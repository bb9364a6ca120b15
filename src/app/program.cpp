#include "app/program.h"

#include "main_window/frm_identify.h"
#include "shared/modqtc.h"

namespace vantrel {

Program::Program(platform::Platform& platform) : shared_(std::make_unique<modQTC>(platform)) {}

Program::Program(platform::Platform& platform, HandRecorder& recorder) : Program(platform) {
    shared_->SetRecorder(recorder);
    shared_->toolkit().onKeyDown = [this](std::uint16_t key, bool control) {
        if (control && key == 'S' && shared_->recorder().SaveReport()) shared_->Instance<frmIdentify>().ShowReportSaved();
    };
}

Program::~Program() = default;

void Program::Start() {
    frmIdentify& main = shared_->Instance<frmIdentify>();
    shared_->toolkit().RunEvent([&] { main.Show(); });
}

const std::string& Program::MainWindowCaption() { return shared_->Instance<frmIdentify>().caption(); }

}  // namespace vantrel
