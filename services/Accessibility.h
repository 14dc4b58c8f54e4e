#pragma once
// What screen readers hear of the program's widgets, beyond what Qt gives each kind of
// widget by itself.
#include <QAccessible>
#include <QString>

class QWidget;

namespace ui {

// `widget` reaches screen readers in `role`, keeping the name and description Qt gives it
// (a window is named by its title). The program's two windows are windows this way, and
// its decoration lines separators; message boxes keep Qt's role for them, an alert.
void SetAccessibleRole(QWidget& widget, QAccessible::Role role);

// What a screen reader calls `widget` and what it adds about it. A screen reader is told
// of a real change only, not of the same text set again.
void SetAccessibleName(QWidget& widget, const QString& name);
void SetAccessibleDescription(QWidget& widget, const QString& description);

}  // namespace ui
