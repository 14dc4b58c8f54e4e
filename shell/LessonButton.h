#pragma once
// A graphical command button: it paints its back colour flat over its whole face, with a
// thin border and its caption. Focus adds a dotted frame; nothing changes the face's
// colour, since the colour is how a pupil reads the best speed.
#include <QPushButton>

#include "shell/Colour.h"

namespace ui {

class LessonButton : public QPushButton {
  public:
    explicit LessonButton(QWidget* parent);

    colour::BgrColour BackColor() const { return backColor_; }
    void SetBackColor(colour::BgrColour colour);

  protected:
    void paintEvent(QPaintEvent* event) override;
    // Enter clicks the focused button, as Space does.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    colour::BgrColour backColor_ = colour::kPaleCyan;
};

}  // namespace ui
