#pragma once
// The program's text and geometry as Qt holds them, and back: the Qt backend's edge.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include "services/Geometry.h"
#include "services/Text.h"

namespace ui {

inline QString ToQt(text::TextView text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline QStringList ToQt(const text::TextList& texts) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(texts.size()));
    for (const text::Text& each : texts) {
        list.append(ToQt(each));
    }
    return list;
}

inline text::Text FromQt(QStringView text) {
    return text::Text(reinterpret_cast<const char16_t*>(text.utf16()),
                      static_cast<std::size_t>(text.size()));
}

inline QRect ToQt(const geometry::Rect& rect) {
    return QRect(rect.left, rect.top, rect.width, rect.height);
}

inline geometry::Rect FromQt(const QRect& rect) {
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}

inline QPoint ToQt(geometry::Point point) {
    return QPoint(point.x, point.y);
}

inline geometry::Size FromQt(QSize size) {
    return {size.width(), size.height()};
}

}  // namespace ui
