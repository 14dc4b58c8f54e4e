// Whole runs typed through key events: the verdict, the result boxes and what a cleared run
// leaves on the menu window.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QMetaEnum>
#include <string>
#include <vector>

#include "guide/KeyboardGuide.h"
#include "record/RecordWindow.h"
#include "services/QtColour.h"
#include "support/ProgramFixture.h"

namespace {

using testing_support::LessonKeys;
using testing_support::ProgramFixture;
using testing_support::ShownBox;

const QString kStartPrompt = QStringLiteral("Enterを押して、スタート");
const QString kStartTitle = QStringLiteral("タイピングテスト");
const QString kEndPrompt = QStringLiteral("終わりました");
const QString kEndTitle = QStringLiteral("よくがんばりました");
const QString kResultTitle = QStringLiteral("タイム");

class TypingRun : public ProgramFixture {};

// A window as a screen reader walks it, one node a line: its depth, role and name, and its
// description after "|".
void Walk(QAccessibleInterface* node, int depth, std::vector<std::string>& lines) {
    lines.push_back(QStringLiteral("%1 %2 %3|%4")
                        .arg(depth)
                        .arg(QMetaEnum::fromType<QAccessible::Role>().valueToKey(node->role()),
                             node->text(QAccessible::Name), node->text(QAccessible::Description))
                        .toStdString());
    for (int child = 0; child < node->childCount(); ++child) {
        Walk(node->child(child), depth + 1, lines);
    }
}

TEST_F(TypingRun, CleanRunOfLessonOneWithChuForTyu) {
    StartLesson(0);
    FinishRunWithTicks(QStringLiteral("chuugakuseino minasan "), 130);

    ASSERT_EQ(boxes.shown.size(), 3u);
    EXPECT_EQ(boxes.shown[0].prompt, kStartPrompt);
    EXPECT_EQ(boxes.shown[0].title, kStartTitle);
    EXPECT_EQ(boxes.shown[0].icon, ui::BoxIcon::Warning);  // no run cleared before
    EXPECT_EQ(boxes.shown[1].prompt, kEndPrompt);
    EXPECT_EQ(boxes.shown[1].title, kEndTitle);
    EXPECT_EQ(boxes.shown[1].icon, ui::BoxIcon::Warning);
    EXPECT_EQ(boxes.shown[2].prompt, QStringLiteral("64.6打／分\r合格圏内"));
    EXPECT_EQ(boxes.shown[2].title, kResultTitle);
    EXPECT_EQ(boxes.shown[2].icon, ui::BoxIcon::Information);

    EXPECT_EQ(board().TypedCount, 14);
    EXPECT_EQ(board().MissCount, 0);
    EXPECT_FALSE(board().Timer1.Enabled());
    EXPECT_TRUE(board().Widget()->isHidden());
    EXPECT_FALSE(menu().Widget()->isHidden());
    EXPECT_EQ(menu().Command1[0].Caption(), u"64.6");
    EXPECT_EQ(Module1::ClearedFlag, -1);
    EXPECT_TRUE(Module1::RomajiQueue.empty());
}

struct VerdictCase {
    const char* name;
    int misses;
    int ticks;
    const char* resultPrompt;
    ui::BoxIcon icon;
    const char* captionAfter;
};

class VerdictBoundaries : public ProgramFixture,
                          public ::testing::WithParamInterface<VerdictCase> {};

TEST_P(VerdictBoundaries, ResultBoxAndCaption) {
    const VerdictCase& c = GetParam();
    StartLesson(0);
    for (int i = 0; i < c.misses; ++i) {
        Type(QStringLiteral("x"));
    }
    FinishRunWithTicks(LessonKeys(0), c.ticks);

    const ShownBox& result = boxes.shown.back();
    EXPECT_EQ(result.title, QStringLiteral("タイム"));
    EXPECT_EQ(result.prompt, QString::fromUtf8(c.resultPrompt));
    EXPECT_EQ(result.icon, c.icon);
    EXPECT_EQ(menu().Command1[0].Caption(), QString::fromUtf8(c.captionAfter));
    EXPECT_EQ(Module1::ClearedFlag, c.icon == ui::BoxIcon::Information ? -1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Lesson1, VerdictBoundaries,
    ::testing::Values(VerdictCase{"TenMissesClear", 10, 100, "84打／分\r合格圏内",
                                  ui::BoxIcon::Information, "84.0"},
                      VerdictCase{"ElevenMissesNeverClear", 11, 50, "168打／分\rミス11回",
                                  ui::BoxIcon::Error, "1ページ"},
                      VerdictCase{"SpeedEqualToTargetClears", 0, 140, "60打／分\r合格圏内",
                                  ui::BoxIcon::Information, "60.0"},
                      VerdictCase{"JustBelowTargetFails", 0, 141, "59.5打／分\rミス0回",
                                  ui::BoxIcon::Error, "1ページ"},
                      VerdictCase{"WorkedExampleTooSlow", 2, 150, "56打／分\rミス2回",
                                  ui::BoxIcon::Error, "1ページ"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(TypingRun, MissBoxNamesExpectedAndTypedKeys) {
    StartLesson(0);  // the queue starts with T
    Type(QStringLiteral("j"));
    EXPECT_EQ(LastPrompt(), QStringLiteral("Tです"));
    EXPECT_EQ(LastTitle(), QStringLiteral("jではありません"));
    EXPECT_EQ(boxes.shown.back().icon, ui::BoxIcon::Warning);
    EXPECT_EQ(boxes.shown.back().buttons, ui::BoxButtons::Ok);
    EXPECT_EQ(board().MissCount, 1);

    Type(QStringLiteral("t"));  // the same head is still expected
    EXPECT_EQ(board().MissCount, 1);
    EXPECT_TRUE(Module1::RomajiQueue.starts_with(u"Y_U_"));

    // The session's weak keys name the key due and the key pressed in its place.
    Type(QStringLiteral("J"));
    menu().WeakKeys_Click();
    EXPECT_EQ(LastTitle(), QStringLiteral("苦手なキー"));
    EXPECT_EQ(LastPrompt(),
              QStringLiteral("T　1回（よく押したキー：J）\rY　1回（よく押したキー：J）"));
}

// The guide shows under the board while it is on, and closing its window turns it off; turned
// on again during the run, it shows the key due at once.
TEST_F(TypingRun, TheKeyboardGuideFollowsTheBoardAndClosingItTurnsItOff) {
    menu().FingerGuide.Click();
    KeyboardGuide& guide = program->Guide();
    EXPECT_FALSE(guide.Widget()->isVisible());
    StartLesson(2);  // YO_U_KO_SO_!_ _
    EXPECT_TRUE(guide.Widget()->isVisible());
    EXPECT_EQ(guide.WindowLeft(), board().WindowLeft());
    EXPECT_EQ(guide.Top(), board().Top() + board().Height());
    Type(QStringLiteral("youkoso"));
    const auto heard = [&guide] {
        return QAccessible::queryAccessibleInterface(guide.Widget())
            ->text(QAccessible::Description);
    };
    EXPECT_EQ(heard(), QStringLiteral("次のキー：!　左手・小指、Shiftは右手・小指"));
    // As painted: the key due lit inside its edge, the edge within the key's own area, the
    // gap beside it the window's white.
    const QImage shown = guide.Widget()->grab().toImage();
    const QRect one = ui::ToQt(guide.KeyRectInWindow(u'1'));
    EXPECT_EQ(shown.pixelColor(one.left() + 2, one.top() + 2),
              ui::ResolveColour(guide::kDueColour));
    EXPECT_EQ(shown.pixelColor(one.right(), one.top() + 2), QColor(0x60, 0x60, 0x60));
    EXPECT_EQ(shown.pixelColor(one.right() + 1, one.top() + 2), QColor(Qt::white));

    guide.Widget()->close();
    EXPECT_FALSE(menu().FingerGuide.Checked());
    EXPECT_FALSE(guide.Widget()->isVisible());
    guide.FollowBoard(0, false);  // forgotten: turned on again, the guide asks the board
    menu().FingerGuide.Click();
    EXPECT_TRUE(guide.Widget()->isVisible());
    EXPECT_EQ(heard(), QStringLiteral("次のキー：!　左手・小指、Shiftは右手・小指"));
}

// The record lists the runs that ended, newest first, whatever happened on the way: a run
// given up, a run interrupted by another lesson, a pupil who went back to the menu mid-run.
// Closed and opened again, it shows the same; it never takes the keyboard.
TEST_F(TypingRun, TheRecordListsEveryFinishedRunAndNoOther) {
    menu().Record.Click();
    RecordWindow* record = program->RecordIfLoaded();
    ASSERT_NE(record, nullptr);
    EXPECT_TRUE(record->Widget()->isVisible());
    EXPECT_EQ(record->Caption(), u"成績");
    EXPECT_TRUE(record->Widget()->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(record->Runs.RowCount(), 0);
    EXPECT_EQ(record->RunResult.Caption(), u"まだ記録はありません");

    StartLesson(2);  // YO_U_KO_SO_!_ _
    Type(QStringLiteral("youkox"));
    FinishRunWithTicks(QStringLiteral("so! "), 100);
    StartLesson(0);
    Type(QStringLiteral("chuu"));
    board().Form_MouseDown(2);  // given up
    StartLesson(0);
    Type(QStringLiteral("chuu"));
    menu().Show();  // back to the menu mid-run, then on with the run
    board().Show();
    AnswerBoxes();
    Type(QStringLiteral("ga"));
    StartLesson(3);  // the run above is interrupted: KI_KA_I_KA_ _1_KU_RA_SU_ _
    FinishRunWithTicks(QStringLiteral("kikaika 1kurasu "), 200);

    ASSERT_EQ(record->Runs.RowCount(), 2);
    EXPECT_EQ(record->Runs.Cell(0, 0), QStringLiteral("4ページ"));
    EXPECT_EQ(record->Runs.Cell(1, 0), QStringLiteral("3ページ"));
    EXPECT_EQ(record->Runs.Cell(1, 1), QStringLiteral("36"));  // 6 kana in 10 s
    EXPECT_EQ(record->Runs.Cell(1, 2), QStringLiteral("1"));
    EXPECT_EQ(record->Runs.Cell(1, 4), QStringLiteral("×"));
    EXPECT_EQ(record->LastRun.Caption(), u"前回：4ページ");
    EXPECT_EQ(record->RunResult.Caption(), u"30打／分　ミス0回");
    EXPECT_EQ(record->WeakKeys.Caption(), u"苦手なキー\nS　1回");
    const std::vector<session::RunEntry>& runs = Module1::Record.Runs();
    ASSERT_EQ(runs.size(), 2u);
    ASSERT_EQ(runs[0].kana.size(), 6u);
    EXPECT_EQ(runs[0].kana[3].kana, QChar(u'そ'));
    EXPECT_EQ(runs[0].kana[3].misses, 1);  // the miss falls on the kana that was due
    EXPECT_EQ(runs[1].kana.size(), 10u);
    EXPECT_FALSE(record->Widget()->isActiveWindow());

    record->Widget()->close();
    EXPECT_FALSE(record->Widget()->isVisible());
    menu().Record.Click();
    EXPECT_TRUE(record->Widget()->isVisible());
    EXPECT_EQ(record->Runs.RowCount(), 2);
}

// A drill of the weak keys runs on the board as a lesson does, gives up the run it replaces,
// and leaves every lesson button, the lesson index and the cleared flag as they were.
TEST_F(TypingRun, AWeakKeyDrillLeavesTheLessonsAsTheyWere) {
    menu().WeakKeyDrill.Click();
    EXPECT_EQ(LastTitle(), QStringLiteral("苦手なキーの練習"));
    EXPECT_EQ(LastPrompt(), QStringLiteral("まだ苦手なキーはありません"));
    EXPECT_EQ(program->BoardIfLoaded(), nullptr);  // nothing started

    StartLesson(2);  // YO_U_KO_SO_!_ _
    Type(QStringLiteral("youkox"));
    FinishRunWithTicks(QStringLiteral("so! "), 100);  // S missed once, the run not cleared
    const auto buttons = [this] {
        std::vector<std::pair<QString, bool>> shown;
        for (const ui::CommandButton& button : menu().Command1) {
            shown.emplace_back(ui::ToQt(button.Caption()), button.Visible());
        }
        return shown;
    };
    const auto buttonsBefore = buttons();
    StartLesson(0);
    Type(QStringLiteral("chuu"));
    const std::size_t boxesBefore = boxes.shown.size();
    menu().WeakKeyDrill.Click();  // the lesson's run is given up
    ASSERT_GT(boxes.shown.size(), boxesBefore);
    EXPECT_EQ(boxes.shown[boxesBefore].title, kStartTitle);
    AnswerBoxes();
    EXPECT_EQ(board().TypedCount, 0);
    QString keys = ui::ToQt(Module1::RomajiQueue);
    keys.remove(u'_').remove(u'=');
    FinishRunWithTicks(keys.toLower(), 10);
    EXPECT_EQ(boxes.shown.back().title, kResultTitle);
    EXPECT_TRUE(boxes.shown.back().prompt.endsWith(QStringLiteral("合格圏内")))
        << boxes.shown.back().prompt.toStdString();

    EXPECT_EQ(buttons(), buttonsBefore);
    EXPECT_EQ(Module1::LessonIndex, 0);
    EXPECT_EQ(Module1::ClearedFlag, 0);
    ASSERT_FALSE(Module1::Record.Runs().empty());
    EXPECT_EQ(Module1::Record.Runs().back().page, QStringLiteral("苦手キー練習"));
}

TEST_F(TypingRun, MissBoxNamesTheSpaceBar) {
    StartLesson(2);  // YO_U_KO_SO_!_ _
    Type(QStringLiteral("youkoso!"));
    Type(QStringLiteral("x"));
    EXPECT_EQ(LastPrompt(), QStringLiteral("スペースキーです"));
    EXPECT_EQ(LastTitle(), QStringLiteral("xではありません"));
}

TEST_F(TypingRun, BestSpeedCaptionOnlyImproves) {
    menu().Command1[0].SetCaption(u"80.0");

    ClearLesson(0, LessonKeys(0), 105);  // exactly 80
    EXPECT_EQ(LastPrompt(), QStringLiteral("80打／分\r合格圏内"));
    EXPECT_EQ(menu().Command1[0].Caption(), u"80.0");

    ClearLesson(0, LessonKeys(0), 106);  // 79.2
    EXPECT_EQ(LastPrompt(), QStringLiteral("79.2打／分\r合格圏内"));
    EXPECT_EQ(menu().Command1[0].Caption(), u"80.0");

    ClearLesson(0, LessonKeys(0), 104);  // 80.7
    EXPECT_EQ(menu().Command1[0].Caption(), u"80.7");
}

TEST_F(TypingRun, ClearedRunLeavesButtonsAloneWhenItFails) {
    StartLesson(1);
    FinishRunWithTicks(LessonKeys(1), 400);  // 11 units in 40 s: 16.5 a minute
    EXPECT_EQ(LastPrompt(), QStringLiteral("16.5打／分\rミス0回"));
    for (int i = 0; i < Menu::kLessonButtons; ++i) {
        EXPECT_EQ(menu().Command1[static_cast<std::size_t>(i)].Visible(), i < 2) << i;
    }
    EXPECT_EQ(menu().Command1[1].Caption(), u"2ページ");
}

TEST_F(TypingRun, JumpAheadRevealsTheButtonTwoOn) {
    menu().Command1[3].SetVisible(true);
    menu().Command1[4].SetVisible(true);
    ClearLesson(3, LessonKeys(3), 60);
    EXPECT_TRUE(menu().Command1[5].Visible());
    EXPECT_FALSE(menu().Command1[6].Visible());
}

TEST_F(TypingRun, NoJumpAheadFromLessonTwelveOn) {
    menu().Command1[12].SetVisible(true);
    menu().Command1[13].SetVisible(true);
    ClearLesson(12, LessonKeys(12), 60);
    EXPECT_FALSE(menu().Command1[14].Visible());
}

TEST_F(TypingRun, NoJumpAheadWhenTheNextButtonIsHidden) {
    ClearLesson(0, LessonKeys(0), 100);
    // Button 1 was showing: lesson 0 also reveals button 2.
    EXPECT_TRUE(menu().Command1[2].Visible());

    menu().Command1[6].SetVisible(true);
    ClearLesson(6, LessonKeys(6), 60);  // button 7 hidden: nothing jumps to 8
    EXPECT_FALSE(menu().Command1[8].Visible());
}

TEST_F(TypingRun, KeyTrailFollowsTheNextCell) {
    StartLesson(0);  // ちゅう...
    Module1::RomajiQueue = u"KA_N_JI_=";
    // What a screen reader hears of the trail: the keys, and the kana to type next.
    const auto heard = [this] {
        QAccessibleInterface* trail =
            QAccessible::queryAccessibleInterface(board().Label3.Widget());
        return trail->text(QAccessible::Name) + u'|' + trail->text(QAccessible::Description);
    };
    Type(QStringLiteral("k"));
    EXPECT_EQ(board().Label3.Caption(), u"K");
    EXPECT_EQ(board().Label3.Left(), 120);  // the unit is not complete yet
    EXPECT_EQ(heard(), QStringLiteral("打ったキー：K|次に打つ文字：ち"));
    Type(QStringLiteral("a"));
    EXPECT_EQ(board().Label3.Left(), board().Label1[1].Left());
    EXPECT_EQ(heard(), QStringLiteral("打ったキー：KA|次に打つ文字：ゅ"));
    Type(QStringLiteral("n"));
    EXPECT_EQ(board().Label3.Left(), 1080);
    Type(QStringLiteral("j"));
    EXPECT_EQ(board().Label3.Caption(), u"ANJ");
    EXPECT_EQ(heard(), QStringLiteral("打ったキー：ANJ|次に打つ文字：う"));
    Type(QStringLiteral("i"));
    // The run is over: the trail is emptied and waits under cell 0.
    EXPECT_EQ(board().Label3.Caption(), QString());
    EXPECT_EQ(board().Label3.Left(), 120);
    EXPECT_EQ(heard(), QStringLiteral("打ったキー|次に打つ文字：ち"));
}

TEST_F(TypingRun, ScreenReaderHearsTheBoardDuringARun) {
    StartLesson(0);
    Type(QStringLiteral("chu"));
    board().Ticks = 69;
    board().Timer1_Timer();

    const QString text = QStringLiteral("ちゅうがくせいの■みなさん■");
    std::vector<std::string> expected{"0 Window 薫風高校タイピング|練習文：" + text.toStdString(),
                                      "1 Client |"};
    for (int cell = 0; cell < PracticeBoard::kCells; ++cell) {
        expected.push_back("2 StaticText " + text.mid(cell, 1).toStdString() + "|");
    }
    expected.insert(expected.end(), {"2 StaticText インジケーター：360字／分|",
                                     "2 StaticText 打ったキー：CHU|次に打つ文字：う",
                                     "2 Separator |", "2 Separator |"});
    std::vector<std::string> heard;
    Walk(QAccessible::queryAccessibleInterface(board().Widget()), 0, heard);
    EXPECT_EQ(heard, expected);
}

TEST_F(TypingRun, SpacesDigitsAndMarksStayOffTheTrail) {
    StartLesson(3);  // KI_KA_I_KA_ _1_KU_RA_SU_ _
    Type(QStringLiteral("kikaika 1"));
    EXPECT_EQ(board().Label3.Caption(), u"IKA");
}

TEST_F(TypingRun, StartBoxShowsInformationIconAfterAClearedRun) {
    ClearLesson(0, LessonKeys(0), 100);
    boxes.Clear();
    StartLesson(1);
    ASSERT_FALSE(boxes.shown.empty());
    EXPECT_EQ(boxes.shown[0].prompt, kStartPrompt);
    EXPECT_EQ(boxes.shown[0].icon, ui::BoxIcon::Information);
    EXPECT_EQ(Module1::ClearedFlag, 0);
}

TEST_F(TypingRun, ShortLessonTypedBeforeTheFirstTickStillGetsASpeed) {
    StartLesson(2);
    FinishRunWithTicks(LessonKeys(2), 0);
    // Counted as one tick: 6 units × 600.
    EXPECT_EQ(LastPrompt(), QStringLiteral("3600打／分\r合格圏内"));
    EXPECT_EQ(menu().Command1[2].Caption(), u"3600.0");
}

}  // namespace
