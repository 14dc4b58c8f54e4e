#pragma once
// A fresh program for each widget test: both windows, the program-wide variables at their
// start values, and message boxes that are recorded instead of shown.
#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <memory>

#include "board/PracticeBoard.h"
#include "menu/Menu.h"
#include "program/Module1.h"
#include "program/Program.h"
#include "services/Activation.h"
#include "services/FormWindow.h"
#include "services/QtText.h"
#include "support/QtTextComparisons.h"
#include "support/RecordingMessageBoxes.h"

namespace testing_support {

class ProgramFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    Menu& menu() { return program->MenuWindow(); }
    PracticeBoard& board() { return program->Board(); }

    // Clicks lesson button `index` and closes the start box.
    void StartLesson(int index);
    // Types each character of `keys` on the board as a key press with that text; the pupil
    // closes each box a key opens before the next key.
    void Type(const QString& keys);
    void PressFunctionKey(int number);
    // Types the rest of the run, leaving `ticks` on the clock for the last key.
    void FinishRunWithTicks(const QString& keys, int ticks);
    // Types a whole lesson without a miss in `ticks` tenths of a second.
    void ClearLesson(int index, const QString& keys, int ticks);

    // The pupil closes every open box, and those their answers open.
    void AnswerBoxes() { boxes.AnswerOpenBoxes(); }

    QString LastTitle() const;
    QString LastPrompt() const;

    RecordingMessageBoxes boxes;
    int endRequests = 0;
    std::unique_ptr<ui::Program> program;
};

// The romaji of each lesson as a pupil types it, in lower case, with the spellings the
// lesson stores.
QString LessonKeys(int index);

}  // namespace testing_support
