#include <QCoreApplication>

#include "services/KeyboardHandOver.h"

namespace ui {

// The pupil's own keys stay queued: only the activation and what the program has posted
// run now.
void DeliverPendingActivation() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace ui
