#include "board/KeyJudge.h"

#include <QStringView>
#include <array>
#include <limits>

#include "services/Formats.h"
#include "services/WindowKeys.h"

namespace board {

namespace {

constexpr int kSpaceCode = 32;
constexpr int kCaretCode = 94;  // "^" is the BackSpace mark, never a key of its own
constexpr int kFirstFunctionKeyNumber = 118;

// The control characters that are keys a pupil may press on purpose, by the name the
// miss box gives them.
struct NamedControl {
    int code;
    QStringView name;
};

constexpr std::array<NamedControl, 4> kNamedControls{{
    {ui::kBackSpaceCode, u"BackSpace"},
    {ui::kTabCode, u"Tab"},
    {ui::kEnterCode, u"Enter"},
    {ui::kEscapeCode, u"Esc"},
}};

const NamedControl* NamedControlOf(int code) {
    for (const NamedControl& control : kNamedControls) {
        if (control.code == code) {
            return &control;
        }
    }
    return nullptr;
}

// The character of a code as a miss box shows it: a control character by its name, or by
// its code point when it has none.
QString ShownCharacter(int code) {
    if (!formats::IsControlCode(code)) {
        return formats::CharacterOf(code);
    }
    if (const NamedControl* control = NamedControlOf(code)) {
        return control->name.toString();
    }
    return QStringLiteral("U+%1").arg(code, 4, 16, QChar(u'0')).toUpper();
}

bool IsLowerCaseLetter(int code) {
    return code >= 'a' && code <= 'z';
}

bool DirectlyMatches(PressedKey key, QChar head) {
    if (key.IsFunctionKey()) {
        return key.kind == PressedKey::Kind::F7 && head == kF7Mark;
    }
    const int code = key.code;
    if (code == kCaretCode) {
        return false;
    }
    if (code == head.unicode()) {
        return true;
    }
    // A lower-case letter stands for its capital; no other character is shifted.
    if (IsLowerCaseLetter(code) && code - 32 == head.unicode()) {
        return true;
    }
    return (code == ui::kBackSpaceCode && head == kBackSpaceMark) ||
           (code == kSpaceCode && head == u' ') || (code == ui::kEnterCode && head == kEnterMark);
}

// One pair of romanisations of the same kana: typing the first letter of either spelling
// where the queue holds the other rewrites the queue to the spelling being typed.
struct SpellingPair {
    QStringView stored;
    QStringView typed;
    bool onlyAfterS;  // the pair starts after an S already typed (SY and SH)
};

constexpr std::array<SpellingPair, 8> kSpellingPairs{{
    {u"TY", u"CH", false},
    {u"CH", u"TY", false},
    {u"Y", u"H", true},
    {u"H", u"Y", true},
    {u"ZI", u"JI", false},
    {u"JI", u"ZI", false},
    {u"HU", u"FU", false},
    {u"FU", u"HU", false},
}};

bool IsLetter(PressedKey key, QChar upperCase) {
    return !key.IsFunctionKey() &&
           (key.code == upperCase.unicode() || key.code == upperCase.toLower().unicode());
}

bool LastKeyWasS(std::uint8_t lastKey) {
    return lastKey == 'S' || lastKey == 's';
}

bool TryAlternativeSpelling(JudgeState state, PressedKey key) {
    for (const SpellingPair& pair : kSpellingPairs) {
        if (!IsLetter(key, pair.typed[0]) || !state.romajiQueue.startsWith(pair.stored)) {
            continue;
        }
        if (pair.onlyAfterS && !LastKeyWasS(state.lastKey)) {
            continue;
        }
        state.romajiQueue.replace(0, pair.stored.size(), pair.typed.toString());
        return true;
    }
    return false;
}

}  // namespace

PressedKey PressedKey::FunctionKey(int number) {
    static constexpr std::array kinds{Kind::F7, Kind::F8, Kind::F9, Kind::F10};
    const int slot = number - 7;
    if (slot < 0 || slot >= static_cast<int>(kinds.size())) {
        return Character(0);
    }
    return {kinds[static_cast<std::size_t>(slot)], kFirstFunctionKeyNumber + slot};
}

int PressedKey::FunctionKeyNumber() const {
    return IsFunctionKey() ? code - kFirstFunctionKeyNumber + 7 : 0;
}

QString ExpectedKeyName(const QString& head) {
    if (head == QString(kEnterMark)) {
        return QStringLiteral("Enterキー");
    }
    if (head == QStringLiteral(" ")) {
        return QStringLiteral("スペースキー");
    }
    if (head == QString(kBackSpaceMark)) {
        return QStringLiteral("BackSpaceキー");
    }
    if (head == QString(kF7Mark)) {
        return QStringLiteral("F7キー");
    }
    if (head.size() == 1 && formats::IsControlCode(head[0].unicode())) {
        return ShownCharacter(head[0].unicode());
    }
    return head;
}

QString TypedKeyName(PressedKey key) {
    if (key.IsFunctionKey()) {
        return QStringLiteral("F") + QString::number(key.FunctionKeyNumber());
    }
    return ShownCharacter(key.code);
}

Judgement JudgeKeyAgainstQueue(JudgeState state, PressedKey key) {
    const QString head = state.romajiQueue.left(1);
    if (!head.isEmpty() && DirectlyMatches(key, head[0])) {
        // An accepted character is the head, or a letter of the head: it fits in 8 bits.
        state.lastKey = static_cast<std::uint8_t>(key.code & 0xFF);
        return {Verdict::Direct, {}, {}};
    }
    if (TryAlternativeSpelling(state, key)) {
        return {Verdict::Alternative, {}, {}};
    }
    if (state.missCount < std::numeric_limits<std::uint8_t>::max()) {
        ++state.missCount;
    }
    return {Verdict::Miss, ExpectedKeyName(head) + QStringLiteral("です"),
            TypedKeyName(key) + QStringLiteral("ではありません")};
}

}  // namespace board
