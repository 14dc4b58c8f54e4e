// The indicator bar on the board, tick by tick.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>
#include <QThread>

#include "support/ProgramFixture.h"

namespace {

using testing_support::ProgramFixture;

class Indicator : public ProgramFixture {
  protected:
    void TickUntil(int ticks) {
        while (board().Ticks < ticks) {
            board().Timer1_Timer();
        }
    }
};

struct IndicatorRow {
    int ticks;
    int width;
    int height;
    const char* caption;
    colour::BgrColour colour;
    const char* heard;  // the speed a screen reader hears, told once a second
};

TEST_F(Indicator, WorkedExampleForAFourteenCharacterText) {
    StartLesson(0);  // 14 cells, 60 a minute: one pass of the indicator takes 140 ticks
    ASSERT_EQ(board().Width(), 6930);
    const IndicatorRow rows[] = {
        {1, 50, 255, "25,200", colour::kNavy, ""},
        {9, 446, 255, "2,800", colour::kNavy, ""},
        {10, 495, 255, "2,520", colour::kNavy, "2,520"},
        {70, 3465, 255, "360", colour::kNavy, "360"},
        {140, 0, 375, "180", colour::kNavy, "180"},
        {280, 0, 495, "90", colour::kNavy, "90"},
        {420, 0, 495, "60", colour::kNavy, "60"},
        {421, 50, 495, "60", colour::kRed, "60"},
        {560, 0, 495, "45", colour::kRed, "45"},
    };
    for (const IndicatorRow& row : rows) {
        TickUntil(row.ticks);
        SCOPED_TRACE(row.ticks);
        EXPECT_EQ(board().Label2.Width(), row.width);
        EXPECT_EQ(board().Label2.Height(), row.height);
        EXPECT_EQ(board().Label2.Caption(), QString::fromUtf8(row.caption));
        EXPECT_EQ(board().Label2.BackColor(), row.colour);
        const QString heard = QString::fromUtf8(row.heard);
        EXPECT_EQ(
            QAccessible::queryAccessibleInterface(board().Label2.Widget())->text(QAccessible::Name),
            heard.isEmpty() ? QStringLiteral("インジケーター")
                            : QStringLiteral("インジケーター：%1字／分").arg(heard));
    }
}

TEST_F(Indicator, PassLengthFollowsTheChosenSpeed) {
    struct {
        void (Menu::*choose)();
        int pass;
    } const speeds[] = {{&Menu::S90_Click, 93}, {&Menu::S180_Click, 47}};
    for (const auto& speed : speeds) {
        (menu().*speed.choose)();
        StartLesson(0);
        TickUntil(speed.pass - 1);
        EXPECT_GT(board().Label2.Width(), 6000);
        EXPECT_EQ(board().Label2.Height(), 255);
        TickUntil(speed.pass);
        EXPECT_EQ(board().Label2.Width(), 0);
        EXPECT_EQ(board().Label2.Height(), 375);
        board().Form_MouseDown(2);  // give the run up before the next speed
    }
}

TEST_F(Indicator, SpeedChangedDuringARunAppliesFromTheNextTick) {
    StartLesson(0);
    TickUntil(100);
    EXPECT_EQ(board().Label2.BackColor(), colour::kNavy);  // 252 a minute reachable
    menu().S180_Click();
    TickUntil(141);  // 178.7 reachable, below 180
    EXPECT_EQ(board().Label2.BackColor(), colour::kRed);
    EXPECT_EQ(board().Ticks, 141);  // the clock was not reset
}

TEST_F(Indicator, ActivationRestoresTheBarsLook) {
    StartLesson(0);
    TickUntil(421);
    ASSERT_EQ(board().Label2.BackColor(), colour::kRed);
    board().Form_Activate();  // as when the pupil comes back to the board
    AnswerBoxes();
    EXPECT_EQ(board().Label2.BackColor(), colour::kNavy);
    EXPECT_EQ(board().Label2.Height(), 255);
    EXPECT_EQ(board().Ticks, 421);
}

TEST_F(Indicator, TicksHoldAtTheirLimitAndTheRunStillEnds) {
    StartLesson(2);
    board().Ticks = 32766;
    board().Timer1_Timer();
    board().Timer1_Timer();
    EXPECT_EQ(board().Ticks, 32767);
    Type(testing_support::LessonKeys(2));
    // 6 units in 32,767 tenths of a second
    EXPECT_EQ(LastPrompt(), QStringLiteral("0.1打／分\rミス0回"));
    EXPECT_TRUE(board().Widget()->isHidden());
}

// A program held up (a hidden or frozen page, a busy machine) misses ticks; the run's time
// is still the time that passed, and the bar catches up at the next tick.
TEST_F(Indicator, TicksMissedWhileTheProgramWasHeldUpStillCount) {
    StartLesson(0);
    QTest::qWait(250);  // the timer's own ticks
    const int before = board().Ticks;
    ASSERT_GE(before, 1);
    QThread::msleep(1600);  // no event is handled: no tick comes
    QTest::qWait(150);
    EXPECT_GE(board().Ticks, before + 16);
    EXPECT_LE(board().Ticks, 25);  // 2 s at most, with room for a slow machine
    // A cell's width (495 twips) for each tenth of a character at 60 a minute.
    EXPECT_NEAR(board().Label2.Width(), 49.5 * board().Ticks, 1.0);

    // The last key comes before the late tick: the time since the last tick counts too.
    const QString keys = testing_support::LessonKeys(0);
    Type(keys.left(keys.size() - 1));
    const int beforeLastKey = board().Ticks;
    QThread::msleep(500);
    QKeyEvent lastKey(QEvent::KeyPress, 0, Qt::NoModifier, keys.right(1));
    QApplication::sendEvent(board().Widget(), &lastKey);
    EXPECT_GE(board().Ticks, beforeLastKey + 5);
}

TEST_F(Indicator, TimerRunsOnlyDuringARun) {
    EXPECT_FALSE(program->BoardIfLoaded());
    StartLesson(0);
    EXPECT_TRUE(board().Timer1.Enabled());
    EXPECT_EQ(board().Timer1.Interval(), 100);
    Type(testing_support::LessonKeys(0));
    EXPECT_FALSE(board().Timer1.Enabled());
}

}  // namespace
