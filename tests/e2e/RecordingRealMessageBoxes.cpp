#include "e2e/RecordingRealMessageBoxes.h"

#include "services/QtText.h"

namespace e2e {

std::vector<testing_support::ShownBox> RecordingRealMessageBoxes::WithTitle(
    const QString& title) const {
    std::vector<testing_support::ShownBox> matching;
    for (const testing_support::ShownBox& box : shown_) {
        if (box.title == title) {
            matching.push_back(box);
        }
    }
    return matching;
}

int RecordingRealMessageBoxes::CountWithTitle(const QString& title) const {
    return static_cast<int>(WithTitle(title).size());
}

std::string RecordingRealMessageBoxes::Describe() const {
    std::string lines;
    for (const testing_support::ShownBox& box : shown_) {
        QString prompt = box.prompt;
        prompt.replace(QChar(13), QStringLiteral("\\r"));
        lines += "  [" + box.title.toStdString() + "] \"" + prompt.toStdString() + "\" (" +
                 testing_support::IconName(box.icon) + " icon)\n";
    }
    return lines.empty() ? std::string("  (no box)\n") : lines;
}

void RecordingRealMessageBoxes::Present(const text::Text& prompt, ui::BoxButtons buttons,
                                        ui::BoxIcon icon, const text::Text& title,
                                        ui::BoxAnswered answered) {
    // Recorded before it opens: a test may look at the box the pupil is answering.
    shown_.push_back({ui::ToQt(prompt), ui::ToQt(title), buttons, icon});
    // The title is never empty here: MsgBox has already put in the application title.
    real_.MsgBox(prompt, buttons, icon, title, std::move(answered));
}

}  // namespace e2e
