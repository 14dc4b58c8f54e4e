#pragma once
// The lesson font "ＭＳ Ｐゴシック". Where it is missing, IPAPGothic stands in, then any
// Japanese proportional gothic face.
#include <QFont>

namespace ui {

QFont LessonFont(double pointSize, bool bold);

}  // namespace ui
