#pragma once
// A graphical command button: it paints its back colour flat over its whole face, with a
// thin border and its caption. Focus adds a dotted frame; nothing changes the face's
// colour, since the colour is how a pupil reads the best speed.
#include <QPushButton>
#include <functional>

#include "shell/Colour.h"

namespace ui {

class LessonButton : public QPushButton {
  public:
    explicit LessonButton(QWidget* parent);

    colour::BgrColour BackColor() const { return backColor_; }
    void SetBackColor(colour::BgrColour colour);
    // Decides, at each press of Enter or Space, whether the keyboard may click the button.
    void SetKeyboardClickAllowed(std::function<bool()> allowed);

  protected:
    void paintEvent(QPaintEvent* event) override;
    // Enter clicks the focused button, as Space does.
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    bool IsClickKey(const QKeyEvent* event) const;
    // A held key repeats on the button where it went down. The window system may flag the
    // first press after a box has closed as a repeat (Windows, when the box went away with
    // the key's release): on a button that did not see the key go down, it is a new press.
    bool IsRepeatOfHeldKey(const QKeyEvent* event) const;

    int heldKey_ = 0;

    colour::BgrColour backColor_ = colour::kPaleCyan;
    std::function<bool()> keyboardClickAllowed_;
};

}  // namespace ui
