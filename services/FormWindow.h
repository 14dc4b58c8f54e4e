#pragma once
// The Qt window behind a form (services/Form.h): the form's client area and menu bar, its
// place and frame, and Qt's events turned into the form's window events. The activation
// tracker and the boxes know the program's windows by these.
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

#include "services/Colour.h"
#include "services/Geometry.h"
#include "services/Text.h"
#include "services/Twips.h"

class QMenu;
class QMenuBar;

namespace ui {

class Form;
class MenuItem;

class FormWindow : public QWidget {
  public:
    FormWindow(Form& owner, bool withMenuBar);
    ~FormWindow() override;

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

    // The pupil used a control of this window: it is the active one.
    void NoteInteraction();

    // The form's activate event.
    void Form_Activate();

    // Every key that reaches the window comes to its key events, as typed; none of them is
    // a shortcut or a move of the focus.
    void TakeKeys();
    // As TakeKeys, and no input method composes anything from the keys: each comes as typed.
    void TakeKeysWithoutInputMethod();
    // From now on, as long as this window lives: `hidden` runs when `watched` hides, and
    // `moved` when it moves or changes its size.
    void Follow(FormWindow& watched, std::function<void()> hidden, std::function<void()> moved);
    // Whether the window is shown on the screen now.
    bool Showing() const;
    // Shows or hides the window where it is, and nothing else: the active window stays the
    // active one. For windows that never take the keyboard.
    void SetVisible(bool visible);
    // The window becomes the active one with the keyboard on itself, in time for the very
    // next key.
    void TakeKeyboard();
    // A window that only shows (a guide, a record): it never becomes the active window, and
    // where the window system activates it all the same (a click on it in the browser), the
    // keyboard goes straight back to the open box, or to the window that had it.
    void NeverTakeKeyboard();

    // The menu bar, built left to right: a drop-down titled `caption`, its items (each added
    // to the drop-down added last) and the lines between them, and commands of the bar
    // itself, which act at once.
    void AddMenu(MenuItem& title, text::TextView caption);
    void AddMenuItem(MenuItem& item, text::TextView caption, std::function<void()> onClick);
    void AddMenuSeparator();
    void AddMenuCommand(MenuItem& item, text::TextView caption, std::function<void()> onClick);

    QWidget* Client() const { return client_; }
    QMenuBar* MenuBar() const { return menuBar_; }

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    Form& owner_;
    void ApplyFixedSize();
    void MoveFrameTo(int leftPixels, int topPixels);
    // The frame's top left corner on the screen.
    QPoint FramePosition() const;

    QMenuBar* menuBar_ = nullptr;
    QMenu* lastMenu_ = nullptr;
    QWidget* client_ = nullptr;
    int clientWidthPixels_ = 0;
    int clientHeightPixels_ = 0;
    std::optional<QPoint> placedBeforeShow_;
    bool shownBefore_ = false;
    bool takesKeys_ = false;
    bool neverTakesKeyboard_ = false;
    twips::TwipsProperty top_;
    twips::TwipsProperty width_;
};

}  // namespace ui
