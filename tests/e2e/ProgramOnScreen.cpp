#include "e2e/ProgramOnScreen.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <chrono>
#include <optional>

#include "board/PracticeBoard.h"
#include "menu/Menu.h"
#include "services/Controls.h"

namespace e2e {

namespace {

// Where an item of a dropped-down menu is on the screen, and that menu's window.
struct OpenMenuItem {
    ScreenPoint centre;
    WindowId menuWindow = 0;
};

// Main thread only.
std::optional<OpenMenuItem> FindItemOfOpenMenu(const QString& caption) {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr || !menu->isVisible()) {
        return std::nullopt;
    }
    for (QAction* action : menu->actions()) {
        if (action->text() == caption) {
            const QPoint centre = menu->mapToGlobal(menu->actionGeometry(action).center());
            return OpenMenuItem{{centre.x(), centre.y()}, static_cast<WindowId>(menu->winId())};
        }
    }
    return std::nullopt;
}

bool MenuIsOpen() {
    return QApplication::activePopupWidget() != nullptr;
}

}  // namespace

ProgramOnScreen::ProgramOnScreen()
    : program_(std::make_unique<ui::Program>(boxes_, [this] { ++endRequests_; })) {}

ProgramOnScreen::~ProgramOnScreen() {
    program_.reset();
    // The windows' destruction reaches the X server before the next test looks at it.
    ProcessEventsFor(200ms);
}

::testing::AssertionResult ProgramOnScreen::StartedOnScreen() {
    Program().Start();
    Menu& menu = MenuWindow();
    const WindowId menuId = WindowIdOf(menu);
    ScreenRect client;
    ::testing::AssertionResult shown = PupilDid([&](Pupil& pupil) {
        pupil.WaitForWindow("ページを選ぼう");
        pupil.WaitUntilActive(menuId, "the menu window");
        client = pupil.ClientRect(menuId);
    });
    if (!shown) {
        return shown;
    }
    const QPoint onScreen(client.left, client.top);
    for (int attempt = 0; attempt < 50 && menu.Widget()->mapToGlobal(QPoint(0, 0)) != onScreen;
         ++attempt) {
        ProcessEventsFor(100ms);
    }
    const QPoint known = menu.Widget()->mapToGlobal(QPoint(0, 0));
    if (known != onScreen) {
        return ::testing::AssertionFailure()
               << "the program places its menu window at " << known.x() << "," << known.y()
               << ", the X server at " << onScreen.x() << "," << onScreen.y();
    }
    return ::testing::AssertionSuccess();
}

Menu& ProgramOnScreen::MenuWindow() {
    return program_->MenuWindow();
}

PracticeBoard* ProgramOnScreen::Board() {
    return program_->BoardIfLoaded();
}

::testing::AssertionResult ProgramOnScreen::PupilDid(const std::function<void(Pupil&)>& script,
                                                     std::chrono::milliseconds patience) {
    const PupilOutcome outcome = RunPupil(Session(), script, patience);
    // The program finishes what the pupil's last key set going.
    ProcessEventsFor(300ms);
    if (outcome.finished && outcome.boxesClosed.empty()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << outcome.Report() << "\nboxes shown:\n"
                                         << boxes_.Describe();
}

ScreenPoint ProgramOnScreen::CentreOnScreen(const QWidget& widget) {
    const QPoint centre = widget.mapToGlobal(widget.rect().center());
    return {centre.x(), centre.y()};
}

WindowId ProgramOnScreen::WindowIdOf(const QWidget& window) {
    return static_cast<WindowId>(window.winId());
}

ScreenPoint ProgramOnScreen::MenuTitleCentre(const ui::MenuItem& title) {
    QMenuBar* bar = MenuWindow().Widget()->MenuBar();
    const QPoint centre = bar->mapToGlobal(bar->actionGeometry(title.Action()).center());
    return {centre.x(), centre.y()};
}

void ProgramOnScreen::ClickItemOfOpenMenu(Pupil& pupil, const QString& caption) {
    const std::string name = caption.toStdString();
    std::optional<OpenMenuItem> item;
    for (int attempt = 0; !item; ++attempt) {
        if (attempt == 200) {
            throw PupilFailure("no dropped-down menu with the item '" + name + "' showed");
        }
        pupil.Pause(50ms);
        item = pupil.OnMainThread([caption] { return FindItemOfOpenMenu(caption); });
    }
    // Clicked only once the menu's window is mapped: before that the click would land on
    // whatever lies below it.
    for (int attempt = 0;; ++attempt) {
        if (attempt == 200) {
            throw PupilFailure("the dropped-down menu never showed on the screen");
        }
        if (pupil.IsViewable(item->menuWindow)) {
            break;
        }
        pupil.Pause(50ms);
    }
    pupil.ClickAt(item->centre);
    for (int attempt = 0; pupil.OnMainThread(MenuIsOpen); ++attempt) {
        if (attempt == 200) {
            throw PupilFailure("the menu stayed open after its item '" + name + "' was clicked");
        }
        pupil.Pause(50ms);
    }
}

}  // namespace e2e
