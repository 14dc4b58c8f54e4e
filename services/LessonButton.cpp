#include "services/LessonButton.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>
#include <QPainter>

#include "services/Activation.h"
#include "services/Controls.h"
#include "services/QtColour.h"

namespace ui {

namespace {

// The presses of each key and the time of its last release, wherever in the program they
// went: a box may take a release and the button the press that follows it.
class KeyHistory : public QObject {
  public:
    static KeyHistory& Instance() {
        static KeyHistory* times = [] {
            auto* created = new KeyHistory(QApplication::instance());
            QApplication::instance()->installEventFilter(created);
            return created;
        }();
        return *times;
    }

    // The X server gives a repeat's release and press the same time; a finger cannot.
    // Events made up inside the program carry no time.
    bool FollowsItsRelease(const QKeyEvent& press) const {
        return press.timestamp() != 0 && released_.value(press.key(), 0) == press.timestamp();
    }
    // Counts the presses of `key`, repeats included.
    quint64 Presses(int key) const { return presses_.value(key, 0); }

  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::KeyRelease) {
            const auto* release = static_cast<QKeyEvent*>(event);
            released_.insert(release->key(), release->timestamp());
        } else if (event->type() == QEvent::KeyPress) {
            ++presses_[static_cast<QKeyEvent*>(event)->key()];
        }
        return false;
    }

  private:
    using QObject::QObject;
    QHash<int, quint64> released_;
    QHash<int, quint64> presses_;
};

// On X, Qt tells a repeat's release from the key's own release by the press that follows it
// at the same moment, which may not have arrived yet when the program is busy. Windows and
// the browser flag every repeat. Elsewhere a release clicks at once: under Wine a window
// opened a moment after the last key event may not get the keyboard.
bool RepeatsMayComeUnflagged() {
    return QGuiApplication::platformName() == QStringLiteral("xcb");
}

unsigned long long BoxesOpenedSoFar() {
    const ActivationTracker* activation = ActivationTracker::Running();
    return activation != nullptr ? activation->BoxesOpenedSoFar() : 0;
}

}  // namespace

LessonButton::LessonButton(QWidget* parent) : QPushButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAutoDefault(false);
    setFlat(true);
    KeyHistory::Instance();
    releaseConfirmation_.setSingleShot(true);
    releaseConfirmation_.setInterval(kReleaseConfirmation);
    connect(&releaseConfirmation_, &QTimer::timeout, this, [this] {
        // A press of the key since its release, wherever it went, shows it held down. A box
        // opened meanwhile (another lesson's start box, a help box) has taken the keyboard:
        // the click belonged to a moment that has passed.
        if (KeyHistory::Instance().Presses(releasedKey_) == pressesAtRelease_ &&
            BoxesOpenedSoFar() == boxesAtRelease_ && KeyboardMayClick()) {
            click();
        }
    });
}

void LessonButton::SetBackColor(colour::BgrColour colour) {
    backColor_ = colour;
    update();
}

void LessonButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect face = rect();
    painter.fillRect(face, ResolveColour(backColor_));

    painter.setPen(QColor(0x40, 0x40, 0x40));
    painter.drawRect(face.adjusted(0, 0, -1, -1));
    if (isDown()) {
        // A pressed button shows a second border inside the first; its face keeps its colour.
        painter.drawRect(face.adjusted(1, 1, -2, -2));
    }
    if (hasFocus()) {
        QPen dotted(QColor(0, 0, 0));
        dotted.setStyle(Qt::DotLine);
        painter.setPen(dotted);
        painter.drawRect(face.adjusted(3, 3, -4, -4));
    }
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.setFont(font());
    const QRect textArea = isDown() ? face.translated(1, 1) : face;
    painter.drawText(textArea, Qt::AlignCenter, text());
}

void LessonButton::SetKeyboardClickAllowed(std::function<bool()> allowed) {
    keyboardClickAllowed_ = std::move(allowed);
}

bool LessonButton::IsClickKey(const QKeyEvent* event) const {
    const int key = event->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

// Enter clicks as it goes down. Space, and a press that may be a repeat, click as they come
// up, once no repeat has followed the release: a key held down repeats and never clicks.
void LessonButton::keyPressEvent(QKeyEvent* event) {
    if (!IsClickKey(event)) {
        QPushButton::keyPressEvent(event);
        return;
    }
    event->accept();
    const int key = event->key();
    releaseConfirmation_.stop();
    const bool followsItsRelease = KeyHistory::Instance().FollowsItsRelease(*event);
    if (event->isAutoRepeat() || followsItsRelease) {
        // The first repeat on a button that did not see the key go down may be a new press
        // whose release the window system lost in a closing box (Wine): its own release will
        // tell. A second repeat tells that the key is held; so does a repeat whose release
        // came unflagged, after the key had been down here.
        const bool downBeforeItsRelease =
            followsItsRelease && releasedKey_ == key && releasedWhileDown_;
        if (heldKey_ == key || unsureKey_ == key || downBeforeItsRelease) {
            heldKey_ = key;
            unsureKey_ = 0;
        } else {
            unsureKey_ = key;
        }
        return;
    }
    heldKey_ = key;
    unsureKey_ = 0;
    if (!KeyboardMayClick()) {
        return;  // swallowed: neither a click nor a press that a release would end
    }
    if (key == Qt::Key_Space) {
        setDown(true);
        return;
    }
    click();
}

void LessonButton::keyReleaseEvent(QKeyEvent* event) {
    if (!IsClickKey(event)) {
        QPushButton::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat()) {
        return;  // the key is still down
    }
    const int key = event->key();
    const bool clicks = isDown() || unsureKey_ == key;
    releasedKey_ = key;
    releasedWhileDown_ = clicks || heldKey_ == key;
    setDown(false);
    if (heldKey_ == key) {
        heldKey_ = 0;
    }
    unsureKey_ = 0;
    if (!clicks) {
        return;
    }
    if (!RepeatsMayComeUnflagged()) {
        if (KeyboardMayClick()) {
            click();
        }
        return;
    }
    pressesAtRelease_ = KeyHistory::Instance().Presses(key);
    boxesAtRelease_ = BoxesOpenedSoFar();
    releaseConfirmation_.start();
}

bool LessonButton::KeyboardMayClick() const {
    return !keyboardClickAllowed_ || keyboardClickAllowed_();
}

// A click waiting for its key's release to be confirmed goes with the focus: the pupil has
// moved on, to another button or another lesson. The window losing the keyboard for a moment
// (a window manager's shuffle) keeps it: a box that took the keyboard is seen by the count of
// boxes opened.
void LessonButton::focusOutEvent(QFocusEvent* event) {
    if (event->reason() != Qt::ActiveWindowFocusReason) {
        releaseConfirmation_.stop();
    }
    heldKey_ = 0;
    unsureKey_ = 0;
    setDown(false);
    QPushButton::focusOutEvent(event);
}

}  // namespace ui
