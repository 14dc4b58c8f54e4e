#pragma once
// The program's icon: purple kana on a yellow ground, 32 × 32, drawn in code.
#include <QIcon>
#include <QImage>

namespace ui {

QImage DrawProgramIcon(int size);
// The same icon for a home screen that masks it to its own shape (a web app's maskable icon).
QImage DrawMaskableProgramIcon(int size);
QIcon ProgramIcon();

}  // namespace ui
