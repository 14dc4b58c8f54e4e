// Every key the pupil presses on the board is judged against the head of the key queue.
#include <QKeyEvent>

#include "board/PracticeBoard.h"
#include "shell/Formats.h"
#include "shell/Module1.h"
#include "shell/Program.h"

namespace {

// F7 to F10, the function keys the board judges; every other key without text is ignored.
int FunctionKeyNumber(int qtKey) {
    if (qtKey >= Qt::Key_F7 && qtKey <= Qt::Key_F10) {
        return 7 + (qtKey - Qt::Key_F7);
    }
    return 0;
}

}  // namespace

void PracticeBoard::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (const int number = FunctionKeyNumber(event->key())) {
        Form_KeyDown(number);
        return;
    }
    const QString text = event->text();
    if (!text.isEmpty()) {
        Form_KeyPress(formats::CodeOf(text));
    }
}

// Tab is a key to judge like any other, not a move of the focus.
bool PracticeBoard::focusNextPrevChild(bool) {
    return false;
}

void PracticeBoard::Form_KeyPress(int characterCode) {
    JudgeKey(board::PressedKey::Character(characterCode));
}

void PracticeBoard::Form_KeyDown(int functionKeyNumber) {
    JudgeKey(board::PressedKey::FunctionKey(functionKeyNumber));
}

void PracticeBoard::JudgeKey(board::PressedKey key) {
    // Keys that arrive while no run is in progress (typed ahead after the last key, before
    // the board hid) belong to no run.
    if (!RunInProgress() || isHidden()) {
        return;
    }
    const board::Judgement judgement =
        board::JudgeKeyAgainstQueue({Module1::RomajiQueue, LastKey, MissCount}, key);
    if (judgement.verdict == board::Verdict::Miss) {
        ui::Program::Current().Boxes().MsgBox(judgement.missPrompt, ui::BoxButtons::Ok,
                                              ui::BoxIcon::Warning, judgement.missTitle);
        return;
    }
    AdvanceQueue();
}
