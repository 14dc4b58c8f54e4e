#pragma once
// The indicator bar: a typist who types the text at exactly the target speed. Each tick
// gives the bar's width, height, caption and colour from the elapsed ticks alone.
#include "services/Text.h"

namespace board {

struct Pace {
    float ticksPerCharacter;  // k
    float charactersPerTick;  // r
};

// The pace of the five speeds of the speed menu (60, 90, 120, 150 and 180 characters per
// minute); any other speed gets the pace it names.
Pace PaceFor(int targetSpeed);

// Ticks for one pass of the indicator over the text: length × k, rounded.
long long PassLength(int textLength, int targetSpeed);

inline constexpr int kBarStartHeight = 255;
inline constexpr int kBarHeightStep = 120;
inline constexpr int kBarThickenBelow = 475;

struct IndicatorFrame {
    float position = 0;  // characters the indicator has typed in its current pass
    int widthTwips = 0;
    int heightTwips = 0;
    text::Text caption;   // the reachable speed, "#,###"
    bool timeUp = false;  // the reachable speed has fallen below the target
    // Screen readers are told the reachable speed on this tick: once a second, since a
    // change of what they read ten times a second would drown everything else.
    bool announced = false;
};

inline constexpr int kTicksBetweenAnnouncements = 10;

// The run's time after a tick of its timer, in tenths of a second: one more, or the whole
// tenths the run's clock has measured when the timer came late (a busy program, a hidden or
// frozen page, where the browser wakes a page's timers once a second or not at all). Held
// at 32,767.
int TicksAfterTimerTick(int ticks, long long elapsedTenths);
// The run's time when its last key comes: the whole tenths the run's clock has measured, so
// a last key that beats a late tick brings the time since the tick before; never less than
// the ticks counted. Held at 32,767.
int TicksAtRunEnd(int ticks, long long elapsedTenths);

// The bar's height before the tick that brought the run from `previousTicks` to `ticks`:
// each pass the indicator began in between thickens it, as if each of its ticks had come.
int HeightAfterSkippedTicks(int previousTicks, int ticks, int textLength, int targetSpeed,
                            int heightTwips);

// The bar after the tick that brought the run to `ticks` (at least 1).
IndicatorFrame IndicatorOnTick(int ticks, int textLength, int targetSpeed, int boardWidthTwips,
                               int barHeightTwips);

// Three passes of the text over the elapsed time, in characters per minute.
double ReachableSpeed(int textLength, int ticks);

}  // namespace board
