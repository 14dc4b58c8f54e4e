#include "services/Formats.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>

namespace formats {

using text::Text;
using text::TextView;

namespace {

bool IsAsciiDigit(char16_t unit) {
    return unit >= u'0' && unit <= u'9';
}

// A number as printf writes it, with "." for the decimal point whatever the locale the
// toolkit chose (a German desktop's would write ",").
std::string Printed(const char* format, double value) {
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, format, value);
    const std::string_view printed(buffer, static_cast<std::size_t>(std::clamp(length, 0, 63)));
    const std::string_view point = std::localeconv()->decimal_point;
    const std::size_t at = point.empty() ? std::string_view::npos : printed.find(point);
    if (at == std::string_view::npos) {
        return std::string(printed);
    }
    std::string shown(printed.substr(0, at));
    shown += '.';
    shown += printed.substr(at + point.size());
    return shown;
}

}  // namespace

double LeadingNumber(TextView text) {
    std::size_t end = 0;
    while (end < text.size() && IsAsciiDigit(text[end])) {
        ++end;
    }
    if (end < text.size() && text[end] == u'.') {
        ++end;
        while (end < text.size() && IsAsciiDigit(text[end])) {
            ++end;
        }
    }
    // The digits as one whole number, then divided by the power of ten of the decimals: one
    // rounding each, so "64.6" reads as the double nearest 64.6.
    double digits = 0.0;
    int decimals = 0;
    bool afterPoint = false;
    for (const char16_t unit : text.substr(0, end)) {
        if (unit == u'.') {
            afterPoint = true;
            continue;
        }
        digits = digits * 10.0 + (unit - u'0');
        decimals += afterPoint ? 1 : 0;
    }
    return digits / std::pow(10.0, decimals);
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

Text PlainNumber(double value) {
    // Fifteen significant digits: more than any speed or count the program shows needs,
    // few enough to hide the binary noise of values such as 64.6; trailing zeros drop.
    std::string shown = Printed("%.15g", value);
    if (shown.find('e') != std::string::npos) {
        shown = Printed("%.6f", value);
        while (shown.ends_with('0')) {
            shown.pop_back();
        }
        if (shown.ends_with('.')) {
            shown.pop_back();
        }
    }
    return text::FromLatin1(shown);
}

Text FixedDecimals(double value, int decimals) {
    char format[16];
    std::snprintf(format, sizeof format, "%%.%df", std::clamp(decimals, 0, 15));
    return text::FromLatin1(Printed(format, value));
}

Text FormatOneDecimal(double value) {
    const double tenths = RoundHalfAway(value * 10.0);
    const bool negative = tenths < 0;
    const auto magnitude = static_cast<long long>(std::fabs(tenths));
    const long long whole = magnitude / 10;
    const long long decimal = magnitude % 10;
    Text shown = negative ? u"-" : Text();
    if (whole != 0) {
        shown += text::Number(whole);
    }
    shown += u'.';
    shown += text::Number(decimal);
    return shown;
}

Text FormatGrouped(double value) {
    const double rounded = RoundHalfAway(value);
    if (rounded == 0.0) {
        return Text();
    }
    const bool negative = rounded < 0;
    Text digits = text::Number(static_cast<long long>(std::fabs(rounded)));
    for (std::ptrdiff_t pos = static_cast<std::ptrdiff_t>(digits.size()) - 3; pos > 0; pos -= 3) {
        digits.insert(static_cast<std::size_t>(pos), 1, u',');
    }
    return negative ? u"-" + digits : digits;
}

Text CharacterOf(int code) {
    if (code < 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return Text();
    }
    if (code < 0x10000) {
        return Text(1, static_cast<char16_t>(code));
    }
    const int above = code - 0x10000;
    return {static_cast<char16_t>(0xD800 + (above >> 10)),
            static_cast<char16_t>(0xDC00 + (above & 0x3FF))};
}

int CodeOf(TextView text) {
    if (text.empty()) {
        return -1;
    }
    constexpr int kReplacement = 0xFFFD;  // a half of a pair alone
    const char16_t first = text[0];
    const bool pair = first >= 0xD800 && first < 0xDC00 && text.size() > 1 && text[1] >= 0xDC00 &&
                      text[1] < 0xE000;
    if (pair) {
        return 0x10000 + ((first - 0xD800) << 10) + (text[1] - 0xDC00);
    }
    return first >= 0xD800 && first < 0xE000 ? kReplacement : first;
}

bool IsControlCode(int code) {
    constexpr int kSpaceCode = 32;
    return (code >= 0 && code < kSpaceCode) || (code >= 0x7F && code <= 0x9F);
}

}  // namespace formats
