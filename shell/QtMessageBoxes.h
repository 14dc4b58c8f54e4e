#pragma once
// The real message boxes, drawn by Qt.
#include "shell/MessageBoxes.h"

namespace ui {

class QtMessageBoxes : public MessageBoxes {
  protected:
    BoxAnswer Present(const QString& prompt, BoxButtons buttons, BoxIcon icon,
                      const QString& title) override;
};

// The prompt as Qt shows it: each carriage-return-separated line on a line of its own.
QString DisplayedPrompt(const QString& prompt);

}  // namespace ui
