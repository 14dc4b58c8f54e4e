#include "services/WindowPlacement.h"

namespace ui {

// The window manager places a window the program left unplaced.
void PlaceWindowOnFirstShow(QWidget& /*window*/) {}

}  // namespace ui
