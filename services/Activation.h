#pragma once
// Which of the program's two windows is the active one, and when a window's Activate
// handler runs.
//
// Activate runs when a window becomes the active one of the program's windows: when the
// program shows it, when the pupil clicks from one window to the other. It does not run
// again when the focus merely comes back to the same window: from one of the program's
// own message boxes (under a window manager, closing a modal box re-activates the window
// that opened it), or from another program.
//
// Closing a box hands the keyboard back to the window that owns the box. A window system
// may give it to the program's other window instead: Windows activates whichever window
// is next in its stacking order, and a window manager on X gives it to the window focused
// last, which under Wine is the menu window even when the box belonged to the board. So
// from the moment a box opens until its owner is active again (or a short while has
// passed), the program's other windows take no focus, activations of the window system
// are not taken as switches, and an activation of another window turns the keyboard back
// to the owner. The hand-back corrects the window system, never the pupil: a click on
// another of the program's windows ends it at once, and that window becomes the active one.
//
// A box that is open owns the keyboard, whatever was clicked: a click on another of the
// program's windows, or the window system activating one, gives the keyboard back to the
// box, since keys sent to a window that a box blocks are lost. Nothing the program does
// while the box is open (showing a window, a click) ends the hold on the other windows.
#include <chrono>
#include <memory>
#include <vector>

namespace ui {

class FormWindow;

class ActivationTracker {
  public:
    // The tracker made last is the running program's, until it goes.
    ActivationTracker();
    ~ActivationTracker();
    static ActivationTracker* Running();

    // The program showed `form`, or the pupil used a control of it.
    void Activated(FormWindow& form);
    // The window system made `form` the active window. While a box is open the box takes
    // the keyboard back; ignored while a box hands the keyboard back, and for a window that
    // is hidden by then.
    void PlatformActivated(FormWindow& form);
    // A box owned by `owner` (null: by no window of the program) opens, is answered, or has
    // closed. A box's answer may open the next box before the first has been reported
    // closed: the keyboard goes back when the last one open has closed.
    void BoxOpened(FormWindow* owner);
    void BoxAnswered();
    void BoxClosed();
    // A box is open and not yet answered.
    bool BoxOpen() const { return openBoxes_ > answeredBoxes_; }
    // Counts the boxes opened so far: what waits for a later moment is given up when a box
    // has opened in between.
    unsigned long long BoxesOpenedSoFar() const { return boxesOpenedSoFar_; }
    // How long after a box has closed its owner may take to become active again.
    void SetHandBackPatience(std::chrono::milliseconds patience) { handBackPatience_ = patience; }

    // `form` was hidden: showing it again activates it again.
    void Hidden(FormWindow& form);
    // A window is going away.
    void Forget(FormWindow& form);

    FormWindow* Current() const { return current_; }

    // The keyboard stays where it is now: the other windows take the focus again. While a
    // box is open it keeps the keyboard, and the other windows stay held back.
    void EndHandBack();

    // The open box takes the keyboard back (and comes to the front), once the click or
    // activation that took it away has been dealt with.
    void GiveKeyboardToOpenBox();

  private:
    // The other windows take the focus again, whether or not a box is open.
    void ReleaseHeldBack();
    // True while the window system's activations belong to a box opening or closing.
    bool HandingBack(FormWindow& activated);
    // The pupil clicked or touched a window of the program.
    void PupilUsed(FormWindow& form);

    FormWindow* current_ = nullptr;
    bool boxOpen_ = false;
    int openBoxes_ = 0;      // opened and not yet reported closed
    int answeredBoxes_ = 0;  // of those, answered already
    unsigned long long boxesOpenedSoFar_ = 0;
    std::chrono::milliseconds handBackPatience_{1000};
    // The window a box hands the keyboard back to, the program's other windows kept from
    // taking the focus meanwhile, the hand-back's timer and the watch on the pupil's clicks.
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace ui
