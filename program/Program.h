#pragma once
// The program: its two windows and the keyboard guide, each created on first use and then
// kept until the end, and the services they share.
#include <functional>
#include <memory>
#include <vector>

#include "lessons/RunBuilder.h"
#include "services/Controls.h"
#include "services/Form.h"
#include "services/Geometry.h"
#include "services/MessageBoxes.h"

class KeyboardGuide;
class Menu;
class PracticeBoard;
class RecordWindow;

namespace ui {

class ActivationTracker;

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

    // Where the windows meet: what one window asks of another goes through these, so no
    // window knows another's class.
    // The menu's: a run (a lesson's or a drill's) replaces what the board had and shows; a
    // run in progress is given up first.
    void ShowRunOnBoard(const lessons::BuiltRun& run);
    // Whether the board shows a run in progress.
    bool RunInProgressOnBoard() const;
    // 「指の案内」 and 「ローマ字の案内」 on or off, and the keyboard guide's layout.
    void SetKeyboardGuideOn(bool on);
    void SetRomajiGuideOn(bool on);
    void SetKeyboardGuideLayout(bool jis);
    // The board's: lined up under the menu's frame; back to the menu; the lesson buttons,
    // which keep a cleared lesson's best speed (none for an index without one); the key due
    // next, for the keyboard guide (0 for none).
    void PlaceUnderMenu(Form& window);
    void ShowMenu();
    CommandButton* LessonButton(std::size_t index);
    void TellKeyboardGuide(char16_t head, bool afterMiss);
    // The keyboard guide's: the board's window once loaded, to follow; the guide was closed.
    Form* BoardWindowIfLoaded() const;
    void KeyboardGuideClosed();

    // The record window opens beside the menu and the board, showing the record so far.
    void ShowRecord();
    // A run has been added to the session's record: an open record window shows it.
    void RunRecorded();
    // The board has shown or grown: an open record window moves off it.
    void KeepRecordClear();

    MessageBoxes& Boxes() { return boxes_; }
    ActivationTracker& Activation() { return *activation_; }

    // Ends the program from inside any handler.
    void End();

  private:
    std::vector<geometry::Rect> FramesToKeepClear() const;

    MessageBoxes& boxes_;
    std::function<void()> endProgram_;
    std::unique_ptr<ActivationTracker> activation_;
    std::unique_ptr<::Menu> menu_;
    std::unique_ptr<::PracticeBoard> board_;
    std::unique_ptr<::KeyboardGuide> guide_;
    std::unique_ptr<::RecordWindow> record_;
};

}  // namespace ui
