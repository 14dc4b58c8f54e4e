#include "guide/GuidePlacement.h"

namespace guide {

using geometry::Point;
using geometry::Rect;

Point GuidePlace(const Rect& boardFrame, const geometry::Size& guideFrame, const Rect& screen) {
    const Point below{boardFrame.left, boardFrame.Bottom()};
    const auto fits = [&](Point place) { return screen.Contains(Rect::At(place, guideFrame)); };
    if (screen.IsEmpty() || fits(below)) {
        return below;
    }
    const Point beside{boardFrame.Right(), boardFrame.top};
    return fits(beside) ? beside : below;
}

}  // namespace guide
