#pragma once
// A window the program activates takes the keys from the very next one.

namespace ui {

// Delivers the window activations the window system still holds. In the browser, Qt hands
// each key to the window it activated last, and it activates a window only when its queue
// next runs: a key typed the moment a box closes would go to the box that is gone. On the
// desktop the window system itself sends each key to the window it activated.
void DeliverPendingActivation();

}  // namespace ui
