#include "record/RecordFigures.h"

#include <algorithm>

#include "services/Formats.h"

namespace record {

using geometry::Point;
using geometry::Rect;
using text::Text;
using text::TextList;

namespace {

Text Seconds(std::int64_t ms) {
    return formats::FixedDecimals(static_cast<double>(ms) / 1000.0, 2) + u"秒";
}

Text Kana(char16_t kana) {
    return kana == u'■' ? Text(u"スペース") : Text(1, kana);
}

std::int64_t PaceMs(int targetSpeed) {
    return targetSpeed > 0 ? 60000 / targetSpeed : 0;
}

}  // namespace

TextList TableHeadings() {
    return {u"ページ", u"打／分", u"ミス", u"目標", u"合格"};
}

TextList RowCells(const session::RunEntry& run) {
    return {run.page, formats::PlainNumber(run.shownSpeed), text::Number(run.misses),
            text::Number(run.targetSpeed), run.cleared ? u"○" : u"×"};
}

TextList RowSpokenCells(const session::RunEntry& run) {
    return {run.page, formats::PlainNumber(run.shownSpeed) + u"打／分",
            u"ミス" + text::Number(run.misses) + u"回",
            u"目標" + text::Number(run.targetSpeed) + u"字／分", run.cleared ? u"合格" : u"不合格"};
}

Text ResultLine(const session::RunEntry& run) {
    return formats::PlainNumber(run.shownSpeed) + u"打／分　ミス" + text::Number(run.misses) +
           u"回";
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
        picture.bars.push_back({Rect{x + 1, barTop, std::max(slot - 2, 1), barHeight},
                                Rect{x, barsBottom, slot, kPictureRowPixels},
                                Rect{x, barTop - kPictureRowPixels, slot, kPictureRowPixels},
                                kana.kana, kana.misses});
    }
    return picture;
}

Text PictureSpoken(const session::RunEntry& run) {
    if (run.kana.empty()) {
        return Text();
    }
    const auto slowest = std::max_element(
        run.kana.begin(), run.kana.end(),
        [](const session::KanaTime& a, const session::KanaTime& b) { return a.ms < b.ms; });
    Text spoken = u"いちばん時間がかかったかな：" + Kana(slowest->kana) + u'（' +
                  Seconds(slowest->ms) + u'）';
    TextList missed;
    for (std::size_t index = 0; index < run.kana.size(); ++index) {
        const session::KanaTime& kana = run.kana[index];
        if (kana.misses > 0) {
            missed.push_back(text::Number(static_cast<long long>(index) + 1) + u"文字目の" +
                             Kana(kana.kana) + u' ' + text::Number(kana.misses) + u'回');
        }
    }
    spoken +=
        missed.empty() ? Text(u"。ミスはありません") : u"。ミス：" + text::Join(missed, u"、");
    return spoken;
}

Text SlowKeysText(const std::vector<session::KeyPace>& keys) {
    if (keys.empty()) {
        return u"まだわかりません";
    }
    TextList lines;
    for (const session::KeyPace& key : keys) {
        lines.push_back(key.key + u"　" + Seconds(key.medianMs));
    }
    return text::Join(lines, u"\n");
}

Point RecordPlace(const std::vector<Rect>& taken, geometry::Size frame, const Rect& screen) {
    if (taken.empty()) {
        return screen.TopLeft();
    }
    const Rect& first = taken.front();
    int lowest = first.Bottom();
    for (const Rect& window : taken) {
        lowest = std::max(lowest, window.Bottom());
    }
    const std::vector<Point> places{
        {first.Right(), first.top},
        {first.left - frame.width, first.top},
        {first.left, lowest},
    };
    const auto free = [&](Point place) {
        const Rect rect = Rect::At(place, frame);
        return screen.Contains(rect) &&
               std::none_of(taken.begin(), taken.end(),
                            [&](const Rect& window) { return window.Intersects(rect); });
    };
    for (const Point& place : places) {
        if (free(place)) {
            return place;
        }
    }
    const Point beside = places.front();
    return {std::clamp(beside.x, screen.left, std::max(screen.left, screen.Right() - frame.width)),
            std::clamp(beside.y, screen.top, std::max(screen.top, screen.Bottom() - frame.height))};
}

}  // namespace record
