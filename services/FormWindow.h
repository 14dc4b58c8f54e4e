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

    // What the form does (services/Form.h), done with Qt.
    void SetCaption(text::TextView caption);
    text::Text Caption() const;
    void SetAccessibleDescription(text::TextView description);
    void SetBackColor(colour::BgrColour colour);
    void SetClientSize(int widthTwips, int heightTwips);

    int WindowLeft() const;
    void SetWindowLeft(int twipsValue);
    int Top() const;
    void SetTop(int twipsValue);
    int Height() const;
    geometry::Rect FrameRect() const;
    geometry::Rect ScreenArea() const;
    int Width() const;
    void SetWidth(int twipsValue);

    void Show();
    void Hide();

    void NoteInteraction();
    // The form's activate event, which the activation tracker runs.
    void Form_Activate();

    void TakeKeys();
    void TakeKeysWithoutInputMethod();
    void Follow(FormWindow& watched, std::function<void()> hidden, std::function<void()> moved);
    bool Showing() const;
    void SetVisible(bool visible);
    void TakeKeyboard();
    void NeverTakeKeyboard();

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
