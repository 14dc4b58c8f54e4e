#include "services/PageKeys.h"

#include "services/Formats.h"

namespace ui {

namespace {

std::optional<int> FunctionKeyCode(text::TextView key) {
    if (key.size() < 2 || key.size() > 3 || key[0] != u'F') {
        return std::nullopt;
    }
    int number = 0;
    for (const char16_t digit : key.substr(1)) {
        if (digit < u'0' || digit > u'9') {
            return std::nullopt;
        }
        number = number * 10 + (digit - u'0');
    }
    if (number < 1 || number > kKeyCodeF12 - kKeyCodeF1 + 1 || key[1] == u'0') {
        return std::nullopt;
    }
    return kKeyCodeF1 + number - 1;
}

std::optional<int> ControlKeyCode(text::TextView key) {
    if (key == u"Enter") {
        return kEnterCode;
    }
    if (key == u"Backspace") {
        return kBackSpaceCode;
    }
    if (key == u"Tab") {
        return kTabCode;
    }
    if (key == u"Escape" || key == u"Esc") {
        return kEscapeCode;
    }
    return std::nullopt;
}

// One character: one code unit, or the two halves of one beyond the first plane.
bool IsOneCharacter(text::TextView key) {
    if (key.size() == 1) {
        return key[0] < 0xD800 || key[0] > 0xDFFF;
    }
    return key.size() == 2 && key[0] >= 0xD800 && key[0] <= 0xDBFF && key[1] >= 0xDC00 &&
           key[1] <= 0xDFFF;
}

}  // namespace

WindowKey PageKeyOf(text::TextView key, bool withCtrlAltOrMeta) {
    if (withCtrlAltOrMeta) {
        return {};
    }
    if (const std::optional<int> code = FunctionKeyCode(key)) {
        return {code, std::nullopt};
    }
    if (const std::optional<int> code = ControlKeyCode(key)) {
        return {std::nullopt, code};
    }
    if (!IsOneCharacter(key)) {
        return {};
    }
    const int code = formats::CodeOf(key);
    if (formats::IsControlCode(code)) {
        return {};
    }
    return {std::nullopt, code};
}

}  // namespace ui
