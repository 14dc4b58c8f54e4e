#include "bare/BareKeyWindow.h"

#include <QKeyEvent>
#include <QLabel>

namespace bench {

BareKeyWindow::BareKeyWindow() {
    setWindowTitle(kTitle);
    setFixedSize(462, 121);
    setFocusPolicy(Qt::StrongFocus);
    label_ = new QLabel(QStringLiteral("0"), this);
    label_->setGeometry(8, 56, 33, 17);
}

void BareKeyWindow::keyPressEvent(QKeyEvent* event) {
    event->accept();
    label_->setText(QString::number(++keys_));
}

}  // namespace bench
