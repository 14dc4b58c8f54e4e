#pragma once
// The real message boxes, drawn by Qt.
#include <QStringList>

#include "services/MessageBoxes.h"

namespace ui {

class QtMessageBoxes : public MessageBoxes {
  protected:
    void Present(const text::Text& prompt, BoxButtons buttons, BoxIcon icon,
                 const text::Text& title, BoxAnswered answered) override;
};

// The prompt as Qt shows it: each carriage-return-separated line on a line of its own.
QString DisplayedPrompt(const QString& prompt);

// What Ctrl+C in a box puts on the clipboard: the title, the prompt as shown and the buttons'
// words as they read, between dashed lines, as Windows copies its own boxes.
QString BoxCopyText(const QString& title, const QString& shownPrompt,
                    const QStringList& buttonTexts);

}  // namespace ui
