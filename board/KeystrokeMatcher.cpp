// Every key the pupil types on the board is judged against the head of the key queue.
#include <QKeyEvent>
#include <optional>

#include "board/PracticeBoard.h"
#include "shell/Module1.h"
#include "shell/Program.h"

// A key that types a character goes to the key-press handler by its code; F7 to F10 go to
// the key-down handler. Keys that type no character (with Ctrl held, editing and navigation
// keys, the other function keys) are taken and not judged.
void PracticeBoard::keyPressEvent(QKeyEvent* event) {
    event->accept();
    const std::optional<board::PressedKey> key =
        board::KeyToJudge(event->key(), event->modifiers(), event->text());
    if (!key) {
        return;
    }
    if (key->IsFunctionKey()) {
        Form_KeyDown(key->FunctionKeyNumber());
        return;
    }
    Form_KeyPress(key->code);
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
