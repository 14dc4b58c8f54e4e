#include "support/RecordingMessageBoxes.h"

namespace testing_support {

std::vector<ShownBox> RecordingMessageBoxes::WithTitle(const QString& title) const {
    std::vector<ShownBox> matching;
    for (const ShownBox& box : shown) {
        if (box.title == title) {
            matching.push_back(box);
        }
    }
    return matching;
}

void RecordingMessageBoxes::Present(const QString& prompt, ui::BoxButtons buttons, ui::BoxIcon icon,
                                    const QString& title, ui::BoxAnswered answered) {
    shown.push_back({prompt, title, buttons, icon});
    if (whileOpen) {
        whileOpen(shown.back());
    }
    ui::BoxAnswer answer =
        buttons == ui::BoxButtons::YesNo ? ui::BoxAnswer::Yes : ui::BoxAnswer::Ok;
    if (!scriptedAnswers.empty()) {
        answer = scriptedAnswers.front();
        scriptedAnswers.pop_front();
    }
    answered(answer);
}

const char* IconName(ui::BoxIcon icon) {
    switch (icon) {
        case ui::BoxIcon::None:
            return "none";
        case ui::BoxIcon::Information:
            return "information";
        case ui::BoxIcon::Warning:
            return "warning";
        case ui::BoxIcon::Error:
            return "error";
    }
    return "?";
}

}  // namespace testing_support
