// Every tick counts the run's time and redraws the indicator bar: the pace of a typist who
// types the text at exactly the chosen speed.
#include <limits>

#include "board/IndicatorArithmetic.h"
#include "board/PracticeBoard.h"
#include "shell/Module1.h"

void PracticeBoard::Timer1_Timer() {
    // The counter holds at its limit (about 55 minutes) rather than wrapping round.
    if (Ticks < std::numeric_limits<std::int16_t>::max()) {
        ++Ticks;
    }
    const board::IndicatorFrame frame =
        board::IndicatorOnTick(Ticks, TextLength(), Module1::TargetSpeed, Width(), Label2.Height());
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
