#include "program/Program.h"

#include "board/PracticeBoard.h"
#include "guide/KeyboardGuide.h"
#include "menu/IndicatorSpeeds.h"
#include "menu/Menu.h"
#include "program/Module1.h"
#include "record/RecordWindow.h"

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
QString WeakKeyLines() {
    const std::vector<guide::WeakKey> keys = Module1::WeakKeys.MostMissed(5);
    if (keys.empty()) {
        return QStringLiteral("まだミスはありません");
    }
    QStringList lines;
    for (const guide::WeakKey& key : keys) {
        lines.append(
            QStringLiteral("%1　%2回")
                .arg(board::ExpectedKeyName(QString(key.expected)), QString::number(key.misses)));
    }
    return lines.join(u'\n');
}

}  // namespace

Program::Program(MessageBoxes& boxes, std::function<void()> endProgram)
    : boxes_(boxes), endProgram_(std::move(endProgram)) {
    Q_ASSERT(current == nullptr);
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

// The windows the record must not cover, the menu first.
std::vector<QRect> Program::FramesToKeepClear() const {
    std::vector<QRect> frames;
    const auto add = [&frames](const ui::Form* window) {
        if (window != nullptr && window->isVisible()) {
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
