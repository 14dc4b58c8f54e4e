// The record window: laid out once, filled from the session's record after every run, and
// kept beside the program's other windows.
#include "record/RecordWindow.h"

#include <algorithm>

#include "record/RecordFigures.h"
#include "record/RecordPicture.h"
#include "services/Accessibility.h"
#include "services/AppIcon.h"
#include "services/Fonts.h"

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

void PlaceLabel(ui::Label& label, QWidget& client, int left, int top, int width, int height) {
    label.Create(&client);
    label.SetFont(ui::LessonFont(9, false));
    label.SetBackColor(kBackground);
    label.Move(Twips(left), Twips(top), Twips(width), Twips(height));
}

QString Heading(const QString& heading, const QString& lines) {
    return heading + u'\n' + lines;
}

}  // namespace

RecordWindow::RecordWindow() : ui::Form(/*withMenuBar=*/false) {
    SetCaption(QStringLiteral("成績"));
    setWindowIcon(ui::ProgramIcon());
    SetBackColor(kBackground);
    // Never the active window: the keys belong to the board and to the boxes.
    NeverTakeKeyboard();
    SetClientSize(Twips(kClientWidthPixels), Twips(kClientHeightPixels));

    QWidget& client = *Client();
    PlaceLabel(LastRun, client, kMargin, 6, kColumn, kLine);
    Picture = new RecordPicture(&client);
    Picture->setGeometry(kMargin, kPictureTop, kColumn, kPictureHeight);
    ui::SetAccessibleName(*Picture, QStringLiteral("前回のタイム"));
    PlaceLabel(RunResult, client, kMargin, kResultTop, kColumn, kLine);
    PlaceLabel(SlowKeys, client, kMargin, kKeysTop, kHalf, kKeysHeight);
    PlaceLabel(WeakKeys, client, kMargin + kColumn - kHalf, kKeysTop, kHalf, kKeysHeight);
    Runs.Create(&client, record::TableHeadings());
    Runs.Move(Twips(kMargin), Twips(kTableTop), Twips(kColumn), Twips(kTableHeight));
    // Room is left for the scroll bar once the rows are more than the table shows.
    Runs.SetColumnWidths({Twips(62), Twips(44), Twips(34), Twips(34), Twips(34)});
    ui::SetAccessibleName(*Runs.Widget(), QStringLiteral("これまでのページ"));
    ShowRecord({}, QString());
}

void RecordWindow::ShowRecord(const session::SessionRecord& record, const QString& weakKeys) {
    const std::vector<session::RunEntry>& runs = record.Runs();
    if (runs.empty()) {
        LastRun.SetCaption(QStringLiteral("前回"));
        RunResult.SetCaption(QStringLiteral("まだ記録はありません"));
        Picture->SetRun({});
    } else {
        const session::RunEntry& last = runs.back();
        LastRun.SetCaption(QStringLiteral("前回：") + last.page);
        RunResult.SetCaption(record::ResultLine(last));
        Picture->SetRun(last);
    }
    ui::SetAccessibleDescription(*Picture,
                                 runs.empty() ? QString() : record::PictureSpoken(runs.back()));
    SlowKeys.SetCaption(Heading(QStringLiteral("遅いキー"),
                                record::SlowKeysText(record.SlowestKeys(kSlowKeysShown))));
    WeakKeys.SetCaption(Heading(QStringLiteral("苦手なキー"), weakKeys));

    std::vector<QStringList> shown;
    std::vector<QStringList> spoken;
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        shown.push_back(record::RowCells(*run));
        spoken.push_back(record::RowSpokenCells(*run));
    }
    Runs.SetRows(shown, spoken);
}

void RecordWindow::ShowBeside(const std::vector<QRect>& taken) {
    PlaceBeside(taken);
    if (!isVisible()) {
        setVisible(true);
    }
}

void RecordWindow::KeepClearOf(const std::vector<QRect>& taken) {
    if (!isVisible()) {
        return;
    }
    const QRect frame = FrameRect();
    if (std::any_of(taken.begin(), taken.end(),
                    [&](const QRect& window) { return window.intersects(frame); })) {
        PlaceBeside(taken);
    }
}

void RecordWindow::PlaceBeside(const std::vector<QRect>& taken) {
    const QPoint place = record::RecordPlace(taken, FrameRect().size(), ScreenArea());
    if (place.x() != WindowLeft()) {
        SetWindowLeft(place.x());
    }
    if (place.y() != Top()) {
        SetTop(place.y());
    }
}

void RecordWindow::Form_Unload(std::int16_t& cancel) {
    cancel = 1;  // kept, hidden, with the record, for the next time it is opened
    setVisible(false);
}
