#include "shell/Activation.h"

#include <QApplication>
#include <QWindow>

#include "shell/Form.h"

namespace ui {

namespace {

void AcceptFocus(Form& form, bool accept) {
    if (QWindow* window = form.windowHandle()) {
        window->setFlag(Qt::WindowDoesNotAcceptFocus, !accept);
    }
}

}  // namespace

ActivationTracker::ActivationTracker() {
    handBackTimer_.setSingleShot(true);
    QObject::connect(&handBackTimer_, &QTimer::timeout, [this] { EndHandBack(); });
}

void ActivationTracker::Activated(Form& form) {
    EndHandBack();
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
    if (&activated == handBackTo_) {
        EndHandBack();
        return false;
    }
    // The window system gave the keyboard to another window: it goes back to the owner.
    handBackTo_->activateWindow();
    return true;
}

void ActivationTracker::BoxOpened(Form* owner) {
    EndHandBack();
    if (owner == nullptr) {
        return;
    }
    handBackTo_ = owner;
    boxOpen_ = true;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* form = dynamic_cast<Form*>(window);
        if (form != nullptr && form != owner && form->isVisible()) {
            AcceptFocus(*form, false);
            heldBack_.emplace_back(form);
        }
    }
}

void ActivationTracker::BoxClosed() {
    boxOpen_ = false;
    if (handBackTo_.isNull() || handBackTo_->isHidden()) {
        EndHandBack();
        return;
    }
    handBackTimer_.start(handBackPatience_);
    if (QApplication::activeWindow() != handBackTo_) {
        handBackTo_->activateWindow();
    }
}

void ActivationTracker::EndHandBack() {
    handBackTimer_.stop();
    handBackTo_.clear();
    boxOpen_ = false;
    for (const QPointer<Form>& form : heldBack_) {
        if (!form.isNull()) {
            AcceptFocus(*form, true);
        }
    }
    heldBack_.clear();
}

void ActivationTracker::Hidden(Form& form) {
    if (current_ == &form) {
        current_ = nullptr;
    }
    // The keyboard has nowhere to go back to: the other windows take the focus again
    // before the program shows one of them.
    if (handBackTo_ == &form) {
        EndHandBack();
    }
}

void ActivationTracker::Forget(Form& form) {
    Hidden(form);
}

}  // namespace ui
