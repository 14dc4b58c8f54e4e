// Arbitrary orders of a pupil's events on the real windows: both forms on Qt's offscreen
// platform, the real message boxes (answered on a later turn of the event loop, by a key or
// a click on their buttons), the activation tracker and the keyboard hand-over of the
// edition this fuzzer is linked with (desktop or browser). Every input starts a fresh
// program. A broken rule stops the fuzzer with a message and a trap.
//
// Input: events, each a tag byte (mod 10) and one byte of argument:
//   0, 1  a key to whichever window has the keyboard: the key the lesson expects next, or
//         one of kKeys; press and release, the press flagged as a repeat when the
//         argument's top bit is set
//   2     a click on a lesson button: of the buttons shown, the (argument mod 21)th, counted
//         round; single, double or triple by argument ÷ 21
//   3     a menu item from the menu bar (help texts, speeds), when no box is open
//   4     a left or right click on the board
//   5     a click on a button of the open box: the first or the last
//   6     the title bar's close of the menu window or the board, as the browser's title bar
//         closes a window even under a box
//   7     a tick of the board's timer, when it runs
//   8     the window system activates the menu window or the board
//   9     time passes: the event loop turns, and from argument 200 on (three times an
//         input at most) 110 ms pass: the board's timer ticks, and on X the lesson buttons'
//         wait for a key's release runs out
// After every event and the posted events it brings, the rules in CheckRules must hold.
// EVENT_FUZZER_TRACE=1 with a saved input as the argument tells its events one by one.
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "board/PracticeBoard.h"
#include "menu/Menu.h"
#include "program/Module1.h"
#include "program/Program.h"
#include "services/FormWindow.h"
#include "services/LessonButton.h"
#include "services/QtMessageBoxes.h"

namespace {

const QString kStartBoxTitle = QStringLiteral("タイピングテスト");

struct Key {
    Qt::Key key;
    QString text;
};

// The keys a pupil might press besides the right one: wrong letters, the letters of the
// other spellings, the keys that close boxes and start lessons, and F7.
const std::array<Key, 8> kKeys{{{Qt::Key_X, QStringLiteral("x")},
                                {Qt::Key_C, QStringLiteral("c")},
                                {Qt::Key_H, QStringLiteral("h")},
                                {Qt::Key_Return, QStringLiteral("\r")},
                                {Qt::Key_Space, QStringLiteral(" ")},
                                {Qt::Key_Escape, QString(QChar(27))},
                                {Qt::Key_Tab, QStringLiteral("\t")},
                                {Qt::Key_F7, QString()}}};

// EVENT_FUZZER_TRACE set: every event is told on stderr as it is sent, so that an input the
// fuzzer saved reads as the pupil's steps that break a rule.
void Trace(const QString& event) {
    static const bool tracing = qEnvironmentVariableIsSet("EVENT_FUZZER_TRACE");
    if (tracing) {
        std::fprintf(stderr, "event: %s\n", qPrintable(event));
    }
}

// The offscreen platform warns at every window shown that it cannot raise one; thousands of
// inputs a minute would bury the fuzzer's own lines. Tracing keeps Qt's words among the
// events.
QtMessageHandler qtOwnMessages = nullptr;

void QuietQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (qtOwnMessages != nullptr && (type == QtCriticalMsg || type == QtFatalMsg ||
                                     qEnvironmentVariableIsSet("EVENT_FUZZER_TRACE"))) {
        qtOwnMessages(type, context, text);
    }
}

QString KeyName(const Key& key) {
    return QKeySequence(key.key).toString();
}

[[noreturn]] void Broken(const char* rule) {
    std::fprintf(stderr, "Broken: %s\n", rule);
    std::fflush(stderr);
    __builtin_trap();
}

void Require(bool holds, const char* rule) {
    if (!holds) {
        Broken(rule);
    }
}

// Posted events, the window system's activations and deferred deletions run out.
void Settle() {
    for (int turn = 0; turn < 4; ++turn) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

QMessageBox* OpenBox() {
    return qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
}

int VisibleBoxes(const QString& title = QString()) {
    int count = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMessageBox*>(window) != nullptr && window->isVisible() &&
            (title.isEmpty() || window->windowTitle() == title)) {
            ++count;
        }
    }
    return count;
}

// The key the queue expects next, as the pupil types it.
Key RightKey() {
    const text::Text& queue = Module1::RomajiQueue;
    const char16_t head = queue.empty() ? u'=' : queue.front();
    switch (head) {
        case u'~':
            return {Qt::Key_Return, QStringLiteral("\r")};
        case u'^':
            return {Qt::Key_Backspace, QString(QChar(8))};
        case u'<':
            return {Qt::Key_F7, QString()};
        case u' ':
            return {Qt::Key_Space, QStringLiteral(" ")};
        case u'!':
            return {Qt::Key_Exclam, QStringLiteral("!")};
        default:
            return {static_cast<Qt::Key>(QChar(head).toUpper().unicode()),
                    QString(QChar(head).toLower())};
    }
}

// The key goes where the window system sends keys, to the window that has the keyboard; a
// window that a box blocks drops it, as for a pupil.
void PressKey(const Key& key, bool repeat) {
    QWindow* window = QGuiApplication::focusWindow();
    Trace(QStringLiteral("key %1%2 to %3")
              .arg(KeyName(key), repeat ? QStringLiteral(" (repeat)") : QString(),
                   window != nullptr ? window->title() : QStringLiteral("no window")));
    if (window == nullptr) {
        return;
    }
    qt_handleKeyEvent(window, QEvent::KeyPress, key.key, Qt::NoModifier, key.text, repeat);
    Settle();
    if (QWindow* now = QGuiApplication::focusWindow()) {
        qt_handleKeyEvent(now, QEvent::KeyRelease, key.key, Qt::NoModifier, key.text);
    }
}

// A click in the middle of `widget`, through the window system, so that an open box blocks
// it as it blocks a pupil's; `clicks` 2 is a double click, 3 a triple click.
void ClickOn(QWidget* widget, Qt::MouseButton button, int clicks = 1) {
    QWindow* window = widget->window()->windowHandle();
    if (window == nullptr || !widget->isVisible()) {
        return;
    }
    const QPoint centre = widget->mapTo(widget->window(), widget->rect().center());
    QTest::mouseClick(window, button, {}, centre);
    if (clicks >= 2) {
        QTest::mouseDClick(window, button, {}, centre);
    }
    if (clicks == 3) {
        QTest::mouseClick(window, button, {}, centre);
    }
}

// Only the buttons a pupil can see are there to click: the argument picks among them, so
// that an input keeps its meaning as lessons are revealed.
void ClickLesson(Menu& menu, std::uint8_t argument) {
    std::vector<ui::LessonButton*> visible;
    for (const ui::CommandButton& button : menu.Command1) {
        if (button.Visible()) {
            visible.push_back(button.Widget());
        }
    }
    if (visible.empty()) {
        return;
    }
    const std::size_t pick = argument % Menu::kLessonButtons % visible.size();
    const int clicks = 1 + (argument / Menu::kLessonButtons) % 3;
    Trace(QStringLiteral("%1 click on %2").arg(clicks).arg(visible[pick]->text()));
    ClickOn(visible[pick], Qt::LeftButton, clicks);
}

void ChooseMenuItem(Menu& menu, std::uint8_t argument) {
    if (OpenBox() != nullptr) {
        return;  // the menu bar is blocked under a box
    }
    // The drill starts a run as a lesson button does, over a run in progress too; the record
    // shows beside the menu and never takes the keyboard.
    std::array<ui::MenuItem*, 14> items{
        &menu.Clear, &menu.Space,      &menu.Left,         &menu.Ent,   &menu.Indicator,
        &menu.Color, &menu.S60,        &menu.S90,          &menu.S120,  &menu.S150,
        &menu.S180,  &menu.Developper, &menu.WeakKeyDrill, &menu.Record};
    ui::MenuItem& item = *items[argument % items.size()];
    Trace(QStringLiteral("menu item %1").arg(item.Caption()));
    item.Click();
}

void ClickBoxButton(std::uint8_t argument) {
    if (QMessageBox* box = OpenBox()) {
        const QList<QAbstractButton*> buttons = box->buttons();
        if (!buttons.isEmpty()) {
            Trace(QStringLiteral("click on the box's %1 button")
                      .arg(argument % 2 == 0 ? QStringLiteral("first") : QStringLiteral("last")));
            ClickOn(argument % 2 == 0 ? buttons.front() : buttons.back(), Qt::LeftButton);
        }
    }
}

// Time passing costs real time: a few waits an input keep the fuzzer quick.
constexpr int kLongWaitsAnInput = 3;
int longWaits = 0;

void ApplyEvent(ui::Program& program, std::uint8_t tag, std::uint8_t argument) {
    Menu& menu = program.MenuWindow();
    PracticeBoard* board = program.BoardIfLoaded();
    switch (tag % 10) {
        case 0:
        case 1: {
            const Key& key = argument % 2 == 0 ? RightKey() : kKeys[(argument / 2) % kKeys.size()];
            PressKey(key, argument >= 128);
            break;
        }
        case 2:
            ClickLesson(menu, argument);
            break;
        case 3:
            ChooseMenuItem(menu, argument);
            break;
        case 4:
            if (board != nullptr) {
                Trace(argument % 2 == 0 ? QStringLiteral("left click on the board")
                                        : QStringLiteral("right click on the board"));
                ClickOn(board->Client(), argument % 2 == 0 ? Qt::LeftButton : Qt::RightButton);
            }
            break;
        case 5:
            ClickBoxButton(argument);
            break;
        case 6:
            if (argument % 2 == 0) {
                Trace(QStringLiteral("title bar closes the menu window"));
                menu.Widget()->close();
            } else if (board != nullptr && board->Widget()->isVisible()) {
                Trace(QStringLiteral("title bar closes the board"));
                board->Widget()->close();
            }
            break;
        case 7:
            if (board != nullptr && board->RunInProgress()) {
                Trace(QStringLiteral("timer tick"));
                board->Timer1_Timer();
            }
            break;
        case 8:
            if (argument % 2 == 0) {
                Trace(QStringLiteral("window system activates the menu window"));
                menu.Widget()->activateWindow();
            } else if (board != nullptr && board->Widget()->isVisible()) {
                Trace(QStringLiteral("window system activates the board"));
                board->Widget()->activateWindow();
            }
            break;
        default:
            if (argument >= 200 && longWaits < kLongWaitsAnInput) {
                ++longWaits;
                Trace(QStringLiteral("110 ms pass"));
                QTest::qWait(static_cast<int>(ui::LessonButton::kReleaseConfirmation.count()) + 10);
            }
            break;
    }
}

bool LessonButtonHasFocus(Menu& menu) {
    for (const ui::CommandButton& button : menu.Command1) {
        if (button.Visible() && button.HasFocus()) {
            return true;
        }
    }
    return false;
}

void CheckRules(ui::Program& program) {
    Menu& menu = program.MenuWindow();
    const PracticeBoard* board = program.BoardIfLoaded();
    const bool runInProgress = board != nullptr && board->RunInProgress();
    Require(VisibleBoxes() <= 1, "two boxes stand open at once");
    Require(VisibleBoxes(kStartBoxTitle) <= 1, "two start boxes stand open");
    Require(!runInProgress || board->Widget()->isVisible(), "a run goes on on a hidden board");
    if (QMessageBox* box = OpenBox()) {
        Require(QApplication::activeWindow() == box, "an open box does not have the keyboard");
        const QWidget* owner = box->parentWidget();
        Require(owner == nullptr || owner->window()->isVisible(), "a box outlives its window");
    } else if (!runInProgress && (board == nullptr || board->Widget()->isHidden())) {
        Require(menu.Widget()->isVisible() && QApplication::activeWindow() == menu.Widget(),
                "no box, no run, and the menu window does not have the keyboard");
        Require(LessonButtonHasFocus(menu), "no lesson button has the focus on the menu");
    }
    if (board != nullptr) {
        // Held at their limits, never wrapped around.
        Require(int{board->MissCount} <= 255, "more than 255 misses counted");
        Require(int{board->Ticks} >= 0 && int{board->Ticks} <= 32767,
                "the run's time left 0 to 32,767 ticks");
    }
    if (runInProgress) {
        Require(board->TypedCount >= 0 &&
                    static_cast<std::size_t>(board->TypedCount) <= Module1::PracticeText.size(),
                "more kana typed than the text has");
    }
}

void CloseEveryBox() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMessageBox*>(window) != nullptr) {
            delete window;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qtOwnMessages = qInstallMessageHandler(QuietQtMessages);
    // Kept to the end of the process and never destroyed: the fuzzer leaves through exit(),
    // after which Qt may no longer take its application apart.
    static auto* application = new QApplication(*argc, *argv);
    Q_UNUSED(application);
    QApplication::setQuitOnLastWindowClosed(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ui::QtMessageBoxes boxes;
    bool ended = false;
    {
        ui::Program program(boxes, [&ended] { ended = true; });
        longWaits = 0;
        program.Start();
        Settle();
        CheckRules(program);
        for (std::size_t at = 0; at + 1 < size && !ended; at += 2) {
            ApplyEvent(program, data[at], data[at + 1]);
            Settle();
            if (!ended) {
                CheckRules(program);
            }
        }
        CloseEveryBox();
    }
    Settle();
    return 0;
}
