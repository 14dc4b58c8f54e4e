#include "board/IndicatorArithmetic.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "services/Formats.h"

namespace board {

namespace {

double PassTicks(int textLength, int targetSpeed) {
    return static_cast<double>(static_cast<float>(textLength) *
                               PaceFor(targetSpeed).ticksPerCharacter);
}

}  // namespace

Pace PaceFor(int targetSpeed) {
    switch (targetSpeed) {
        case 60:
            return {10.0f, 0.1f};
        case 90:
            return {6.667f, 0.15f};
        case 120:
            return {5.0f, 0.2f};
        case 150:
            return {4.0f, 0.25f};
        case 180:
            return {3.333f, 0.3f};
        default: {
            const float speed = static_cast<float>(std::max(targetSpeed, 1));
            return {600.0f / speed, speed / 600.0f};
        }
    }
}

long long PassLength(int textLength, int targetSpeed) {
    // Halves round to even, as the remainder below rounds its divisor.
    return static_cast<long long>(std::nearbyint(PassTicks(textLength, targetSpeed)));
}

int TicksAfterTimerTick(int ticks, long long elapsedTenths) {
    constexpr long long kMaxTicks = std::numeric_limits<std::int16_t>::max();
    return static_cast<int>(std::min(std::max<long long>(ticks + 1LL, elapsedTenths), kMaxTicks));
}

int TicksAtRunEnd(int ticks, long long elapsedTenths) {
    constexpr long long kMaxTicks = std::numeric_limits<std::int16_t>::max();
    return static_cast<int>(std::min(std::max<long long>(ticks, elapsedTenths), kMaxTicks));
}

int HeightAfterSkippedTicks(int previousTicks, int ticks, int textLength, int targetSpeed,
                            int heightTwips) {
    const long long pass = PassLength(textLength, targetSpeed);
    if (pass <= 0) {
        return heightTwips;
    }
    // The passes begun after `previousTicks` and before `ticks`; the tick itself thickens the
    // bar when it begins one.
    const long long begun = (ticks - 1) / pass - previousTicks / pass;
    for (long long count = 0; count < begun && heightTwips < kBarThickenBelow; ++count) {
        heightTwips += kBarHeightStep;
    }
    return heightTwips;
}

double ReachableSpeed(int textLength, int ticks) {
    return static_cast<double>(textLength) * 1800.0 / static_cast<double>(std::max(ticks, 1));
}

IndicatorFrame IndicatorOnTick(int ticks, int textLength, int targetSpeed, int boardWidthTwips,
                               int barHeightTwips) {
    IndicatorFrame frame;
    frame.heightTwips = barHeightTwips;
    if (textLength <= 0) {
        return frame;
    }
    const Pace pace = PaceFor(targetSpeed);
    frame.position =
        static_cast<float>(formats::RoundedMod(ticks, PassTicks(textLength, targetSpeed))) *
        pace.charactersPerTick;

    // The bar thickens each time the indicator starts the text again, up to three rows.
    if (frame.position == 0.0f && barHeightTwips < kBarThickenBelow) {
        frame.heightTwips = barHeightTwips + kBarHeightStep;
    }
    frame.widthTwips = static_cast<int>(formats::RoundHalfAway(
        static_cast<double>(boardWidthTwips) * static_cast<double>(frame.position) / textLength));
    frame.caption = formats::FormatGrouped(ReachableSpeed(textLength, ticks));
    // target > length × 1800 ÷ ticks, in whole numbers so an exact tie stays navy.
    frame.timeUp = static_cast<long long>(targetSpeed) * std::max(ticks, 1) >
                   static_cast<long long>(textLength) * 1800;
    frame.announced = ticks % kTicksBetweenAnnouncements == 0;
    return frame;
}

}  // namespace board
