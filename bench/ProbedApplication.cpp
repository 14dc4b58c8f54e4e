#include "ProbedApplication.h"

namespace bench {

ProbedApplication::ProbedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool ProbedApplication::notify(QObject* receiver, QEvent* event) {
    // Held in a local: a handler running a modal loop may change the observer meanwhile.
    EventObserver* observer = observer_;
    if (observer != nullptr) {
        observer->Before(receiver, event);
    }
    const bool handled = QApplication::notify(receiver, event);
    if (observer != nullptr && observer == observer_) {
        observer->After(receiver, event);
    }
    return handled;
}

}  // namespace bench
