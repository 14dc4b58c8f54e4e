#include "guide/KeyboardDrawing.h"

#include <QPaintEvent>
#include <QPainter>
#include <array>

#include "guide/MissTally.h"
#include "services/Fonts.h"

namespace {

using guide::kMarginPixels;
using guide::kQuarterPixels;
using guide::kRowPixels;
constexpr int kLineGap = 4;
constexpr int kLineHeight = 22;
constexpr int kBumpWidth = 10;

// The fingers' tints, from the left little finger to the right one.
const std::array<QColor, 9> kFingerColours{
    QColor(248, 214, 236), QColor(212, 228, 250), QColor(210, 242, 214),
    QColor(252, 240, 190), QColor(226, 226, 226), QColor(252, 240, 190),
    QColor(210, 242, 214), QColor(212, 228, 250), QColor(248, 214, 236),
};
const QColor kWeakColour(236, 70, 70);

QColor Mix(const QColor& from, const QColor& to, double share) {
    const auto channel = [share](int a, int b) {
        return static_cast<int>(a + (b - a) * share + 0.5);
    };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

}  // namespace

const QColor KeyboardDrawing::kDueColour(255, 140, 0);
const QColor KeyboardDrawing::kMissedColour(220, 0, 0);

QSize KeyboardDrawing::SizeNeeded() {
    return QSize(2 * kMarginPixels + guide::kRowWidth * kQuarterPixels,
                 2 * kMarginPixels + guide::kRows * kRowPixels + kLineGap + kLineHeight);
}

KeyboardDrawing::KeyboardDrawing(QWidget* parent) : QWidget(parent) {
    setFixedSize(SizeNeeded());
    setFocusPolicy(Qt::NoFocus);
}

void KeyboardDrawing::SetDue(std::optional<guide::Stroke> stroke, bool missed,
                             const QString& line) {
    due_ = stroke;
    missed_ = missed;
    line_ = line;
    update();
}

QRect KeyboardDrawing::KeyRect(char16_t key) const {
    return guide::KeyAreaOf(key, layout_);
}

QColor KeyboardDrawing::FillOf(const guide::ChartKey& key) const {
    if (due_ && key.plain != 0 && (key.plain == due_->key || key.plain == due_->shift)) {
        return missed_ && key.plain == due_->key ? kMissedColour : kDueColour;
    }
    const QColor tint = kFingerColours[static_cast<std::size_t>(key.finger)];
    if (tally_ == nullptr || tally_->Total() == 0 || key.plain == 0) {
        return tint;
    }
    // A key the session missed takes on red by its share of all the misses.
    const double share = static_cast<double>(tally_->MissesOfKey(key.plain, layout_)) /
                         static_cast<double>(tally_->Total());
    return Mix(tint, kWeakColour, 0.8 * share);
}

void KeyboardDrawing::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setFont(ui::LessonFont(9, /*bold=*/false));
    for (const guide::ChartKey& key : guide::KeysOf(layout_)) {
        const QRect area = guide::KeyArea(key);
        painter.setPen(QColor(96, 96, 96));
        painter.setBrush(FillOf(key));
        painter.drawRect(area.adjusted(0, 0, -1, -1));
        painter.setPen(Qt::black);
        painter.drawText(area, Qt::AlignCenter, key.label);
        if (key.home) {
            const QRect bump(area.center().x() - kBumpWidth / 2, area.bottom() - 3, kBumpWidth, 2);
            painter.fillRect(bump, Qt::black);
        }
    }
    const QRect lineArea(kMarginPixels, kMarginPixels + guide::kRows * kRowPixels + kLineGap,
                         guide::kRowWidth * kQuarterPixels, kLineHeight);
    painter.setFont(ui::LessonFont(12, /*bold=*/false));
    painter.setPen(missed_ ? kMissedColour : Qt::black);
    painter.drawText(lineArea, Qt::AlignLeft | Qt::AlignVCenter, line_);
}
