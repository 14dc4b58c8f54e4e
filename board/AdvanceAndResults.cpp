// Each accepted key moves the run on by one key; the end of the text ends the run, reports
// the speed and records a cleared lesson on its button (a drill on none).
#include "board/IndicatorArithmetic.h"
#include "board/PracticeBoard.h"
#include "board/QueueAdvance.h"
#include "board/RunResults.h"
#include "menu/Menu.h"
#include "program/Module1.h"
#include "program/Program.h"

void PracticeBoard::AdvanceQueue() {
    QString trail = Label3.Caption();
    const std::int16_t kanaDone = TypedCount;
    const board::AdvanceStep step =
        board::ConsumeAcceptedKey({Module1::RomajiQueue, TypedCount, trail}, TextLength());
    if (TypedCount != kanaDone) {
        Timing.KanaCompleted(Timer1.ElapsedMilliseconds());
    }
    Label3.SetCaption(trail);
    RedrawRomajiGuide();
    if (step.textEnded) {
        Label3.SetLeft(kTrailHome);
        EndOfRun();
        return;
    }
    const int nextLeft = Label1[static_cast<std::size_t>(step.nextCell)].Left();
    if (nextLeft != Label3.Left()) {
        Label3.SetLeft(nextLeft);
        AnnounceNextToType();
    }
}

// The lesson's button keeps the best speed; the first lessons also reveal the button two on
// when the next one already shows.
void PracticeBoard::RecordClearedLesson(double shownSpeed) {
    Menu& menu = ui::Program::Current().MenuWindow();
    const auto lesson = static_cast<std::size_t>(Module1::LessonIndex);
    ui::CommandButton& button = menu.Command1[lesson];
    if (const auto best = board::ImprovedBestCaption(button.Caption(), shownSpeed)) {
        button.SetCaption(*best);
    }
    const bool nextShowing =
        lesson + 1 < menu.Command1.size() && menu.Command1[lesson + 1].Visible();
    if (board::JumpsAhead(Module1::LessonIndex, nextShowing)) {
        menu.Command1[lesson + 2].SetVisible(true);
    }
}

void PracticeBoard::RecordRunInSession(const board::RunResult& result) {
    std::vector<std::pair<QString, std::int64_t>> keyTimes;
    keyTimes.reserve(Timing.Keys().size());
    for (const session::KeyTime& key : Timing.Keys()) {
        keyTimes.emplace_back(board::ExpectedKeyName(QString(key.key)), key.ms);
    }
    Module1::Record.Add(
        {Module1::DrillOnBoard
             ? QStringLiteral("苦手キー練習")
             : QString::number(Module1::LessonIndex + 1) + QStringLiteral("ページ"),
         result.shownSpeed, MissCount, Module1::TargetSpeed, result.cleared, Timing.Kana()},
        keyTimes);
    ui::Program::Current().RunRecorded();
}

void PracticeBoard::EndOfRun() {
    // The run's time is read off its clock as the last key comes, then the clock stops, so
    // the time the result boxes stay open is not counted.
    Ticks = static_cast<std::int16_t>(board::TicksAtRunEnd(Ticks, Timer1.ElapsedIntervals()));
    Timer1.SetEnabled(false);
    ui::Program::Current().Boxes().MsgBox(
        QStringLiteral("終わりました"), ui::BoxButtons::Ok, ui::BoxIcon::Warning,
        QStringLiteral("よくがんばりました"), [this](ui::BoxAnswer) { ShowRunResult(); });
}

void PracticeBoard::ShowRunResult() {
    const board::RunResult result =
        board::JudgeRun(TypedCount, Ticks, MissCount, Module1::TargetSpeed);
    RecordRunInSession(result);
    ui::MessageBoxes& boxes = ui::Program::Current().Boxes();
    if (result.cleared) {
        boxes.MsgBox(board::ClearedPrompt(result.shownSpeed), ui::BoxButtons::Ok,
                     ui::BoxIcon::Information, QStringLiteral("タイム"),
                     [this, speed = result.shownSpeed](ui::BoxAnswer) {
                         // A drill clears no lesson: no button records it, none is revealed.
                         if (!Module1::DrillOnBoard) {
                             RecordClearedLesson(speed);
                             Module1::ClearedFlag = -1;
                         }
                         ReturnToMenu();
                     });
    } else {
        boxes.MsgBox(board::NotClearedPrompt(result.shownSpeed, MissCount), ui::BoxButtons::Ok,
                     ui::BoxIcon::Error, QStringLiteral("タイム"),
                     [this](ui::BoxAnswer) { ReturnToMenu(); });
    }
}
