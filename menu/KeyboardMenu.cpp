// The menu bar's 「キーボード」: the keyboard guide and the romaji guide on or off, the
// keyboard's layout, and the session's weak keys.
#include "board/PracticeBoard.h"
#include "guide/KeyboardGuide.h"
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
