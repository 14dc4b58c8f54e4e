#include "services/AppIcon.h"

#include <QPainter>
#include <QPainterPath>

#include "services/Fonts.h"

namespace ui {

namespace {

QImage DrawIcon(int size, int glyphSixteenths) {
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(QColor(0xFF, 0xE6, 0x00));  // yellow ground
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    // A brush-like kana: the glyph's outline stroked and filled in purple.
    QFont font = LessonFont(10, true);
    font.setPixelSize(size * glyphSixteenths / 16);
    QPainterPath glyph;
    glyph.addText(0, 0, font, QStringLiteral("か"));
    const QRectF bounds = glyph.boundingRect();
    glyph.translate(-bounds.center() + QPointF(size / 2.0, size / 2.0));
    const QColor purple(0x80, 0x20, 0xA0);
    painter.setPen(QPen(purple, size / 32.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(purple);
    painter.drawPath(glyph);
    return image;
}

}  // namespace

QImage DrawProgramIcon(int size) {
    return DrawIcon(size, 13);
}

// A home screen may cut the icon to a circle or any shape within the middle 80 %: the kana
// shrinks into that circle, and the yellow ground fills the rest.
QImage DrawMaskableProgramIcon(int size) {
    return DrawIcon(size, 9);
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        icon.addPixmap(QPixmap::fromImage(DrawProgramIcon(size)));
    }
    return icon;
}

}  // namespace ui
