#include "services/MessageBoxes.h"

#include "services/Announcements.h"

namespace ui {

text::Text ApplicationTitle() {
    return u"タイピングソフト";
}

text::Text DisplayedPrompt(text::TextView prompt) {
    text::Text shown;
    shown.reserve(prompt.size());
    for (std::size_t i = 0; i < prompt.size(); ++i) {
        if (prompt[i] == u'\r') {
            shown += u'\n';
            if (i + 1 < prompt.size() && prompt[i + 1] == u'\n') {
                ++i;
            }
        } else {
            shown += prompt[i];
        }
    }
    return shown;
}

text::Text BoxCopyText(text::TextView title, text::TextView shownPrompt,
                       const text::TextList& buttonTexts) {
    const text::Text separator = u"---------------------------\n";
    text::Text copy = separator;
    copy.append(title).append(u"\n").append(separator).append(shownPrompt);
    copy.append(u"\n").append(separator);
    for (const text::Text& button : buttonTexts) {
        copy.append(button).append(u"   ");
    }
    return copy.append(u"\n").append(separator);
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
