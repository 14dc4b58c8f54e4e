// Which window is the active one, in the page. The page has one keyboard focus and a box is
// a modal dialog, which the page itself keeps the keyboard and the mouse in: no window
// system hands the keyboard to another window as a box closes, so the hand-back is the
// owner taking the keyboard at once.
#include "services/Activation.h"
#include "services/FormWindowInPage.h"

namespace ui {

namespace {
ActivationTracker* running = nullptr;
}  // namespace

struct ActivationTracker::Parts {
    FormWindow* handBackTo = nullptr;
};

ActivationTracker::ActivationTracker() : parts_(std::make_unique<Parts>()) {
    running = this;
}

ActivationTracker::~ActivationTracker() {
    if (running == this) {
        running = nullptr;
    }
}

ActivationTracker* ActivationTracker::Running() {
    return running;
}

void ActivationTracker::Activated(FormWindow& form) {
    EndHandBack();
    if (current_ == &form) {
        return;
    }
    // Noted before the handler runs: the handler may open a box, whose closing must find
    // this window already active.
    current_ = &form;
    form.Form_Activate();
}

void ActivationTracker::PlatformActivated(FormWindow& form) {
    if (!form.Showing() || form.NeverTakesKeyboard()) {
        return;
    }
    if (BoxOpen()) {
        GiveKeyboardToOpenBox();
        return;
    }
    Activated(form);
}

void ActivationTracker::GiveKeyboardToOpenBox() {
    FocusOpenBox();
}

void ActivationTracker::BoxOpened(FormWindow* owner) {
    ++openBoxes_;
    ++boxesOpenedSoFar_;
    if (owner != nullptr) {
        parts_->handBackTo = owner;
        boxOpen_ = true;
    }
}

void ActivationTracker::BoxAnswered() {
    answeredBoxes_ = std::min(answeredBoxes_ + 1, openBoxes_);
}

void ActivationTracker::BoxClosed() {
    answeredBoxes_ = std::max(answeredBoxes_ - 1, 0);
    if (openBoxes_ > 0 && --openBoxes_ > 0) {
        return;
    }
    boxOpen_ = false;
    FormWindow* owner = parts_->handBackTo;
    parts_->handBackTo = nullptr;
    if (owner != nullptr && owner->Showing()) {
        owner->TakeKeyboard();
    }
}

void ActivationTracker::EndHandBack() {
    if (!BoxOpen()) {
        parts_->handBackTo = nullptr;
        boxOpen_ = false;
    }
}

void ActivationTracker::Hidden(FormWindow& form) {
    if (current_ == &form) {
        current_ = nullptr;
    }
    if (parts_->handBackTo == &form) {
        parts_->handBackTo = nullptr;
    }
}

void ActivationTracker::Forget(FormWindow& form) {
    Hidden(form);
}

}  // namespace ui
