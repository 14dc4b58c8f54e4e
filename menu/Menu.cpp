// What the menu window does: numbering the lessons at load, revealing and colouring the
// lesson buttons at each activation, and asking before the program ends.
#include "menu/Menu.h"

#include "menu/IndicatorSpeeds.h"
#include "menu/SpeedColourBands.h"
#include "program/Module1.h"
#include "program/Program.h"
#include "services/Formats.h"

namespace {

constexpr int kNumberedLessons = 20;
// The activation reveals the next button only below this lesson index. Every lesson index
// (0 to 19) lies below it, so the count of lesson buttons is what limits the reveal.
constexpr int kRevealBelowIndex = 29;

}  // namespace

void Menu::Form_Load() {
    for (int index = 0; index < kNumberedLessons; ++index) {
        Command1[static_cast<std::size_t>(index)].SetCaption(text::Number(index + 1) + u"ページ");
    }
    Module1::TargetSpeed = speed_menu::kStartSpeed;
    Module1::ClearedFlag = 0;
}

void Menu::Form_Activate() {
    const int next = Module1::LessonIndex + 1;
    if (Module1::ClearedFlag != 0 && Module1::LessonIndex < kRevealBelowIndex && next >= 0 &&
        next < kLessonButtons) {
        ui::CommandButton& button = Command1[static_cast<std::size_t>(next)];
        button.SetVisible(true);
        button.SetFocus();
    }
    for (int index = 0; index < kNumberedLessons; ++index) {
        ui::CommandButton& button = Command1[static_cast<std::size_t>(index)];
        const double bestSpeed = formats::LeadingNumber(button.Caption());
        if (const auto colour = menu_colours::ColourForSpeed(bestSpeed)) {
            button.SetBackColor(*colour);
        }
    }
}

// The window stays while the question is open; Yes ends the program from the box.
void Menu::Form_Unload(std::int16_t& cancel) {
    cancel = 1;
    ui::Program::Current().Boxes().MsgBox(u"本当に終わりますか", ui::BoxButtons::YesNo,
                                          ui::BoxIcon::Warning, u"薫風高校",
                                          [](ui::BoxAnswer answer) {
                                              if (answer == ui::BoxAnswer::Yes) {
                                                  ui::Program::Current().End();
                                              }
                                          });
}
