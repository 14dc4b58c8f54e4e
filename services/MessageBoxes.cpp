#include "services/MessageBoxes.h"

#include "services/Announcements.h"

namespace ui {

QString ApplicationTitle() {
    return QStringLiteral("タイピングソフト");
}

void MessageBoxes::MsgBox(const QString& prompt, BoxButtons buttons, BoxIcon icon,
                          const QString& title, BoxAnswered answered) {
    if (!answered) {
        answered = [](BoxAnswer) {};
    }
    const QString shownTitle = title.isEmpty() ? ApplicationTitle() : title;
    AnnounceBox(shownTitle, prompt);
    Present(prompt, buttons, icon, shownTitle, std::move(answered));
}

}  // namespace ui
