// The menu window after a cleared lesson, and its menu bar, used with real keys and clicks.
#include <QAction>
#include <optional>

#include "services/Colour.h"
#include "services/QtText.h"

#include "board/PracticeBoard.h"
#include "e2e/ProgramOnScreen.h"
#include "menu/Menu.h"
#include "program/Module1.h"
#include "services/LessonButton.h"
#include "support/LessonSteps.h"

namespace e2e {
namespace {

using MenuOnScreen = ProgramOnScreen;

// The colour a lesson button takes from the best speed in its caption, 0x00BBGGRR.
struct Band {
    double from;
    double to;
    colour::BgrColour colour;
};
constexpr Band kBands[] = {
    {60, 90, 0x008080FF},   {90, 120, 0x0080FFFF},  {120, 150, 0x00FF8080},
    {150, 180, 0x0080FF80}, {180, 210, 0x00FF00FF}, {210, 240, 0x000080FF},
    {240, 270, 0x00E0E0E0}, {270, 300, 0x0000FFFF}, {300, 500, 0x00FFFFFF},
};

std::optional<colour::BgrColour> BandColour(double speed) {
    for (const Band& band : kBands) {
        if (band.from <= speed && speed <= band.to) {
            return band.colour;
        }
    }
    return std::nullopt;
}

// Lesson 1 typed through to the end at a pupil's pace: cleared well above 60 a minute.
void ClearLessonOne(Pupil& pupil, ScreenPoint lessonOne, WindowId menu) {
    pupil.WaitUntilActive(menu, "the menu window");
    StartLessonByClick(pupil, lessonOne);
    pupil.Type(kLessonOneKeys, kPupilPace);
    FinishRun(pupil, menu);
}

TEST_F(MenuOnScreen, ClearedLessonColoursItsButtonAndTheNextLessonStartsFromTheKeyboard) {
    ASSERT_TRUE(StartedOnScreen());
    Menu& menu = MenuWindow();
    const WindowId menuId = WindowIdOf(menu);
    const ScreenPoint lessonOne = CentreOnScreen(*menu.Command1[0].Widget());

    ASSERT_TRUE(PupilDid([&](Pupil& pupil) { ClearLessonOne(pupil, lessonOne, menuId); }));

    // Lesson 2 was open already, so lesson 3 opens too; lesson 2 takes the focus.
    for (int index = 0; index < Menu::kLessonButtons; ++index) {
        EXPECT_EQ(menu.Command1[static_cast<std::size_t>(index)].Widget()->isVisible(), index < 3)
            << "lesson button " << index;
    }
    EXPECT_TRUE(menu.Command1[1].HasFocus());
    EXPECT_TRUE(menu.Command1[1].Widget()->hasFocus());

    const double best = ui::ToQt(menu.Command1[0].Caption()).toDouble();
    ASSERT_GE(best, 60.0) << text::ToUtf8(menu.Command1[0].Caption());
    const std::optional<colour::BgrColour> expected = BandColour(best);
    ASSERT_TRUE(expected.has_value()) << best;
    EXPECT_EQ(menu.Command1[0].BackColor(), *expected) << "best speed " << best;
    EXPECT_EQ(menu.Command1[1].BackColor(), colour::kPaleCyan);

    // Enter on the focused button starts lesson 2; its start box shows the cleared icon.
    ASSERT_TRUE(PupilDid([&](Pupil& pupil) {
        pupil.PressKey("Return");
        pupil.CloseBoxWithEnter(kStartBoxTitle);
        pupil.WaitForWindow(kBoardTitle);
    }));
    EXPECT_EQ(Module1::LessonIndex, 1);
    EXPECT_EQ(Module1::RomajiQueue, u"SO_YO_KA_ZE_ _KO_U_KO_U_HE_ _=");
    const auto startBoxes = boxes_.WithTitle(QString::fromStdString(kStartBoxTitle));
    ASSERT_EQ(startBoxes.size(), 2u) << boxes_.Describe();
    EXPECT_EQ(startBoxes[1].icon, ui::BoxIcon::Information);
    ASSERT_NE(Board(), nullptr);
    EXPECT_TRUE(Board()->RunInProgress());

    // During the run: the indicator speed from the menu bar, with the mouse.
    const ScreenPoint speedTitle = MenuTitleCentre(menu.IndicatorSpeed);
    ASSERT_TRUE(PupilDid([&](Pupil& pupil) {
        pupil.ClickAt(speedTitle);
        ClickItemOfOpenMenu(pupil, QStringLiteral(" 90字／分"));
    }));
    EXPECT_EQ(Module1::TargetSpeed, 90);
    for (ui::MenuItem* item : menu.SpeedItems()) {
        EXPECT_EQ(item->Checked(), item == &menu.S90) << text::ToUtf8(item->Caption());
    }

    // A help text from the menu bar.
    const ScreenPoint readmeTitle = MenuTitleCentre(menu.Readme);
    const std::size_t boxesBefore = boxes_.Shown().size();
    ASSERT_TRUE(PupilDid([&](Pupil& pupil) {
        pupil.ClickAt(readmeTitle);
        ClickItemOfOpenMenu(pupil, QStringLiteral("クリア基準"));
        pupil.CloseBoxWithEnter("タイピングソフト");
    }));
    ASSERT_EQ(boxes_.Shown().size(), boxesBefore + 1) << boxes_.Describe();
    const testing_support::ShownBox& help = boxes_.Shown().back();
    EXPECT_EQ(help.title, QStringLiteral("タイピングソフト"));
    EXPECT_EQ(help.prompt,
              QStringLiteral("クリア基準は以下のとおりです\r"
                             "　３回入力し、ミスが０であること\r"
                             "　打数が60字/分以上であること(インディケータより速く打てること）"));
    EXPECT_EQ(help.icon, ui::BoxIcon::None);
    EXPECT_EQ(help.buttons, ui::BoxButtons::Ok);
    EXPECT_EQ(endRequests_, 0);
}

}  // namespace
}  // namespace e2e
