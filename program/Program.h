#pragma once
// The program: its two windows and the keyboard guide, each created on first use and then
// kept until the end, and the services they share.
#include <QRect>
#include <functional>
#include <memory>
#include <vector>

#include "services/Activation.h"
#include "services/MessageBoxes.h"

class KeyboardGuide;
class Menu;
class PracticeBoard;
class RecordWindow;

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
    // The record 「成績」, created the first time it is opened.
    ::RecordWindow* RecordIfLoaded() const { return record_.get(); }

    // The record window opens beside the menu and the board, showing the record so far.
    void ShowRecord();
    // A run has been added to the session's record: an open record window shows it.
    void RunRecorded();
    // The board has shown or grown: an open record window moves off it.
    void KeepRecordClear();

    MessageBoxes& Boxes() { return boxes_; }
    ActivationTracker& Activation() { return activation_; }

    // Ends the program from inside any handler.
    void End();

  private:
    std::vector<QRect> FramesToKeepClear() const;

    MessageBoxes& boxes_;
    std::function<void()> endProgram_;
    ActivationTracker activation_;
    std::unique_ptr<::Menu> menu_;
    std::unique_ptr<::PracticeBoard> board_;
    std::unique_ptr<::KeyboardGuide> guide_;
    std::unique_ptr<::RecordWindow> record_;
};

}  // namespace ui
