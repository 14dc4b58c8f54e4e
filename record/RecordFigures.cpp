#include "record/RecordFigures.h"

#include <algorithm>

#include "services/Formats.h"

namespace record {

namespace {

QString Seconds(std::int64_t ms) {
    return QString::number(static_cast<double>(ms) / 1000.0, 'f', 2) + QStringLiteral("秒");
}

QString Kana(QChar kana) {
    return kana == u'■' ? QStringLiteral("スペース") : QString(kana);
}

std::int64_t PaceMs(int targetSpeed) {
    return targetSpeed > 0 ? 60000 / targetSpeed : 0;
}

}  // namespace

QStringList TableHeadings() {
    return {QStringLiteral("ページ"), QStringLiteral("打／分"), QStringLiteral("ミス"),
            QStringLiteral("目標"), QStringLiteral("合格")};
}

QStringList RowCells(const session::RunEntry& run) {
    return {run.page, formats::PlainNumber(run.shownSpeed), QString::number(run.misses),
            QString::number(run.targetSpeed),
            run.cleared ? QStringLiteral("○") : QStringLiteral("×")};
}

QStringList RowSpokenCells(const session::RunEntry& run) {
    return {run.page, formats::PlainNumber(run.shownSpeed) + QStringLiteral("打／分"),
            QStringLiteral("ミス%1回").arg(run.misses),
            QStringLiteral("目標%1字／分").arg(run.targetSpeed),
            run.cleared ? QStringLiteral("合格") : QStringLiteral("不合格")};
}

QString ResultLine(const session::RunEntry& run) {
    return formats::PlainNumber(run.shownSpeed) + QStringLiteral("打／分　ミス") +
           QString::number(run.misses) + QStringLiteral("回");
}

RunPicture DrawnRun(const session::RunEntry& run, int width, int height) {
    RunPicture picture;
    const int count = static_cast<int>(run.kana.size());
    const int barsTop = kPictureRowPixels;
    const int barsBottom = height - kPictureRowPixels;  // the bars stand on this row
    const int barsHeight = std::max(barsBottom - barsTop, 1);
    const std::int64_t pace = PaceMs(run.targetSpeed);
    std::int64_t scale = std::max<std::int64_t>(pace, 1);
    for (const session::KanaTime& kana : run.kana) {
        scale = std::max(scale, kana.ms);
    }
    const auto heightOf = [&](std::int64_t ms) {
        return static_cast<int>((ms * barsHeight + scale / 2) / scale);
    };
    picture.paceY = barsBottom - heightOf(pace);
    if (count == 0) {
        return picture;
    }
    const int slot = std::max(width / count, 1);
    const int left = (width - slot * count) / 2;
    for (int index = 0; index < count; ++index) {
        const session::KanaTime& kana = run.kana[static_cast<std::size_t>(index)];
        const int x = left + index * slot;
        const int barHeight = heightOf(kana.ms);
        const int barTop = barsBottom - barHeight;
        picture.bars.push_back({QRect(x + 1, barTop, std::max(slot - 2, 1), barHeight),
                                QRect(x, barsBottom, slot, kPictureRowPixels),
                                QRect(x, barTop - kPictureRowPixels, slot, kPictureRowPixels),
                                kana.kana, kana.misses});
    }
    return picture;
}

QString PictureSpoken(const session::RunEntry& run) {
    if (run.kana.empty()) {
        return QString();
    }
    const auto slowest = std::max_element(
        run.kana.begin(), run.kana.end(),
        [](const session::KanaTime& a, const session::KanaTime& b) { return a.ms < b.ms; });
    QString spoken = QStringLiteral("いちばん時間がかかったかな：%1（%2）")
                         .arg(Kana(slowest->kana), Seconds(slowest->ms));
    QStringList missed;
    for (std::size_t index = 0; index < run.kana.size(); ++index) {
        const session::KanaTime& kana = run.kana[index];
        if (kana.misses > 0) {
            missed.append(QStringLiteral("%1文字目の%2 %3回")
                              .arg(QString::number(index + 1), Kana(kana.kana),
                                   QString::number(kana.misses)));
        }
    }
    spoken += missed.isEmpty() ? QStringLiteral("。ミスはありません")
                               : QStringLiteral("。ミス：") + missed.join(QStringLiteral("、"));
    return spoken;
}

QString SlowKeysText(const std::vector<session::KeyPace>& keys) {
    if (keys.empty()) {
        return QStringLiteral("まだわかりません");
    }
    QStringList lines;
    for (const session::KeyPace& key : keys) {
        lines.append(key.key + QStringLiteral("　") + Seconds(key.medianMs));
    }
    return lines.join(u'\n');
}

QPoint RecordPlace(const std::vector<QRect>& taken, QSize frame, const QRect& screen) {
    if (taken.empty()) {
        return screen.topLeft();
    }
    const QRect& first = taken.front();
    int lowest = first.bottom();
    for (const QRect& window : taken) {
        lowest = std::max(lowest, window.bottom());
    }
    const std::vector<QPoint> places{
        {first.right() + 1, first.top()},
        {first.left() - frame.width(), first.top()},
        {first.left(), lowest + 1},
    };
    const auto free = [&](QPoint place) {
        const QRect rect(place, frame);
        return screen.contains(rect) &&
               std::none_of(taken.begin(), taken.end(),
                            [&](const QRect& window) { return window.intersects(rect); });
    };
    for (const QPoint& place : places) {
        if (free(place)) {
            return place;
        }
    }
    const QPoint beside = places.front();
    return {std::clamp(beside.x(), screen.left(),
                       std::max(screen.left(), screen.right() + 1 - frame.width())),
            std::clamp(beside.y(), screen.top(),
                       std::max(screen.top(), screen.bottom() + 1 - frame.height()))};
}

}  // namespace record
