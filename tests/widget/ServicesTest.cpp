// The user-interface services the windows are built on.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QClipboard>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTranslator>
#include <QWindow>
#include <array>
#include <memory>

#include "services/ButtonWords.h"
#include "services/Controls.h"
#include "services/LessonButton.h"
#include "services/QtColour.h"
#include "services/QtMessageBoxes.h"
#include "services/TitleBar.h"
#include "support/ProgramFixture.h"

namespace {

using testing_support::ProgramFixture;

class Services : public ProgramFixture {};

TEST_F(Services, ControlsReadBackTheTwipsLastWritten) {
    ui::Label label;
    label.Create(menu());
    for (int value : {0, 1, 7, 8, 49, 50, 1935, 3465, 6930, 14040}) {
        label.SetWidth(value);
        label.SetLeft(value);
        EXPECT_EQ(label.Width(), value);
        EXPECT_EQ(label.Left(), value);
    }
    // A change made outside the program's logic shows through in whole pixels.
    label.Widget()->move(10, 0);
    EXPECT_EQ(label.Left(), 150);
}

TEST_F(Services, GeometryIsFifteenTwipsAPixel) {
    const ui::CommandButton& button = menu().Command1[1];
    EXPECT_EQ(button.Widget()->geometry(), QRect(104, 8, 89, 33));
    EXPECT_EQ(menu().Client()->size(), QSize(496, 199));
}

TEST_F(Services, FixedAndSystemColours) {
    EXPECT_EQ(ui::ResolveColour(0x008080FF), QColor(255, 128, 128));
    EXPECT_EQ(ui::ResolveColour(0x00FFFFC0), QColor(0xC0, 0xFF, 0xFF));
    EXPECT_EQ(ui::ResolveColour(0x80000007), QApplication::palette().color(QPalette::WindowText));
    EXPECT_EQ(ui::ResolveColour(0x8000000E),
              QApplication::palette().color(QPalette::HighlightedText));
}

TEST_F(Services, TitlelessBoxCarriesTheApplicationTitle) {
    program->Boxes().MsgBox(u"x", ui::BoxButtons::Ok, ui::BoxIcon::None);
    EXPECT_EQ(LastTitle(), QStringLiteral("タイピングソフト"));
    program->Boxes().MsgBox(u"x", ui::BoxButtons::Ok, ui::BoxIcon::None, u"タイム");
    EXPECT_EQ(LastTitle(), QStringLiteral("タイム"));
}

TEST_F(Services, QtBoxShowsEachCarriageReturnLineOnALineOfItsOwn) {
    EXPECT_EQ(ui::DisplayedPrompt(u"64.6打／分\r合格圏内"), u"64.6打／分\n合格圏内");
    EXPECT_EQ(ui::DisplayedPrompt(u"a\r\nb"), u"a\nb");
    EXPECT_EQ(ui::DisplayedPrompt(u"開発  県立薫風高校"), u"開発  県立薫風高校");
}

TEST_F(Services, RealBoxesReachScreenReadersAsAlertsNamedByTheirTitles) {
    // Prompt and title given; what a screen reader hears as the box's name and its prompt
    // (value and description).
    const std::array<QString, 4> rows[] = {
        {QStringLiteral("64.6打／分\r合格圏内"), QStringLiteral("タイム"), QStringLiteral("タイム"),
         QStringLiteral("64.6打／分\n合格圏内")},
        {QStringLiteral("本当に終わりますか"), QString(), QStringLiteral("タイピングソフト"),
         QStringLiteral("本当に終わりますか")},
    };
    ui::QtMessageBoxes real;
    for (const auto& [prompt, title, name, shownPrompt] : rows) {
        real.MsgBox(ui::FromQt(prompt), ui::BoxButtons::YesNo, ui::BoxIcon::Warning,
                    ui::FromQt(title));
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        QAccessibleInterface* alert = QAccessible::queryAccessibleInterface(box);
        const QStringList heard{QString::number(alert->role()), alert->text(QAccessible::Name),
                                alert->text(QAccessible::Value),
                                alert->text(QAccessible::Description)};
        box->done(0);
        EXPECT_EQ(heard.join(u'|').toStdString(),
                  QStringList(
                      {QString::number(QAccessible::AlertMessage), name, shownPrompt, shownPrompt})
                      .join(u'|')
                      .toStdString());
    }
}

// The answer runs within the key that closes the box, before the next key is read: a key
// typed right after it finds the program as the answer left it.
TEST_F(Services, ARealBoxAnswersWithinTheKeyThatClosesIt) {
    struct Row {
        ui::BoxButtons buttons;
        Qt::Key key;
        ui::BoxAnswer answer;
    };
    const Row rows[] = {
        {ui::BoxButtons::Ok, Qt::Key_Return, ui::BoxAnswer::Ok},
        {ui::BoxButtons::Ok, Qt::Key_Escape, ui::BoxAnswer::Ok},
        {ui::BoxButtons::YesNo, Qt::Key_Return, ui::BoxAnswer::Yes},
        {ui::BoxButtons::YesNo, Qt::Key_Escape, ui::BoxAnswer::No},
        // The shortcuts of 「はい(Y)」 and 「いいえ(N)」, which Qt shows pressed for a moment.
        {ui::BoxButtons::YesNo, Qt::Key_Y, ui::BoxAnswer::Yes},
        {ui::BoxButtons::YesNo, Qt::Key_N, ui::BoxAnswer::No},
    };
    ui::QtMessageBoxes real;
    for (const Row& row : rows) {
        std::vector<ui::BoxAnswer> answers;
        real.MsgBox(u"x", row.buttons, ui::BoxIcon::None, {},
                    [&answers](ui::BoxAnswer answer) { answers.push_back(answer); });
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(answers.empty()) << "answered before the box closed";
        QTest::keyClick(box->focusWidget(), row.key);
        if (row.key == Qt::Key_Y || row.key == Qt::Key_N) {
            EXPECT_TRUE(QTest::qWaitFor([&answers] { return !answers.empty(); }, 1000));
        }
        EXPECT_EQ(answers, std::vector<ui::BoxAnswer>{row.answer});
    }
}

TEST_F(Services, CtrlCCopiesARealBoxAsText) {
    // Buttons, then prompt and title given; what the clipboard holds after Ctrl+C.
    const std::array<QString, 4> rows[] = {
        {QStringLiteral("OK"), QStringLiteral("64.6打／分\r合格圏内"), QStringLiteral("タイム"),
         QStringLiteral("---------------------------\nタイム\n---------------------------\n"
                        "64.6打／分\n合格圏内\n---------------------------\nOK   \n"
                        "---------------------------\n")},
        {QStringLiteral("YesNo"), QStringLiteral("本当に終わりますか"), QStringLiteral("薫風高校"),
         QStringLiteral("---------------------------\n薫風高校\n---------------------------\n"
                        "本当に終わりますか\n---------------------------\nはい(Y)   いいえ(N)   \n"
                        "---------------------------\n")},
    };
    ui::QtMessageBoxes real;
    for (const auto& [buttons, prompt, title, copied] : rows) {
        QApplication::clipboard()->clear();
        real.MsgBox(ui::FromQt(prompt),
                    buttons == "OK" ? ui::BoxButtons::Ok : ui::BoxButtons::YesNo, ui::BoxIcon::None,
                    ui::FromQt(title));
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        QTest::keyClick(box->focusWidget(), Qt::Key_C, Qt::ControlModifier);
        qobject_cast<QMessageBox*>(box)->done(0);
        EXPECT_EQ(QApplication::clipboard()->text().toStdString(), copied.toStdString());
    }
}

// A box is as wide as its whole title needs in a title bar; its prompt stays as it is. (What
// a window manager makes of its buttons is checked on the screen.)
TEST_F(Services, RealBoxesShowTheirWholeTitle) {
    // Prompt and title given.
    const std::array<QString, 2> rows[] = {
        {QStringLiteral("Tです"), QStringLiteral("Enterではありません")},
        {QStringLiteral("64.6打／分\r合格圏内"), QStringLiteral("よくがんばりました")},
    };
    ui::QtMessageBoxes real;
    for (const auto& [prompt, title] : rows) {
        real.MsgBox(ui::FromQt(prompt), ui::BoxButtons::Ok, ui::BoxIcon::Information,
                    ui::FromQt(title));
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        QApplication::processEvents();
        const int wanted = ui::WidthShowingTitle(title);
        const QString shownPrompt = box->text();
        const int width = box->width();
        box->done(0);
        EXPECT_GE(width, wanted) << title.toStdString();
        EXPECT_EQ(ui::DisplayedPrompt(ui::FromQt(prompt)), shownPrompt);
    }
}

// The desktop's words are Qt's own Japanese translation's, which the browser carries alone.
TEST_F(Services, YesAndNoSpeakQtsOwnJapanese) {
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), ui::kYesButtonWords);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&No"), ui::kNoButtonWords);
    std::unique_ptr<QTranslator> alone(ui::NewYesNoTranslator());
    EXPECT_EQ(alone->translate("QPlatformTheme", "&Yes"), ui::kYesButtonWords);
    EXPECT_EQ(alone->translate("QPlatformTheme", "&No"), ui::kNoButtonWords);
    EXPECT_EQ(alone->translate("QPlatformTheme", "OK"), QString());
}

TEST_F(Services, WindowTitlesAreExactlyTheCaptions) {
    StartLesson(0);
    EXPECT_EQ(menu().Widget()->windowTitle(), QStringLiteral("ページを選ぼう"));
    EXPECT_EQ(board().Widget()->windowTitle(), QStringLiteral("薫風高校タイピング"));
    EXPECT_TRUE(QGuiApplication::applicationDisplayName() == QCoreApplication::applicationName() ||
                QGuiApplication::applicationDisplayName().isEmpty());
}

TEST_F(Services, ActivateRunsOncePerSwitchBetweenTheProgramsWindows) {
    ui::ActivationTracker& tracker = program->Activation();
    EXPECT_EQ(tracker.Current(), menu().Widget());  // shown at start

    StartLesson(0);
    EXPECT_EQ(tracker.Current(), board().Widget());
    const std::size_t boxesAfterStart = boxes.shown.size();

    // Focus coming back from a box, or from another program, is no new activation.
    tracker.PlatformActivated(*board().Widget());
    tracker.PlatformActivated(*board().Widget());
    EXPECT_EQ(boxes.shown.size(), boxesAfterStart);

    // A switch to the menu and back is.
    tracker.PlatformActivated(*menu().Widget());
    EXPECT_EQ(tracker.Current(), menu().Widget());
    tracker.PlatformActivated(*board().Widget());
    EXPECT_EQ(boxes.shown.size(), boxesAfterStart + 1);
}

// Windows gives the keyboard to the next window in its stacking order when a box closes;
// the box's owner is then activated again, and neither activation is a switch.
TEST_F(Services, ActivationsWhileABoxHandsTheKeyboardBackAreNoSwitches) {
    ui::ActivationTracker& tracker = program->Activation();
    StartLesson(0);
    const std::size_t boxesAfterStart = boxes.shown.size();
    const auto menuTakesFocus = [this] {
        return !menu().Widget()->windowHandle()->flags().testFlag(Qt::WindowDoesNotAcceptFocus);
    };
    tracker.BoxOpened(board().Widget());
    EXPECT_FALSE(menuTakesFocus()) << "the window manager may focus the menu when the box closes";
    tracker.PlatformActivated(*menu().Widget());
    tracker.BoxClosed();
    tracker.PlatformActivated(*menu().Widget());
    EXPECT_EQ(tracker.Current(), board().Widget());
    tracker.PlatformActivated(*board().Widget());
    EXPECT_EQ(boxes.shown.size(), boxesAfterStart) << "the board's Activate ran again";
    EXPECT_TRUE(menuTakesFocus());

    tracker.PlatformActivated(*menu().Widget());
    EXPECT_EQ(tracker.Current(), menu().Widget()) << "a switch after the hand-back was not taken";

    // The pupil's own click on the other window ends a hand-back at once.
    tracker.PlatformActivated(*board().Widget());
    AnswerBoxes();  // the start box of the switch back
    tracker.BoxOpened(board().Widget());
    tracker.BoxClosed();
    QTest::mousePress(menu().Client(), Qt::LeftButton);
    EXPECT_TRUE(menuTakesFocus()) << "a click on the menu waited for the hand-back";
    tracker.PlatformActivated(*menu().Widget());
    EXPECT_EQ(tracker.Current(), menu().Widget()) << "the pupil's click was undone";

    // A box whose answer opens the next before the first is reported closed: the keyboard
    // goes back when the last one has closed.
    tracker.PlatformActivated(*board().Widget());
    AnswerBoxes();
    tracker.BoxOpened(board().Widget());
    tracker.BoxOpened(board().Widget());
    tracker.BoxClosed();
    tracker.PlatformActivated(*board().Widget());
    EXPECT_FALSE(menuTakesFocus()) << "the keyboard went back while the second box was open";
    tracker.BoxClosed();
    tracker.PlatformActivated(*board().Widget());
    EXPECT_TRUE(menuTakesFocus());

    // A box that is open keeps the keyboard, whatever the program shows and the pupil
    // clicks. In the browser, showing the board delivers its activation at once, which opens
    // the start box before Show notes the board active; the double click's second press
    // then lands on the menu.
    board().Form_MouseDown(2);
    const std::size_t boxesBeforeLesson = boxes.shown.size();
    menu().Command1[0].Click();
    ASSERT_EQ(boxes.OpenBoxes(), 1u);
    tracker.Activated(*board().Widget());
    EXPECT_FALSE(menuTakesFocus()) << "showing the board ended the start box's hold";
    QTest::mouseDClick(menu().Command1[0].Widget(), Qt::LeftButton);
    EXPECT_FALSE(menuTakesFocus()) << "a click on the menu took the keyboard from the box";
    EXPECT_EQ(boxes.shown.size(), boxesBeforeLesson + 1) << "one start box";
    AnswerBoxes();
    EXPECT_TRUE(board().RunInProgress());
}

TEST_F(Services, AnOwnerThatNeverGetsTheKeyboardBackHoldsNoSwitchUpForLong) {
    ui::ActivationTracker& tracker = program->Activation();
    tracker.SetHandBackPatience(std::chrono::milliseconds(0));
    StartLesson(0);
    tracker.BoxOpened(board().Widget());
    tracker.BoxClosed();
    QTest::qWait(20);
    EXPECT_FALSE(menu().Widget()->windowHandle()->flags().testFlag(Qt::WindowDoesNotAcceptFocus));
    tracker.PlatformActivated(*menu().Widget());
    EXPECT_EQ(tracker.Current(), menu().Widget());
}

TEST_F(Services, HiddenWindowIsNotActivatedByALateWindowSystemEvent) {
    StartLesson(0);
    Type(testing_support::LessonKeys(0));  // the run ends: board hidden, menu shown
    ASSERT_TRUE(board().Widget()->isHidden());
    const std::size_t before = boxes.shown.size();
    program->Activation().PlatformActivated(*board().Widget());
    EXPECT_EQ(boxes.shown.size(), before);
    EXPECT_EQ(program->Activation().Current(), menu().Widget());
}

TEST_F(Services, WindowShownAgainAfterHidingIsActivatedAgain) {
    StartLesson(0);
    board().Form_MouseDown(2);
    boxes.Clear();
    board().Show();
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(Services, EndingTheProgramGoesThroughTheProgramsOwnEnd) {
    program->End();
    EXPECT_EQ(endRequests, 1);
}

}  // namespace
