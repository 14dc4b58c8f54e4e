#pragma once
// The program's icon: purple kana on a yellow ground, 32 × 32, drawn in code.
#include <QIcon>
#include <QImage>

namespace ui {

QImage DrawProgramIcon(int size);
QIcon ProgramIcon();

}  // namespace ui
