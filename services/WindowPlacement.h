#pragma once
// Where a window goes when it is first shown and the program has not placed it. Each edition
// decides in its own way: on the desktop the window manager places it
// (WindowPlacementOnDesktop.cpp); in the browser nothing would, and Qt would leave its title
// bar above the page (WindowPlacementInBrowser.cpp).
class QWidget;

namespace ui {

void PlaceWindowOnFirstShow(QWidget& window);

}  // namespace ui
