#include "shell/Activation.h"

#include <QApplication>

#include "shell/Form.h"

namespace ui {

void ActivationTracker::Activated(Form& form) {
    if (current_ == &form) {
        return;
    }
    // Noted before the handler runs: the handler may open a box, and the window system's
    // activation that follows its closing must find this window already active.
    current_ = &form;
    form.Form_Activate();
}

void ActivationTracker::PlatformActivated(Form& form) {
    if (form.isHidden() || QApplication::activeModalWidget() != nullptr) {
        return;
    }
    Activated(form);
}

void ActivationTracker::Hidden(Form& form) {
    if (current_ == &form) {
        current_ = nullptr;
    }
}

void ActivationTracker::Forget(Form& form) {
    Hidden(form);
}

}  // namespace ui
