#pragma once
// The fixed texts of the help menu and the development credit.
#include <QString>
#include <QStringList>

namespace help {

enum class Topic { Clear, Space, Left, Ent, Indicator, Color, Developper };

// The lines of a help text, in order.
QStringList HelpLines(Topic topic);

// The lines joined by a carriage return alone, as the help box shows them.
QString HelpPrompt(Topic topic);

}  // namespace help
