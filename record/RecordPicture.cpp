#include "record/RecordPicture.h"

#include <QPainter>
#include <algorithm>

#include "record/RecordFigures.h"
#include "services/Fonts.h"

const QColor RecordPicture::kBarColour(0, 0, 128);
const QColor RecordPicture::kMissedColour(220, 0, 0);
const QColor RecordPicture::kPaceColour(255, 140, 0);

RecordPicture::RecordPicture(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void RecordPicture::SetRun(const session::RunEntry& run) {
    run_ = run;
    update();
}

void RecordPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const record::RunPicture picture = record::DrawnRun(run_, width(), height());
    if (picture.bars.empty()) {
        return;
    }
    // The kana shrink with the bars, down to what can still be read.
    const int slot = picture.bars.front().kanaCell.width();
    painter.setFont(ui::LessonFont(std::clamp(slot * 0.55, 6.0, 9.0), false));
    for (const record::KanaBar& bar : picture.bars) {
        const bool missed = bar.misses > 0;
        painter.fillRect(bar.bar, missed ? kMissedColour : kBarColour);
        painter.setPen(Qt::black);
        painter.drawText(bar.kanaCell, Qt::AlignCenter, QString(bar.kana));
        if (missed) {
            painter.setPen(kMissedColour);
            painter.drawText(bar.missesCell, Qt::AlignHCenter | Qt::AlignBottom,
                             QString::number(bar.misses));
        }
    }
    painter.setPen(QPen(kPaceColour, 2));
    painter.drawLine(0, picture.paceY, width(), picture.paceY);
}
