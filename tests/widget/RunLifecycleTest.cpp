// Starting, interrupting and giving up runs; when the board's activation runs.
#include <gtest/gtest.h>

#include <QMouseEvent>

#include "support/ProgramFixture.h"

namespace {

using testing_support::LessonKeys;
using testing_support::ProgramFixture;

const QString kStartPrompt = QStringLiteral("Enterを押して、スタート");

class RunLifecycle : public ProgramFixture {
  protected:
    int StartBoxes() const {
        int count = 0;
        for (const auto& box : boxes.shown) {
            count += box.prompt == kStartPrompt ? 1 : 0;
        }
        return count;
    }
    void ClickOnBoard(Qt::MouseButton button) {
        const QPointF centre(board().Widget()->width() / 2.0, board().Widget()->height() / 2.0);
        QMouseEvent press(QEvent::MouseButtonPress, centre, board().Widget()->mapToGlobal(centre),
                          button, button, Qt::NoModifier);
        // Pressed over a cell: the cell passes the press on to the board.
        QWidget* target = board().Widget()->childAt(centre.toPoint());
        QApplication::sendEvent(target != nullptr ? target : board().Widget(), &press);
    }
    void RightClickOnBoard() { ClickOnBoard(Qt::RightButton); }
};

TEST_F(RunLifecycle, LessonButtonBuildsTheRunBeforeTheBoardActivates) {
    bool checked = false;
    boxes.whileOpen = [&](const testing_support::ShownBox& box) {
        if (box.prompt != kStartPrompt || checked) {
            return;
        }
        checked = true;
        EXPECT_EQ(Module1::LessonIndex, 2);
        EXPECT_EQ(Module1::PracticeText, u"ようこそ！■");
        EXPECT_EQ(Module1::RomajiQueue, u"YO_U_KO_SO_!_ _=");
        for (const ui::Label& cell : board().Label1) {
            EXPECT_FALSE(cell.Visible());
        }
        EXPECT_EQ(board().Label2.Width(), 0);
        EXPECT_FALSE(board().Timer1.Enabled());  // the run starts once the box is closed
    };
    StartLesson(2);
    EXPECT_TRUE(checked);
    for (const ui::Label& cell : board().Label1) {
        EXPECT_TRUE(cell.Visible());
    }
    EXPECT_TRUE(board().Timer1.Enabled());
}

TEST_F(RunLifecycle, ActivationLaysTheTextIntoTheCellsAndSizesTheBoard) {
    board().Label1[28].SetCaption(u"x");  // never written by the board
    StartLesson(0);
    const QString text = QStringLiteral("ちゅうがくせいの■みなさん■");
    for (int i = 0; i < 28; ++i) {
        EXPECT_EQ(board().Label1[static_cast<std::size_t>(i)].Caption(),
                  i < 14 ? text.mid(i, 1) : QString())
            << i;
    }
    EXPECT_EQ(board().Label1[28].Caption(), u"x");
    EXPECT_EQ(board().Width(), 14 * 495);
    EXPECT_EQ(board().Label3.BackColor(), colour::kBlack);
    EXPECT_EQ(board().Label2.Height(), 255);
}

TEST_F(RunLifecycle, BoardSitsDirectlyBelowTheMenuWindow) {
    StartLesson(0);
    EXPECT_EQ(board().Top(), menu().Top() + menu().Height());
}

TEST_F(RunLifecycle, BoardIsCreatedOnFirstUseAndKept) {
    EXPECT_EQ(program->BoardIfLoaded(), nullptr);
    StartLesson(0);
    PracticeBoard* first = program->BoardIfLoaded();
    ASSERT_NE(first, nullptr);
    Type(LessonKeys(0));
    StartLesson(1);
    EXPECT_EQ(program->BoardIfLoaded(), first);
}

// What the board asks of the menu's buttons, by index: none beyond the last.
TEST_F(RunLifecycle, TheBoardReachesTheLessonButtonsThroughTheProgram) {
    EXPECT_EQ(program->LessonButton(0), &menu().Command1[0]);
    EXPECT_EQ(program->LessonButton(20), &menu().Command1[20]);
    EXPECT_EQ(program->LessonButton(21), nullptr);
}

TEST_F(RunLifecycle, ButtonBelowTheGridStartsNothing) {
    menu().Command1[20].SetVisible(true);
    menu().Command1[20].Click();
    EXPECT_EQ(program->BoardIfLoaded(), nullptr);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(Module1::LessonIndex, 0);
    EXPECT_TRUE(Module1::PracticeText.empty());
    EXPECT_TRUE(Module1::RomajiQueue.empty());
}

TEST_F(RunLifecycle, NewLessonDuringARunStartsAFreshRun) {
    StartLesson(0);
    Type(QStringLiteral("tyuxx"));
    board().Ticks = 50;
    ASSERT_EQ(board().MissCount, 2);

    StartLesson(1);
    EXPECT_EQ(StartBoxes(), 2);
    EXPECT_EQ(board().Ticks, 0);
    EXPECT_EQ(board().TypedCount, 0);
    EXPECT_EQ(board().MissCount, 0);
    EXPECT_EQ(board().Label3.Caption(), QString());
    EXPECT_EQ(board().Label3.Left(), 120);
    EXPECT_TRUE(board().Timer1.Enabled());

    FinishRunWithTicks(LessonKeys(1), 110);  // 11 units in 11 s
    EXPECT_EQ(LastPrompt(), QStringLiteral("60打／分\r合格圏内"));
    EXPECT_EQ(menu().Command1[1].Caption(), u"60.0");
    EXPECT_EQ(menu().Command1[0].Caption(), u"1ページ");
}

TEST_F(RunLifecycle, ReturningToTheBoardMidRunKeepsTheRun) {
    StartLesson(0);
    Type(QStringLiteral("tyuux"));
    board().Ticks = 40;

    menu().NoteInteraction();   // the pupil clicks the menu window...
    board().NoteInteraction();  // ...and back on the board
    EXPECT_EQ(StartBoxes(), 2);
    EXPECT_EQ(board().Ticks, 40);
    EXPECT_EQ(board().TypedCount, 3);
    EXPECT_EQ(board().MissCount, 1);
    EXPECT_TRUE(Module1::RomajiQueue.starts_with(u"GA_"));
    EXPECT_EQ(board().Label1[0].Caption(), u"ち");
}

TEST_F(RunLifecycle, ClosingABoxDoesNotActivateTheBoardAgain) {
    StartLesson(0);
    ASSERT_EQ(StartBoxes(), 1);
    // Under a window manager, the board is made active again when a box closes.
    program->Activation().PlatformActivated(*board().Widget());
    Type(QStringLiteral("x"));
    program->Activation().PlatformActivated(*board().Widget());
    EXPECT_EQ(StartBoxes(), 1);
}

TEST_F(RunLifecycle, SecondActivationInARowShowsTheWarningIcon) {
    ClearLesson(0, LessonKeys(0), 100);
    boxes.Clear();
    StartLesson(1);
    menu().NoteInteraction();
    board().NoteInteraction();
    ASSERT_EQ(StartBoxes(), 2);
    EXPECT_EQ(boxes.shown[0].icon, ui::BoxIcon::Information);
    EXPECT_EQ(boxes.shown[1].icon, ui::BoxIcon::Warning);
}

TEST_F(RunLifecycle, RightClickGivesTheRunUp) {
    StartLesson(0);
    Type(QStringLiteral("tyu"));
    const std::size_t before = boxes.shown.size();
    EXPECT_TRUE(program->RunInProgressOnBoard());
    RightClickOnBoard();
    EXPECT_FALSE(program->RunInProgressOnBoard());

    EXPECT_EQ(boxes.shown.size(), before);  // no result box
    EXPECT_FALSE(board().Timer1.Enabled());
    EXPECT_TRUE(board().Widget()->isHidden());
    EXPECT_FALSE(menu().Widget()->isHidden());
    EXPECT_EQ(menu().Command1[0].Caption(), u"1ページ");
    EXPECT_EQ(Module1::ClearedFlag, 0);

    StartLesson(0);
    EXPECT_EQ(board().TypedCount, 0);
    EXPECT_EQ(Module1::RomajiQueue.substr(0, 3), QStringLiteral("TY_"));
    ClearLesson(0, LessonKeys(0), 100);
    EXPECT_EQ(menu().Command1[0].Caption(), u"84.0");
}

TEST_F(RunLifecycle, OtherMouseButtonsDoNothing) {
    StartLesson(0);
    board().Form_MouseDown(1);
    ClickOnBoard(Qt::LeftButton);
    ClickOnBoard(Qt::MiddleButton);
    ClickOnBoard(Qt::BackButton);
    EXPECT_TRUE(board().Timer1.Enabled());
    EXPECT_FALSE(board().Widget()->isHidden());
}

TEST_F(RunLifecycle, ClosingTheBoardGivesTheRunUp) {
    // Not while its start box is open: the box would stay, and start a run on a hidden board.
    menu().Command1[0].Click();
    ASSERT_EQ(boxes.OpenBoxes(), 1u);
    EXPECT_FALSE(board().Widget()->close());
    EXPECT_FALSE(menu().Widget()->close()) << "no quit question over another box";
    AnswerBoxes();
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_FALSE(board().Widget()->isHidden());
    EXPECT_TRUE(board().RunInProgress());

    Type(QStringLiteral("tyu"));
    board().Widget()->close();
    EXPECT_FALSE(board().Timer1.Enabled());
    EXPECT_TRUE(board().Widget()->isHidden());
    EXPECT_FALSE(menu().Widget()->isHidden());
    EXPECT_EQ(boxes.WithTitle(QStringLiteral("タイム")).size(), 0u);
}

TEST_F(RunLifecycle, LastKeyCarriesOverToTheNextRun) {
    StartLesson(2);
    Module1::RomajiQueue = u"S_=";  // a run that ends with s
    Type(QStringLiteral("s"));
    ASSERT_TRUE(board().Widget()->isHidden());

    StartLesson(9);
    Module1::RomajiQueue = u"Y_O_=";
    Type(QStringLiteral("h"));  // SH for SY: the S was typed in the run before
    EXPECT_EQ(board().MissCount, 0);
    EXPECT_EQ(Module1::RomajiQueue, u"O_=");
}

}  // namespace
