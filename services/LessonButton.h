#pragma once
// A graphical command button: it paints its back colour flat over its whole face, with a
// thin border and its caption. Focus adds a dotted frame; nothing changes the face's
// colour, since the colour is how a pupil reads the best speed.
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <functional>

#include "services/Colour.h"

namespace ui {

class LessonButton : public QPushButton {
  public:
    explicit LessonButton(QWidget* parent);

    // How long a click on a key's release waits, on X, for a repeat that would show the key
    // still down: X may deliver a repeat's release unflagged.
    static constexpr std::chrono::milliseconds kReleaseConfirmation{100};

    colour::BgrColour BackColor() const { return backColor_; }
    void SetBackColor(colour::BgrColour colour);
    // Decides, at each press of Enter or Space, whether the keyboard may click the button.
    void SetKeyboardClickAllowed(std::function<bool()> allowed);

  protected:
    void paintEvent(QPaintEvent* event) override;
    // Enter clicks the focused button as it goes down, Space as it comes up. A key held down
    // clicks once at most, and not at all when it went down in a box that has closed since.
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    bool IsClickKey(const QKeyEvent* event) const;
    bool KeyboardMayClick() const;

    int heldKey_ = 0;    // went down on this button, or repeated here twice: held
    int unsureKey_ = 0;  // repeated here once: held, or a new press flagged as a repeat
    QTimer releaseConfirmation_;
    int releasedKey_ = 0;  // the key last released here
    bool releasedWhileDown_ = false;
    quint64 pressesAtRelease_ = 0;
    unsigned long long boxesAtRelease_ = 0;

    colour::BgrColour backColor_ = colour::kPaleCyan;
    std::function<bool()> keyboardClickAllowed_;
};

}  // namespace ui
