#include "services/MessageBoxes.h"

namespace ui {

QString ApplicationTitle() {
    return QStringLiteral("タイピングソフト");
}

void MessageBoxes::MsgBox(const QString& prompt, BoxButtons buttons, BoxIcon icon,
                          const QString& title, BoxAnswered answered) {
    if (!answered) {
        answered = [](BoxAnswer) {};
    }
    Present(prompt, buttons, icon, title.isEmpty() ? ApplicationTitle() : title,
            std::move(answered));
}

}  // namespace ui
