#include "support/LessonSteps.h"

namespace e2e {

WindowId AnswerStartBox(Pupil& pupil, long pid) {
    pupil.CloseBoxWithEnter(kStartBoxTitle, pid);
    const WindowId board = pupil.WaitForWindow(kBoardTitle, pid);
    pupil.WaitUntilActive(board, "the board, after the start box closed,");
    return board;
}

WindowId StartLessonByClick(Pupil& pupil, ScreenPoint button) {
    pupil.ClickAt(button);
    return AnswerStartBox(pupil);
}

void FinishRun(Pupil& pupil, WindowId menu) {
    pupil.CloseBoxWithEnter(kFinishedBoxTitle);
    pupil.CloseBoxWithEnter(kTimeBoxTitle);
    pupil.WaitUntilActive(menu, "the menu window, after the run,");
}

WindowId AskToClose(Pupil& pupil, WindowId window, long pid) {
    pupil.Activate(window);
    pupil.WaitUntilActive(window, "the menu window");
    pupil.PressKey("alt+F4");
    const WindowId box = pupil.WaitForWindow(kQuitBoxTitle, pid);
    pupil.WaitUntilActive(box, "the box '" + kQuitBoxTitle + "'");
    return box;
}

}  // namespace e2e
