#include "services/Activation.h"

#include <QApplication>
#include <QWindow>
#include <algorithm>
#include <functional>

#include "services/FormWindow.h"
#include "services/KeyboardHandOver.h"

namespace ui {

namespace {

ActivationTracker* running = nullptr;

void AcceptFocus(FormWindow& form, bool accept) {
    if (QWindow* window = form.windowHandle()) {
        window->setFlag(Qt::WindowDoesNotAcceptFocus, !accept);
    }
}

bool IsPupilInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::TouchBegin:
        case QEvent::TabletPress:
            return true;
        default:
            return false;
    }
}

// Sees every click and touch of the program before its widget does, and tells the tracker
// which of the program's windows it was in.
class PupilInputWatch : public QObject {
  public:
    explicit PupilInputWatch(std::function<void(FormWindow&)> used) : used_(std::move(used)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (IsPupilInput(event->type()) && watched->isWidgetType()) {
            if (auto* form = dynamic_cast<FormWindow*>(static_cast<QWidget*>(watched)->window())) {
                used_(*form);
            }
        }
        return false;
    }

  private:
    std::function<void(FormWindow&)> used_;
};

}  // namespace

ActivationTracker::ActivationTracker()
    : pupilInputWatch_(
          std::make_unique<PupilInputWatch>([this](FormWindow& form) { PupilUsed(form); })) {
    handBackTimer_.setSingleShot(true);
    QObject::connect(&handBackTimer_, &QTimer::timeout, [this] { EndHandBack(); });
    QApplication::instance()->installEventFilter(pupilInputWatch_.get());
    // Whichever way a window took the keyboard from an open box (the browser activates the
    // window pressed, even one that the box blocks), the box takes it back.
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, pupilInputWatch_.get(),
                     [this](QWindow* focused) {
                         const QWidget* box = QApplication::activeModalWidget();
                         if (BoxOpen() && focused != nullptr && box != nullptr &&
                             box->windowHandle() != focused) {
                             GiveKeyboardToOpenBox();
                         }
                     });
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

void ActivationTracker::PupilUsed(FormWindow& form) {
    if (BoxOpen()) {
        GiveKeyboardToOpenBox();
        return;
    }
    if (handBackTo_.isNull() || boxOpen_ || &form == handBackTo_) {
        return;
    }
    EndHandBack();
    form.activateWindow();
}

void ActivationTracker::Activated(FormWindow& form) {
    EndHandBack();
    if (current_ == &form) {
        return;
    }
    // Noted before the handler runs: the handler may open a box, and the window system's
    // activation that follows its closing must find this window already active.
    current_ = &form;
    form.Form_Activate();
}

void ActivationTracker::PlatformActivated(FormWindow& form) {
    if (form.isHidden()) {
        return;
    }
    if (BoxOpen()) {
        GiveKeyboardToOpenBox();
        return;
    }
    if (QApplication::activeModalWidget() != nullptr || HandingBack(form)) {
        return;
    }
    Activated(form);
}

bool ActivationTracker::HandingBack(FormWindow& activated) {
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

void ActivationTracker::GiveKeyboardToOpenBox() {
    QTimer::singleShot(0, pupilInputWatch_.get(), [] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            box->raise();
            box->activateWindow();
            DeliverPendingActivation();
        }
    });
}

void ActivationTracker::BoxOpened(FormWindow* owner) {
    ReleaseHeldBack();
    ++openBoxes_;
    ++boxesOpenedSoFar_;
    if (owner == nullptr) {
        return;
    }
    handBackTo_ = owner;
    boxOpen_ = true;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* form = dynamic_cast<FormWindow*>(window);
        if (form != nullptr && form != owner && form->isVisible()) {
            AcceptFocus(*form, false);
            heldBack_.emplace_back(form);
        }
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
    if (!BoxOpen()) {
        ReleaseHeldBack();
    }
}

void ActivationTracker::ReleaseHeldBack() {
    handBackTimer_.stop();
    handBackTo_.clear();
    boxOpen_ = false;
    for (const QPointer<FormWindow>& form : heldBack_) {
        if (!form.isNull()) {
            AcceptFocus(*form, true);
        }
    }
    heldBack_.clear();
}

void ActivationTracker::Hidden(FormWindow& form) {
    if (current_ == &form) {
        current_ = nullptr;
    }
    // The keyboard has nowhere to go back to: the other windows take the focus again
    // before the program shows one of them.
    if (handBackTo_ == &form) {
        EndHandBack();
    }
}

void ActivationTracker::Forget(FormWindow& form) {
    Hidden(form);
}

}  // namespace ui
