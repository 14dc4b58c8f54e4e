#include "lessons/KeyQueue.h"

#include <array>

#include "services/Formats.h"
#include "services/KeyCodes.h"

namespace lessons {

using text::Text;
using text::TextView;

namespace {

// The control characters that are keys a pupil may press on purpose, by the name the
// miss box gives them.
struct NamedControl {
    int code;
    TextView name;
};

constexpr std::array<NamedControl, 4> kNamedControls{{
    {ui::kBackSpaceCode, u"BackSpace"},
    {ui::kTabCode, u"Tab"},
    {ui::kEnterCode, u"Enter"},
    {ui::kEscapeCode, u"Esc"},
}};

const NamedControl* NamedControlOf(int code) {
    for (const NamedControl& control : kNamedControls) {
        if (control.code == code) {
            return &control;
        }
    }
    return nullptr;
}

}  // namespace

Text CharacterName(int code) {
    if (!formats::IsControlCode(code)) {
        return formats::CharacterOf(code);
    }
    if (const NamedControl* control = NamedControlOf(code)) {
        return Text(control->name);
    }
    static constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";
    Text name = u"U+";
    for (int shift = 12; shift >= 0; shift -= 4) {
        name += kHexDigits[(code >> shift) & 0xF];
    }
    return name;
}

Text ExpectedKeyName(TextView head) {
    if (head == TextView(&kEnterMark, 1)) {
        return u"Enterキー";
    }
    if (head == u" ") {
        return u"スペースキー";
    }
    if (head == TextView(&kBackSpaceMark, 1)) {
        return u"BackSpaceキー";
    }
    if (head == TextView(&kF7Mark, 1)) {
        return u"F7キー";
    }
    if (head.size() == 1 && formats::IsControlCode(head[0])) {
        return CharacterName(head[0]);
    }
    return Text(head);
}

}  // namespace lessons
