#include "services/TitleBar.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>

namespace ui {

int WidthShowingTitle(const QString& title) {
    // Window managers draw titles bold, in a face no larger than Qt's title bar font.
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(title) + TitleBarRoomInFontHeights() * metrics.height();
}

}  // namespace ui
