// Colour conversion is constexpr in the header; the system colours are resolved against
// the widget palette by the user-interface services (Controls.cpp).
#include "services/Colour.h"
