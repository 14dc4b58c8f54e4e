#pragma once
// What the record window 「成績」 shows and a screen reader hears of it, from the session's
// record: the table's rows, the picture of the last run, the keys the pupil waits longest
// before, and where the window goes. Plain functions, no window.
#include <vector>

#include "program/SessionRecord.h"
#include "services/Geometry.h"
#include "services/Text.h"

namespace record {

// The table's columns, and a run's row in them, newest run first.
text::TextList TableHeadings();
text::TextList RowCells(const session::RunEntry& run);
// The cells as a screen reader reads them: 「1ページ」「45.3打／分」「ミス2回」「目標60字／分」
// 「合格」.
text::TextList RowSpokenCells(const session::RunEntry& run);

// Under the picture: the run's speed and misses as its result box gave them.
text::Text ResultLine(const session::RunEntry& run);

// The picture of a run in an area of `width` × `height` pixels: a bar for each kana, its
// height the kana's time, standing on the kana's row at the bottom; the misses' counts over
// their bars; the pace of the chosen speed as a line across.
struct KanaBar {
    geometry::Rect bar;         // may be empty for a kana of no time
    geometry::Rect kanaCell;    // where the kana is written, under the bar
    geometry::Rect missesCell;  // where its misses are written, over the bar
    char16_t kana = 0;
    int misses = 0;
};
struct RunPicture {
    std::vector<KanaBar> bars;
    int paceY = 0;  // the pace line's row
};
inline constexpr int kPictureRowPixels = 16;  // the kana's row and the misses' row
RunPicture DrawnRun(const session::RunEntry& run, int width, int height);

// What a screen reader hears of the picture: the slowest kana and where the misses were.
text::Text PictureSpoken(const session::RunEntry& run);

// The keys the pupil waits longest before: one a line, 「K　0.45秒」.
text::Text SlowKeysText(const std::vector<session::KeyPace>& keys);

// Beside the other windows: right of the first (the menu) at its top, then left of it, then
// under the lowest; the first place on the screen that covers none of `taken`. Where none
// is free, the right of the first window all the same, kept on the screen.
geometry::Point RecordPlace(const std::vector<geometry::Rect>& taken, geometry::Size frame,
                            const geometry::Rect& screen);

}  // namespace record
