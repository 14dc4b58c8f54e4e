#pragma once
// Turns a lesson button's index into the two texts of a run.
#include <optional>

#include "services/Text.h"

namespace lessons {

struct BuiltRun {
    text::Text practiceText;  // kana, one per cell
    text::Text romajiQueue;   // key string followed by the end mark "="
};

// The run of lesson button `index`, or nothing for a button without a lesson.
std::optional<BuiltRun> BuildRun(int index);

// A doubled "NN" unit followed by a unit that begins with "A" loses its second N, so the
// student types ん before あ as a single N. Other units are left as they are.
text::Text ApplyDoubledNRule(text::TextView keyString);

}  // namespace lessons
