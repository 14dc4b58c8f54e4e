#include "shell/LessonButton.h"

#include <QKeyEvent>
#include <QPainter>

#include "shell/Controls.h"

namespace ui {

LessonButton::LessonButton(QWidget* parent) : QPushButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAutoDefault(false);
    setFlat(true);
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

bool LessonButton::IsRepeatOfHeldKey(const QKeyEvent* event) const {
    return event->isAutoRepeat() && event->key() == heldKey_;
}

void LessonButton::keyPressEvent(QKeyEvent* event) {
    const bool repeat = IsRepeatOfHeldKey(event);
    heldKey_ = event->key();
    if (IsClickKey(event) && keyboardClickAllowed_ && !keyboardClickAllowed_()) {
        event->accept();  // swallowed: neither a click nor a press that a release would end
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        if (!repeat) {
            click();
        }
        return;
    }
    if (event->isAutoRepeat() && !repeat) {
        QKeyEvent fresh(event->type(), event->key(), event->modifiers(), event->text());
        QPushButton::keyPressEvent(&fresh);
        event->setAccepted(fresh.isAccepted());
        return;
    }
    QPushButton::keyPressEvent(event);
}

void LessonButton::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat() && event->key() == heldKey_) {
        heldKey_ = 0;
    }
    if (IsClickKey(event) && !isDown()) {
        event->accept();  // the release of a swallowed Space clicks nothing
        return;
    }
    QPushButton::keyReleaseEvent(event);
}

void LessonButton::focusOutEvent(QFocusEvent* event) {
    heldKey_ = 0;
    QPushButton::focusOutEvent(event);
}

}  // namespace ui
