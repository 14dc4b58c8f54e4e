#include "services/FormWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMargins>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

#include "services/Accessibility.h"
#include "services/Activation.h"
#include "services/Announcements.h"
#include "services/AppIcon.h"
#include "services/Controls.h"
#include "services/Form.h"
#include "services/KeyboardHandOver.h"
#include "services/QtColour.h"
#include "services/QtText.h"
#include "services/WindowKeys.h"
#include "services/WindowPlacement.h"

namespace ui {

namespace {

// The program's windows live as long as the program, and with it its activation tracker.
ActivationTracker& Activation() {
    Q_ASSERT(ActivationTracker::Running() != nullptr);
    return *ActivationTracker::Running();
}

// The keyboard goes back to the open box, or to the window that had it.
void HandKeyboardBack() {
    ActivationTracker* activation = ActivationTracker::Running();
    if (activation == nullptr) {
        return;
    }
    if (activation->BoxOpen()) {
        activation->GiveKeyboardToOpenBox();
    } else if (FormWindow* form = activation->Current(); form != nullptr && form->isVisible()) {
        form->TakeKeyboard();
    }
}

// Where a shown window's client area starts inside its frame.
QPoint FrameOffsetOfShownWindows() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->isWindow() &&
            dynamic_cast<FormWindow*>(window) != nullptr) {
            return window->geometry().topLeft() - window->frameGeometry().topLeft();
        }
    }
    return {};
}

// The frame the window manager gives the program's windows, around the client area; none
// before a window has been framed.
QMargins OwnFrame(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

QMargins FrameOfShownWindows() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && dynamic_cast<FormWindow*>(window) != nullptr &&
            window->frameGeometry() != window->geometry()) {
            return OwnFrame(*window);
        }
    }
    return {};
}

// A window's frame, or the frame it will get while the window manager has not framed it.
QMargins FrameOf(const QWidget& window) {
    return window.frameGeometry() == window.geometry() ? FrameOfShownWindows() : OwnFrame(window);
}

}  // namespace

FormWindow::FormWindow(Form& owner, bool withMenuBar) : QWidget(nullptr), owner_(owner) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowIcon(ProgramIcon());
    if (withMenuBar) {
        menuBar_ = new QMenuBar(this);
        menuBar_->setNativeMenuBar(false);
    }
    client_ = new QWidget(this);
    client_->setAutoFillBackground(true);
    setAutoFillBackground(true);
    // Screen readers announce the window by its title, as a window.
    SetAccessibleRole(*this, QAccessible::Window);
    // Neither window can be resized, so neither offers to maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
}

FormWindow::~FormWindow() {
    if (ActivationTracker* activation = ActivationTracker::Running()) {
        activation->Forget(*this);
    }
}

void FormWindow::SetCaption(text::TextView caption) {
    setWindowTitle(ToQt(caption));
}

text::Text FormWindow::Caption() const {
    return FromQt(windowTitle());
}

void FormWindow::SetAccessibleDescription(text::TextView description) {
    ui::SetAccessibleDescription(*this, ToQt(description));
}

// The colour fills the client area only: the menu bar above it, a child of the window
// itself, keeps the system's menu colours.
void FormWindow::SetBackColor(colour::BgrColour colour) {
    QPalette palette = client_->palette();
    palette.setColor(QPalette::Window, ResolveColour(colour));
    client_->setPalette(palette);
}

void FormWindow::SetClientSize(int widthTwips, int heightTwips) {
    clientWidthPixels_ = width_.Write(widthTwips);
    clientHeightPixels_ = twips::ToPixels(heightTwips);
    ApplyFixedSize();
}

void FormWindow::ApplyFixedSize() {
    // The window system needs at least one pixel.
    const int clientWidth = std::max(clientWidthPixels_, 1);
    const int clientHeight = std::max(clientHeightPixels_, 1);
    const int menuHeight = menuBar_ != nullptr ? menuBar_->sizeHint().height() : 0;
    if (menuBar_ != nullptr) {
        menuBar_->setGeometry(0, 0, clientWidth, menuHeight);
    }
    client_->setGeometry(0, menuHeight, clientWidth, clientHeight);
    setFixedSize(clientWidth, menuHeight + clientHeight);
}

int FormWindow::Top() const {
    return top_.Read(FramePosition().y());
}

void FormWindow::SetTop(int twipsValue) {
    MoveFrameTo(FramePosition().x(), top_.Write(twipsValue));
}

QPoint FormWindow::FramePosition() const {
    if (!isVisible() && placedBeforeShow_) {
        return *placedBeforeShow_;
    }
    return frameGeometry().topLeft();
}

void FormWindow::MoveFrameTo(int leftPixels, int topPixels) {
    if (isVisible()) {
        move(leftPixels, topPixels);
        return;
    }
    // Before a window is first shown its frame is not known, and Qt would put the client
    // area where the frame should go. The window manager gives all the program's windows
    // the same frame, so the frame of a window already shown tells where the client goes.
    // Until then Qt's frame geometry is the client area's, so the place asked for is kept.
    placedBeforeShow_ = QPoint(leftPixels, topPixels);
    setGeometry(QRect(*placedBeforeShow_ + FrameOffsetOfShownWindows(), size()));
}

int FormWindow::WindowLeft() const {
    return twips::FromPixels(FramePosition().x());
}

void FormWindow::SetWindowLeft(int twipsValue) {
    MoveFrameTo(twips::ToPixels(twipsValue), FramePosition().y());
}

int FormWindow::Height() const {
    return twips::FromPixels(frameGeometry().height());
}

namespace {

geometry::Rect InTwips(const QRect& pixels) {
    return {twips::FromPixels(pixels.left()), twips::FromPixels(pixels.top()),
            twips::FromPixels(pixels.width()), twips::FromPixels(pixels.height())};
}

}  // namespace

geometry::Rect FormWindow::FrameRect() const {
    return InTwips(geometry().marginsAdded(FrameOf(*this)));
}

geometry::Rect FormWindow::ScreenArea() const {
    const QScreen* shownOn = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    return shownOn != nullptr ? InTwips(shownOn->availableGeometry()) : geometry::Rect();
}

int FormWindow::Width() const {
    return width_.Read(clientWidthPixels_);
}

void FormWindow::SetWidth(int twipsValue) {
    clientWidthPixels_ = width_.Write(twipsValue);
    ApplyFixedSize();
}

void FormWindow::Show() {
    // A window the program shows takes the keyboard, also in the middle of a hand-back; only
    // a box that is open keeps it.
    Activation().EndHandBack();
    AnnounceWindowShown(FromQt(windowTitle()));
    // Not show(): where the window system shows windows full screen (the browser), show()
    // would stretch the window over the whole page. A form keeps its own size everywhere.
    setVisible(true);
    if (!shownBefore_) {
        shownBefore_ = true;
        PlaceWindowOnFirstShow(*this);
    }
    raise();
    activateWindow();
    DeliverPendingActivation();
    Activation().Activated(*this);
}

void FormWindow::TakeKeyboard() {
    activateWindow();
    // The keyboard comes back where it was in the window: on the menu, the lesson button the
    // pupil was on, so Enter still starts it.
    QWidget* focus = focusWidget();
    (focus != nullptr ? focus : this)->setFocus(Qt::ActiveWindowFocusReason);
    DeliverPendingActivation();
}

void FormWindow::Hide() {
    Activation().Hidden(*this);
    hide();
}

void FormWindow::NoteInteraction() {
    Activation().Activated(*this);
}

bool FormWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && neverTakesKeyboard_) {
        QTimer::singleShot(0, this, [] { HandKeyboardBack(); });
        return QWidget::event(event);
    }
    if (event->type() == QEvent::WindowActivate && ActivationTracker::Running() != nullptr) {
        Activation().PlatformActivated(*this);
    }
    return QWidget::event(event);
}

void FormWindow::NeverTakeKeyboard() {
    neverTakesKeyboard_ = true;
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    setFocusPolicy(Qt::NoFocus);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    // A window does not go while a box is open: the box would outlive the window it belongs
    // to, and its answer would act on a window that is gone. The window system blocks the
    // close of a window under a box; the browser's title bar closes it all the same.
    if (Activation().BoxOpen()) {
        event->ignore();
        Activation().GiveKeyboardToOpenBox();
        return;
    }
    std::int16_t cancel = 0;
    owner_.Form_Unload(cancel);
    if (cancel != 0) {
        event->ignore();
        return;
    }
    Activation().Hidden(*this);
    event->accept();
}

void FormWindow::AddMenu(MenuItem& title, text::TextView caption) {
    lastMenu_ = menuBar_->addMenu(ToQt(caption));
    title.Bind(owner_, lastMenu_->menuAction(), [] {});
}

void FormWindow::AddMenuItem(MenuItem& item, text::TextView caption,
                             std::function<void()> onClick) {
    item.Bind(owner_, lastMenu_->addAction(ToQt(caption)), std::move(onClick));
}

void FormWindow::AddMenuSeparator() {
    lastMenu_->addSeparator();
}

void FormWindow::AddMenuCommand(MenuItem& item, text::TextView caption,
                                std::function<void()> onClick) {
    item.Bind(owner_, menuBar_->addAction(ToQt(caption)), std::move(onClick));
}

void FormWindow::TakeKeys() {
    takesKeys_ = true;
    setFocusPolicy(Qt::StrongFocus);
}

void FormWindow::TakeKeysWithoutInputMethod() {
    TakeKeys();
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

namespace {

// Owned by the follower, so its watch ends with it.
class WindowFollower : public QObject {
  public:
    WindowFollower(QObject* follower, std::function<void()> hidden, std::function<void()> moved)
        : QObject(follower), hidden_(std::move(hidden)), moved_(std::move(moved)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide) {
            hidden_();
        } else if (event->type() == QEvent::Move || event->type() == QEvent::Resize) {
            moved_();
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> hidden_;
    std::function<void()> moved_;
};

}  // namespace

void FormWindow::Follow(FormWindow& watched, std::function<void()> hidden,
                        std::function<void()> moved) {
    watched.installEventFilter(new WindowFollower(this, std::move(hidden), std::move(moved)));
}

void FormWindow::Form_Activate() {
    owner_.Form_Activate();
}

bool FormWindow::Showing() const {
    return isVisible();
}

void FormWindow::SetVisible(bool visible) {
    setVisible(visible);
}

// The buttons by the numbers a window's mouse events give them: 1 left, 2 right, 4 middle.
void FormWindow::mousePressEvent(QMouseEvent* event) {
    constexpr int kLeft = 1;
    constexpr int kRight = 2;
    constexpr int kMiddle = 4;
    switch (event->button()) {
        case Qt::LeftButton:
            owner_.Form_MouseDown(kLeft);
            break;
        case Qt::RightButton:
            owner_.Form_MouseDown(kRight);
            break;
        case Qt::MiddleButton:
            owner_.Form_MouseDown(kMiddle);
            break;
        default:
            break;
    }
    event->accept();
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
    if (!takesKeys_) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    const WindowKey key = WindowKeyOf(event->key(), event->modifiers(), event->text());
    if (key.keyDownCode) {
        owner_.Form_KeyDown(*key.keyDownCode);
    }
    if (key.keyPressCode) {
        owner_.Form_KeyPress(*key.keyPressCode);
    }
}

// Tab is a key like any other for a window that takes its keys.
bool FormWindow::focusNextPrevChild(bool next) {
    return takesKeys_ ? false : QWidget::focusNextPrevChild(next);
}

}  // namespace ui
