#include "services/Text.h"

#include <cstdint>

namespace text {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendCodePoint(Text& text, char32_t point) {
    if (point < 0x10000) {
        text += static_cast<char16_t>(point);
        return;
    }
    point -= 0x10000;
    text += static_cast<char16_t>(0xD800 + (point >> 10));
    text += static_cast<char16_t>(0xDC00 + (point & 0x3FF));
}

void AppendUtf8(std::string& out, char32_t point) {
    const auto byte = [&out](char32_t value) { out += static_cast<char>(value); };
    if (point < 0x80) {
        byte(point);
    } else if (point < 0x800) {
        byte(0xC0 | (point >> 6));
        byte(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        byte(0xE0 | (point >> 12));
        byte(0x80 | ((point >> 6) & 0x3F));
        byte(0x80 | (point & 0x3F));
    } else {
        byte(0xF0 | (point >> 18));
        byte(0x80 | ((point >> 12) & 0x3F));
        byte(0x80 | ((point >> 6) & 0x3F));
        byte(0x80 | (point & 0x3F));
    }
}

// The length of a UTF-8 sequence from its first byte; 0 for a byte no sequence starts with.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead < 0xE0) {
        return 2;
    }
    if (lead >= 0xE0 && lead < 0xF0) {
        return 3;
    }
    if (lead >= 0xF0 && lead < 0xF5) {
        return 4;
    }
    return 0;
}

}  // namespace

Text FromLatin1(std::string_view latin1) {
    Text text;
    text.reserve(latin1.size());
    for (const char letter : latin1) {
        text += static_cast<char16_t>(static_cast<unsigned char>(letter));
    }
    return text;
}

Text FromUtf8(std::string_view utf8) {
    Text text;
    std::size_t at = 0;
    while (at < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        const std::size_t length = SequenceLength(lead);
        if (length == 0 || at + length > utf8.size()) {
            AppendCodePoint(text, kReplacement);
            ++at;
            continue;
        }
        char32_t point = length == 1 ? lead : lead & (0x7F >> length);
        bool whole = true;
        for (std::size_t i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(utf8[at + i]);
            whole = whole && (next & 0xC0) == 0x80;
            point = (point << 6) | (next & 0x3F);
        }
        const bool overlong = (length == 3 && point < 0x800) || (length == 4 && point < 0x10000);
        const bool surrogate = point >= 0xD800 && point <= 0xDFFF;
        if (!whole || overlong || surrogate || point > 0x10FFFF) {
            AppendCodePoint(text, kReplacement);
            ++at;
            continue;
        }
        AppendCodePoint(text, point);
        at += length;
    }
    return text;
}

std::string ToUtf8(TextView text) {
    std::string out;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char16_t unit = text[at];
        const bool high = unit >= 0xD800 && unit < 0xDC00;
        const bool lowNext =
            at + 1 < text.size() && text[at + 1] >= 0xDC00 && text[at + 1] < 0xE000;
        if (high && lowNext) {
            AppendUtf8(out, 0x10000 + ((char32_t{unit} - 0xD800) << 10) +
                                (char32_t{text[at + 1]} - 0xDC00));
            ++at;
        } else if (unit >= 0xD800 && unit < 0xE000) {
            AppendUtf8(out, kReplacement);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

Text Number(long long value) {
    return FromLatin1(std::to_string(value));
}

bool Contains(TextView text, char16_t unit) {
    return text.find(unit) != TextView::npos;
}

bool Contains(TextView text, TextView part) {
    return text.find(part) != TextView::npos;
}

TextList Split(TextView text, char16_t separator) {
    TextList parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != TextView::npos;
         at = text.find(separator, start)) {
        parts.emplace_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.emplace_back(text.substr(start));
    return parts;
}

Text Join(const TextList& parts, TextView separator) {
    Text joined;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            joined += separator;
        }
        joined += parts[i];
    }
    return joined;
}

}  // namespace text
