#pragma once
// How wide a window must be for its title bar to show its whole title: the title in the
// title bar's font, and the room the window system takes beside it for its icon, its
// buttons and its frame, which each edition knows (TitleBarOnDesktop.cpp,
// TitleBarInBrowser.cpp).
#include <QString>

namespace ui {

// The client width from which the whole of `title` shows in the window's title bar.
int WidthShowingTitle(const QString& title);

// The room beside the title, in heights of the title bar's font.
int TitleBarRoomInFontHeights();

}  // namespace ui
