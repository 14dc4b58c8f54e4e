#include "services/TitleBar.h"

namespace ui {

// Qt draws the title bar in the page itself: the window's icon on the left and its close
// button on the right, each a square as high as the bar, take two font heights and a little.
int TitleBarRoomInFontHeights() {
    return 3;
}

}  // namespace ui
