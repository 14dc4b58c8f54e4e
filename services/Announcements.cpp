#include "services/Announcements.h"

#include "services/LiveRegions.h"
#include "services/MessageBoxes.h"

namespace ui {

void AnnounceWindowShown(text::TextView title) {
    TellLiveRegion(title, Urgency::Polite);
}

// A box takes the keyboard until it is answered, so the pupil hears it at once, as a
// screen reader reads an alert on the desktop: its title, then the lines it shows.
void AnnounceBox(text::TextView title, text::TextView prompt) {
    TellLiveRegion(text::Text(title) + u'\n' + DisplayedPrompt(prompt), Urgency::Assertive);
}

void AnnounceNextToType(text::TextView description) {
    TellLiveRegion(description, Urgency::Polite);
}

text::Text LabelledValue(text::TextView label, text::TextView value) {
    return value.empty() ? text::Text(label) : text::Text(label) + u"：" + text::Text(value);
}

}  // namespace ui
