// The page's windows: each form an element on the page's desktop, framed by a title bar of
// the program's own, placed and sized in the page's pixels (twips ÷ 15), with the keyboard
// taken as the desktop's windows take it.
#include <emscripten/val.h>

#include <algorithm>

#include "services/Activation.h"
#include "services/Announcements.h"
#include "services/Controls.h"
#include "services/Form.h"
#include "services/FormWindowInPage.h"
#include "services/PageKeys.h"

namespace ui {

using emscripten::val;

namespace {

std::vector<FormWindow*>& Windows() {
    static std::vector<FormWindow*> windows;
    return windows;
}

ActivationTracker* Activation() {
    return ActivationTracker::Running();
}

// The window in front of the others: each raise puts a window above all before it.
int NextStackingOrder() {
    static int order = 10;
    return ++order;
}

void Swallow(val& event) {
    event.call<void>("preventDefault");
    event.call<void>("stopPropagation");
}

}  // namespace

struct FormWindow::Menu {
    MenuItem* title = nullptr;
    PageElement* titleElement = nullptr;
    PageElement* drop = nullptr;  // none for a command of the bar itself
    std::vector<PageElement*> items;
};

PageElement& Desktop() {
    static PageElement* desktop = [] {
        auto* made = new PageElement("div", "desktop", nullptr);
        made->SetAttribute("id", std::string("desktop"));
        Document()["body"].call<void>("appendChild", made->Node());
        return made;
    }();
    return *desktop;
}

const std::vector<FormWindow*>& PageWindows() {
    return Windows();
}

FormWindow::FormWindow(Form& owner, bool withMenuBar)
    : owner_(owner),
      frame_("section", "window", &Desktop()),
      titleBar_("div", "title-bar", &frame_),
      title_("span", "title", &titleBar_),
      close_("span", "close", &titleBar_),
      client_("div", "client", nullptr) {
    static int windows = 0;
    const std::string titleId = "window-title-" + std::to_string(++windows);
    title_.SetAttribute("id", titleId);
    frame_.SetAttribute("aria-labelledby", titleId);
    frame_.SetAttribute("role", std::string("region"));
    frame_.Show(false);
    // The ×, as the window system's: a mouse closes the window with it; a screen reader
    // and the keyboard close windows as the desktop's do, through the program.
    close_.SetText(u"×");
    close_.SetAttribute("aria-hidden", std::string("true"));
    close_.Listen("click", [this](val) { Close(); });
    close_.Listen("pointerdown", [](val event) { event.call<void>("stopPropagation"); });
    titleBar_.Listen("pointerdown", [this](val event) { StartDrag(std::move(event)); });
    titleBar_.Listen("pointermove", [this](val event) { Drag(std::move(event)); });
    if (withMenuBar) {
        menuBar_.emplace("div", "menu-bar", &frame_);
        menuBar_->SetAttribute("role", std::string("menubar"));
    }
    frame_.Append(client_);
    client_.SetAttribute("tabindex", std::string("-1"));
    // The window the pupil presses comes to the front and is the active one; one that never
    // takes the keyboard leaves it where it is.
    frame_.Listen("pointerdown", [this](val event) {
        if (neverTakesKeyboard_) {
            event.call<void>("preventDefault");
            return;
        }
        Raise();
        if (menuBar_ && !menuBar_->Node().call<bool>("contains", event["target"])) {
            CloseMenus();
        }
        // A press on anything but a button or the menu bar leaves the keyboard where it was
        // in the window, as a press on a label does on the desktop.
        const bool takesFocus =
            event["target"].call<val>("closest", val("button, [role=menuitem]")).as<bool>();
        if (!takesFocus) {
            event.call<void>("preventDefault");
            TakeKeyboard();
        }
        if (Activation() != nullptr) {
            Activation()->PlatformActivated(*this);
        }
    });
    frame_.Listen("focusin", [this](val event) {
        // The keyboard comes back from the menu bar to where it was before.
        if (!menuBar_ || !menuBar_->Node().call<bool>("contains", event["target"])) {
            lastFocus_ = event["target"];
        }
        if (Activation() != nullptr) {
            Activation()->PlatformActivated(*this);
        }
    });
    client_.Listen("mousedown", [this](val event) {
        constexpr int kButtons[] = {1, 4, 2};  // left, middle, right, as the page numbers them
        const int button = event["button"].as<int>();
        if (button >= 0 && button <= 2) {
            owner_.Form_MouseDown(kButtons[button]);
        }
    });
    client_.Listen("contextmenu", [](val event) { event.call<void>("preventDefault"); });
    Windows().push_back(this);
}

FormWindow::~FormWindow() {
    if (Activation() != nullptr) {
        Activation()->Forget(*this);
    }
    for (FormWindow* watched : following_) {
        auto& list = watched->followers_;
        list.erase(std::remove_if(list.begin(), list.end(),
                                  [this](const Follower& f) { return f.follower == this; }),
                   list.end());
    }
    std::erase(Windows(), this);
}

void FormWindow::SetCaption(text::TextView caption) {
    caption_ = text::Text(caption);
    title_.SetText(caption);
}

void FormWindow::SetAccessibleDescription(text::TextView description) {
    frame_.SetAttribute("aria-description", description);
}

void FormWindow::SetBackColor(colour::BgrColour colour) {
    client_.SetStyle("background-color", CssColour(colour));
}

void FormWindow::SetClientSize(int widthTwips, int heightTwips) {
    clientWidthPixels_ = width_.Write(widthTwips);
    clientHeightPixels_ = twips::ToPixels(heightTwips);
    PlaceFrame();
    Moved();
}

void FormWindow::PlaceFrame() {
    client_.SetStyle("width", CssPixels(clientWidthPixels_));
    client_.SetStyle("height", CssPixels(clientHeightPixels_));
    frame_.SetStyle("left", CssPixels(leftPixels_));
    frame_.SetStyle("top", CssPixels(topPixels_));
    frame_.area = {
        leftPixels_, topPixels_, clientWidthPixels_ + 2 * kPageBorderPixels,
        kPageTitleBarPixels + ClientTopInWindow() + clientHeightPixels_ + 2 * kPageBorderPixels};
}

int FormWindow::WindowLeft() const {
    return twips::FromPixels(leftPixels_);
}
void FormWindow::SetWindowLeft(int twipsValue) {
    leftPixels_ = twips::ToPixels(twipsValue);
    placed_ = true;
    PlaceFrame();
    Moved();
}
int FormWindow::Top() const {
    return top_.Read(topPixels_);
}
void FormWindow::SetTop(int twipsValue) {
    topPixels_ = top_.Write(twipsValue);
    placed_ = true;
    PlaceFrame();
    Moved();
}
int FormWindow::Height() const {
    return twips::FromPixels(frame_.area.height);
}
geometry::Rect FormWindow::FrameRect() const {
    const geometry::Rect& frame = frame_.area;
    return {twips::FromPixels(frame.left), twips::FromPixels(frame.top),
            twips::FromPixels(frame.width), twips::FromPixels(frame.height)};
}
geometry::Rect FormWindow::ScreenArea() const {
    const val desktop = Desktop().Node();
    return {0, 0, twips::FromPixels(desktop["clientWidth"].as<int>()),
            twips::FromPixels(desktop["clientHeight"].as<int>())};
}
int FormWindow::Width() const {
    return width_.Read(clientWidthPixels_);
}
void FormWindow::SetWidth(int twipsValue) {
    clientWidthPixels_ = width_.Write(twipsValue);
    PlaceFrame();
    Moved();
}

void FormWindow::Moved() {
    for (const Follower& follower : std::vector<Follower>(followers_)) {
        follower.moved();
    }
}

void FormWindow::Raise() {
    frame_.SetStyle("z-index", std::to_string(NextStackingOrder()));
}

void FormWindow::Show() {
    if (Activation() != nullptr) {
        Activation()->EndHandBack();
    }
    AnnounceWindowShown(caption_);
    frame_.Show(true);
    if (!shownBefore_) {
        shownBefore_ = true;
        // A window the program has not placed goes to the middle of the page.
        if (!placed_) {
            const val desktop = Desktop().Node();
            leftPixels_ = std::max(0, (desktop["clientWidth"].as<int>() - frame_.area.width) / 2);
            topPixels_ = std::max(0, (desktop["clientHeight"].as<int>() - frame_.area.height) / 2);
            PlaceFrame();
        }
    }
    Raise();
    if (!neverTakesKeyboard_) {
        TakeKeyboard();
    }
    if (Activation() != nullptr) {
        Activation()->Activated(*this);
    }
}

void FormWindow::TakeKeyboard() {
    // The keyboard comes back where it was in the window: on the menu, the lesson button the
    // pupil was on, so Enter still starts it.
    const bool backInWindow = !lastFocus_.isNull() && Contains(lastFocus_) &&
                              lastFocus_["isConnected"].as<bool>() &&
                              !lastFocus_["disabled"].as<bool>();
    if (backInWindow) {
        FocusWithoutScrolling(lastFocus_);
        return;
    }
    // The first time, the first button in the tab order has it, or else the window itself.
    for (PageElement* element : tabOrder_) {
        if (element->visible && element->enabled) {
            FocusWithoutScrolling(element->Node());
            return;
        }
    }
    FocusWithoutScrolling(client_.Node());
}

void FormWindow::Hide() {
    CloseMenus();
    if (Activation() != nullptr) {
        Activation()->Hidden(*this);
    }
    SetVisible(false);
}

void FormWindow::SetVisible(bool visible) {
    if (visible == frame_.visible) {
        return;
    }
    frame_.Show(visible);
    if (!visible) {
        for (const Follower& follower : std::vector<Follower>(followers_)) {
            follower.hidden();
        }
    }
}

void FormWindow::NoteInteraction() {
    if (Activation() != nullptr) {
        Activation()->Activated(*this);
    }
}

void FormWindow::Form_Activate() {
    owner_.Form_Activate();
}

void FormWindow::NeverTakeKeyboard() {
    neverTakesKeyboard_ = true;
    client_.RemoveAttribute("tabindex");
}

void FormWindow::Follow(FormWindow& watched, std::function<void()> hidden,
                        std::function<void()> moved) {
    watched.followers_.push_back({this, std::move(hidden), std::move(moved)});
    following_.push_back(&watched);
}

void FormWindow::Close() {
    // A window does not go while a box is open: the box would outlive the window it belongs
    // to, and its answer would act on a window that is gone.
    if (Activation() != nullptr && Activation()->BoxOpen()) {
        Activation()->GiveKeyboardToOpenBox();
        return;
    }
    std::int16_t cancel = 0;
    owner_.Form_Unload(cancel);
    if (cancel == 0) {
        Hide();
    }
}

// The pupil may move a window by its title bar, as on the desktop: the title bar holds the
// pointer from the press, and the window follows it from where the press found it.
void FormWindow::StartDrag(val event) {
    if (event["button"].as<int>() != 0) {
        return;
    }
    event.call<void>("preventDefault");
    dragFrom_ = {event["clientX"].as<int>() - leftPixels_, event["clientY"].as<int>() - topPixels_};
    titleBar_.Node().call<void>("setPointerCapture", event["pointerId"]);
}

void FormWindow::Drag(val event) {
    if (!titleBar_.Node().call<bool>("hasPointerCapture", event["pointerId"])) {
        return;
    }
    leftPixels_ = event["clientX"].as<int>() - dragFrom_.x;
    topPixels_ = std::max(0, event["clientY"].as<int>() - dragFrom_.y);
    top_.Write(twips::FromPixels(topPixels_));
    PlaceFrame();
    Moved();
}

PageElement* FormWindow::Keep(std::unique_ptr<PageElement> element) {
    kept_.push_back(std::move(element));
    return kept_.back().get();
}

PageTimer* FormWindow::Keep(std::unique_ptr<PageTimer> timer) {
    timers_.push_back(std::move(timer));
    return timers_.back().get();
}

void FormWindow::AddToTabOrder(PageElement& element) {
    tabOrder_.push_back(&element);
}

void FormWindow::MoveInTabOrder(PageElement& element, const PageElement& before) {
    std::erase(tabOrder_, &element);
    const auto at = std::find(tabOrder_.begin(), tabOrder_.end(), &before);
    tabOrder_.insert(at == tabOrder_.end() ? at : at + 1, &element);
}

bool FormWindow::Contains(const val& node) const {
    return !node.isNull() && !node.isUndefined() && frame_.Node().call<bool>("contains", node);
}

// ---- The keyboard ----

bool FormWindow::TakeKey(val event, bool down) {
    if (TakeMenuKey(event, down)) {
        return true;
    }
    if (!takesKeys_) {
        return TakeButtonKey(std::move(event), down);
    }
    if (!down) {
        return false;
    }
    const text::Text key = KeyName(event);
    const bool chord = WithCtrlAltOrMeta(event);
    if (chord) {
        return false;  // copying, pasting and zooming stay the browser's
    }
    Swallow(event);
    const WindowKey typed = PageKeyOf(key, chord);
    if (typed.keyDownCode) {
        owner_.Form_KeyDown(*typed.keyDownCode);
    }
    if (typed.keyPressCode) {
        owner_.Form_KeyPress(*typed.keyPressCode);
    }
    return true;
}

// In a window of buttons, Enter clicks the focused button as it goes down and Space as it
// comes up, once however long the key is held; Tab and Shift+Tab go round the buttons.
bool FormWindow::TakeButtonKey(val event, bool down) {
    const text::Text key = KeyName(event);
    if (WithCtrlAltOrMeta(event)) {
        return false;
    }
    if (down && key == u"F10" && !menus_.empty()) {
        Swallow(event);
        FocusMenuTitle(0);
        return true;
    }
    const val focused = Document()["activeElement"];
    PageElement* button = nullptr;
    int index = 0;
    for (PageElement* candidate : tabOrder_) {
        ++index;
        if (candidate->Node().strictlyEquals(focused)) {
            button = candidate;
            break;
        }
    }
    if (key == u"Tab") {
        Swallow(event);
        if (down) {
            MoveFocus(!event["shiftKey"].as<bool>());
        }
        return true;
    }
    const bool clickKey = key == u"Enter" || key == u" ";
    if (button == nullptr || !clickKey) {
        return false;
    }
    Swallow(event);
    const bool allowed = !button->keyboardClickAllowed || button->keyboardClickAllowed();
    if (key == u"Enter") {
        if (down && !event["repeat"].as<bool>() && allowed && button->enabled && button->onClick) {
            button->onClick();
        }
        return true;
    }
    if (down) {
        heldSpaceOn_ = event["repeat"].as<bool>() && heldSpaceOn_ != index ? 0 : index;
        return true;
    }
    const bool wentDownHere = heldSpaceOn_ == index;
    heldSpaceOn_ = 0;
    if (wentDownHere && allowed && button->enabled && button->onClick) {
        button->onClick();
    }
    return true;
}

void FormWindow::MoveFocus(bool forward) {
    std::vector<PageElement*> reachable;
    for (PageElement* element : tabOrder_) {
        if (element->visible && element->enabled) {
            reachable.push_back(element);
        }
    }
    if (reachable.empty()) {
        return;
    }
    const val focused = Document()["activeElement"];
    std::size_t at = reachable.size();
    for (std::size_t i = 0; i < reachable.size(); ++i) {
        if (reachable[i]->Node().strictlyEquals(focused)) {
            at = i;
        }
    }
    std::size_t next = 0;
    if (at == reachable.size()) {
        next = forward ? 0 : reachable.size() - 1;
    } else {
        next =
            forward ? (at + 1) % reachable.size() : (at + reachable.size() - 1) % reachable.size();
    }
    FocusWithoutScrolling(reachable[next]->Node());
}

// ---- The menu bar ----

void FormWindow::AddMenu(MenuItem& title, text::TextView caption) {
    auto menu = std::make_unique<Menu>();
    menu->title = &title;
    auto* holder = Keep(std::make_unique<PageElement>("div", "menu", &*menuBar_));
    menu->titleElement = Keep(std::make_unique<PageElement>("div", "menu-title", holder));
    menu->titleElement->SetAttribute("role", std::string("menuitem"));
    menu->titleElement->SetAttribute("aria-haspopup", std::string("menu"));
    menu->titleElement->SetAttribute("aria-expanded", std::string("false"));
    menu->titleElement->SetAttribute("tabindex", std::string("-1"));
    menu->titleElement->SetText(caption);
    menu->titleElement->caption = text::Text(caption);
    menu->drop = Keep(std::make_unique<PageElement>("div", "menu-drop", holder));
    menu->drop->SetAttribute("role", std::string("menu"));
    menu->drop->SetAttribute("aria-label", caption);
    menu->drop->Show(false);
    const std::size_t index = menus_.size();
    menu->titleElement->Listen("click", [this, index](val) {
        if (menus_[index]->drop->visible) {
            CloseMenus();
        } else {
            OpenMenu(index, false);
        }
    });
    title.Bind(owner_, menu->titleElement, [] {});
    menus_.push_back(std::move(menu));
}

void FormWindow::AddMenuItem(MenuItem& item, text::TextView caption,
                             std::function<void()> onClick) {
    Menu& menu = *menus_.back();
    auto* element = Keep(std::make_unique<PageElement>("div", "menu-item", menu.drop));
    element->SetAttribute("role", std::string("menuitem"));
    element->SetAttribute("tabindex", std::string("-1"));
    element->SetText(caption);
    element->caption = text::Text(caption);
    element->Listen("click", [this, element](val) { ActivateMenuItem(*element); });
    menu.items.push_back(element);
    item.Bind(owner_, element, std::move(onClick));
}

void FormWindow::AddMenuSeparator() {
    auto* line = Keep(std::make_unique<PageElement>("div", "menu-separator", menus_.back()->drop));
    line->SetAttribute("role", std::string("separator"));
}

void FormWindow::AddMenuCommand(MenuItem& item, text::TextView caption,
                                std::function<void()> onClick) {
    auto menu = std::make_unique<Menu>();
    menu->title = &item;
    menu->titleElement = Keep(std::make_unique<PageElement>("div", "menu-title", &*menuBar_));
    menu->titleElement->SetAttribute("role", std::string("menuitem"));
    menu->titleElement->SetAttribute("tabindex", std::string("-1"));
    menu->titleElement->SetText(caption);
    menu->titleElement->caption = text::Text(caption);
    PageElement* element = menu->titleElement;
    element->Listen("click", [this, element](val) { ActivateMenuItem(*element); });
    menus_.push_back(std::move(menu));
    item.Bind(owner_, element, std::move(onClick));
}

FormWindow::Menu* FormWindow::OpenedMenu() {
    for (const auto& menu : menus_) {
        if (menu->drop != nullptr && menu->drop->visible) {
            return menu.get();
        }
    }
    return nullptr;
}

void FormWindow::OpenMenu(std::size_t index, bool focusFirstItem) {
    CloseMenus();
    Menu& menu = *menus_[index];
    if (menu.drop == nullptr) {
        FocusMenuTitle(index);
        return;
    }
    menu.drop->Show(true);
    menu.titleElement->SetAttribute("aria-expanded", std::string("true"));
    for (PageElement* item : menu.items) {
        if (item->visible && item->enabled) {
            FocusWithoutScrolling((focusFirstItem ? item : menu.titleElement)->Node());
            return;
        }
    }
    FocusWithoutScrolling(menu.titleElement->Node());
}

void FormWindow::CloseMenus() {
    for (const auto& menu : menus_) {
        if (menu->drop != nullptr && menu->drop->visible) {
            menu->drop->Show(false);
            menu->titleElement->SetAttribute("aria-expanded", std::string("false"));
        }
    }
}

void FormWindow::FocusMenuTitle(std::size_t index) {
    FocusWithoutScrolling(menus_[index]->titleElement->Node());
}

void FormWindow::ActivateMenuItem(PageElement& item) {
    if (!item.enabled) {
        return;
    }
    CloseMenus();
    TakeKeyboard();
    if (item.onClick) {
        item.onClick();
    }
}

// The menu bar's keys, as a desktop's: F10 reaches the bar, the arrows go along it and down
// a drop-down, Enter and Space choose, Escape goes back.
bool FormWindow::TakeMenuKey(val event, bool down) {
    if (menus_.empty()) {
        return false;
    }
    const val focused = Document()["activeElement"];
    std::optional<std::size_t> onTitle;
    std::optional<std::size_t> inMenu;
    std::size_t itemIndex = 0;
    for (std::size_t m = 0; m < menus_.size(); ++m) {
        if (menus_[m]->titleElement->Node().strictlyEquals(focused)) {
            onTitle = m;
        }
        for (std::size_t i = 0; i < menus_[m]->items.size(); ++i) {
            if (menus_[m]->items[i]->Node().strictlyEquals(focused)) {
                inMenu = m;
                itemIndex = i;
            }
        }
    }
    if (!onTitle && !inMenu) {
        return false;
    }
    Swallow(event);
    if (!down) {
        return true;
    }
    const text::Text key = KeyName(event);
    const std::size_t count = menus_.size();
    const std::size_t menuIndex = onTitle ? *onTitle : *inMenu;
    Menu& menu = *menus_[menuIndex];
    if (key == u"Escape") {
        if (inMenu) {
            CloseMenus();
            FocusMenuTitle(menuIndex);
        } else {
            TakeKeyboard();
        }
    } else if (key == u"ArrowLeft" || key == u"ArrowRight") {
        const std::size_t next =
            key == u"ArrowRight" ? (menuIndex + 1) % count : (menuIndex + count - 1) % count;
        if (inMenu) {
            OpenMenu(next, true);
        } else {
            CloseMenus();
            FocusMenuTitle(next);
        }
    } else if (key == u"ArrowDown" || key == u"ArrowUp") {
        if (onTitle) {
            if (menu.drop != nullptr) {
                OpenMenu(menuIndex, true);
            }
        } else {
            const std::size_t n = menu.items.size();
            for (std::size_t step = 1; step <= n; ++step) {
                const std::size_t at =
                    key == u"ArrowDown" ? (itemIndex + step) % n : (itemIndex + n - step) % n;
                if (menu.items[at]->visible && menu.items[at]->enabled) {
                    FocusWithoutScrolling(menu.items[at]->Node());
                    break;
                }
            }
        }
    } else if (key == u"Enter" || key == u" ") {
        if (inMenu) {
            ActivateMenuItem(*menu.items[itemIndex]);
        } else if (menu.drop != nullptr) {
            OpenMenu(menuIndex, true);
        } else {
            ActivateMenuItem(*menu.titleElement);
        }
    } else if (key == u"Tab" || key == u"F10") {
        CloseMenus();
        TakeKeyboard();
    }
    return true;
}

}  // namespace ui
