#pragma once
// The lesson font "ＭＳ Ｐゴシック". Where it is missing, another Japanese gothic face stands
// in: Meiryo or Yu Gothic on Windows without the Japanese fonts, IPAPGothic on Debian.
#include <QFont>

namespace ui {

QFont LessonFont(double pointSize, bool bold);

}  // namespace ui
