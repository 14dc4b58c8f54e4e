// The menu bar's 「キーボード」: the keyboard guide and the romaji guide on or off, the
// keyboard's layout, the session's weak keys and a drill of them.
#include <limits>

#include "lessons/WeakKeyDrill.h"
#include "menu/Menu.h"
#include "program/Module1.h"
#include "program/Program.h"

// The item checks and unchecks itself as it is chosen.
void Menu::FingerGuide_Click() {
    ui::Program::Current().SetKeyboardGuideOn(FingerGuide.Checked());
}

// Turned on mid-run, the guide shows at once; turned off, the board is as it was.
void Menu::RomajiGuide_Click() {
    ui::Program::Current().SetRomajiGuideOn(RomajiGuide.Checked());
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
    ui::Program::Current().SetKeyboardGuideLayout(jis);
}

void Menu::WeakKeys_Click() {
    ui::Program::Current().Boxes().MsgBox(guide::WeakKeysPrompt(Module1::WeakKeys),
                                          ui::BoxButtons::Ok, ui::BoxIcon::Information,
                                          u"苦手なキー");
}

namespace {

// The session's weak keys, weakest first: those missed, the most missed first, then those the
// pupil waits longest before. A key named by a word (スペースキー) is no key of a word's
// spelling and stays out.
std::vector<char16_t> WeakestKeysFirst() {
    constexpr std::size_t kEvery = std::numeric_limits<std::size_t>::max();
    std::vector<char16_t> keys;
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
        ui::Program::Current().Boxes().MsgBox(u"まだ苦手なキーはありません", ui::BoxButtons::Ok,
                                              ui::BoxIcon::Information, u"苦手なキーの練習");
        return;
    }
    Module1::DrillOnBoard = true;
    ui::Program::Current().ShowRunOnBoard(*drill);
}
