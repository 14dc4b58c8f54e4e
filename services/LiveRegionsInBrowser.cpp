// The browser edition's announcements: Qt draws both windows on one canvas and gives a
// screen reader nothing of them, so the page's live regions carry what the program says.
// The page hears each text as an event and writes it into the polite or the assertive region.
#include <emscripten/val.h>

#include "services/LiveRegions.h"

namespace ui {

void TellLiveRegion(text::TextView text, Urgency urgency) {
    if (text.empty()) {
        return;
    }
    using emscripten::val;
    val detail = val::object();
    detail.set("text", val(text::ToUtf8(text)));  // UTF-8, which embind decodes
    detail.set("assertive", urgency == Urgency::Assertive);
    val options = val::object();
    options.set("detail", detail);
    val::global("window").call<void>(
        "dispatchEvent", val::global("CustomEvent").new_(val("kunpu-typing-said"), options));
}

}  // namespace ui
