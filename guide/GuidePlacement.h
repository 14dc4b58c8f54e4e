#pragma once
// Where the guide's window goes, from the board's frame, the guide's frame size and the
// screen: plain arithmetic on rectangles, in any one unit.
#include "services/Geometry.h"

namespace guide {

// Directly below the board, lined up with its left edge. Where the screen ends before the
// guide would, beside the board on its right, lined up with its top; where that does not fit
// either, below the board all the same: the guide never covers the board.
geometry::Point GuidePlace(const geometry::Rect& boardFrame, const geometry::Size& guideFrame,
                           const geometry::Rect& screen);

}  // namespace guide
