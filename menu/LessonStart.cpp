// A lesson button builds the run of its lesson and shows the practice board; a drill of the
// weak keys takes the same path.
#include "lessons/RunBuilder.h"
#include "menu/Menu.h"
#include "program/Module1.h"
#include "program/Program.h"

void Menu::Command1_Click(std::int16_t index) {
    const std::optional<lessons::BuiltRun> run = lessons::BuildRun(index);
    if (!run) {
        return;  // the button below the grid has no lesson: nothing starts, nothing changes
    }
    Module1::LessonIndex = index;
    Module1::DrillOnBoard = false;
    ui::Program::Current().ShowRunOnBoard(*run);
}

// While a run is on the board, the pupil's keys belong to it. When a box closes, the window
// system can hand the keyboard to the window under the mouse for a moment; a key landing on
// the menu's focused lesson button then would give the run up for another lesson. Only the
// mouse starts another lesson during a run.
bool Menu::LessonKeysStartLessons() const {
    return !ui::Program::Current().RunInProgressOnBoard();
}
