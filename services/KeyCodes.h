#pragma once
// The codes a window's key events carry, whichever toolkit delivers them.
#include <optional>

namespace ui {

// The key-down codes of the function keys: F1 is 112, F12 is 123.
inline constexpr int kKeyCodeF1 = 112;
inline constexpr int kKeyCodeF12 = 123;
// The character codes of the keys that type a control character.
inline constexpr int kEnterCode = 13;
inline constexpr int kBackSpaceCode = 8;
inline constexpr int kTabCode = 9;
inline constexpr int kEscapeCode = 27;

// What one key event gives the window that has the keyboard: the code of a function key for
// its key-down event, the code of the character the key types for its key-press event, or
// neither.
struct WindowKey {
    std::optional<int> keyDownCode;   // a function key, F1 to F12
    std::optional<int> keyPressCode;  // the character typed, by its code
};

}  // namespace ui
