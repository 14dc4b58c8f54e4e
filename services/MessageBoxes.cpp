#include "services/MessageBoxes.h"

#include "services/Announcements.h"

namespace ui {

text::Text ApplicationTitle() {
    return u"タイピングソフト";
}

void MessageBoxes::MsgBox(text::TextView prompt, BoxButtons buttons, BoxIcon icon,
                          text::TextView title, BoxAnswered answered) {
    if (!answered) {
        answered = [](BoxAnswer) {};
    }
    const text::Text shownTitle = title.empty() ? ApplicationTitle() : text::Text(title);
    AnnounceBox(shownTitle, prompt);
    Present(text::Text(prompt), buttons, icon, shownTitle, std::move(answered));
}

}  // namespace ui
