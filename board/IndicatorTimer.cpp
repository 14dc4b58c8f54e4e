// Every tick counts the run's time and redraws the indicator bar: the pace of a typist who
// types the text at exactly the chosen speed.
#include "board/IndicatorArithmetic.h"
#include "board/PracticeBoard.h"
#include "program/Module1.h"

void PracticeBoard::Timer1_Timer() {
    // The run's time is the time that passed, not the count of ticks that came: a timer that
    // came late brings the whole delay in. The counter holds at its limit (about 55 minutes).
    const int previousTicks = Ticks;
    Ticks = static_cast<std::int16_t>(board::TicksAfterTimerTick(Ticks, Timer1.ElapsedIntervals()));
    const int height = board::HeightAfterSkippedTicks(previousTicks, Ticks, TextLength(),
                                                      Module1::TargetSpeed, Label2.Height());
    const board::IndicatorFrame frame =
        board::IndicatorOnTick(Ticks, TextLength(), Module1::TargetSpeed, Width(), height);
    Label2.SetHeight(frame.heightTwips);
    Label2.SetWidth(frame.widthTwips);
    Label2.SetCaption(frame.caption);
    if (frame.timeUp) {
        Label2.SetBackColor(colour::kRed);
    }
    if (frame.announced) {
        DescribeIndicator();
    }
}
