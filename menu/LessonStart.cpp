// A lesson button builds the run of its lesson and shows the practice board; a drill of the
// weak keys takes the same path.
#include "board/PracticeBoard.h"
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
    ShowRunOnBoard(*run);
}

// The path of every run, a lesson's or a drill's.
void Menu::ShowRunOnBoard(const lessons::BuiltRun& run) {
    PracticeBoard& board = ui::Program::Current().Board();  // loaded on first use
    // A run still in progress is given up, so the activation below starts a fresh one
    // instead of carrying the old counters and timer into this lesson.
    board.StopRunInProgress();
    for (ui::Label& cell : board.Label1) {
        cell.SetVisible(false);
    }
    Module1::RomajiQueue.clear();
    Module1::PracticeText.clear();
    board.Label2.SetWidth(0);

    Module1::RomajiQueue = run.romajiQueue;
    Module1::PracticeText = run.practiceText;
    board.Show();
}

// While a run is on the board, the pupil's keys belong to it. When a box closes, the window
// system can hand the keyboard to the window under the mouse for a moment; a key landing on
// the menu's focused lesson button then would give the run up for another lesson. Only the
// mouse starts another lesson during a run.
bool Menu::LessonKeysStartLessons() const {
    const PracticeBoard* board = ui::Program::Current().BoardIfLoaded();
    return board == nullptr || board->isHidden() || !board->RunInProgress();
}
