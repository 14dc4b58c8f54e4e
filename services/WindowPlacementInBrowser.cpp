// In the browser the page is the screen and nothing places the windows: a window the
// program left unplaced goes to the middle of the page's width, its title bar a little below
// the page's top, so that a window placed below it (the practice board) fits under it.
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "services/WindowPlacement.h"

namespace ui {

namespace {
constexpr int kMarginPixels = 8;
}

void PlaceWindowOnFirstShow(QWidget& window) {
    if (window.testAttribute(Qt::WA_Moved) || window.screen() == nullptr) {
        return;  // the program placed it
    }
    const QRect page = window.screen()->availableGeometry();
    const QRect frame = window.frameGeometry();
    window.move(page.left() + std::max(0, (page.width() - frame.width()) / 2),
                page.top() + kMarginPixels);
}

}  // namespace ui
