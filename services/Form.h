#pragma once
// A top-level window of the program: a client area measured in twips, an optional menu
// bar above it, and the window events load, activate and unload.
//
// Top and Height are those of the window's frame and Width that of its client area, so a
// window placed at another's Top + Height sits just below that window's frame.
#include <QWidget>
#include <cstdint>
#include <optional>

#include "services/Colour.h"
#include "services/Twips.h"

class QMenuBar;

namespace ui {

class Form : public QWidget {
  public:
    explicit Form(bool withMenuBar);
    ~Form() override;

    void SetCaption(const QString& caption);
    QString Caption() const;
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
    QRect FrameRect() const;
    // The part of the screen windows may take (without the panels), in twips.
    QRect ScreenArea() const;
    int Width() const;
    void SetWidth(int twipsValue);

    // Modeless show: the window is shown, raised and becomes the program's active window.
    void Show();
    void Hide();

    // The pupil used a control of this window: it is the active one.
    void NoteInteraction();

    // Window events, for the windows to fill in.
    virtual void Form_Activate() {}
    virtual void Form_Unload(std::int16_t& cancel) { cancel = 0; }
    // The keys the window takes itself (TakeKeys): a function key by its key-down code
    // (F1 112 to F12 123), a typed character by its code. A key gives one or the other.
    virtual void Form_KeyDown(int /*keyCode*/) {}
    virtual void Form_KeyPress(int /*characterCode*/) {}

    // Every key that reaches the window comes to its key events, as typed; none of them is
    // a shortcut or a move of the focus.
    void TakeKeys();
    // The window becomes the active one with the keyboard on itself, in time for the very
    // next key.
    void TakeKeyboard();
    // A window that only shows (a guide, a record): it never becomes the active window, and
    // where the window system activates it all the same (a click on it in the browser), the
    // keyboard goes straight back to the open box, or to the window that had it.
    void NeverTakeKeyboard();

    QWidget* Client() const { return client_; }
    QMenuBar* MenuBar() const { return menuBar_; }

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    void ApplyFixedSize();
    void MoveFrameTo(int leftPixels, int topPixels);
    // The frame's top left corner on the screen.
    QPoint FramePosition() const;

    QMenuBar* menuBar_ = nullptr;
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
