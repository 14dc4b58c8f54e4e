#include "services/Activation.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
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

struct ActivationTracker::Parts {
    explicit Parts(std::function<void(FormWindow&)> used) : pupilInputWatch(std::move(used)) {}
    QPointer<FormWindow> handBackTo;
    std::vector<QPointer<FormWindow>> heldBack;
    QTimer handBackTimer;
    PupilInputWatch pupilInputWatch;
};

ActivationTracker::ActivationTracker()
    : parts_(std::make_unique<Parts>([this](FormWindow& form) { PupilUsed(form); })) {
    parts_->handBackTimer.setSingleShot(true);
    QObject::connect(&parts_->handBackTimer, &QTimer::timeout, [this] { EndHandBack(); });
    QApplication::instance()->installEventFilter(&parts_->pupilInputWatch);
    // Whichever way a window took the keyboard from an open box (the browser activates the
    // window pressed, even one that the box blocks), the box takes it back.
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, &parts_->pupilInputWatch,
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
    if (parts_->handBackTo.isNull() || boxOpen_ || &form == parts_->handBackTo) {
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
    if (parts_->handBackTo.isNull()) {
        return false;
    }
    if (boxOpen_) {
        return true;
    }
    if (&activated == parts_->handBackTo) {
        EndHandBack();
        return false;
    }
    // The window system gave the keyboard to another window: it goes back to the owner.
    parts_->handBackTo->activateWindow();
    return true;
}

void ActivationTracker::GiveKeyboardToOpenBox() {
    QTimer::singleShot(0, &parts_->pupilInputWatch, [] {
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
    parts_->handBackTo = owner;
    boxOpen_ = true;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* form = dynamic_cast<FormWindow*>(window);
        if (form != nullptr && form != owner && form->isVisible()) {
            AcceptFocus(*form, false);
            parts_->heldBack.emplace_back(form);
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
    if (parts_->handBackTo.isNull() || parts_->handBackTo->isHidden()) {
        EndHandBack();
        return;
    }
    parts_->handBackTimer.start(handBackPatience_);
    if (QApplication::activeWindow() != parts_->handBackTo) {
        parts_->handBackTo->activateWindow();
    }
}

void ActivationTracker::EndHandBack() {
    if (!BoxOpen()) {
        ReleaseHeldBack();
    }
}

void ActivationTracker::ReleaseHeldBack() {
    parts_->handBackTimer.stop();
    parts_->handBackTo.clear();
    boxOpen_ = false;
    for (const QPointer<FormWindow>& form : parts_->heldBack) {
        if (!form.isNull()) {
            AcceptFocus(*form, true);
        }
    }
    parts_->heldBack.clear();
}

void ActivationTracker::Hidden(FormWindow& form) {
    if (current_ == &form) {
        current_ = nullptr;
    }
    // The keyboard has nowhere to go back to: the other windows take the focus again
    // before the program shows one of them.
    if (parts_->handBackTo == &form) {
        EndHandBack();
    }
}

void ActivationTracker::Forget(FormWindow& form) {
    Hidden(form);
}

}  // namespace ui
