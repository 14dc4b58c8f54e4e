// The board's start: its place below the menu window, the text laid into the cells at each
// activation, the start message, and the start of a run. Also the ways a run is given up.
#include "board/IndicatorArithmetic.h"
#include "board/PracticeBoard.h"
#include "program/Module1.h"
#include "program/Program.h"

namespace {

constexpr std::size_t kFilledCells = 28;  // cells 28 and 29 are never written
constexpr int kRightButton = 2;

}  // namespace

void PracticeBoard::Form_Load() {
    ui::Program::Current().PlaceUnderMenu(*this);
    if (Module1::RomajiGuideOn) {
        ShowRomajiGuide(true);
    }
}

// The path of every run, a lesson's or a drill's.
void PracticeBoard::ShowRun(const lessons::BuiltRun& run) {
    // A run still in progress is given up, so the activation below starts a fresh one
    // instead of carrying the old counters and timer into this lesson.
    StopRunInProgress();
    for (ui::Label& cell : Label1) {
        cell.SetVisible(false);
    }
    Module1::RomajiQueue.clear();
    Module1::PracticeText.clear();
    Label2.SetWidth(0);

    Module1::RomajiQueue = run.romajiQueue;
    Module1::PracticeText = run.practiceText;
    Show();
}

void PracticeBoard::Form_Activate() {
    const text::TextView text = Module1::PracticeText;
    for (std::size_t index = 0; index < kFilledCells; ++index) {
        Label1[index].SetCaption(index < text.size() ? text.substr(index, 1) : text::TextView());
    }
    SetWidth(Label1[0].Width() * TextLength());
    Label3.SetBackColor(colour::kBlack);
    RedrawRomajiGuide();

    ui::Program::Current().Boxes().MsgBox(
        u"Enterを押して、スタート", ui::BoxButtons::Ok,
        Module1::ClearedFlag != 0 ? ui::BoxIcon::Information : ui::BoxIcon::Warning,
        u"タイピングテスト", [this](ui::BoxAnswer) { StartRun(); });
    // Under the start box the guide already shows the first key, and the record moves off
    // the board.
    TellGuide(/*afterMiss=*/false);
    ui::Program::Current().KeepRecordClear();
}

void PracticeBoard::StartRun() {
    // A board given up while its start box stood open starts nothing.
    if (!Showing()) {
        return;
    }
    Label2.SetHeight(board::kBarStartHeight);
    Label2.SetBackColor(colour::kNavy);
    Module1::ClearedFlag = 0;
    for (ui::Label& cell : Label1) {
        cell.SetVisible(true);
    }
    if (!Timer1.Enabled()) {
        Timer1.SetEnabled(true);
        Label3.SetVisible(true);
        Ticks = 0;
        TypedCount = 0;
        MissCount = 0;
        Spelling = {};
        Timing.Start(Module1::PracticeText);
    }
    RedrawRomajiGuide();
    // The keys of the run go to the board, whichever window the start box returned to.
    TakeKeyboard();
    AnnounceNextToType();
}

void PracticeBoard::StopRunInProgress() {
    Timer1.SetEnabled(false);
    Label3.SetCaption({});
    Label3.SetLeft(kTrailHome);
}

void PracticeBoard::AbandonRun() {
    StopRunInProgress();
    ReturnToMenu();
}

void PracticeBoard::ReturnToMenu() {
    Hide();
    ui::Program::Current().ShowMenu();
}

// The right mouse button gives the run up: no result, nothing recorded.
void PracticeBoard::Form_MouseDown(int button) {
    if (button == kRightButton) {
        AbandonRun();
    }
}

// Closing the board's window gives the run up, as the right mouse button does.
void PracticeBoard::Form_Unload(std::int16_t& cancel) {
    AbandonRun();
    cancel = 1;  // the board is kept, hidden, for the next lesson
}

int PracticeBoard::TextLength() const {
    return static_cast<int>(Module1::PracticeText.size());
}
