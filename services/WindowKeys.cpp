#include "services/WindowKeys.h"

#include "services/Formats.h"
#include "services/QtText.h"

namespace ui {

namespace {

bool IsChord(Qt::KeyboardModifiers modifiers) {
    return modifiers.testAnyFlags(Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

// Keys that edit or move rather than type. Some of them carry a control character as their
// text (Delete carries DEL); none of them types it.
bool IsEditingOrNavigationKey(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Insert:
        case Qt::Key_Delete:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Clear:
        case Qt::Key_Pause:
        case Qt::Key_Print:
        case Qt::Key_SysReq:
        case Qt::Key_Menu:
        case Qt::Key_Help:
        case Qt::Key_Cancel:
        case Qt::Key_Undo:
        case Qt::Key_Redo:
            return true;
        default:
            return false;
    }
}

// The control keys that type their codes, whatever text the event carries.
std::optional<int> CodeOfControlKey(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return kEnterCode;
        case Qt::Key_Backspace:
            return kBackSpaceCode;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return kTabCode;
        case Qt::Key_Escape:
            return kEscapeCode;
        default:
            return std::nullopt;
    }
}

bool IsTypedControlCode(int code) {
    return code == kEnterCode || code == kBackSpaceCode || code == kTabCode || code == kEscapeCode;
}

std::optional<int> TypedCode(int qtKey, const QString& text) {
    if (const std::optional<int> code = CodeOfControlKey(qtKey)) {
        return code;
    }
    if (IsEditingOrNavigationKey(qtKey) || text.isEmpty()) {
        return std::nullopt;
    }
    const int code = formats::CodeOf(FromQt(text));
    if (formats::IsControlCode(code) && !IsTypedControlCode(code)) {
        return std::nullopt;
    }
    return code;
}

}  // namespace

WindowKey WindowKeyOf(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text) {
    if (IsChord(modifiers)) {
        return {};
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) {
        return {kKeyCodeF1 + (qtKey - Qt::Key_F1), std::nullopt};
    }
    return {std::nullopt, TypedCode(qtKey, text)};
}

}  // namespace ui
