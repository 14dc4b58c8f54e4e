#pragma once
// The colour a lesson button takes from the best speed in its caption.
#include <optional>

#include "services/Colour.h"

namespace menu_colours {

struct SpeedBand {
    double from;  // both ends belong to the band; on a shared end the earlier row wins
    double to;
    colour::BgrColour backColor;
};

inline constexpr SpeedBand SpeedColourBands[] = {
    {60, 90, 0x008080FF},   {90, 120, 0x0080FFFF},  {120, 150, 0x00FF8080},
    {150, 180, 0x0080FF80}, {180, 210, 0x00FF00FF}, {210, 240, 0x000080FF},
    {240, 270, 0x00E0E0E0}, {270, 300, 0x0000FFFF}, {300, 500, 0x00FFFFFF},
};

// The colour of the first band that holds `speed`; nothing below 60 or above 500.
std::optional<colour::BgrColour> ColourForSpeed(double speed);

}  // namespace menu_colours
