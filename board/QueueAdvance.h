#pragma once
// Consuming one accepted key from the key queue: the key trail, the unit count and the
// end of the text.
#include <cstdint>

#include "services/Text.h"

namespace board {

inline constexpr int kTrailLength = 3;

struct AdvanceState {
    text::Text& romajiQueue;
    std::int16_t& typedCount;
    text::Text& trail;  // the last letters typed, oldest first
};

struct AdvanceStep {
    bool textEnded = false;  // the end mark was met and removed: the run is over
    int nextCell = 0;        // the cell of the next character to type (0 once ended)
};

// Removes the key at the head of the queue, which the judge has just accepted. A letter
// joins the trail; a "_" behind it completes a unit; an "=" behind that ends the text.
// An empty queue is left as it is.
AdvanceStep ConsumeAcceptedKey(AdvanceState state, int textLength);

}  // namespace board
