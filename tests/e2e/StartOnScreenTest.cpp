// The program's start on a real screen: the menu window as the window manager shows it, and
// lesson 1 opening the practice board directly below it.
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include "board/PracticeBoard.h"
#include "e2e/ProgramOnScreen.h"
#include "menu/Menu.h"
#include "services/LessonButton.h"
#include "support/LessonSteps.h"

namespace e2e {
namespace {

constexpr int kCellWidthTwips = 495;
constexpr int kLessonOneCells = 14;

// The menu window as the X server holds it: what is really on the screen.
QImage GrabFromScreen(const ui::Form& form) {
    const QWidget& window = *form.Widget();
    return QGuiApplication::primaryScreen()->grabWindow(window.winId()).toImage();
}

// The colour on the screen of the middle of a lesson button's left edge, where its border is.
QColor LeftEdgeColour(const QImage& shot, const Menu& menu, int index) {
    const QWidget& button = *menu.Command1[static_cast<std::size_t>(index)].Widget();
    return shot.pixelColor(button.mapTo(menu.Widget(), QPoint(0, button.height() / 2)));
}

// The middle of its top edge.
QColor TopEdgeColour(const QImage& shot, const Menu& menu, int index) {
    const QWidget& button = *menu.Command1[static_cast<std::size_t>(index)].Widget();
    return shot.pixelColor(button.mapTo(menu.Widget(), QPoint(button.width() / 2, 0)));
}

// The window's own background, in the margin left of the first button.
QColor BackgroundColour(const QImage& shot, const Menu& menu) {
    return shot.pixelColor(menu.Client()->mapTo(menu.Widget(), QPoint(3, 3)));
}

bool ButtonIsPainted(const QImage& shot, const Menu& menu, int index) {
    const QColor background = BackgroundColour(shot, menu);
    return LeftEdgeColour(shot, menu, index) != background &&
           TopEdgeColour(shot, menu, index) != background;
}

// Both windows as the X server has them once lesson 1 has started.
struct BoardOnScreen {
    WindowId boardId = 0;
    ScreenRect menuFrame;
    ScreenRect boardFrame;
    ScreenRect boardClient;
};

class StartOnScreen : public ProgramOnScreen {
  protected:
    // Clicks lesson 1, answers the start box with Enter and measures both windows once the
    // board has the keyboard.
    ::testing::AssertionResult OpenLessonOne(BoardOnScreen& seen) {
        const WindowId menuId = WindowIdOf(MenuWindow());
        const ScreenPoint lessonOne = CentreOnScreen(*MenuWindow().Command1[0].Widget());
        return PupilDid([&](Pupil& pupil) {
            seen.boardId = StartLessonByClick(pupil, lessonOne);
            seen.menuFrame = pupil.FrameRect(menuId);
            seen.boardFrame = pupil.FrameRect(seen.boardId);
            seen.boardClient = pupil.ClientRect(seen.boardId);
            // Time for a second start box, which must not come.
            pupil.Pause(1s);
        });
    }
};

TEST_F(StartOnScreen, MenuWindowShowsTwoPaintedLessonButtonsUnderItsExactTitle) {
    Program().Start();
    Menu& menu = MenuWindow();
    const WindowId menuId = WindowIdOf(menu);

    WindowId foundId = 0;
    ASSERT_TRUE(PupilDid([&](Pupil& pupil) { foundId = pupil.WaitForWindow(kMenuTitle); }));
    // The title is exactly the caption: nothing appended to it.
    EXPECT_EQ(foundId, menuId);

    for (int index = 0; index < Menu::kLessonButtons; ++index) {
        EXPECT_EQ(menu.Command1[static_cast<std::size_t>(index)].Widget()->isVisible(), index < 2)
            << "lesson button " << index;
    }

    // Painting reaches the screen a little after the window maps.
    QImage shot = GrabFromScreen(menu);
    for (int attempt = 0;
         attempt < 30 && !(ButtonIsPainted(shot, menu, 0) && ButtonIsPainted(shot, menu, 1));
         ++attempt) {
        ProcessEventsFor(100ms);
        shot = GrabFromScreen(menu);
    }
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(ButtonIsPainted(shot, menu, 0)) << "lesson button 0 has no border on the screen";
    EXPECT_TRUE(ButtonIsPainted(shot, menu, 1)) << "lesson button 1 has no border on the screen";
    const QColor background = BackgroundColour(shot, menu);
    EXPECT_EQ(background, QColor(0xC0, 0xFF, 0xFF)) << "the menu window is not pale cyan";
    EXPECT_EQ(LeftEdgeColour(shot, menu, 2), background) << "hidden lesson button 2 shows";
    EXPECT_EQ(TopEdgeColour(shot, menu, 2), background) << "hidden lesson button 2 shows";
}

TEST_F(StartOnScreen, LessonOneShowsTheStartBoxOnceAndTheBoardDirectlyBelowTheMenu) {
    ASSERT_TRUE(StartedOnScreen());
    Menu& menu = MenuWindow();
    BoardOnScreen seen;
    ASSERT_TRUE(OpenLessonOne(seen));

    const auto startBoxes = boxes_.WithTitle(QString::fromStdString(kStartBoxTitle));
    ASSERT_EQ(startBoxes.size(), 1u) << boxes_.Describe();
    EXPECT_EQ(startBoxes[0].prompt, QStringLiteral("Enterを押して、スタート"));
    EXPECT_EQ(startBoxes[0].icon, ui::BoxIcon::Warning);
    EXPECT_EQ(boxes_.Shown().size(), 1u) << boxes_.Describe();
    EXPECT_EQ(endRequests_, 0);

    PracticeBoard* board = Board();
    ASSERT_NE(board, nullptr);
    EXPECT_TRUE(board->Widget()->isVisible());
    EXPECT_EQ(seen.boardId, WindowIdOf(*board));
    EXPECT_TRUE(board->RunInProgress());

    // Directly below the menu window, as the program sees it and as the X server has it.
    EXPECT_EQ(board->Widget()->frameGeometry().top(), menu.Widget()->frameGeometry().bottom() + 1);
    EXPECT_EQ(seen.boardFrame.top, seen.menuFrame.Bottom() + 1)
        << "menu frame rows " << seen.menuFrame.top << ".." << seen.menuFrame.Bottom()
        << ", board frame from row " << seen.boardFrame.top;

    // One cell's width for each of the lesson's fourteen characters.
    EXPECT_EQ(board->Width(), kLessonOneCells * kCellWidthTwips);
    EXPECT_EQ(seen.boardClient.width, kLessonOneCells * kCellWidthTwips / 15);
}

TEST_F(StartOnScreen, BoardLinesUpWithTheMenuWindowsLeftEdge) {
    ASSERT_TRUE(StartedOnScreen());
    Menu& menu = MenuWindow();
    BoardOnScreen seen;
    ASSERT_TRUE(OpenLessonOne(seen));
    PracticeBoard* board = Board();
    ASSERT_NE(board, nullptr);

    EXPECT_EQ(board->Widget()->frameGeometry().left(), menu.Widget()->frameGeometry().left());
    EXPECT_EQ(seen.boardFrame.left, seen.menuFrame.left)
        << "menu frame from column " << seen.menuFrame.left << ", board frame from column "
        << seen.boardFrame.left;
}

}  // namespace
}  // namespace e2e
