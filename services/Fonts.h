#pragma once
// The lesson font "ＭＳ Ｐゴシック". Where it is missing, another Japanese gothic face stands
// in: Meiryo or Yu Gothic on Windows without the Japanese fonts, IPAPGothic on Debian.
#include <QFont>

namespace ui {

QFont LessonFont(double pointSize, bool bold);

// Registers the font files an edition carries inside the program (the resource folder
// :/fonts/bundled), for systems without a Japanese face of their own, such as the browser.
// Returns how many faces were added; an edition that carries none adds none.
int LoadBundledFonts();

}  // namespace ui
