#pragma once
// Judging one key against the head of the key queue. Plain functions over the run's
// state, so tests and the fuzzer can drive them without a window.
#include <cstdint>

#include "lessons/KeyQueue.h"
#include "services/Text.h"

namespace board {

// A key as the board receives it: a character code from a key press (Enter 13,
// BackSpace 8, Space 32, printable characters by their code), or one of the function
// keys F7 to F10, which are keys of their own and never letters.
struct PressedKey {
    enum class Kind { Character, F7, F8, F9, F10 };
    Kind kind = Kind::Character;
    int code = 0;  // the character's code; for a function key its key number 118 to 121

    static PressedKey Character(int characterCode) { return {Kind::Character, characterCode}; }
    static PressedKey FunctionKey(int number);  // 7 to 10
    bool IsFunctionKey() const { return kind != Kind::Character; }
    int FunctionKeyNumber() const;  // 7 to 10 for a function key, 0 for a character
};

// The key queue's marks, and the names of the keys a miss box gives, are the lessons' own.
using lessons::ExpectedKeyName;
using lessons::kBackSpaceMark;
using lessons::kEnterMark;
using lessons::kF7Mark;
using lessons::kTextEnd;
using lessons::kUnitEnd;

enum class Verdict {
    Direct,       // the key is the head itself
    Alternative,  // another spelling of the unit: the queue was respelled to the key typed
    Miss,
};

struct Judgement {
    Verdict verdict = Verdict::Miss;
    text::Text missPrompt;  // for a miss: what was expected, then "です"
    text::Text missTitle;   // for a miss: the key typed, then "ではありません"
};

// How far the pupil has spelled the units around the head of the queue; empty at the
// start of a run.
struct SpellingProgress {
    text::Text unitTyped;  // the keys typed so far of the unit at the head of the queue
    // While none of that unit is typed: the spelling the unit before it was completed with,
    // and the keys typed past its end toward a longer spelling (the second N of NN).
    text::Text lastUnit;
    text::Text lastUnitLonger;
    // The spelling each unit of the run was completed with, in order; a longer spelling's
    // keys typed past the end (the second N of NN) are counted into the last.
    text::TextList unitsDone;
};

// The state the judge reads and writes.
struct JudgeState {
    text::Text& romajiQueue;
    std::uint8_t& lastKey;    // code of the last key accepted by the direct test
    std::uint8_t& missCount;  // held at 255
    SpellingProgress& spelling;
};

// Judges `key`: the direct test, then the other spellings of the unit (which respell the
// queue), then a miss, which is counted. An accepted key leaves the queue with the key at
// its head, ready to be consumed.
Judgement JudgeKeyAgainstQueue(JudgeState state, PressedKey key);

// How the miss box's title names the key typed: the function keys as F7 to F10, Enter,
// BackSpace, Tab and Escape as "Enter", "BackSpace", "Tab" and "Esc", any other control
// character by its code point ("U+007F"), every other key by its character. Neither name
// ever holds a control character.
text::Text TypedKeyName(PressedKey key);

}  // namespace board
