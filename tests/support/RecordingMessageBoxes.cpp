#include "support/RecordingMessageBoxes.h"

#include <QCoreApplication>
#include <QTimer>

#include "services/Activation.h"
#include "services/QtText.h"

namespace testing_support {

namespace {

ui::ActivationTracker* Activation() {
    return ui::ActivationTracker::Running();
}

}  // namespace

std::vector<ShownBox> RecordingMessageBoxes::WithTitle(const QString& title) const {
    std::vector<ShownBox> matching;
    for (const ShownBox& box : shown) {
        if (box.title == title) {
            matching.push_back(box);
        }
    }
    return matching;
}

void RecordingMessageBoxes::Present(const text::Text& prompt, ui::BoxButtons buttons,
                                    ui::BoxIcon icon, const text::Text& title,
                                    ui::BoxAnswered answered) {
    shown.push_back({ui::ToQt(prompt), ui::ToQt(title), buttons, icon});
    ui::BoxAnswer answer =
        buttons == ui::BoxButtons::YesNo ? ui::BoxAnswer::Yes : ui::BoxAnswer::Ok;
    if (!scriptedAnswers.empty()) {
        answer = scriptedAnswers.front();
        scriptedAnswers.pop_front();
    }
    if (ui::ActivationTracker* activation = Activation()) {
        activation->BoxOpened(activation->Current());
    }
    open_.push_back({shown.back(), answer, std::move(answered)});
    QTimer::singleShot(answerAfter, &answering_, [this] { AnswerOldestBox(); });
}

void RecordingMessageBoxes::AnswerOldestBox() {
    if (open_.empty()) {
        return;  // forgotten with its program
    }
    OpenBox box = std::move(open_.front());
    open_.pop_front();
    if (whileOpen) {
        whileOpen(box.box);
    }
    if (ui::ActivationTracker* activation = Activation()) {
        activation->BoxAnswered();
    }
    box.answered(box.answer);
    if (ui::ActivationTracker* activation = Activation()) {
        activation->BoxClosed();
    }
}

void RecordingMessageBoxes::AnswerOpenBoxes() {
    while (!open_.empty()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
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
