#pragma once
// The page's window behind a form (services/Form.h): an element of the page placed where the
// form says, with a title bar, its caption and ×, a menu bar when the form has one, and the
// client area the controls are made on. The page's events become the form's window events.
// What each call does is the form's (services/Form.h).
#include <emscripten/val.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "services/Colour.h"
#include "services/Geometry.h"
#include "services/MessageBoxes.h"
#include "services/PageElement.h"
#include "services/Text.h"
#include "services/Twips.h"

namespace ui {

class Form;
class MenuItem;

// The frame around every window's client area, in pixels.
inline constexpr int kPageBorderPixels = 1;
inline constexpr int kPageTitleBarPixels = 26;
inline constexpr int kPageMenuBarPixels = 22;

class FormWindow {
  public:
    FormWindow(Form& owner, bool withMenuBar);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    void SetCaption(text::TextView caption);
    text::Text Caption() const { return caption_; }
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
    bool Showing() const { return frame_.visible; }
    void SetVisible(bool visible);
    void NoteInteraction();
    void Form_Activate();

    void TakeKeys() { takesKeys_ = true; }
    // No input method composes on a window of the page that is no text field: its keys come
    // as typed, and those an input method still names "Process" the page names by their key.
    void TakeKeysWithoutInputMethod() { TakeKeys(); }
    void TakeKeyboard();
    void NeverTakeKeyboard();
    bool NeverTakesKeyboard() const { return neverTakesKeyboard_; }
    void Follow(FormWindow& watched, std::function<void()> hidden, std::function<void()> moved);

    void AddMenu(MenuItem& title, text::TextView caption);
    void AddMenuItem(MenuItem& item, text::TextView caption, std::function<void()> onClick);
    void AddMenuSeparator();
    void AddMenuCommand(MenuItem& item, text::TextView caption, std::function<void()> onClick);

    PageElement* Client() { return &client_; }
    // Where the client area lies inside the window, below its menu bar.
    int ClientTopInWindow() const { return menuBar_ ? kPageMenuBarPixels : 0; }
    // The window keeps what is made on it (controls, timers) as long as it lives.
    PageElement* Keep(std::unique_ptr<PageElement> element);
    PageTimer* Keep(std::unique_ptr<PageTimer> timer);
    // A control that takes the focus, in the order Tab visits them; `element` follows `before`.
    void AddToTabOrder(PageElement& element);
    void MoveInTabOrder(PageElement& element, const PageElement& before);

    // A key of the page while this window has the keyboard; true when the window took it.
    bool TakeKey(emscripten::val event, bool down);
    bool Contains(const emscripten::val& node) const;

  private:
    struct Menu;
    void Moved();
    void PlaceFrame();
    void Raise();
    void Close();
    void StartDrag(emscripten::val event);
    void Drag(emscripten::val event);
    bool TakeMenuKey(emscripten::val event, bool down);
    bool TakeButtonKey(emscripten::val event, bool down);
    void MoveFocus(bool forward);
    void OpenMenu(std::size_t index, bool focusFirstItem);
    void CloseMenus();
    void FocusMenuTitle(std::size_t index);
    void ActivateMenuItem(PageElement& item);
    Menu* OpenedMenu();

    Form& owner_;
    text::Text caption_;
    PageElement frame_;
    PageElement titleBar_;
    PageElement title_;
    PageElement close_;
    std::optional<PageElement> menuBar_;
    PageElement client_;
    std::vector<std::unique_ptr<Menu>> menus_;
    std::vector<std::unique_ptr<PageElement>> kept_;
    std::vector<std::unique_ptr<PageTimer>> timers_;
    std::vector<PageElement*> tabOrder_;
    emscripten::val lastFocus_ = emscripten::val::null();
    int heldSpaceOn_ = 0;       // which of the tab order's buttons Space went down on, +1
    geometry::Point dragFrom_;  // where in the window the title bar was pressed
    int leftPixels_ = 0;
    int topPixels_ = 0;
    int clientWidthPixels_ = 0;
    int clientHeightPixels_ = 0;
    bool placed_ = false;
    bool shownBefore_ = false;
    bool takesKeys_ = false;
    bool neverTakesKeyboard_ = false;
    twips::TwipsProperty top_;
    twips::TwipsProperty width_;
    struct Follower {
        FormWindow* follower;
        std::function<void()> hidden;
        std::function<void()> moved;
    };
    std::vector<Follower> followers_;
    std::vector<FormWindow*> following_;
};

// The page's desktop, where the windows and boxes live.
PageElement& Desktop();
// The windows of the program, for the key router and the boxes.
const std::vector<FormWindow*>& PageWindows();
// What the open boxes do (services/MessageBoxesInPage.cpp): take a key while one is open
// (true when it took it), and take the keyboard back.
bool BoxTakesKey(emscripten::val event, bool down);
void FocusOpenBox();

// The real boxes of the page: modal dialogs with a title bar, the icon, the prompt and the
// buttons, centred on the window that opened them.
class PageMessageBoxes : public MessageBoxes {
  protected:
    void Present(const text::Text& prompt, BoxButtons buttons, BoxIcon icon,
                 const text::Text& title, BoxAnswered answered) override;
};

}  // namespace ui
