#pragma once
// The guide's keyboard, painted key by key: the finger's tint, the key due lit up (red once
// missed), Shift with it where the key needs it, the home keys' bumps, and beneath, the
// finger in words.
#include <optional>

#include "guide/KeyChart.h"
#include "services/Colour.h"
#include "services/Geometry.h"
#include "services/Painter.h"
#include "services/Text.h"

namespace guide {

class MissTally;

inline constexpr colour::BgrColour kDueColour = 0x00008CFF;     // orange
inline constexpr colour::BgrColour kMissedColour = 0x000000DC;  // red

struct KeyboardState {
    Layout layout = Layout::Jis;
    std::optional<Stroke> due;         // the key due, and Shift with it
    bool missed = false;               // the key due was missed: it is lit red
    text::Text line;                   // the line beneath
    const MissTally* tally = nullptr;  // the session's misses, which tint each key by its share
};

// The picture the drawing needs, in pixels.
geometry::Size KeyboardSize();

void PaintKeyboard(ui::Painter& painter, const KeyboardState& state);

}  // namespace guide
