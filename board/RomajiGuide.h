#pragma once
// The romaji guide under the kana: for each cell the letters of its unit, in the spelling
// being typed, the typed letters apart from those still to type. The stored spelling holds
// until the pupil takes another (C for TY, SHI for SI, NN, XTU), and then the pupil's own
// spelling holds for that unit alone. The board draws it and a screen reader hears it from
// this one computation.
#include <vector>

#include "board/KeyJudge.h"
#include "services/Colour.h"

namespace board {

struct RomajiCell {
    text::Text typed;   // the letters of the unit already typed
    text::Text toType;  // the letters still to type
};

// The typed letters' colour; those still to type keep the label's own.
inline constexpr colour::BgrColour kRomajiTypedColour = 0x00808080;

// A blank is typed with Space: the guide shows it as this mark.
inline constexpr char16_t kSpaceMark = u'␣';

// One cell for each unit of the run: the units completed (`spelling.unitsDone`), the unit at
// the head of `queue` (partly typed: `spelling.unitTyped`), and the units still in the queue,
// up to the end mark. A queue without units gives no cells.
std::vector<RomajiCell> RomajiGuideCells(text::TextView queue, const SpellingProgress& spelling);

// What a screen reader hears of the guide: the romaji still to type, a blank as 「スペース」
// between the letters around it.
text::Text RomajiStillToType(const std::vector<RomajiCell>& cells);

}  // namespace board
