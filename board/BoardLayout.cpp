// What the practice board holds when it is loaded, and what a screen reader hears of it.
#include "board/PracticeBoard.h"
#include "lessons/LessonCatalogue.h"
#include "program/Module1.h"
#include "services/Announcements.h"

namespace {

constexpr int kClientWidth = 15240;
constexpr int kClientHeight = 1815;

constexpr int kCellLeft = 120;
constexpr int kCellStep = 480;  // a cell is 15 twips wider than the step: neighbours overlap
constexpr int kCellTop = 360;
constexpr int kCellWidth = 495;
constexpr int kCellHeight = 735;

constexpr int kTrailTop = 840;
constexpr int kTrailHeight = 255;

constexpr int kBarTop = 1320;
constexpr int kBarWidth = 1935;
constexpr int kBarHeight = 495;

constexpr int kLineTops[] = {1560, 1680};

// The romaji guide's row, directly under the cells; while it shows, everything below moves
// down by its height.
constexpr int kGuideTop = kCellTop + kCellHeight;
constexpr int kGuideHeight = 300;

constexpr int kTimerInterval = 100;

// A row of labels, one for each cell, lined up with the cells.
void CreateCellRow(std::array<ui::Label, PracticeBoard::kCells>& row, PracticeBoard& board, int top,
                   int height, double pointSize) {
    for (int index = 0; index < PracticeBoard::kCells; ++index) {
        ui::Label& label = row[static_cast<std::size_t>(index)];
        label.Create(board);
        label.Move(kCellLeft + kCellStep * index, top, kCellWidth, height);
        label.SetBackColor(colour::kPaleCyan);
        label.SetAlignment(ui::TextAlignment::TopCentre);
        label.SetLessonFont(pointSize, /*bold=*/false);
    }
}

// The window tells the lesson's text.
void DescribeText(PracticeBoard& board) {
    board.SetAccessibleDescription(ui::LabelledValue(u"練習文", Module1::PracticeText));
}

// The kana of the cell the trail stands under: the one to type next. A blank is named by
// its key, as a screen reader would read its mark as a black square.
text::Text NextToTypeDescription(const PracticeBoard& board) {
    text::Text next;
    for (const ui::Label& cell : board.Label1) {
        if (cell.Left() == board.Label3.Left()) {
            next = cell.Caption();
            break;
        }
    }
    if (next == text::TextView(&lessons::kBlankCell, 1)) {
        next = u"スペース";
    }
    return ui::LabelledValue(u"次に打つ文字", next);
}

// The trail tells the keys just typed, and the kana to type next.
void DescribeTrail(PracticeBoard& board) {
    ui::Label& trail = board.Label3;
    trail.SetAccessibleName(ui::LabelledValue(u"打ったキー", trail.Caption()));
    trail.SetAccessibleDescription(NextToTypeDescription(board));
}

}  // namespace

PracticeBoard::PracticeBoard() : ui::Form(/*withMenuBar=*/false) {
    SetCaption(u"薫風高校タイピング");
    SetBackColor(colour::kPaleCyan);
    SetClientSize(kClientWidth, kClientHeight);
    // Every key comes to the window itself, as typed: no control takes the focus and no
    // input method composes kana from the romaji.
    TakeKeysWithoutInputMethod();

    // Created back to front: the cells, the bar, the trail over the cells, the lines over
    // the bar.
    CreateCellRow(Label1, *this, kCellTop, kCellHeight, 20.25);

    Label2.Create(*this);
    Label2.Move(0, kBarTop, kBarWidth, kBarHeight);
    Label2.SetBackColor(colour::kNavy);
    Label2.SetForeColor(colour::SystemColour(colour::kSystemHighlightText));
    Label2.SetAlignment(ui::TextAlignment::TopRight);
    Label2.SetLessonFont(11.25, /*bold=*/false);

    Label3.Create(*this);
    Label3.Move(kCellLeft, kTrailTop, kCellWidth, kTrailHeight);
    Label3.SetBackColor(colour::SystemColour(colour::kSystemMenuText));
    Label3.SetForeColor(colour::SystemColour(colour::kSystemHighlightText));
    Label3.SetAlignment(ui::TextAlignment::TopCentre);

    Line1[0].Create(*this, kClientWidth, kLineTops[0], 0, kLineTops[0], colour::kPaleCyan);
    Line1[1].Create(*this, 15120, kLineTops[1], 0, kLineTops[1], colour::kPaleCyan);

    Timer1.Create(*this, kTimerInterval, [this] { Timer1_Timer(); });

    // Screen readers follow the display: each change of a cell or the trail renews what
    // they hear of it; the bar's speed is renewed by the timer. The cells are each read as the kana
    // they show.
    for (ui::Label& cell : Label1) {
        cell.OnDisplayChange([this] {
            DescribeText(*this);
            DescribeTrail(*this);
        });
    }
    Label3.OnDisplayChange([this] { DescribeTrail(*this); });
    DescribeText(*this);
    DescribeTrail(*this);
    DescribeIndicator();
}

// The guide's row is made the first time it shows: until then the board holds what it
// always held, for screen readers too.
void PracticeBoard::ShowRomajiGuide(bool on) {
    if (on && Label4[0].Widget() == nullptr) {
        CreateCellRow(Label4, *this, kGuideTop, kGuideHeight, 9);
    }
    if (Label4[0].Widget() == nullptr) {
        return;
    }
    const int shift = on ? kGuideHeight : 0;
    for (ui::Label& romaji : Label4) {
        romaji.SetVisible(on);
    }
    Label2.SetTop(kBarTop + shift);
    for (std::size_t line = 0; line < Line1.size(); ++line) {
        Line1[line].SetTop(kLineTops[line] + shift);
    }
    SetClientSize(Width(), kClientHeight + shift);
    RedrawRomajiGuide();
}

// The bar tells the reachable speed it carries as its caption, when the timer says so.
void PracticeBoard::DescribeIndicator() {
    const text::Text speed = Label2.Caption();
    Label2.SetAccessibleName(
        ui::LabelledValue(u"インジケーター", speed.empty() ? speed : speed + u"字／分"));
}

void PracticeBoard::AnnounceNextToType() {
    ui::AnnounceNextToType(NextToTypeDescription(*this));
}
