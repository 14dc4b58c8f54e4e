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

void LessonButton::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !event->isAutoRepeat()) {
        event->accept();
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

}  // namespace ui
