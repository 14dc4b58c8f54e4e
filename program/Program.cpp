#include "program/Program.h"

#include "board/PracticeBoard.h"
#include "guide/KeyboardGuide.h"
#include "menu/IndicatorSpeeds.h"
#include "menu/Menu.h"
#include "program/Module1.h"

namespace ui {

namespace {

Program* current = nullptr;

void ResetProgramWideVariables() {
    Module1::PracticeText.clear();
    Module1::RomajiQueue.clear();
    Module1::LessonIndex = 0;
    Module1::ClearedFlag = 0;
    Module1::TargetSpeed = speed_menu::kStartSpeed;
    Module1::WeakKeys = {};
    Module1::RomajiGuideOn = false;
}

}  // namespace

Program::Program(MessageBoxes& boxes, std::function<void()> endProgram)
    : boxes_(boxes), endProgram_(std::move(endProgram)) {
    Q_ASSERT(current == nullptr);
    current = this;
    ResetProgramWideVariables();
}

Program::~Program() {
    guide_.reset();
    board_.reset();
    menu_.reset();
    current = nullptr;
}

Program& Program::Current() {
    Q_ASSERT(current != nullptr);
    return *current;
}

bool Program::Exists() {
    return current != nullptr;
}

void Program::Start() {
    MenuWindow().Show();
}

::Menu& Program::MenuWindow() {
    if (!menu_) {
        menu_ = std::make_unique<::Menu>();
        menu_->Form_Load();
    }
    return *menu_;
}

::PracticeBoard& Program::Board() {
    if (!board_) {
        board_ = std::make_unique<::PracticeBoard>();
        board_->Form_Load();
    }
    return *board_;
}

::KeyboardGuide& Program::Guide() {
    if (!guide_) {
        guide_ = std::make_unique<::KeyboardGuide>();
    }
    return *guide_;
}

void Program::End() {
    endProgram_();
}

}  // namespace ui
