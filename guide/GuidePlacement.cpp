#include "guide/GuidePlacement.h"

namespace guide {

QPoint GuidePlace(const QRect& boardFrame, const QSize& guideFrame, const QRect& screen) {
    const QPoint below(boardFrame.left(), boardFrame.top() + boardFrame.height());
    const auto fits = [&](QPoint place) { return screen.contains(QRect(place, guideFrame)); };
    if (screen.isEmpty() || fits(below)) {
        return below;
    }
    const QPoint beside(boardFrame.left() + boardFrame.width(), boardFrame.top());
    return fits(beside) ? beside : below;
}

}  // namespace guide
