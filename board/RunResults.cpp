#include "board/RunResults.h"

#include <algorithm>

#include "services/Formats.h"

namespace board {

RunResult JudgeRun(int typedCount, int ticks, int missCount, int targetSpeed) {
    const long long safeTicks = std::max(ticks, 1);
    const long long units = std::max(typedCount, 0);
    RunResult result;
    result.runSpeed = static_cast<double>(units * 600) / static_cast<double>(safeTicks);
    // Whole tenths by integer division: exactly the run speed rounded down to one decimal.
    result.shownSpeed = static_cast<double>(units * 6000 / safeTicks) / 10.0;
    // units × 600 ÷ ticks ≥ target, kept in whole numbers so an exact tie clears.
    result.cleared = missCount <= kMaxMissesToClear && units * 600 >= targetSpeed * safeTicks;
    return result;
}

text::Text ClearedPrompt(double shownSpeed) {
    return formats::PlainNumber(shownSpeed) + u"打／分\r合格圏内";
}

text::Text NotClearedPrompt(double shownSpeed, int missCount) {
    return formats::PlainNumber(shownSpeed) + u"打／分\rミス" + text::Number(missCount) + u"回";
}

std::optional<text::Text> ImprovedBestCaption(text::TextView caption, double shownSpeed) {
    if (formats::LeadingNumber(caption) < shownSpeed) {
        return formats::FormatOneDecimal(shownSpeed);
    }
    return std::nullopt;
}

bool JumpsAhead(int lessonIndex, bool nextButtonVisible) {
    return lessonIndex < 12 && nextButtonVisible;
}

}  // namespace board
