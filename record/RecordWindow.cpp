// The record window: laid out once, filled from the session's record after every run, and
// kept beside the program's other windows.
#include "record/RecordWindow.h"

#include <algorithm>

#include "record/RecordFigures.h"
#include "record/RecordPicture.h"

namespace {

constexpr colour::BgrColour kBackground = 0x00FFFFFF;
constexpr std::size_t kSlowKeysShown = 5;

// The layout, in pixels.
constexpr int kMargin = 8;
constexpr int kColumn = 224;
constexpr int kHalf = 108;
constexpr int kLine = 18;
constexpr int kPictureTop = 26;
constexpr int kPictureHeight = 130;
constexpr int kResultTop = kPictureTop + kPictureHeight + 2;
constexpr int kKeysTop = kResultTop + kLine + 6;
constexpr int kKeysHeight = kLine * 6;  // the heading and five keys
constexpr int kTableTop = kKeysTop + kKeysHeight + 6;
constexpr int kTableHeight = 190;
static_assert(RecordWindow::kClientWidthPixels == kMargin + kColumn + kMargin);
static_assert(RecordWindow::kClientHeightPixels == kTableTop + kTableHeight + kMargin);

int Twips(int pixels) {
    return twips::FromPixels(pixels);
}

void PlaceLabel(ui::Label& label, ui::Form& form, int left, int top, int width, int height) {
    label.Create(form);
    label.SetLessonFont(9, /*bold=*/false);
    label.SetBackColor(kBackground);
    label.Move(Twips(left), Twips(top), Twips(width), Twips(height));
}

text::Text Heading(text::TextView heading, text::TextView lines) {
    return text::Text(heading) + u'\n' + text::Text(lines);
}

}  // namespace

RecordWindow::RecordWindow() : ui::Form(/*withMenuBar=*/false) {
    SetCaption(u"成績");
    SetBackColor(kBackground);
    // Never the active window: the keys belong to the board and to the boxes.
    NeverTakeKeyboard();
    SetClientSize(Twips(kClientWidthPixels), Twips(kClientHeightPixels));

    PlaceLabel(LastRun, *this, kMargin, 6, kColumn, kLine);
    Picture.Create(*this, [this](ui::Painter& painter, geometry::Size size) {
        record::PaintRun(painter, shownRun_, size);
    });
    Picture.Move(Twips(kMargin), Twips(kPictureTop), Twips(kColumn), Twips(kPictureHeight));
    Picture.SetAccessibleName(u"前回のタイム");
    PlaceLabel(RunResult, *this, kMargin, kResultTop, kColumn, kLine);
    PlaceLabel(SlowKeys, *this, kMargin, kKeysTop, kHalf, kKeysHeight);
    PlaceLabel(WeakKeys, *this, kMargin + kColumn - kHalf, kKeysTop, kHalf, kKeysHeight);
    Runs.Create(*this, record::TableHeadings());
    Runs.Move(Twips(kMargin), Twips(kTableTop), Twips(kColumn), Twips(kTableHeight));
    // Room is left for the scroll bar once the rows are more than the table shows.
    Runs.SetColumnWidths({Twips(62), Twips(44), Twips(34), Twips(34), Twips(34)});
    Runs.SetAccessibleName(u"これまでのページ");
    ShowRecord({}, {});
}

void RecordWindow::ShowRecord(const session::SessionRecord& record, text::TextView weakKeys) {
    const std::vector<session::RunEntry>& runs = record.Runs();
    if (runs.empty()) {
        LastRun.SetCaption(u"前回");
        RunResult.SetCaption(u"まだ記録はありません");
        shownRun_ = {};
    } else {
        const session::RunEntry& last = runs.back();
        LastRun.SetCaption(u"前回：" + last.page);
        RunResult.SetCaption(record::ResultLine(last));
        shownRun_ = last;
    }
    Picture.Redraw();
    Picture.SetAccessibleDescription(runs.empty() ? text::Text()
                                                  : record::PictureSpoken(runs.back()));
    SlowKeys.SetCaption(
        Heading(u"遅いキー", record::SlowKeysText(record.SlowestKeys(kSlowKeysShown))));
    WeakKeys.SetCaption(Heading(u"苦手なキー", weakKeys));

    std::vector<text::TextList> shown;
    std::vector<text::TextList> spoken;
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        shown.push_back(record::RowCells(*run));
        spoken.push_back(record::RowSpokenCells(*run));
    }
    Runs.SetRows(shown, spoken);
}

void RecordWindow::ShowBeside(const std::vector<geometry::Rect>& taken) {
    PlaceBeside(taken);
    if (!Showing()) {
        SetVisible(true);
    }
}

void RecordWindow::KeepClearOf(const std::vector<geometry::Rect>& taken) {
    if (!Showing()) {
        return;
    }
    const geometry::Rect frame = FrameRect();
    if (std::any_of(taken.begin(), taken.end(),
                    [&](const geometry::Rect& window) { return window.Intersects(frame); })) {
        PlaceBeside(taken);
    }
}

void RecordWindow::PlaceBeside(const std::vector<geometry::Rect>& taken) {
    const geometry::Point place = record::RecordPlace(taken, FrameRect().Extent(), ScreenArea());
    if (place.x != WindowLeft()) {
        SetWindowLeft(place.x);
    }
    if (place.y != Top()) {
        SetTop(place.y);
    }
}

void RecordWindow::Form_Unload(std::int16_t& cancel) {
    cancel = 1;  // kept, hidden, with the record, for the next time it is opened
    SetVisible(false);
}
