#pragma once
// A top-level window of the program: a client area measured in twips, an optional menu
// bar above it, and the window events load, activate and unload. The windows derive from
// it; which backend draws it (services/FormWindow.h for Qt, services/FormInPage.cpp for the
// page) they never learn.
//
// Top and Height are those of the window's frame and Width that of its client area, so a
// window placed at another's Top + Height sits just below that window's frame.
#include <cstdint>
#include <functional>
#include <memory>

#include "services/Colour.h"
#include "services/Geometry.h"
#include "services/NativeHandles.h"
#include "services/Text.h"

namespace ui {

class FormWindow;
class MenuItem;

class Form {
  public:
    explicit Form(bool withMenuBar);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    void SetCaption(text::TextView caption);
    text::Text Caption() const;
    // What a screen reader adds about the window, beside its title.
    void SetAccessibleDescription(text::TextView description);
    // The client area's colour; the menu bar keeps the system's.
    void SetBackColor(colour::BgrColour colour);
    void SetClientSize(int widthTwips, int heightTwips);

    // The frame's left edge; the horizontal place of a window is the program's own choice.
    int WindowLeft() const;
    void SetWindowLeft(int twipsValue);
    int Top() const;
    void SetTop(int twipsValue);
    int Height() const;
    // The frame's rectangle in twips, found from the client area, which is always where it
    // is; a window the window manager has not framed yet is taken in the frame of the
    // windows already shown.
    geometry::Rect FrameRect() const;
    // The part of the screen windows may take (without the panels), in twips.
    geometry::Rect ScreenArea() const;
    int Width() const;
    void SetWidth(int twipsValue);

    // Modeless show: the window is shown, raised and becomes the program's active window.
    void Show();
    void Hide();
    // Whether the window is shown on the screen now.
    bool Showing() const;
    // Shows or hides the window where it is, and nothing else: the active window stays the
    // active one. For windows that never take the keyboard.
    void SetVisible(bool visible);

    // The pupil used a control of this window: it is the active one.
    void NoteInteraction();

    // Window events, for the windows to fill in.
    virtual void Form_Activate() {}
    virtual void Form_Unload(std::int16_t& cancel) { cancel = 0; }
    // The keys the window takes itself (TakeKeys): a function key by its key-down code
    // (F1 112 to F12 123), a typed character by its code. A key gives one or the other.
    virtual void Form_KeyDown(int /*keyCode*/) {}
    virtual void Form_KeyPress(int /*characterCode*/) {}
    // A mouse button pressed on the window's client area: 1 left, 2 right, 4 middle.
    virtual void Form_MouseDown(int /*button*/) {}

    // Every key that reaches the window comes to its key events, as typed; none of them is
    // a shortcut or a move of the focus.
    void TakeKeys();
    // As TakeKeys, and no input method composes anything from the keys: each comes as typed.
    void TakeKeysWithoutInputMethod();
    // The window becomes the active one with the keyboard on itself, in time for the very
    // next key.
    void TakeKeyboard();
    // A window that only shows (a guide, a record): it never becomes the active window, and
    // where the window system activates it all the same (a click on it in the browser), the
    // keyboard goes straight back to the open box, or to the window that had it.
    void NeverTakeKeyboard();
    // From now on, as long as this window lives: `hidden` runs when `watched` hides, and
    // `moved` when it moves or changes its size.
    void Follow(Form& watched, std::function<void()> hidden, std::function<void()> moved);

    // The menu bar, built left to right: a drop-down titled `caption`, its items (each added
    // to the drop-down added last) and the lines between them, and commands of the bar
    // itself, which act at once.
    void AddMenu(MenuItem& title, text::TextView caption);
    void AddMenuItem(MenuItem& item, text::TextView caption, std::function<void()> onClick);
    void AddMenuSeparator();
    void AddMenuCommand(MenuItem& item, text::TextView caption, std::function<void()> onClick);

    // The toolkit's window behind the form and its client area, for the services' backend
    // and for tests that look at what the toolkit shows.
    FormWindow* Widget() const { return window_.get(); }
    native::Widget* Client() const;

  private:
    std::unique_ptr<FormWindow> window_;
};

}  // namespace ui
