#include "services/KeyboardHandOver.h"

namespace ui {

// The window system routes the keys itself: nothing is held back.
void DeliverPendingActivation() {}

}  // namespace ui
