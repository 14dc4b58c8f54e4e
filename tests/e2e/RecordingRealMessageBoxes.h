#pragma once
// The real message boxes, recorded: every box is noted (prompt, title, icon, buttons) and
// then shown as a real modal QMessageBox, which the pupil answers with real keys.
#include <vector>

#include "services/QtMessageBoxes.h"
#include "support/RecordingMessageBoxes.h"

namespace e2e {

class RecordingRealMessageBoxes : public ui::MessageBoxes {
  public:
    // Every box shown so far, in order, including one still open.
    const std::vector<testing_support::ShownBox>& Shown() const { return shown_; }
    std::vector<testing_support::ShownBox> WithTitle(const QString& title) const;
    int CountWithTitle(const QString& title) const;
    // The boxes one line each, for failure messages.
    std::string Describe() const;

  protected:
    void Present(const text::Text& prompt, ui::BoxButtons buttons, ui::BoxIcon icon,
                 const text::Text& title, ui::BoxAnswered answered) override;

  private:
    ui::QtMessageBoxes real_;
    std::vector<testing_support::ShownBox> shown_;
};

}  // namespace e2e
