#include "menu/SpeedColourBands.h"

namespace menu_colours {

std::optional<colour::BgrColour> ColourForSpeed(double speed) {
    for (const SpeedBand& band : SpeedColourBands) {
        if (band.from <= speed && speed <= band.to) {
            return band.backColor;
        }
    }
    return std::nullopt;
}

}  // namespace menu_colours
