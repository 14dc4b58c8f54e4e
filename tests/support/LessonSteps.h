#pragma once
// What a pupil does with the trainer, step by step, through the X server only: shared by
// the end-to-end tests of the program built here and of the Windows program under Wine.
#include <string>

#include "support/Pupil.h"
#include "support/TrainerTexts.h"

namespace e2e {

// About 240 keys a minute.
constexpr auto kPupilPace = 250ms;

// Answers the start box with Enter and waits until the board has the keyboard; returns
// the board's window. Of process `pid` only, if given.
WindowId AnswerStartBox(Pupil& pupil, long pid = 0);

// Starts the lesson of the button at `button` with a click, answers the start box and
// waits until the board has the keyboard; returns the board's window.
WindowId StartLessonByClick(Pupil& pupil, ScreenPoint button);

// Answers the two boxes at the end of a run and waits until the menu has the keyboard.
void FinishRun(Pupil& pupil, WindowId menu);

// Closes the window as a pupil does with the keyboard: Alt+F4, which the window manager
// turns into a close request; returns the question box that comes up.
WindowId AskToClose(Pupil& pupil, WindowId window, long pid);

}  // namespace e2e
