#pragma once
// A colour as Qt's widgets draw it: 0x00BBGGRR as it is, and the system colours from the
// application's palette (7, menu text, is the window text colour; 14, highlighted text, the
// highlighted text colour).
#include <QColor>

#include "services/Colour.h"

namespace ui {

QColor ResolveColour(colour::BgrColour value);

}  // namespace ui
