#pragma once
// A test fixture: one program per test, its windows on the shared X display under the
// window manager, its message boxes real and recorded. The program asking to end is noted,
// not carried out.
#include <gtest/gtest.h>

#include <QString>
#include <functional>
#include <memory>

#include "e2e/DisplaySession.h"
#include "e2e/RecordingRealMessageBoxes.h"
#include "program/Program.h"
#include "services/Activation.h"
#include "services/FormWindow.h"
#include "services/QtText.h"
#include "support/Pupil.h"
#include "support/QtTextComparisons.h"

class Menu;
class PracticeBoard;
class QWidget;

namespace ui {
class MenuItem;
}

namespace e2e {

class ProgramOnScreen : public ::testing::Test {
  protected:
    ProgramOnScreen();
    ~ProgramOnScreen() override;

    ui::Program& Program() { return *program_; }
    // Starts the program and waits until its menu window is on the screen where the window
    // manager put it, has the keyboard, and the program knows its place: only then are
    // screen coordinates of its controls right.
    ::testing::AssertionResult StartedOnScreen();
    Menu& MenuWindow();
    // The board, once a lesson has loaded it; null before.
    PracticeBoard* Board();

    // Runs the pupil's script while the program runs; fails with the pupil's account and
    // the boxes shown so far when a step did not work out.
    ::testing::AssertionResult PupilDid(const std::function<void(Pupil&)>& script,
                                        std::chrono::milliseconds patience = 60s);

    static ScreenPoint CentreOnScreen(const QWidget& widget);
    static ScreenPoint CentreOnScreen(const ui::Form& window) {
        return CentreOnScreen(*window.Widget());
    }
    static WindowId WindowIdOf(const QWidget& window);
    static WindowId WindowIdOf(const ui::Form& window) { return WindowIdOf(*window.Widget()); }
    // The centre of a title of the menu window's menu bar.
    ScreenPoint MenuTitleCentre(const ui::MenuItem& title);
    // From the pupil's thread: clicks the item `caption` of the menu that has dropped down,
    // once it shows on the screen, and waits until the menu has closed.
    static void ClickItemOfOpenMenu(Pupil& pupil, const QString& caption);

    RecordingRealMessageBoxes boxes_;
    int endRequests_ = 0;

  private:
    std::unique_ptr<ui::Program> program_;
};

}  // namespace e2e
