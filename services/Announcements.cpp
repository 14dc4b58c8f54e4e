#include "services/Announcements.h"

#include "services/LiveRegions.h"
#include "services/QtMessageBoxes.h"

namespace ui {

void AnnounceWindowShown(const QString& title) {
    TellLiveRegion(title, Urgency::Polite);
}

// A box takes the keyboard until it is answered, so the pupil hears it at once, as a
// screen reader reads an alert on the desktop: its title, then the lines it shows.
void AnnounceBox(const QString& title, const QString& prompt) {
    TellLiveRegion(title + u'\n' + DisplayedPrompt(prompt), Urgency::Assertive);
}

void AnnounceNextToType(const QString& description) {
    TellLiveRegion(description, Urgency::Polite);
}

}  // namespace ui
