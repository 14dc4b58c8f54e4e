#include "services/Announcements.h"

#include "services/LiveRegions.h"
#include "services/QtMessageBoxes.h"
#include "services/QtText.h"

namespace ui {

void AnnounceWindowShown(text::TextView title) {
    TellLiveRegion(ToQt(title), Urgency::Polite);
}

// A box takes the keyboard until it is answered, so the pupil hears it at once, as a
// screen reader reads an alert on the desktop: its title, then the lines it shows.
void AnnounceBox(text::TextView title, text::TextView prompt) {
    TellLiveRegion(ToQt(title) + u'\n' + DisplayedPrompt(ToQt(prompt)), Urgency::Assertive);
}

void AnnounceNextToType(text::TextView description) {
    TellLiveRegion(ToQt(description), Urgency::Polite);
}

text::Text LabelledValue(text::TextView label, text::TextView value) {
    return value.empty() ? text::Text(label) : text::Text(label) + u"：" + text::Text(value);
}

}  // namespace ui
