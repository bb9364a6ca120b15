#include "shared/modqtc.h"

namespace vantrel {

void modQTC::MakeLayered(ui::Form& form) {
    if (auto* window = form.window()) window->MakeLayered();
}

void modQTC::DragWindow(ui::Form& form) { form.DragWindow(); }

}  // namespace vantrel
