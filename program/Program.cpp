#include "program/Program.h"

#include <cassert>

#include "board/PracticeBoard.h"
#include "guide/KeyboardGuide.h"
#include "menu/IndicatorSpeeds.h"
#include "menu/Menu.h"
#include "program/Module1.h"
#include "record/RecordWindow.h"
#include "services/Activation.h"

namespace ui {

namespace {

Program* current = nullptr;

void ResetProgramWideVariables() {
    Module1::PracticeText.clear();
    Module1::RomajiQueue.clear();
    Module1::LessonIndex = 0;
    Module1::DrillOnBoard = false;
    Module1::ClearedFlag = 0;
    Module1::TargetSpeed = speed_menu::kStartSpeed;
    Module1::WeakKeys = {};
    Module1::RomajiGuideOn = false;
    Module1::Record = {};
}

// The weak keys as the record window lists them beside the slow ones: 「K　3回」.
text::Text WeakKeyLines() {
    const std::vector<guide::WeakKey> keys = Module1::WeakKeys.MostMissed(5);
    if (keys.empty()) {
        return u"まだミスはありません";
    }
    text::TextList lines;
    for (const guide::WeakKey& key : keys) {
        lines.push_back(board::ExpectedKeyName(key.expected) + u'　' +
                        text::Number(key.misses) + u'回');
    }
    return text::Join(lines, u"\n");
}

}  // namespace

Program::Program(MessageBoxes& boxes, std::function<void()> endProgram)
    : boxes_(boxes),
      endProgram_(std::move(endProgram)),
      activation_(std::make_unique<ActivationTracker>()) {
    assert(current == nullptr);
    current = this;
    ResetProgramWideVariables();
}

Program::~Program() {
    record_.reset();
    guide_.reset();
    board_.reset();
    menu_.reset();
    current = nullptr;
}

Program& Program::Current() {
    assert(current != nullptr);
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

void Program::ShowRunOnBoard(const lessons::BuiltRun& run) {
    Board().ShowRun(run);  // loaded on first use
}

bool Program::RunInProgressOnBoard() const {
    return board_ && board_->Showing() && board_->RunInProgress();
}

void Program::SetKeyboardGuideOn(bool on) {
    Guide().SetOn(on);
    if (board_) {
        board_->TellGuide(/*afterMiss=*/false);
    }
}

void Program::SetRomajiGuideOn(bool on) {
    Module1::RomajiGuideOn = on;
    if (board_) {
        board_->ShowRomajiGuide(on);
    }
}

void Program::SetKeyboardGuideLayout(bool jis) {
    Guide().SetLayout(jis ? guide::Layout::Jis : guide::Layout::Us);
}

// Lined up with the menu window's left edge, so the two read as one place to work.
void Program::PlaceUnderMenu(Form& window) {
    ::Menu& menu = MenuWindow();
    const int menuHeight = menu.Height();
    window.SetWindowLeft(menu.WindowLeft());
    window.SetTop(menu.Top() + menuHeight);
}

void Program::ShowMenu() {
    MenuWindow().Show();
}

CommandButton* Program::LessonButton(std::size_t index) {
    ::Menu& menu = MenuWindow();
    return index < menu.Command1.size() ? &menu.Command1[index] : nullptr;
}

void Program::TellKeyboardGuide(char16_t head, bool afterMiss) {
    if (guide_) {
        guide_->FollowBoard(head, afterMiss);
    }
}

Form* Program::BoardWindowIfLoaded() const {
    return board_.get();
}

void Program::KeyboardGuideClosed() {
    MenuWindow().FingerGuide.SetChecked(false);
}

// The windows the record must not cover, the menu first.
std::vector<geometry::Rect> Program::FramesToKeepClear() const {
    std::vector<geometry::Rect> frames;
    const auto add = [&frames](const ui::Form* window) {
        if (window != nullptr && window->Showing()) {
            frames.push_back(window->FrameRect());
        }
    };
    add(menu_.get());
    add(board_.get());
    add(guide_.get());
    return frames;
}

void Program::ShowRecord() {
    if (!record_) {
        record_ = std::make_unique<::RecordWindow>();
    }
    record_->ShowRecord(Module1::Record, WeakKeyLines());
    record_->ShowBeside(FramesToKeepClear());
}

void Program::RunRecorded() {
    if (record_) {
        record_->ShowRecord(Module1::Record, WeakKeyLines());
        record_->KeepClearOf(FramesToKeepClear());
    }
}

void Program::KeepRecordClear() {
    if (record_) {
        record_->KeepClearOf(FramesToKeepClear());
    }
}

void Program::End() {
    endProgram_();
}

}  // namespace ui
