#pragma once
// The key queue a run is typed against: the lesson's key string, each unit followed by "_",
// with marks for the keys that type no letter, and "=" at the end. The names the boxes and
// the guides give its keys.
#include "services/Text.h"

namespace lessons {

// Queue characters with a meaning beyond their own key.
inline constexpr char16_t kEnterMark = u'~';
inline constexpr char16_t kBackSpaceMark = u'^';
inline constexpr char16_t kF7Mark = u'<';
inline constexpr char16_t kUnitEnd = u'_';
inline constexpr char16_t kTextEnd = u'=';

// What the miss box names as expected for a head: the marks by their keys, a control
// character (which no lesson holds) as the title would name it, anything else as it is.
text::Text ExpectedKeyName(text::TextView head);
inline text::Text ExpectedKeyName(char16_t head) {
    return ExpectedKeyName(text::TextView(&head, 1));
}

// A character as a box names it: Enter, BackSpace, Tab and Escape as "Enter", "BackSpace",
// "Tab" and "Esc", any other control character by its code point ("U+007F"), every other
// character as itself.
text::Text CharacterName(int code);

}  // namespace lessons
