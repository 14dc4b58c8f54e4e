#pragma once
// Which of the program's two windows is the active one, and when a window's Activate
// handler runs.
//
// Activate runs when a window becomes the active one of the program's windows: when the
// program shows it, when the pupil clicks from one window to the other. It does not run
// again when the focus merely comes back to the same window: from one of the program's
// own message boxes (under a window manager, closing a modal box re-activates the window
// that opened it), or from another program.
namespace ui {

class Form;

class ActivationTracker {
  public:
    // The program showed `form`, or the pupil used a control of it.
    void Activated(Form& form);
    // The window system made `form` the active window. Ignored while a modal box is open,
    // and for a window that is hidden by then.
    void PlatformActivated(Form& form);
    // `form` was hidden: showing it again activates it again.
    void Hidden(Form& form);
    // A window is going away.
    void Forget(Form& form);

    Form* Current() const { return current_; }

  private:
    Form* current_ = nullptr;
};

}  // namespace ui
