#pragma once
// What a key event of the page gives the window that has the keyboard, by the same rules as
// Qt's key events on the desktop (services/WindowKeys.h): a key pressed with Ctrl, Alt or
// Meta gives nothing; F1 to F12 give their key-down codes, Shift or not; Enter, Backspace,
// Tab and Escape type 13, 8, 9 and 27; a key whose name is one character types it; every
// other named key (the arrows, Delete, Shift itself, an input method's "Process") types
// nothing. A plain function over the event's `key`, so tests call it without a page.
#include "services/KeyCodes.h"
#include "services/Text.h"

namespace ui {

WindowKey PageKeyOf(text::TextView key, bool withCtrlAltOrMeta);

}  // namespace ui
