// What the controls do alike whichever backend shows them.
#include "services/Controls.h"

namespace ui {

void Control::OnDisplayChange(std::function<void()> changed) {
    displayChanged_ = std::move(changed);
}

void Control::DisplayChanged() const {
    if (displayChanged_) {
        displayChanged_();
    }
}

long long Timer::ElapsedIntervals() const {
    if (!Enabled() || Interval() <= 0) {
        return 0;
    }
    return ElapsedMilliseconds() / Interval();
}

long long Timer::ElapsedMilliseconds() const {
    if (!Enabled()) {
        return 0;
    }
    const auto elapsed = std::chrono::steady_clock::now() - enabledAt_;
    return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
}

}  // namespace ui
