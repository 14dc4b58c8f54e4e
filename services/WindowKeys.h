#pragma once
// What one key event of the window system gives the window that has the keyboard: the code
// of a function key for its key-down event, the code of the character the key types for its
// key-press event, or neither. Plain functions over Qt's key codes, so that tests and the
// fuzzer can call them without a window.
//
// One rule for chords: a key pressed with Ctrl, Alt or Meta (Command) held gives nothing at
// all, neither a character nor a function key. Shift only chooses the character a key
// types; it leaves function keys as they are, so Shift+F7 is F7.
#include <QtCore/qnamespace.h>
#include <QString>
#include <optional>

#include "services/KeyCodes.h"

namespace ui {

// The window's key events for one key event: its Qt key, the modifiers held and the text
// it types. Enter, BackSpace, Tab and Escape type their codes 13, 8, 9 and 27, with or
// without text. The editing and navigation keys (Delete, Insert, Home, End, Page Up, Page
// Down, the arrows and the like), keys without text and the other control characters type
// nothing.
WindowKey WindowKeyOf(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text);

}  // namespace ui
