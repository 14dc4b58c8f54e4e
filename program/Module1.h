#pragma once
// The program-wide variables that carry a run between the menu window and the practice
// board. They live only while the program runs; nothing is saved.
#include <cstdint>

#include "guide/MissTally.h"
#include "program/SessionRecord.h"
#include "services/Text.h"

namespace Module1 {

// The kana of the current run, one character per cell of the board.
inline text::Text PracticeText;
// The romaji keys still to type, consumed from the left; "=" marks the end of the text.
inline text::Text RomajiQueue;
// The lesson button that started the current or last run.
inline std::int16_t LessonIndex = 0;
// Whether the run on the board is a drill of the weak keys, which no lesson button records.
inline bool DrillOnBoard = false;
// True (-1) from the end of a cleared run until the board is next activated; 0 is false.
inline std::int16_t ClearedFlag = 0;
// Characters per minute: the pace of the indicator and the speed a run must reach.
inline std::uint8_t TargetSpeed = 60;
// The session's misses by the key that was due, for the weak keys and the guide's tints.
inline guide::MissTally WeakKeys;
// Whether 「ローマ字の案内」 is on: the board shows the romaji under the kana. Off at start.
inline bool RomajiGuideOn = false;
// The session's finished runs and the times of their kana and keys, for 「成績」.
inline session::SessionRecord Record;

}  // namespace Module1
