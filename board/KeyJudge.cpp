#include "board/KeyJudge.h"

#include <array>
#include <limits>
#include <optional>

#include "lessons/KeyQueue.h"
#include "lessons/RomajiSpellings.h"
#include "services/KeyCodes.h"

namespace board {

using text::Text;
using text::TextView;

namespace {

constexpr int kSpaceCode = 32;
constexpr int kCaretCode = 94;  // "^" is the BackSpace mark, never a key of its own
constexpr int kFirstFunctionKeyNumber = 118;

bool IsLowerCaseLetter(int code) {
    return code >= 'a' && code <= 'z';
}

bool DirectlyMatches(PressedKey key, char16_t head) {
    if (key.IsFunctionKey()) {
        return key.kind == PressedKey::Kind::F7 && head == kF7Mark;
    }
    const int code = key.code;
    if (code == kCaretCode) {
        return false;
    }
    if (code == head) {
        return true;
    }
    // A lower-case letter stands for its capital; no other character is shifted.
    if (IsLowerCaseLetter(code) && code - 32 == head) {
        return true;
    }
    return (code == ui::kBackSpaceCode && head == kBackSpaceMark) ||
           (code == kSpaceCode && head == u' ') || (code == ui::kEnterCode && head == kEnterMark);
}

// The letter a key gives a spelling, in upper case: a to z, A to Z and the apostrophe of N'.
std::optional<char16_t> SpellingLetterOf(PressedKey key) {
    if (key.IsFunctionKey()) {
        return std::nullopt;
    }
    if (IsLowerCaseLetter(key.code)) {
        return static_cast<char16_t>(key.code - 32);
    }
    if ((key.code >= 'A' && key.code <= 'Z') || key.code == '\'') {
        return static_cast<char16_t>(key.code);
    }
    return std::nullopt;
}

// The unit at the head of the queue, up to its "_", and the unit after it.
struct UnitsAtHead {
    TextView current;
    TextView next;
};

UnitsAtHead UnitsAt(TextView queue) {
    const std::size_t end = queue.find(kUnitEnd);
    if (end == TextView::npos) {
        return {};
    }
    const std::size_t nextEnd = queue.find(kUnitEnd, end + 1);
    return {queue.substr(0, end),
            nextEnd == TextView::npos ? TextView() : queue.substr(end + 1, nextEnd - end - 1)};
}

// The key accepted at the head of the queue joins the unit; the unit's last key hands the
// spelling on to the unit after it.
void NoteTyped(JudgeState state, char16_t typed) {
    SpellingProgress& spelling = state.spelling;
    spelling.unitTyped += typed;
    spelling.lastUnit.clear();
    spelling.lastUnitLonger.clear();
    if (state.romajiQueue.size() > 1 && state.romajiQueue[1] == kUnitEnd) {
        spelling.lastUnit = spelling.unitTyped;
        spelling.unitsDone.push_back(spelling.unitTyped);
        spelling.unitTyped.clear();
    }
}

// What is typed of the unit and this letter begin another of its spellings: the rest of the
// unit becomes the rest of that spelling (SHI for SI once S is in, CH for TY, XTU for っ).
bool RespellUnit(JudgeState state, char16_t letter) {
    const UnitsAtHead units = UnitsAt(state.romajiQueue);
    if (units.current.empty()) {
        return false;
    }
    const Text& typed = state.spelling.unitTyped;
    const Text whole = typed + Text(units.current);
    const std::optional<Text> spelling =
        lessons::SpellingBeginningWith(whole, units.next, typed + letter);
    if (!spelling) {
        return false;
    }
    state.romajiQueue.replace(0, units.current.size(), spelling->substr(typed.size()));
    NoteTyped(state, letter);
    return true;
}

// A spelling that goes on past the unit's end (the second N of NN, the Y of JYU) is typed
// before anything of the next unit: the key is taken into the unit already completed.
bool LengthenLastUnit(JudgeState state, char16_t letter) {
    SpellingProgress& spelling = state.spelling;
    if (spelling.lastUnit.empty() || !spelling.unitTyped.empty()) {
        return false;
    }
    const UnitsAtHead units = UnitsAt(state.romajiQueue);
    const Text longer = spelling.lastUnit + spelling.lastUnitLonger + letter;
    if (!lessons::SpellingBeginningWith(spelling.lastUnit, units.current, longer)) {
        return false;
    }
    state.romajiQueue.insert(state.romajiQueue.begin(), letter);
    spelling.lastUnitLonger += letter;
    if (!spelling.unitsDone.empty()) {
        spelling.unitsDone.back() += letter;
    }
    return true;
}

// SH and SY after an S: the S may have been typed before this unit, even in the run before,
// so the last key accepted as typed decides.
bool SwapAfterS(JudgeState state, char16_t letter) {
    const bool afterS = state.lastKey == 'S' || state.lastKey == 's';
    const char16_t head = state.romajiQueue.empty() ? u'\0' : state.romajiQueue[0];
    const bool swaps = (head == u'Y' && letter == u'H') || (head == u'H' && letter == u'Y');
    if (!afterS || !swaps) {
        return false;
    }
    state.romajiQueue[0] = letter;
    NoteTyped(state, letter);
    return true;
}

bool TryOtherSpelling(JudgeState state, PressedKey key) {
    const std::optional<char16_t> letter = SpellingLetterOf(key);
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

Text TypedKeyName(PressedKey key) {
    if (key.IsFunctionKey()) {
        Text name = u"F";
        name += text::Number(key.FunctionKeyNumber());
        return name;
    }
    return lessons::CharacterName(key.code);
}

Judgement JudgeKeyAgainstQueue(JudgeState state, PressedKey key) {
    const Text head = state.romajiQueue.substr(0, 1);
    if (!head.empty() && DirectlyMatches(key, head[0])) {
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
    return {Verdict::Miss, ExpectedKeyName(head) + u"です", TypedKeyName(key) + u"ではありません"};
}

}  // namespace board
