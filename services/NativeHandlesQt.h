#pragma once
// The toolkit's objects behind the forms and controls, as the Qt backend has them: Qt's
// widgets, actions and timers. Only the backend and the tests touch them; the window logic
// holds them through the services and never learns their kind.
class QAction;
class QLabel;
class QTimer;
class QWidget;

namespace ui {

class LessonButton;

namespace native {
using Widget = QWidget;
using Label = QLabel;
using Button = LessonButton;
using Action = QAction;
using Timer = QTimer;
}  // namespace native

}  // namespace ui
