// What a key event of the window system gives a window: the function key that came down,
// the character typed, or nothing. The one table of which keys and chords the board sees,
// and the same rules over the page's key names.
#include "services/WindowKeys.h"

#include <gtest/gtest.h>

#include "services/PageKeys.h"

#include <QStringView>
#include <optional>

namespace {

constexpr int kBackSpace = 8;
constexpr int kTab = 9;
constexpr int kEnter = 13;
constexpr int kEscape = 27;
constexpr int kSpace = 32;

constexpr auto kNone = Qt::NoModifier;
constexpr auto kCtrl = Qt::ControlModifier;
constexpr auto kShift = Qt::ShiftModifier;
constexpr auto kAlt = Qt::AltModifier;
constexpr auto kMeta = Qt::MetaModifier;

constexpr int F(int number) {
    return ui::kKeyCodeF1 + number - 1;
}

struct KeyEventCase {
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    QStringView text;
    std::optional<int> keyDown;   // the function key's code
    std::optional<int> keyPress;  // the character's code
    const char* what;
};

TEST(WindowKeyOf, FunctionKeysComeDownTypedCharactersArePressedChordsGiveNothing) {
    const std::nullopt_t none = std::nullopt;
    const KeyEventCase cases[] = {
        // A chord with Ctrl, Alt or Meta gives nothing, whatever else is held.
        {Qt::Key_T, kCtrl, u"t", none, none, "Ctrl+T carrying its letter"},
        {Qt::Key_F7, kCtrl, u"", none, none, "Ctrl+F7"},
        {Qt::Key_A, kAlt, u"a", none, none, "Alt+A"},
        {Qt::Key_A, kMeta, u"a", none, none, "Command+A"},
        // Editing and navigation keys, with or without a control character as text.
        {Qt::Key_Delete, kNone, u"\x7f", none, none, "Delete with DEL"},
        {Qt::Key_Right, kShift, u"", none, none, "Shift+Right"},
        {Qt::Key_Clear, Qt::KeypadModifier, u"", none, none, "keypad 5 without Num Lock"},
        // Keys without text, and control characters no named key types.
        {Qt::Key_Shift, kShift, u"", none, none, "Shift alone"},
        {0, kNone, u"\x7f", none, none, "DEL by its text alone"},
        {0, kNone, u"\x1f", none, none, "the last C0 code"},
        {0, kNone, u"\x9f", none, none, "the last C1 code"},
        // Enter, BackSpace, Tab and Escape type their codes, with or without text.
        {Qt::Key_Return, kNone, u"\r", none, kEnter, "Enter"},
        {Qt::Key_Enter, Qt::KeypadModifier, u"\r", none, kEnter, "keypad Enter"},
        {Qt::Key_Return, kNone, u"", none, kEnter, "Enter without text"},
        {0, kNone, u"\r", none, kEnter, "Enter by its text alone"},
        {Qt::Key_Backspace, kNone, u"\b", none, kBackSpace, "BackSpace"},
        {Qt::Key_Backtab, kShift, u"\t", none, kTab, "Shift+Tab"},
        {Qt::Key_Escape, kNone, u"\x1b", none, kEscape, "Escape"},
        // Function keys come down by their codes, Shift held or not.
        {Qt::Key_F7, kShift, u"", F(7), none, "Shift+F7"},
        {Qt::Key_F12, kNone, u"", F(12), none, "F12"},
        {Qt::Key_F13, kNone, u"", none, none, "F13"},
        // Characters by their codes.
        {Qt::Key_Space, kNone, u" ", none, kSpace, "Space"},
        {Qt::Key_A, kShift, u"A", none, 'A', "Shift+A"},
        {Qt::Key_AsciiTilde, kShift, u"~", none, '~', "~, just below DEL"},
        {0, kNone, u"ち", none, 0x3061, "kana"},
        {0, kNone, u"\u00a0", none, 0xA0, "just above the C1 codes"},
    };
    for (const KeyEventCase& c : cases) {
        SCOPED_TRACE(c.what);
        const ui::WindowKey key = ui::WindowKeyOf(c.qtKey, c.modifiers, c.text.toString());
        EXPECT_EQ(key.keyDownCode, c.keyDown);
        EXPECT_EQ(key.keyPressCode, c.keyPress);
    }
}

struct PageKeyCase {
    std::u16string_view key;  // the page's name of the key
    bool chord;               // Ctrl, Alt or Meta held
    std::optional<int> keyDown;
    std::optional<int> keyPress;
};

TEST(PageKeyOf, ThePagesKeyNamesGiveWhatQtsKeysGive) {
    const std::nullopt_t none = std::nullopt;
    const PageKeyCase cases[] = {
        {u"t", true, none, none},
        {u"F7", true, none, none},
        {u"Delete", false, none, none},
        {u"ArrowRight", false, none, none},
        {u"Shift", false, none, none},
        {u"Process", false, none, none},
        {u"Unidentified", false, none, none},
        {u"Dead", false, none, none},
        {u"", false, none, none},
        {u"\x7f", false, none, none},
        {u"\x1f", false, none, none},
        {u"\x9f", false, none, none},
        {u"Enter", false, none, kEnter},
        {u"Backspace", false, none, kBackSpace},
        {u"Tab", false, none, kTab},
        {u"Escape", false, none, kEscape},
        {u"Esc", false, none, kEscape},
        {u"F1", false, F(1), none},
        {u"F12", false, F(12), none},
        {u"F13", false, none, none},
        {u"F0", false, none, none},
        {u"F01", false, none, none},
        {u"F", false, none, 'F'},
        {u" ", false, none, kSpace},
        {u"A", false, none, 'A'},
        {u"~", false, none, '~'},
        {u"ち", false, none, 0x3061},
        {u"\u00a0", false, none, 0xA0},
        {u"\U0001F600", false, none, 0x1F600},
        {u"\xd800", false, none, none},
        {u"ab", false, none, none},
    };
    for (const PageKeyCase& c : cases) {
        SCOPED_TRACE(std::string(c.key.begin(), c.key.end()));
        const ui::WindowKey key = ui::PageKeyOf(c.key, c.chord);
        EXPECT_EQ(key.keyDownCode, c.keyDown);
        EXPECT_EQ(key.keyPressCode, c.keyPress);
    }
}

}  // namespace
