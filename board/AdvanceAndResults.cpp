// Each accepted key moves the run on by one key; the end of the text ends the run, reports
// the speed and records a cleared lesson on its button (a drill on none).
#include "board/IndicatorArithmetic.h"
#include "board/PracticeBoard.h"
#include "board/QueueAdvance.h"
#include "board/RunResults.h"
#include "program/Module1.h"
#include "program/Program.h"

void PracticeBoard::AdvanceQueue() {
    text::Text trail = Label3.Caption();
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
    ui::Program& program = ui::Program::Current();
    const auto lesson = static_cast<std::size_t>(Module1::LessonIndex);
    ui::CommandButton* button = program.LessonButton(lesson);
    if (button == nullptr) {
        return;
    }
    if (const auto best = board::ImprovedBestCaption(button->Caption(), shownSpeed)) {
        button->SetCaption(*best);
    }
    const ui::CommandButton* next = program.LessonButton(lesson + 1);
    ui::CommandButton* twoAhead = program.LessonButton(lesson + 2);
    if (board::JumpsAhead(Module1::LessonIndex, next != nullptr && next->Visible()) &&
        twoAhead != nullptr) {
        twoAhead->SetVisible(true);
    }
}

void PracticeBoard::RecordRunInSession(const board::RunResult& result) {
    std::vector<std::pair<text::Text, std::int64_t>> keyTimes;
    keyTimes.reserve(Timing.Keys().size());
    for (const session::KeyTime& key : Timing.Keys()) {
        keyTimes.emplace_back(board::ExpectedKeyName(key.key), key.ms);
    }
    Module1::Record.Add(
        {Module1::DrillOnBoard ? text::Text(u"苦手キー練習")
                               : text::Number(Module1::LessonIndex + 1) + u"ページ",
         result.shownSpeed, MissCount, Module1::TargetSpeed, result.cleared, Timing.Kana()},
        keyTimes);
    ui::Program::Current().RunRecorded();
}

void PracticeBoard::EndOfRun() {
    // The run's time is read off its clock as the last key comes, then the clock stops, so
    // the time the result boxes stay open is not counted.
    Ticks = static_cast<std::int16_t>(board::TicksAtRunEnd(Ticks, Timer1.ElapsedIntervals()));
    Timer1.SetEnabled(false);
    ui::Program::Current().Boxes().MsgBox(u"終わりました", ui::BoxButtons::Ok, ui::BoxIcon::Warning,
                                          u"よくがんばりました",
                                          [this](ui::BoxAnswer) { ShowRunResult(); });
}

void PracticeBoard::ShowRunResult() {
    const board::RunResult result =
        board::JudgeRun(TypedCount, Ticks, MissCount, Module1::TargetSpeed);
    RecordRunInSession(result);
    ui::MessageBoxes& boxes = ui::Program::Current().Boxes();
    if (result.cleared) {
        boxes.MsgBox(board::ClearedPrompt(result.shownSpeed), ui::BoxButtons::Ok,
                     ui::BoxIcon::Information, u"タイム",
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
                     ui::BoxIcon::Error, u"タイム", [this](ui::BoxAnswer) { ReturnToMenu(); });
    }
}
