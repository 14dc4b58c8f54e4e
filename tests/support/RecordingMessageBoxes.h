#pragma once
// A message box service that shows nothing: it records every box and answers from a
// script (OK, or Yes for a Yes/No box, when the script is empty). A hook can act while a
// box is "open", as a pupil or the timer might.
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

    void Clear() { shown.clear(); }
    // The boxes whose title is `title`.
    std::vector<ShownBox> WithTitle(const QString& title) const;

  protected:
    void Present(const QString& prompt, ui::BoxButtons buttons, ui::BoxIcon icon,
                 const QString& title, ui::BoxAnswered answered) override;
};

// Readable names in test failures.
const char* IconName(ui::BoxIcon icon);

}  // namespace testing_support
