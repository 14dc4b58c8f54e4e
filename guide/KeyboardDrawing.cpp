#include "guide/KeyboardDrawing.h"

#include <array>

#include "guide/MissTally.h"

namespace guide {

namespace {

constexpr int kLineGap = 4;
constexpr int kLineHeight = 22;
constexpr int kBumpWidth = 10;
constexpr colour::BgrColour kBackground = 0x00FFFFFF;
constexpr colour::BgrColour kBlack = 0x00000000;
constexpr colour::BgrColour kKeyEdge = 0x00606060;
constexpr double kKeyPoints = 9;
constexpr double kLinePoints = 12;

constexpr colour::BgrColour Tint(int red, int green, int blue) {
    return colour::FromRgb({red, green, blue});
}

// The fingers' tints, from the left little finger to the right one.
constexpr std::array<colour::BgrColour, 9> kFingerColours{
    Tint(248, 214, 236), Tint(212, 228, 250), Tint(210, 242, 214),
    Tint(252, 240, 190), Tint(226, 226, 226), Tint(252, 240, 190),
    Tint(210, 242, 214), Tint(212, 228, 250), Tint(248, 214, 236),
};
constexpr colour::BgrColour kWeakColour = Tint(236, 70, 70);

colour::BgrColour Mix(colour::BgrColour from, colour::BgrColour to, double share) {
    const auto channel = [share](int a, int b) {
        return static_cast<int>(a + (b - a) * share + 0.5);
    };
    const colour::Rgb a = colour::ToRgb(from);
    const colour::Rgb b = colour::ToRgb(to);
    return colour::FromRgb(
        {channel(a.red, b.red), channel(a.green, b.green), channel(a.blue, b.blue)});
}

colour::BgrColour FillOf(const ChartKey& key, const KeyboardState& state) {
    const std::optional<Stroke>& due = state.due;
    if (due && key.plain != 0 && (key.plain == due->key || key.plain == due->shift)) {
        return state.missed && key.plain == due->key ? kMissedColour : kDueColour;
    }
    const colour::BgrColour tint = kFingerColours[static_cast<std::size_t>(key.finger)];
    const MissTally* tally = state.tally;
    if (tally == nullptr || tally->Total() == 0 || key.plain == 0) {
        return tint;
    }
    // A key the session missed takes on red by its share of all the misses.
    const double share = static_cast<double>(tally->MissesOfKey(key.plain, state.layout)) /
                         static_cast<double>(tally->Total());
    return Mix(tint, kWeakColour, 0.8 * share);
}

}  // namespace

geometry::Size KeyboardSize() {
    return {2 * kMarginPixels + kRowWidth * kQuarterPixels,
            2 * kMarginPixels + kRows * kRowPixels + kLineGap + kLineHeight};
}

void PaintKeyboard(ui::Painter& painter, const KeyboardState& state) {
    const geometry::Size size = KeyboardSize();
    painter.Fill({0, 0, size.width, size.height}, kBackground);
    for (const ChartKey& key : KeysOf(state.layout)) {
        const geometry::Rect area = KeyArea(key);
        painter.Box(area, FillOf(key, state), kKeyEdge);
        painter.Write(area, ui::TextPlace::Centre, key.label, kBlack, kKeyPoints);
        if (key.home) {
            // Under the middle of the key, as Qt's centre of a rectangle rounds it.
            const int middle = area.left + (area.width - 1) / 2;
            painter.Fill({middle - kBumpWidth / 2, area.Bottom() - 4, kBumpWidth, 2}, kBlack);
        }
    }
    const geometry::Rect lineArea{kMarginPixels, kMarginPixels + kRows * kRowPixels + kLineGap,
                                  kRowWidth * kQuarterPixels, kLineHeight};
    painter.Write(lineArea, ui::TextPlace::MiddleLeft, state.line,
                  state.missed ? kMissedColour : kBlack, kLinePoints);
}

}  // namespace guide
