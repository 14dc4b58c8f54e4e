#pragma once
// The program: its two windows and the keyboard guide, each created on first use and then
// kept until the end, and the services they share.
#include <functional>
#include <memory>

#include "services/Activation.h"
#include "services/MessageBoxes.h"

class KeyboardGuide;
class Menu;
class PracticeBoard;

namespace ui {

class Program {
  public:
    // `endProgram` stops the whole program at once; the real program never returns from it.
    Program(MessageBoxes& boxes, std::function<void()> endProgram);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    static Program& Current();
    static bool Exists();

    // Start-up: the menu window is created (its load event runs) and shown.
    void Start();

    ::Menu& MenuWindow();
    ::PracticeBoard& Board();
    ::PracticeBoard* BoardIfLoaded() const { return board_.get(); }
    // The keyboard guide, created the first time it is turned on.
    ::KeyboardGuide& Guide();
    ::KeyboardGuide* GuideIfLoaded() const { return guide_.get(); }
    ::Menu* MenuIfLoaded() const { return menu_.get(); }

    MessageBoxes& Boxes() { return boxes_; }
    ActivationTracker& Activation() { return activation_; }

    // Ends the program from inside any handler.
    void End();

  private:
    MessageBoxes& boxes_;
    std::function<void()> endProgram_;
    ActivationTracker activation_;
    std::unique_ptr<::Menu> menu_;
    std::unique_ptr<::PracticeBoard> board_;
    std::unique_ptr<::KeyboardGuide> guide_;
};

}  // namespace ui
