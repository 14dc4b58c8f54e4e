#pragma once
// The five indicator speeds of the speed menu, in menu order.
#include <array>
#include <cstdint>

namespace speed_menu {

inline constexpr std::array<std::uint8_t, 5> kIndicatorSpeeds{60, 90, 120, 150, 180};
inline constexpr std::uint8_t kStartSpeed = 60;

// The menu position of a speed, or -1 when the menu has no such item.
int SpeedItemIndex(int speed);

}  // namespace speed_menu
