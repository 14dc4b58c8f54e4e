#pragma once
// The real message boxes, drawn by Qt.
#include "services/MessageBoxes.h"

namespace ui {

class QtMessageBoxes : public MessageBoxes {
  protected:
    void Present(const text::Text& prompt, BoxButtons buttons, BoxIcon icon,
                 const text::Text& title, BoxAnswered answered) override;
};

}  // namespace ui
