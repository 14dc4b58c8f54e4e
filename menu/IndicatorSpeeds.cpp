#include "menu/IndicatorSpeeds.h"

namespace speed_menu {

int SpeedItemIndex(int speed) {
    for (std::size_t i = 0; i < kIndicatorSpeeds.size(); ++i) {
        if (kIndicatorSpeeds[i] == speed) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace speed_menu
