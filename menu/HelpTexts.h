#pragma once
// The fixed texts of the help menu and the development credit.
#include "services/Text.h"

namespace help {

enum class Topic { Clear, Space, Left, Ent, Indicator, Color, Developper };

// The lines of a help text, in order.
text::TextList HelpLines(Topic topic);

// The lines joined by a carriage return alone, as the help box shows them.
text::Text HelpPrompt(Topic topic);

}  // namespace help
