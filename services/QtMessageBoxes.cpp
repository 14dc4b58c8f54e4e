#include "services/QtMessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include "services/Accessibility.h"
#include "services/Activation.h"
#include "services/FormWindow.h"
#include "services/QtText.h"
#include "services/TitleBar.h"

namespace ui {

namespace {

QMessageBox::Icon QtIcon(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::Information:
            return QMessageBox::Information;
        case BoxIcon::Warning:
            return QMessageBox::Warning;
        case BoxIcon::Error:
            return QMessageBox::Critical;
        case BoxIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// The box belongs to the program window whose handler shows it, so that closing it hands
// the focus back to that window, even when the window system has not activated it yet.
QWidget* OwnerWindow() {
    if (const ActivationTracker* activation = ActivationTracker::Running()) {
        if (FormWindow* form = activation->Current(); form != nullptr && form->isVisible()) {
            return form;
        }
    }
    return QApplication::activeWindow();
}

// Qt sizes a box to its prompt and buttons, and widens it for its title by a margin that a
// title bar with an icon and buttons outgrows, so the window manager cut titles short
// (「Ent… せん」). This box widens again each time Qt has sized it, about the middle where Qt
// put it, so it stays centred on its owner.
class BoxShowingItsTitle : public QMessageBox {
  public:
    using QMessageBox::QMessageBox;

  protected:
    bool event(QEvent* event) override {
        const bool handled = QMessageBox::event(event);
        if (event->type() == QEvent::Show) {
            // Qt has just centred the box on its owner.
            middle_ = x() + width() / 2;
        }
        if (event->type() == QEvent::Show || event->type() == QEvent::LayoutRequest) {
            WidenForTitle();
        }
        return handled;
    }

  private:
    void WidenForTitle() {
        const int wanted =
            qMin(WidthShowingTitle(windowTitle()), screen()->availableGeometry().width());
        if (width() >= wanted) {
            return;
        }
        setFixedWidth(wanted);
        move(middle_ - wanted / 2, y());
    }

    int middle_ = 0;
};

// What a button's words show: its shortcut's mark "&" is not shown ("&&" shows one "&").
QString ShownButtonWords(const QString& words) {
    QString shown;
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (words[i] == u'&' && i + 1 < words.size()) {
            ++i;
        }
        shown += words[i];
    }
    return shown;
}

// Ctrl+C copies a box as text, title, prompt and buttons, on every system alike: Windows
// users know it from their own boxes, and in the browser it is the only way to take a box's
// words out of the page.
class CopyOnCtrlC : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box == nullptr || event->type() != QEvent::KeyPress ||
            !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
            return false;
        }
        text::TextList buttons;
        for (const QAbstractButton* button : box->buttons()) {
            buttons.push_back(FromQt(ShownButtonWords(button->text())));
        }
        QApplication::clipboard()->setText(
            ToQt(BoxCopyText(FromQt(box->windowTitle()), FromQt(box->text()), buttons)));
        return true;
    }
};

}  // namespace

void QtMessageBoxes::Present(const text::Text& promptText, BoxButtons buttons, BoxIcon icon,
                             const text::Text& titleText, BoxAnswered answered) {
    const QString prompt = ToQt(promptText);
    const QString title = ToQt(titleText);
    // Shown, not run in a loop of its own: the handler that opened it returns, and what
    // follows the answer runs the moment the box closes, within the key or click that
    // closed it, so the next key already finds the program as the answer left it.
    auto* box = new BoxShowingItsTitle(OwnerWindow());
    // A box has its title and the ×, and neither minimise nor maximise button.
    box->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                        Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    box->setWindowModality(Qt::ApplicationModal);
    box->setWindowTitle(title);
    box->setTextFormat(Qt::PlainText);
    box->setText(ToQt(DisplayedPrompt(promptText)));
    box->setIcon(QtIcon(icon));
    box->installEventFilter(new CopyOnCtrlC(box));
    // Qt gives a message box the role of an alert, named by its title, with the prompt as
    // its value: a screen reader reads the prompt out as the box appears. The description
    // carries the prompt too, for readers that look there.
    SetAccessibleDescription(*box, ToQt(DisplayedPrompt(promptText)));
    if (buttons == BoxButtons::YesNo) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::No);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
        box->setDefaultButton(QMessageBox::Ok);
        box->setEscapeButton(QMessageBox::Ok);
    }
    const bool tracked = ActivationTracker::Running() != nullptr;
    if (tracked) {
        ActivationTracker::Running()->BoxOpened(dynamic_cast<FormWindow*>(box->parentWidget()));
    }
    QObject::connect(
        box, &QDialog::finished, box, [box, buttons, tracked, answered = std::move(answered)] {
            const bool yes = box->standardButton(box->clickedButton()) == QMessageBox::Yes;
            if (tracked && ActivationTracker::Running() != nullptr) {
                ActivationTracker::Running()->BoxAnswered();
            }
            // The window system acts on the box's going after this: until it has (Wine's
            // window manager activating the window focused last, for one), its activations
            // still belong to the box, and only then does the owner get the keyboard back.
            QTimer::singleShot(0, box, [box, tracked] {
                if (tracked && ActivationTracker::Running() != nullptr) {
                    ActivationTracker::Running()->BoxClosed();
                }
                box->deleteLater();
            });
            if (buttons == BoxButtons::YesNo) {
                answered(yes ? BoxAnswer::Yes : BoxAnswer::No);
            } else {
                answered(BoxAnswer::Ok);
            }
        });
    box->show();
}

}  // namespace ui
