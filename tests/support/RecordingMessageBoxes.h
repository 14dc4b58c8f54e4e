#pragma once
// A message box service that shows nothing: it records every box and answers from a
// script (OK, or Yes for a Yes/No box, when the script is empty). It answers as a real box
// does: on a later turn of the event loop, once MsgBox has returned and the handler that
// opened the box has finished; AnswerOpenBoxes() turns the loop until every box, and every
// box their answers opened, has been answered. A hook can act while a box is "open", as a
// pupil or the timer might. The activation tracker hears of each box as of a real one.
#include <QObject>
#include <QString>
#include <chrono>
#include <deque>
#include <functional>
#include <vector>

#include "services/MessageBoxes.h"

namespace testing_support {

struct ShownBox {
    QString prompt;
    QString title;
    ui::BoxButtons buttons;
    ui::BoxIcon icon;
};

class RecordingMessageBoxes : public ui::MessageBoxes {
  public:
    std::vector<ShownBox> shown;
    std::deque<ui::BoxAnswer> scriptedAnswers;
    std::function<void(const ShownBox&)> whileOpen;
    // How long the pupil takes to answer a box; a box stays open at least one turn of the
    // event loop.
    std::chrono::milliseconds answerAfter{0};

    void Clear() { shown.clear(); }
    // The boxes whose title is `title`.
    std::vector<ShownBox> WithTitle(const QString& title) const;
    // Boxes shown and not yet answered.
    std::size_t OpenBoxes() const { return open_.size(); }
    // Turns the event loop until no box is open.
    void AnswerOpenBoxes();
    // The program the open boxes belong to is going: they are never answered.
    void ForgetOpenBoxes() { open_.clear(); }

  protected:
    void Present(const text::Text& prompt, ui::BoxButtons buttons, ui::BoxIcon icon,
                 const text::Text& title, ui::BoxAnswered answered) override;

  private:
    struct OpenBox {
        ShownBox box;
        ui::BoxAnswer answer;
        ui::BoxAnswered answered;
    };
    void AnswerOldestBox();

    std::deque<OpenBox> open_;
    QObject answering_;
};

// Readable names in test failures.
const char* IconName(ui::BoxIcon icon);

}  // namespace testing_support
