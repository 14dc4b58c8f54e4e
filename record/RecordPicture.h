#pragma once
// The picture of the last run, painted bar by bar: each kana's time as a bar over the kana,
// the bars of kana with misses in red under their count, and the pace of the chosen speed
// as a line across.
#include "program/SessionRecord.h"
#include "services/Colour.h"
#include "services/Geometry.h"
#include "services/Painter.h"

namespace record {

inline constexpr colour::BgrColour kBarColour = 0x00800000;     // navy
inline constexpr colour::BgrColour kMissedColour = 0x000000DC;  // red
inline constexpr colour::BgrColour kPaceColour = 0x00008CFF;    // orange

void PaintRun(ui::Painter& painter, const session::RunEntry& run, geometry::Size size);

}  // namespace record
