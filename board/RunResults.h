#pragma once
// The result of a finished run: its speed, the verdict, the texts of the result box and
// the best speed kept on the lesson button.
#include <optional>

#include "services/Text.h"

namespace board {

struct RunResult {
    double runSpeed = 0;    // units × 600 ÷ ticks, characters per minute
    double shownSpeed = 0;  // the run speed rounded down to one decimal
    bool cleared = false;   // at most 10 misses and at least the target speed
};

inline constexpr int kMaxMissesToClear = 10;

// Ticks below 1 are counted as 1: a text typed before the first tick still gets a speed.
RunResult JudgeRun(int typedCount, int ticks, int missCount, int targetSpeed);

text::Text ClearedPrompt(double shownSpeed);
text::Text NotClearedPrompt(double shownSpeed, int missCount);

// The lesson button's new caption when `shownSpeed` beats the number its caption starts
// with; nothing when it does not.
std::optional<text::Text> ImprovedBestCaption(text::TextView caption, double shownSpeed);

// Whether a cleared lesson also reveals the button two ahead: only for the first twelve
// lessons, and only when the next button is already showing.
bool JumpsAhead(int lessonIndex, bool nextButtonVisible);

}  // namespace board
