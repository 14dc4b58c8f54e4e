#pragma once
// Where an announcement goes (Announcements.h decides which there are). In the browser the
// page holds two live regions, a polite one and an assertive one, that screen readers
// follow (LiveRegionsInBrowser.cpp); on the desktop a screen reader hears the same through
// the windows' accessibility, their titles, the boxes' alerts and the board's descriptions,
// and nothing more is sent (LiveRegionsOnDesktop.cpp).
#include "services/Text.h"

namespace ui {

enum class Urgency {
    Polite,     // heard once the screen reader has finished what it is saying
    Assertive,  // heard at once
};

void TellLiveRegion(text::TextView text, Urgency urgency);

}  // namespace ui
