#pragma once
// The one clock every measure reads: CLOCK_MONOTONIC. The X server stamps its events with
// the same clock, in whole milliseconds that wrap round at 2^32.
#include <time.h>

#include <cmath>
#include <cstdint>

namespace bench {

// Milliseconds of CLOCK_MONOTONIC, with their fraction.
inline double MonotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1.0e6;
}

// How long before `monotonicMs` the X server time `serverMs` was, in milliseconds; negative
// when the server time is later. The server time wraps round every 2^32 ms.
inline double MsSinceServerTime(double monotonicMs, std::uint32_t serverMs) {
    constexpr double kWrap = 4294967296.0;
    double difference = std::fmod(monotonicMs, kWrap) - static_cast<double>(serverMs);
    if (difference > kWrap / 2) {
        difference -= kWrap;
    } else if (difference < -kWrap / 2) {
        difference += kWrap;
    }
    return difference;
}

}  // namespace bench
