// Every key the pupil types on the board is judged against the head of the key queue.
#include "board/PracticeBoard.h"
#include "program/Module1.h"
#include "program/Program.h"
#include "services/KeyCodes.h"

// A key that types a character is judged by its code; of the keys that type none, F7 to F10
// are judged as keys of their own.
void PracticeBoard::Form_KeyPress(int characterCode) {
    JudgeKey(board::PressedKey::Character(characterCode));
}

void PracticeBoard::Form_KeyDown(int keyCode) {
    constexpr int kF7 = ui::kKeyCodeF1 + 6;
    constexpr int kF10 = ui::kKeyCodeF1 + 9;
    if (keyCode >= kF7 && keyCode <= kF10) {
        JudgeKey(board::PressedKey::FunctionKey(7 + keyCode - kF7));
    }
}

void PracticeBoard::JudgeKey(board::PressedKey key) {
    // Keys that arrive while no run is in progress (typed ahead after the last key, before
    // the board hid) belong to no run.
    if (!RunInProgress() || !Showing()) {
        return;
    }
    const board::Judgement judgement =
        board::JudgeKeyAgainstQueue({Module1::RomajiQueue, LastKey, MissCount, Spelling}, key);
    if (judgement.verdict == board::Verdict::Miss) {
        Module1::WeakKeys.Count(Module1::RomajiQueue.empty() ? u'\0' : Module1::RomajiQueue[0],
                                board::TypedKeyName(key));
        ui::Program::Current().Boxes().MsgBox(judgement.missPrompt, ui::BoxButtons::Ok,
                                              ui::BoxIcon::Warning, judgement.missTitle);
        Timing.Missed();
        TellGuide(/*afterMiss=*/true);
        return;
    }
    if (!Module1::RomajiQueue.empty()) {
        Timing.KeyAccepted(Module1::RomajiQueue[0], Timer1.ElapsedMilliseconds());
    }
    AdvanceQueue();
    TellGuide(/*afterMiss=*/false);
}

// The guide is told once the key is judged and the board redrawn: it never holds them up.
void PracticeBoard::TellGuide(bool afterMiss) {
    const text::Text& queue = Module1::RomajiQueue;
    ui::Program::Current().TellKeyboardGuide(Showing() && !queue.empty() ? queue[0] : u'\0',
                                             afterMiss);
}
