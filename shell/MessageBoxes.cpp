#include "shell/MessageBoxes.h"

namespace ui {

QString ApplicationTitle() {
    return QStringLiteral("タイピングソフト");
}

BoxAnswer MessageBoxes::MsgBox(const QString& prompt, BoxButtons buttons, BoxIcon icon,
                               const QString& title) {
    return Present(prompt, buttons, icon, title.isEmpty() ? ApplicationTitle() : title);
}

}  // namespace ui
