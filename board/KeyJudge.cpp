#include "board/KeyJudge.h"

#include <QStringView>
#include <array>
#include <limits>
#include <optional>

#include "lessons/RomajiSpellings.h"
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

// The letter a key gives a spelling, in upper case: a to z, A to Z and the apostrophe of N'.
std::optional<QChar> SpellingLetterOf(PressedKey key) {
    if (key.IsFunctionKey()) {
        return std::nullopt;
    }
    if (IsLowerCaseLetter(key.code)) {
        return QChar(key.code - 32);
    }
    if ((key.code >= 'A' && key.code <= 'Z') || key.code == '\'') {
        return QChar(key.code);
    }
    return std::nullopt;
}

// The unit at the head of the queue, up to its "_", and the unit after it.
struct UnitsAtHead {
    QStringView current;
    QStringView next;
};

UnitsAtHead UnitsAt(const QString& queue) {
    const qsizetype end = queue.indexOf(kUnitEnd);
    if (end < 0) {
        return {};
    }
    const qsizetype nextEnd = queue.indexOf(kUnitEnd, end + 1);
    const QStringView rest = QStringView(queue).mid(end + 1);
    return {QStringView(queue).left(end),
            nextEnd < 0 ? QStringView() : rest.left(nextEnd - end - 1)};
}

// The key accepted at the head of the queue joins the unit; the unit's last key hands the
// spelling on to the unit after it.
void NoteTyped(JudgeState state, QChar typed) {
    SpellingProgress& spelling = state.spelling;
    spelling.unitTyped += typed;
    spelling.lastUnit.clear();
    spelling.lastUnitLonger.clear();
    if (state.romajiQueue.size() > 1 && state.romajiQueue[1] == kUnitEnd) {
        spelling.lastUnit = spelling.unitTyped;
        spelling.unitsDone.append(spelling.unitTyped);
        spelling.unitTyped.clear();
    }
}

// What is typed of the unit and this letter begin another of its spellings: the rest of the
// unit becomes the rest of that spelling (SHI for SI once S is in, CH for TY, XTU for っ).
bool RespellUnit(JudgeState state, QChar letter) {
    const UnitsAtHead units = UnitsAt(state.romajiQueue);
    if (units.current.isEmpty()) {
        return false;
    }
    const QString& typed = state.spelling.unitTyped;
    const QString whole = typed + units.current.toString();
    const std::optional<QString> spelling =
        lessons::SpellingBeginningWith(whole, units.next, typed + letter);
    if (!spelling) {
        return false;
    }
    state.romajiQueue.replace(0, units.current.size(), spelling->mid(typed.size()));
    NoteTyped(state, letter);
    return true;
}

// A spelling that goes on past the unit's end (the second N of NN, the Y of JYU) is typed
// before anything of the next unit: the key is taken into the unit already completed.
bool LengthenLastUnit(JudgeState state, QChar letter) {
    SpellingProgress& spelling = state.spelling;
    if (spelling.lastUnit.isEmpty() || !spelling.unitTyped.isEmpty()) {
        return false;
    }
    const UnitsAtHead units = UnitsAt(state.romajiQueue);
    const QString longer = spelling.lastUnit + spelling.lastUnitLonger + letter;
    if (!lessons::SpellingBeginningWith(spelling.lastUnit, units.current, longer)) {
        return false;
    }
    state.romajiQueue.insert(0, letter);
    spelling.lastUnitLonger += letter;
    if (!spelling.unitsDone.isEmpty()) {
        spelling.unitsDone.last() += letter;
    }
    return true;
}

// SH and SY after an S: the S may have been typed before this unit, even in the run before,
// so the last key accepted as typed decides.
bool SwapAfterS(JudgeState state, QChar letter) {
    const bool afterS = state.lastKey == 'S' || state.lastKey == 's';
    const QChar head = state.romajiQueue.isEmpty() ? QChar() : state.romajiQueue[0];
    const bool swaps = (head == u'Y' && letter == u'H') || (head == u'H' && letter == u'Y');
    if (!afterS || !swaps) {
        return false;
    }
    state.romajiQueue[0] = letter;
    NoteTyped(state, letter);
    return true;
}

bool TryOtherSpelling(JudgeState state, PressedKey key) {
    const std::optional<QChar> letter = SpellingLetterOf(key);
    return letter && (RespellUnit(state, *letter) || SwapAfterS(state, *letter) ||
                      LengthenLastUnit(state, *letter));
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
        NoteTyped(state, head[0]);
        return {Verdict::Direct, {}, {}};
    }
    if (TryOtherSpelling(state, key)) {
        return {Verdict::Alternative, {}, {}};
    }
    if (state.missCount < std::numeric_limits<std::uint8_t>::max()) {
        ++state.missCount;
    }
    return {Verdict::Miss, ExpectedKeyName(head) + QStringLiteral("です"),
            TypedKeyName(key) + QStringLiteral("ではありません")};
}

}  // namespace board
