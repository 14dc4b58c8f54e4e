#include "board/QueueAdvance.h"

#include <limits>

#include "board/KeyJudge.h"

namespace board {

namespace {

void AddToTrail(text::Text& trail, char16_t key) {
    if (key < u'A' || key > u'Z') {
        return;  // space, digits and marks never show on the trail
    }
    trail += key;
    if (trail.size() > kTrailLength) {
        trail.erase(0, trail.size() - kTrailLength);
    }
}

}  // namespace

AdvanceStep ConsumeAcceptedKey(AdvanceState state, int textLength) {
    text::Text& queue = state.romajiQueue;
    if (queue.empty()) {
        return {};
    }
    AddToTrail(state.trail, queue[0]);
    queue.erase(0, 1);

    if (queue.starts_with(kUnitEnd)) {
        if (state.typedCount < std::numeric_limits<std::int16_t>::max()) {
            ++state.typedCount;
        }
        queue.erase(0, 1);
    }
    if (queue.starts_with(kTextEnd)) {
        queue.erase(0, 1);
        state.trail.clear();
        return {true, 0};
    }
    const int cell = textLength > 0 ? state.typedCount % textLength : 0;
    return {false, cell};
}

}  // namespace board
