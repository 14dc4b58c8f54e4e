#include "services/Formats.h"

#include <QList>
#include <cmath>

namespace formats {

double LeadingNumber(const QString& text) {
    qsizetype end = 0;
    while (end < text.size() && text[end].isDigit() && text[end].unicode() < 128) {
        ++end;
    }
    if (end < text.size() && text[end] == u'.') {
        ++end;
        while (end < text.size() && text[end].unicode() >= '0' && text[end].unicode() <= '9') {
            ++end;
        }
    }
    const QString number = text.left(end);
    if (number.isEmpty() || number == QStringLiteral(".")) {
        return 0.0;
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok ? value : 0.0;
}

double Int(double value) {
    return std::floor(value);
}

long long RoundedMod(double dividend, double divisor) {
    const auto a = static_cast<long long>(std::nearbyint(dividend));
    const auto b = static_cast<long long>(std::nearbyint(divisor));
    if (b == 0) {
        return 0;
    }
    return a % b;
}

double RoundHalfAway(double value) {
    return std::round(value);
}

QString PlainNumber(double value) {
    // Fifteen significant digits: more than any speed or count the program shows needs,
    // few enough to hide the binary noise of values such as 64.6; trailing zeros drop.
    QString text = QString::number(value, 'g', 15);
    if (!text.contains(u'e')) {
        return text;
    }
    text = QString::number(value, 'f', 6);
    while (text.endsWith(u'0')) {
        text.chop(1);
    }
    if (text.endsWith(u'.')) {
        text.chop(1);
    }
    return text;
}

QString FormatOneDecimal(double value) {
    const double tenths = RoundHalfAway(value * 10.0);
    const bool negative = tenths < 0;
    const auto magnitude = static_cast<long long>(std::fabs(tenths));
    const long long whole = magnitude / 10;
    const long long decimal = magnitude % 10;
    QString text = negative ? QStringLiteral("-") : QString();
    if (whole != 0) {
        text += QString::number(whole);
    }
    text += u'.';
    text += QString::number(decimal);
    return text;
}

QString FormatGrouped(double value) {
    const double rounded = RoundHalfAway(value);
    if (rounded == 0.0) {
        return QString();
    }
    const bool negative = rounded < 0;
    QString digits = QString::number(static_cast<long long>(std::fabs(rounded)));
    for (qsizetype pos = digits.size() - 3; pos > 0; pos -= 3) {
        digits.insert(pos, u',');
    }
    return negative ? QStringLiteral("-") + digits : digits;
}

QString CharacterOf(int code) {
    if (code < 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return QString();
    }
    const char32_t point = static_cast<char32_t>(code);
    return QString::fromUcs4(&point, 1);
}

int CodeOf(const QString& text) {
    if (text.isEmpty()) {
        return -1;
    }
    return static_cast<int>(text.toUcs4().value(0));
}

bool IsControlCode(int code) {
    constexpr int kSpaceCode = 32;
    return (code >= 0 && code < kSpaceCode) || (code >= 0x7F && code <= 0x9F);
}

}  // namespace formats
