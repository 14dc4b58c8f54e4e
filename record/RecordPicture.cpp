#include "record/RecordPicture.h"

#include <algorithm>

#include "record/RecordFigures.h"

namespace record {

namespace {

constexpr colour::BgrColour kWhite = 0x00FFFFFF;
constexpr colour::BgrColour kBlack = 0x00000000;
constexpr int kPaceLineWidth = 2;

}  // namespace

void PaintRun(ui::Painter& painter, const session::RunEntry& run, geometry::Size size) {
    painter.Fill({0, 0, size.width, size.height}, kWhite);
    const RunPicture picture = DrawnRun(run, size.width, size.height);
    if (picture.bars.empty()) {
        return;
    }
    // The kana shrink with the bars, down to what can still be read.
    const int slot = picture.bars.front().kanaCell.width;
    const double points = std::clamp(slot * 0.55, 6.0, 9.0);
    for (const KanaBar& bar : picture.bars) {
        const bool missed = bar.misses > 0;
        painter.Fill(bar.bar, missed ? kMissedColour : kBarColour);
        painter.Write(bar.kanaCell, ui::TextPlace::Centre, text::TextView(&bar.kana, 1), kBlack,
                      points);
        if (missed) {
            painter.Write(bar.missesCell, ui::TextPlace::BottomCentre, text::Number(bar.misses),
                          kMissedColour, points);
        }
    }
    painter.Line({0, picture.paceY}, {size.width, picture.paceY}, kPaceColour, kPaceLineWidth);
}

}  // namespace record
