#include "board/QueueAdvance.h"

#include <limits>

#include "board/KeyJudge.h"

namespace board {

namespace {

void AddToTrail(QString& trail, QChar key) {
    if (key < u'A' || key > u'Z') {
        return;  // space, digits and marks never show on the trail
    }
    trail += key;
    if (trail.size() > kTrailLength) {
        trail = trail.right(kTrailLength);
    }
}

}  // namespace

AdvanceStep ConsumeAcceptedKey(AdvanceState state, int textLength) {
    QString& queue = state.romajiQueue;
    if (queue.isEmpty()) {
        return {};
    }
    AddToTrail(state.trail, queue[0]);
    queue.remove(0, 1);

    if (queue.startsWith(kUnitEnd)) {
        if (state.typedCount < std::numeric_limits<std::int16_t>::max()) {
            ++state.typedCount;
        }
        queue.remove(0, 1);
    }
    if (queue.startsWith(kTextEnd)) {
        queue.remove(0, 1);
        state.trail.clear();
        return {true, 0};
    }
    const int cell = textLength > 0 ? state.typedCount % textLength : 0;
    return {false, cell};
}

}  // namespace board
