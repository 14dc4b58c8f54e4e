// The real program, started as its own process on the test display, closed through the
// window manager; its quit question read as a screen reader reads it.
#include <gtest/gtest.h>

#include "e2e/DisplaySession.h"
#include "support/LessonSteps.h"
#include "support/Pupil.h"

namespace e2e {
namespace {

TEST(QuitProgram, ClosingTheMenuAsksFirstNoKeepsItRunningAndYesEndsItWithStatusZero) {
    xsession::ChildProcess program = Session().Launch(
        {TYPING_PROGRAM_PATH}, {"QT_QPA_PLATFORM=xcb", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1"});
    const long pid = program.Pid();

    std::string quitBoxRead;  // through the accessibility bus
    bool runningAfterNo = false;
    std::size_t menusAfterNo = 0;
    const PupilOutcome outcome = RunPupil(Session(), [&](Pupil& pupil) {
        const WindowId menu = pupil.WaitForWindow(kMenuTitle, pid, 20s);
        WindowId box = AskToClose(pupil, menu, pid);
        quitBoxRead = pupil.AccessibleTreeOf(kApplicationName, kQuitBoxTitle);
        // Escape answers No.
        pupil.PressKey("Escape");
        pupil.WaitUntilGone(box, kQuitBoxTitle);
        pupil.Pause(500ms);
        runningAfterNo = program.Running();
        menusAfterNo = pupil.WindowsTitled(kMenuTitle, pid).size();

        // Enter answers Yes, the default.
        box = AskToClose(pupil, menu, pid);
        pupil.PressKey("Return");
    });
    ASSERT_TRUE(outcome.finished) << outcome.Report();
    // The buttons in Qt's own Japanese, as a screen reader names them.
    EXPECT_NE(quitBoxRead.find("\tpush button\tはい(Y)\t"), std::string::npos) << quitBoxRead;
    EXPECT_NE(quitBoxRead.find("\tpush button\tいいえ(N)\t"), std::string::npos) << quitBoxRead;
    EXPECT_TRUE(runningAfterNo) << "the program ended although the pupil answered No";
    EXPECT_EQ(menusAfterNo, 1u) << "the menu window did not stay after No";

    const std::optional<xsession::ProcessEnd> end = program.WaitForExit(10s);
    ASSERT_TRUE(end.has_value()) << "the program still runs 10 s after Yes";
    EXPECT_TRUE(end->exited && end->code == 0) << "the program " << end->Describe();
}

}  // namespace
}  // namespace e2e
