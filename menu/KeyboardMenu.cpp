// The menu bar's 「キーボード」: the keyboard guide and the romaji guide on or off, the
// keyboard's layout, the session's weak keys and a drill of them.
#include <limits>

#include "board/PracticeBoard.h"
#include "guide/KeyboardGuide.h"
#include "lessons/WeakKeyDrill.h"
#include "menu/Menu.h"
#include "program/Module1.h"
#include "program/Program.h"

// The item checks and unchecks itself as it is chosen.
void Menu::FingerGuide_Click() {
    ui::Program& program = ui::Program::Current();
    program.Guide().SetOn(FingerGuide.Checked());
    if (PracticeBoard* board = program.BoardIfLoaded()) {
        board->TellGuide(/*afterMiss=*/false);
    }
}

// Turned on mid-run, the guide shows at once; turned off, the board is as it was.
void Menu::RomajiGuide_Click() {
    Module1::RomajiGuideOn = RomajiGuide.Checked();
    if (PracticeBoard* board = ui::Program::Current().BoardIfLoaded()) {
        board->ShowRomajiGuide(Module1::RomajiGuideOn);
    }
}

void Menu::JisLayout_Click() {
    ChooseGuideLayout(/*jis=*/true);
}

void Menu::UsLayout_Click() {
    ChooseGuideLayout(/*jis=*/false);
}

// The marks move between the two layouts; the letters stay where they are.
void Menu::ChooseGuideLayout(bool jis) {
    JisLayout.SetChecked(jis);
    UsLayout.SetChecked(!jis);
    ui::Program::Current().Guide().SetLayout(jis ? guide::Layout::Jis : guide::Layout::Us);
}

void Menu::WeakKeys_Click() {
    ui::Program::Current().Boxes().MsgBox(guide::WeakKeysPrompt(Module1::WeakKeys),
                                          ui::BoxButtons::Ok, ui::BoxIcon::Information,
                                          QStringLiteral("苦手なキー"));
}

namespace {

// The session's weak keys, weakest first: those missed, the most missed first, then those the
// pupil waits longest before. A key named by a word (スペースキー) is no key of a word's
// spelling and stays out.
std::vector<QChar> WeakestKeysFirst() {
    constexpr std::size_t kEvery = std::numeric_limits<std::size_t>::max();
    std::vector<QChar> keys;
    for (const guide::WeakKey& key : Module1::WeakKeys.MostMissed(kEvery)) {
        keys.push_back(key.expected);
    }
    for (const session::KeyPace& pace : Module1::Record.SlowestKeys(kEvery)) {
        if (pace.key.size() == 1) {
            keys.push_back(pace.key[0]);
        }
    }
    return keys;
}

}  // namespace

// Built from the weak keys as they stand, and started as a lesson is: a run in progress is
// given up. No lesson button records it.
void Menu::WeakKeyDrill_Click() {
    const std::optional<lessons::BuiltRun> drill =
        lessons::BuildDrill(lessons::DrillKeys(WeakestKeysFirst()));
    if (!drill) {
        ui::Program::Current().Boxes().MsgBox(QStringLiteral("まだ苦手なキーはありません"),
                                              ui::BoxButtons::Ok, ui::BoxIcon::Information,
                                              QStringLiteral("苦手なキーの練習"));
        return;
    }
    Module1::DrillOnBoard = true;
    ShowRunOnBoard(*drill);
}
