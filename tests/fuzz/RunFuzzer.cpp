// Arbitrary keys, key events, function keys, clock ticks and right-clicks against the real
// lessons, judged and consumed as the practice board does (board::JudgeKeyAgainstQueue, then
// board::ConsumeAcceptedKey for an accepted key), with the run's invariants checked after
// every event. A broken invariant stops the fuzzer with a message and a trap.
//
// Input: byte 0 picks the first lesson (byte mod 20) and the target speed (the speed menu's
// item (byte ÷ 20) mod 5). Then events, each a tag byte (mod 16) and the bytes it needs:
//   0-4, 15      the right key for the head of the queue, as the pupil types it
//   5            the right key as stored (a capital letter)
//   6            a letter of the other spellings (C H T Y J Z F S X L N Q K '), 1 byte:
//                the letter (byte mod 14), in upper case when bit 7 is set
//   7            a character code of 1 byte: ASCII, control codes, Latin-1
//   8            a character code of 2 bytes: kana, CJK, surrogates
//   9            a character code of 3 bytes, signed: negative codes, codes beyond Unicode
//   10           a kana code point, 0x3040 + 1 byte
//   11           a function key, 1 byte: F7 to F10, or any number when the byte is ≥ 128
//   12           the clock runs on, 2 bytes: that many ticks, held at 32,767 as the board's
//   13           a right-click: the run is given up without a result
//   14           a key event as the window system delivers it, 3 bytes: the key (an entry
//                of kEventKeys), the modifiers held (bits: Shift, Ctrl, Alt, Meta, keypad)
//                and the text (one character of that code, none for 255); the window's
//                key events (ui::WindowKeyOf) give the board what it judges
// No miss box's prompt or title may hold a control character. A key is accepted exactly when
// some spelling of the unit in the table (lessons::SpellingsOfUnit) continues what was typed
// of it, or, before anything of a unit is typed, of the unit before; a unit is completed
// exactly when what was typed of it is one of its spellings.
// When a run ends (the end of the text or a right-click) the next lesson starts, with the
// last accepted key kept, as on the board.
#include <QtCore/qnamespace.h>
#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>

#include "board/KeyJudge.h"
#include "board/QueueAdvance.h"
#include "board/RunResults.h"
#include "lessons/LessonCatalogue.h"
#include "lessons/RomajiSpellings.h"
#include "lessons/RunBuilder.h"
#include "menu/IndicatorSpeeds.h"
#include "services/Formats.h"
#include "services/WindowKeys.h"

namespace {

constexpr int kLessonCount = static_cast<int>(lessons::kLessonCount);
constexpr int kMaxTicks = std::numeric_limits<std::int16_t>::max();
constexpr int kMaxMisses = std::numeric_limits<std::uint8_t>::max();

constexpr int kEnterCode = 13;
constexpr int kBackSpaceCode = 8;
constexpr int kSpaceCode = 32;
constexpr int kFirstKanaCode = 0x3040;
constexpr int kTabCode = 9;
constexpr int kEscapeCode = 27;
constexpr int kFirstFunctionKeyCode = ui::kKeyCodeF1 + 6;  // F7
constexpr std::uint8_t kNoText = 255;

// The keys of a key event: those that type a character, the named control keys, the editing
// and navigation keys, modifiers alone and function keys; 0 is a key the window system
// does not know, as an input method may deliver. Five entries a row, numbered as the seeds
// of make-corpus.sh pick them.
// clang-format off
constexpr std::array<int, 40> kEventKeys{
    /*  0 */ 0,              Qt::Key_Escape,  Qt::Key_Tab,    Qt::Key_Backtab,  Qt::Key_Backspace,
    /*  5 */ Qt::Key_Return, Qt::Key_Enter,   Qt::Key_Insert, Qt::Key_Delete,   Qt::Key_Pause,
    /* 10 */ Qt::Key_Print,  Qt::Key_Home,    Qt::Key_End,    Qt::Key_Left,     Qt::Key_Up,
    /* 15 */ Qt::Key_Right,  Qt::Key_Down,    Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Clear,
    /* 20 */ Qt::Key_Shift,  Qt::Key_Control, Qt::Key_Alt,    Qt::Key_Meta,     Qt::Key_Menu,
    /* 25 */ Qt::Key_F1,     Qt::Key_F6,      Qt::Key_F7,     Qt::Key_F8,       Qt::Key_F9,
    /* 30 */ Qt::Key_F10,    Qt::Key_F11,     Qt::Key_Space,  Qt::Key_A,        Qt::Key_C,
    /* 35 */ Qt::Key_H,      Qt::Key_T,       Qt::Key_1,      Qt::Key_Exclam,   Qt::Key_AsciiTilde,
};
// clang-format on

// The letters of the units' other spellings: SHI, CHI, TSU, FU, JI, ZYU, CA, QU, NN, N', XN,
// XTU, LTU and the doubled K.
constexpr std::array<char, 14> kSpellingLetters{'c', 'h', 't', 'y', 'j', 'z', 'f',
                                                's', 'x', 'l', 'n', 'q', 'k', '\''};

enum class Event {
    RightKey,
    RightKeyAsStored,
    SpellingLetter,
    OneByteCode,
    TwoByteCode,
    ThreeByteCode,
    KanaCode,
    FunctionKey,
    Ticks,
    RightClick,
    KeyEvent,
};

Event EventOfTag(std::uint8_t tag) {
    switch (tag % 16) {
        case 5:
            return Event::RightKeyAsStored;
        case 6:
            return Event::SpellingLetter;
        case 7:
            return Event::OneByteCode;
        case 8:
            return Event::TwoByteCode;
        case 9:
            return Event::ThreeByteCode;
        case 10:
            return Event::KanaCode;
        case 11:
            return Event::FunctionKey;
        case 12:
            return Event::Ticks;
        case 13:
            return Event::RightClick;
        case 14:
            return Event::KeyEvent;
        default:
            return Event::RightKey;
    }
}

class ByteReader {
  public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Next(std::uint8_t& byte) {
        if (position_ >= size_) {
            return false;
        }
        byte = data_[position_++];
        return true;
    }

    // `count` bytes, big-endian; nothing when the input ends first.
    std::optional<std::uint32_t> Number(int count) {
        std::uint32_t value = 0;
        for (int index = 0; index < count; ++index) {
            std::uint8_t byte = 0;
            if (!Next(byte)) {
                return std::nullopt;
            }
            value = (value << 8U) | byte;
        }
        return value;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// One run, with the board's counters of the same types.
struct Run {
    int lesson = 0;
    text::Text text;
    text::Text queue;
    text::Text trail;
    std::int16_t typedCount = 0;
    std::uint8_t missCount = 0;
    std::int16_t ticks = 0;
    int missesJudged = 0;
    int endings = 0;
    board::SpellingProgress spelling;  // the judge's own record, as the board keeps it
    // The fuzzer's record of the same: the units as the lesson stores them and the keys
    // typed of each, found from the table alone.
    text::TextList storedUnits;
    text::TextList typedUnits;
    int swappedAfterS = -1;  // the unit whose Y or H was swapped after an S
};

// What the program keeps from run to run: the speed menu's choice, the board's last
// accepted key and the lesson buttons' captions.
struct ProgramState {
    int targetSpeed = 60;
    std::uint8_t lastKey = 0;
    std::array<text::Text, lessons::kLessonCount> captions;  // the lesson buttons' captions
};

[[noreturn]] void Fail(const Run& run, const char* broken) {
    std::fprintf(stderr,
                 "run fuzzer: %s\n  lesson %d, queue \"%s\", trail \"%s\", typed %d, misses %d, "
                 "ticks %d\n",
                 broken, run.lesson, text::ToUtf8(run.queue).c_str(),
                 text::ToUtf8(run.trail).c_str(), static_cast<int>(run.typedCount),
                 static_cast<int>(run.missCount), static_cast<int>(run.ticks));
    std::fflush(stderr);
    __builtin_trap();
}

void Check(bool holds, const Run& run, const char* broken) {
    if (!holds) {
        Fail(run, broken);
    }
}

int Count(text::TextView text, char16_t unit) {
    return static_cast<int>(std::count(text.begin(), text.end(), unit));
}

// A to Z for a to z; any other code as it is.
char16_t UpperCase(int code) {
    const bool small = code >= 'a' && code <= 'z';
    return static_cast<char16_t>(small ? code - 'a' + 'A' : code);
}

int TextLength(const Run& run) {
    return static_cast<int>(run.text.size());
}

Run StartRun(int lesson) {
    Run run;
    run.lesson = lesson;
    const std::optional<lessons::BuiltRun> built = lessons::BuildRun(lesson);
    Check(built.has_value(), run, "a lesson button of the catalogue builds no run");
    run.text = built->practiceText;
    run.queue = built->romajiQueue;
    run.storedUnits =
        text::Split(text::TextView(run.queue).substr(0, run.queue.size() - 1), board::kUnitEnd);
    std::erase_if(run.storedUnits, [](const text::Text& unit) { return unit.empty(); });
    run.typedUnits = text::TextList(run.storedUnits.size());
    return run;
}

// Checked after every event while the run is in progress.
void CheckRunInProgress(const Run& run) {
    const int cells = TextLength(run);
    Check(run.endings == 0, run, "an ended run is still being typed");
    Check(run.typedCount >= 0 && run.typedCount <= cells, run,
          "the typed count is outside the cells");
    Check(Count(run.queue, board::kUnitEnd) == cells - run.typedCount, run,
          "the queue does not hold one \"_\" per remaining cell");
    Check(run.queue.ends_with(board::kTextEnd) && Count(run.queue, board::kTextEnd) == 1, run,
          "the queue does not end with its one \"=\"");
    Check(run.queue[0] != board::kUnitEnd && run.queue[0] != board::kTextEnd, run,
          "the head of the queue is a mark that is never typed");
    Check(run.trail.size() <= board::kTrailLength, run, "the trail holds more than three keys");
    Check(std::all_of(run.trail.cbegin(), run.trail.cend(),
                      [](char16_t key) { return key >= u'A' && key <= u'Z'; }),
          run, "the trail holds something other than A to Z");
    Check(run.missCount == std::min(run.missesJudged, kMaxMisses), run,
          "the miss count is not the number of misses held at 255");
    Check(run.ticks >= 0 && run.ticks <= kMaxTicks, run, "the ticks left their range");
}

void CheckResultTexts(const Run& run, double shownSpeed) {
    const text::Text cleared = board::ClearedPrompt(shownSpeed);
    const text::Text notCleared = board::NotClearedPrompt(shownSpeed, run.missCount);
    for (const text::Text& prompt : {cleared, notCleared}) {
        Check(text::Contains(prompt, u'\r') && !text::Contains(prompt, u'\n'), run,
              "a result prompt does not separate its lines with \"\\r\" alone");
        Check(prompt.starts_with(formats::PlainNumber(shownSpeed) + u"打／分\r"), run,
              "a result prompt does not start with the shown speed");
    }
    Check(cleared.ends_with(u"\r合格圏内"), run, "the cleared prompt does not end with 合格圏内");
    Check(notCleared.ends_with(u"\rミス" + text::Number(run.missCount) + u"回"), run,
          "the prompt of a run not cleared does not end with the misses");
}

// A cleared run writes its speed on the lesson button when it beats the caption; the
// caption it writes must read back as that speed, or the next run would "beat" it again.
void RecordBest(ProgramState& program, const Run& run, double shownSpeed) {
    text::Text& caption = program.captions[static_cast<std::size_t>(run.lesson)];
    const std::optional<text::Text> best = board::ImprovedBestCaption(caption, shownSpeed);
    if (best) {
        Check(formats::LeadingNumber(*best) == shownSpeed, run,
              "the best caption does not read back as the shown speed");
        caption = *best;
    }
    Check(!board::ImprovedBestCaption(caption, shownSpeed).has_value(), run,
          "the same speed beats the best caption it has just written");
}

void CheckResult(ProgramState& program, const Run& run) {
    const board::RunResult result =
        board::JudgeRun(run.typedCount, run.ticks, run.missCount, program.targetSpeed);
    Check(std::isfinite(result.runSpeed) && std::isfinite(result.shownSpeed), run,
          "a speed is not finite");
    Check(result.shownSpeed >= 0 && result.shownSpeed <= result.runSpeed, run,
          "the shown speed is not the run speed rounded down");
    Check(result.runSpeed - result.shownSpeed < 0.1, run,
          "the shown speed is more than a tenth below the run speed");
    const long long units = run.typedCount;
    const long long ticks = std::max<long long>(run.ticks, 1);
    const bool clears = run.missCount <= board::kMaxMissesToClear &&
                        units * 600 >= static_cast<long long>(program.targetSpeed) * ticks;
    Check(result.cleared == clears, run, "the run is not cleared exactly when it should be");
    CheckResultTexts(run, result.shownSpeed);
    if (result.cleared) {
        RecordBest(program, run, result.shownSpeed);
    }
}

// The end of the text: the run is over, once, with every cell typed.
void EndOfText(ProgramState& program, Run& run) {
    Check(run.endings == 0, run, "a run ended a second time");
    ++run.endings;
    Check(run.queue.empty(), run, "the queue is not empty at the end of the text");
    Check(run.typedCount == TextLength(run), run, "the text ended before its last cell");
    Check(run.trail.empty(), run, "the trail was not cleared at the end of the text");

    // Whatever comes after, an ended run cannot end again: its queue is empty, no key is
    // accepted and consuming leaves it as it is.
    text::Text queue = run.queue;
    std::uint8_t lastKey = program.lastKey;
    std::uint8_t misses = run.missCount;
    std::int16_t typed = run.typedCount;
    text::Text trail;
    board::SpellingProgress spelling = run.spelling;
    const board::Judgement judgement = board::JudgeKeyAgainstQueue(
        {queue, lastKey, misses, spelling}, board::PressedKey::Character(kEnterCode));
    Check(judgement.verdict == board::Verdict::Miss, run, "an ended run accepts a key");
    Check(!board::ConsumeAcceptedKey({queue, typed, trail}, TextLength(run)).textEnded, run,
          "an ended run ends again");

    CheckResult(program, run);
}

bool HoldsAControlCharacter(text::TextView shown) {
    return std::any_of(shown.cbegin(), shown.cend(),
                       [](char16_t unit) { return formats::IsControlCode(unit); });
}

void CheckJudgement(const Run& run, const Run& before, board::PressedKey key,
                    const board::Judgement& judgement) {
    switch (judgement.verdict) {
        case board::Verdict::Miss:
            Check(run.queue == before.queue, run, "a miss changed the queue");
            Check(!HoldsAControlCharacter(judgement.missPrompt), run,
                  "a miss prompt holds a control character");
            Check(!HoldsAControlCharacter(judgement.missTitle), run,
                  "a miss title holds a control character");
            Check(judgement.missPrompt.ends_with(u"です"), run,
                  "a miss prompt does not end with です");
            Check(judgement.missTitle.ends_with(u"ではありません"), run,
                  "a miss title does not end with ではありません");
            break;
        case board::Verdict::Direct:
            Check(run.queue == before.queue, run, "a key taken as it is changed the queue");
            Check(run.missCount == before.missCount, run, "an accepted key counted a miss");
            break;
        case board::Verdict::Alternative: {
            Check(run.queue.substr(run.queue.find(board::kUnitEnd)) ==
                      before.queue.substr(before.queue.find(board::kUnitEnd)),
                  run, "another spelling respelled more than the unit at the head");
            Check(!key.IsFunctionKey() && run.queue[0] == UpperCase(key.code), run,
                  "an alternative spelling does not put the typed letter at the head");
            Check(run.missCount == before.missCount, run, "an accepted key counted a miss");
            break;
        }
    }
}

// The character a key gives a spelling: a letter in upper case, any other printable ASCII
// character but the "^" of the BackSpace mark as it is; nothing for other keys.
std::optional<char16_t> SpellingCharacterOf(board::PressedKey key) {
    if (key.IsFunctionKey() || key.code < 32 || key.code > 126 || key.code == '^') {
        return std::nullopt;
    }
    return UpperCase(key.code);
}

// The spellings of a unit by the table; a unit whose Y or H was swapped after an S is
// spelled as swapped.
text::TextList SpellingsFor(const Run& run, int unit) {
    const auto index = static_cast<std::size_t>(unit);
    text::Text stored = run.storedUnits[index];
    if (unit == run.swappedAfterS) {
        stored[0] = stored[0] == u'Y' ? u'H' : u'Y';
        return {stored};
    }
    const text::Text next =
        index + 1 < run.storedUnits.size() ? run.storedUnits[index + 1] : text::Text();
    return lessons::SpellingsOfUnit(stored, next);
}

bool SomeSpellingBegins(const Run& run, int unit, const text::Text& typed) {
    const text::TextList spellings = SpellingsFor(run, unit);
    return std::any_of(spellings.cbegin(), spellings.cend(), [&typed](const text::Text& spelling) {
        return spelling.starts_with(typed);
    });
}

// Which unit a key continues, by the table alone: the unit at the head, or the unit before
// it while nothing of this one is typed; -1 when the key continues no spelling.
int UnitTheKeyContinues(const Run& run, const ProgramState& program, board::PressedKey key) {
    const std::optional<char16_t> typed = SpellingCharacterOf(key);
    const int unit = run.typedCount;
    if (!typed || unit >= static_cast<int>(run.storedUnits.size())) {
        return -1;
    }
    const text::Text& sofar = run.typedUnits[static_cast<std::size_t>(unit)];
    if (SomeSpellingBegins(run, unit, sofar + *typed)) {
        return unit;
    }
    // SH and SY after an S: the S may come before the unit, even in the run before.
    const bool afterS = program.lastKey == 'S' || program.lastKey == 's';
    const char16_t head = run.queue[0];
    if (afterS && ((head == u'Y' && *typed == u'H') || (head == u'H' && *typed == u'Y'))) {
        return unit;
    }
    if (sofar.empty() && unit > 0 &&
        SomeSpellingBegins(run, unit - 1,
                           run.typedUnits[static_cast<std::size_t>(unit - 1)] + *typed)) {
        return unit - 1;
    }
    return -1;
}

// The judge against the table: the key is accepted exactly when it continues a spelling, and
// the unit is completed exactly when its keys are one of its spellings.
void CheckAgainstTheTable(Run& run, const Run& before, int unit, board::PressedKey key) {
    Check(unit >= 0, run, "a key that continues no spelling of the table was accepted");
    text::Text& typed = run.typedUnits[static_cast<std::size_t>(unit)];
    typed += *SpellingCharacterOf(key);
    const bool completed = run.typedCount != before.typedCount;
    if (unit < before.typedCount) {
        Check(!completed, run, "a key that lengthens the unit before completed another");
        return;
    }
    // A key that begins no spelling of the table was the swap after an S: from then on the
    // unit is spelled as swapped.
    if (!SomeSpellingBegins(run, unit, typed)) {
        run.swappedAfterS = unit;
    }
    const text::TextList spellings = SpellingsFor(run, unit);
    Check(completed == (std::find(spellings.begin(), spellings.end(), typed) != spellings.end()),
          run, "a unit was completed other than exactly when its keys were one of its spellings");
}

// One key, as the board's JudgeKey and AdvanceQueue compose the judge and the advance.
void PressKey(ProgramState& program, Run& run, board::PressedKey key) {
    const Run before = run;
    const int unit = UnitTheKeyContinues(run, program, key);
    const board::Judgement judgement =
        board::JudgeKeyAgainstQueue({run.queue, program.lastKey, run.missCount, run.spelling}, key);
    if (judgement.verdict == board::Verdict::Miss) {
        ++run.missesJudged;
    }
    CheckJudgement(run, before, key, judgement);
    if (judgement.verdict == board::Verdict::Miss) {
        Check(unit < 0, run, "a key that continues a spelling of the table was a miss");
        return;
    }
    const board::AdvanceStep step =
        board::ConsumeAcceptedKey({run.queue, run.typedCount, run.trail}, TextLength(run));
    CheckAgainstTheTable(run, before, unit, key);
    if (step.textEnded) {
        EndOfText(program, run);
        return;
    }
    Check(step.nextCell == run.typedCount % TextLength(run), run,
          "the next cell is not the cell of the next unit");
}

// The key the pupil presses for the head of the queue.
board::PressedKey RightKeyFor(const Run& run, bool asStored) {
    const char16_t head = run.queue[0];
    if (head == board::kEnterMark) {
        return board::PressedKey::Character(kEnterCode);
    }
    if (head == board::kBackSpaceMark) {
        return board::PressedKey::Character(kBackSpaceCode);
    }
    if (head == board::kF7Mark) {
        return board::PressedKey::FunctionKey(7);
    }
    if (head == u' ') {
        return board::PressedKey::Character(kSpaceCode);
    }
    const bool capital = head >= u'A' && head <= u'Z';
    return board::PressedKey::Character(asStored || !capital ? head : head - u'A' + u'a');
}

int SignedThreeBytes(std::uint32_t value) {
    const int number = static_cast<int>(value);
    return (value & 0x800000U) != 0 ? number - 0x1000000 : number;
}

board::PressedKey FunctionKeyOf(std::uint8_t byte) {
    // The board passes F7 to F10 only; other numbers check the judge's own guard.
    const int number = byte < 128 ? 7 + byte % 4 : static_cast<int>(static_cast<std::int8_t>(byte));
    return board::PressedKey::FunctionKey(number);
}

// How many bytes follow the tag of an event.
int OperandBytes(Event event) {
    switch (event) {
        case Event::SpellingLetter:
        case Event::OneByteCode:
        case Event::KanaCode:
        case Event::FunctionKey:
            return 1;
        case Event::TwoByteCode:
        case Event::Ticks:
            return 2;
        case Event::ThreeByteCode:
        case Event::KeyEvent:
            return 3;
        case Event::RightKey:
        case Event::RightKeyAsStored:
        case Event::RightClick:
            break;
    }
    return 0;
}

// The key of a key event and its operand.
board::PressedKey KeyOf(Event event, std::uint32_t operand, const Run& run) {
    switch (event) {
        case Event::RightKeyAsStored:
            return RightKeyFor(run, true);
        case Event::SpellingLetter: {
            const int letter = kSpellingLetters[operand % kSpellingLetters.size()];
            const bool upper = (operand & 0x80U) != 0 && letter >= 'a' && letter <= 'z';
            return board::PressedKey::Character(upper ? letter - 32 : letter);
        }
        case Event::OneByteCode:
        case Event::TwoByteCode:
            return board::PressedKey::Character(static_cast<int>(operand));
        case Event::ThreeByteCode:
            return board::PressedKey::Character(SignedThreeBytes(operand));
        case Event::KanaCode:
            return board::PressedKey::Character(kFirstKanaCode + static_cast<int>(operand));
        case Event::FunctionKey:
            return FunctionKeyOf(static_cast<std::uint8_t>(operand));
        case Event::RightKey:
        case Event::Ticks:
        case Event::RightClick:
        case Event::KeyEvent:
            break;
    }
    return RightKeyFor(run, false);
}

bool IsEditingOrNavigationKey(int qtKey) {
    return qtKey == Qt::Key_Insert || qtKey == Qt::Key_Delete || qtKey == Qt::Key_Home ||
           qtKey == Qt::Key_End || qtKey == Qt::Key_PageUp || qtKey == Qt::Key_PageDown ||
           qtKey == Qt::Key_Left || qtKey == Qt::Key_Right || qtKey == Qt::Key_Up ||
           qtKey == Qt::Key_Down;
}

// A key event through the board's gate, checked against what the board must judge of it;
// a judged key is then pressed.
void PressKeyEvent(ProgramState& program, Run& run, std::uint32_t operand) {
    const int qtKey = kEventKeys[(operand >> 16U) % kEventKeys.size()];
    const std::uint32_t bits = (operand >> 8U) & 0xFFU;
    Qt::KeyboardModifiers modifiers;
    modifiers.setFlag(Qt::ShiftModifier, (bits & 1U) != 0);
    modifiers.setFlag(Qt::ControlModifier, (bits & 2U) != 0);
    modifiers.setFlag(Qt::AltModifier, (bits & 4U) != 0);
    modifiers.setFlag(Qt::MetaModifier, (bits & 8U) != 0);
    modifiers.setFlag(Qt::KeypadModifier, (bits & 16U) != 0);
    const auto textByte = static_cast<std::uint8_t>(operand & 0xFFU);
    const QString text = textByte == kNoText ? QString() : QString(QChar(textByte));

    const ui::WindowKey key = ui::WindowKeyOf(qtKey, modifiers, text);
    const bool chord =
        modifiers.testAnyFlags(Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (chord || IsEditingOrNavigationKey(qtKey)) {
        Check(!key.keyDownCode && !key.keyPressCode, run,
              "a chord with Ctrl, Alt or Meta, or an editing key, gives a key event");
        return;
    }
    Check(!(key.keyDownCode && key.keyPressCode), run, "one key gives two key events");
    if (qtKey >= Qt::Key_F7 && qtKey <= Qt::Key_F10) {
        Check(key.keyDownCode == kFirstFunctionKeyCode + (qtKey - Qt::Key_F7), run,
              "F7 to F10 do not come down as themselves");
    } else if (qtKey == Qt::Key_Escape || qtKey == Qt::Key_Tab || qtKey == Qt::Key_Backtab) {
        Check(key.keyPressCode == (qtKey == Qt::Key_Escape ? kEscapeCode : kTabCode), run,
              "Escape or Tab does not type its code");
    }
    if (key.keyDownCode) {
        // The board judges F7 to F10 as keys of their own and no other key that types nothing.
        const int number = 7 + *key.keyDownCode - kFirstFunctionKeyCode;
        if (number >= 7 && number <= 10) {
            PressKey(program, run, board::PressedKey::FunctionKey(number));
        }
        return;
    }
    if (!key.keyPressCode) {
        return;
    }
    const int code = *key.keyPressCode;
    const bool namedControl =
        code == kBackSpaceCode || code == kTabCode || code == kEnterCode || code == kEscapeCode;
    Check(namedControl || !HoldsAControlCharacter(formats::CharacterOf(code)), run,
          "a control character that no named key types is judged");
    PressKey(program, run, board::PressedKey::Character(code));
}

ProgramState StartProgram(std::uint8_t firstByte) {
    ProgramState program;
    program.targetSpeed =
        speed_menu::kIndicatorSpeeds[static_cast<std::size_t>(firstByte / kLessonCount % 5)];
    for (int index = 0; index < kLessonCount; ++index) {
        program.captions[static_cast<std::size_t>(index)] = text::Number(index + 1) + u"ページ";
    }
    return program;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteReader input(data, size);
    std::uint8_t firstByte = 0;
    if (!input.Next(firstByte)) {
        return 0;
    }
    ProgramState program = StartProgram(firstByte);
    Run run = StartRun(firstByte % kLessonCount);
    CheckRunInProgress(run);

    std::uint8_t tag = 0;
    while (input.Next(tag)) {
        const Event event = EventOfTag(tag);
        const std::optional<std::uint32_t> operand = input.Number(OperandBytes(event));
        if (!operand) {
            break;  // the input ends inside the event
        }
        if (event == Event::Ticks) {
            run.ticks = static_cast<std::int16_t>(std::min<std::uint32_t>(
                static_cast<std::uint32_t>(run.ticks) + *operand, kMaxTicks));
        } else if (event == Event::RightClick) {
            // Given up: no result, nothing recorded; the pupil picks the next lesson.
            Check(run.endings == 0, run, "a run was given up after it had ended");
            ++run.endings;
            run = StartRun((run.lesson + 1) % kLessonCount);
        } else {
            if (event == Event::KeyEvent) {
                PressKeyEvent(program, run, *operand);
            } else {
                PressKey(program, run, KeyOf(event, *operand, run));
            }
            if (run.endings != 0) {
                run = StartRun((run.lesson + 1) % kLessonCount);
            }
        }
        CheckRunInProgress(run);
    }
    return 0;
}
