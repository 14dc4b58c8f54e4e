#include "shell/Activation.h"

#include <QApplication>

#include "shell/Form.h"

namespace ui {

void ActivationTracker::Activated(Form& form) {
    handBackTo_.clear();
    if (current_ == &form) {
        return;
    }
    // Noted before the handler runs: the handler may open a box, and the window system's
    // activation that follows its closing must find this window already active.
    current_ = &form;
    form.Form_Activate();
}

void ActivationTracker::PlatformActivated(Form& form) {
    if (form.isHidden() || QApplication::activeModalWidget() != nullptr || HandingBack(form)) {
        return;
    }
    Activated(form);
}

bool ActivationTracker::HandingBack(Form& activated) {
    if (handBackTo_.isNull()) {
        return false;
    }
    if (boxOpen_) {
        return true;
    }
    if (&activated == handBackTo_ || sinceBoxClosed_.elapsed() > handBackPatience_.count()) {
        // The owner has the keyboard back, or never got it: from now on a switch is a switch.
        handBackTo_.clear();
        return false;
    }
    return true;
}

void ActivationTracker::BoxOpened(Form* owner) {
    handBackTo_ = owner;
    boxOpen_ = owner != nullptr;
}

void ActivationTracker::BoxClosed() {
    boxOpen_ = false;
    if (handBackTo_.isNull()) {
        return;
    }
    if (handBackTo_->isHidden() || QApplication::activeWindow() == handBackTo_) {
        handBackTo_.clear();
        return;
    }
    sinceBoxClosed_.start();
    handBackTo_->activateWindow();
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
