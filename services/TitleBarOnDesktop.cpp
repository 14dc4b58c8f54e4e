#include "services/TitleBar.h"

namespace ui {

// A desktop title bar may hold, beside the title, the window's icon and three buttons, with
// padding between them and the frame around: openbox's default title bar takes 7.6 heights of
// Qt's title bar font on Debian (measured: 106 pixels beside a 108-pixel title), Windows'
// fewer. Nine leave room for a larger title face.
int TitleBarRoomInFontHeights() {
    return 9;
}

}  // namespace ui
