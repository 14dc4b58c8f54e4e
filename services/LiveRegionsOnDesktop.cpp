// The desktop has no live regions: a screen reader follows the windows themselves, through
// Qt's accessibility (services/Accessibility.h).
#include "services/LiveRegions.h"

namespace ui {

void TellLiveRegion(text::TextView /*text*/, Urgency /*urgency*/) {}

}  // namespace ui
