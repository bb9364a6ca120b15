#include "app/program.h"

#include "main_window/frm_identify.h"
#include "shared/modqtc.h"

namespace vantrel {

Program::Program(platform::Platform& platform) : shared_(std::make_unique<modQTC>(platform)) {}

Program::~Program() = default;

void Program::Start() {
    frmIdentify& main = shared_->Instance<frmIdentify>();
    shared_->toolkit().RunEvent([&] { main.Show(); });
}

const std::string& Program::MainWindowCaption() { return shared_->Instance<frmIdentify>().caption(); }

}  // namespace vantrel
