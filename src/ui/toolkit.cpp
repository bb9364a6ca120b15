#include "ui/toolkit.h"

#include <algorithm>

#include "ui/form.h"

namespace vantrel::ui {

void Toolkit::Unregister(Form& form) { std::erase(forms_, &form); }

void Toolkit::Retire(std::unique_ptr<platform::HostedWindow> window) {
    if (depth_ == 0) return;  // not inside any event: the window can go at once
    retired_.push_back(std::move(window));
}

void Toolkit::NoteUnloaded() {
    if (std::none_of(forms_.begin(), forms_.end(), [](const Form* f) { return f->loaded(); })) platform_.Quit();
}

void Toolkit::EndSession() {
    // A copy: an unload may make a form, and each unload may unload others.
    const std::vector<Form*> forms = forms_;
    for (Form* form : forms) form->Unload();
}

void Toolkit::EndEvent() {
    for (Form* form : forms_) form->Refresh();
    if (--depth_ == 0) {
        // In the order they were unloaded: a close that unloads other windows
        // takes them off the screen in the order it named them. Taken out first,
        // so that an event a destruction sends finds nothing left to destroy.
        auto retired = std::move(retired_);
        retired_.clear();
        for (auto& window : retired) window.reset();
    }
}

}  // namespace vantrel::ui
