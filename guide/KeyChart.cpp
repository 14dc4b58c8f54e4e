#include "guide/KeyChart.h"

#include <array>
#include <initializer_list>
#include <span>
#include <vector>

#include "lessons/KeyQueue.h"

namespace guide {

namespace {

using enum Finger;

// One key as a row lists it; its left edge follows from the keys before it.
struct RowKey {
    std::u16string_view label;
    char16_t plain;
    char16_t shifted;
    int width;
    Finger finger;
};

// The home-row method: the little, ring, middle and index fingers rest on A S D F and
// J K L ; (the JIS ; and : belong to the right little finger), each finger types its
// column of the digits to the bottom row, the index fingers take the two columns next to
// them (T G B and Y H N, 5 and 6 included), the right little finger everything right of
// its column, and the thumbs the space bar and the keys beside it.
// clang-format off
constexpr std::array<RowKey, 15> kJisDigits{{
    {u"半/全", 0, 0, 4, LeftLittle}, {u"1", u'1', u'!', 4, LeftLittle},
    {u"2", u'2', u'"', 4, LeftRing}, {u"3", u'3', u'#', 4, LeftMiddle},
    {u"4", u'4', u'$', 4, LeftIndex}, {u"5", u'5', u'%', 4, LeftIndex},
    {u"6", u'6', u'&', 4, RightIndex}, {u"7", u'7', u'\'', 4, RightIndex},
    {u"8", u'8', u'(', 4, RightMiddle}, {u"9", u'9', u')', 4, RightRing},
    {u"0", u'0', 0, 4, RightLittle}, {u"-", u'-', u'=', 4, RightLittle},
    {u"^", u'^', u'~', 4, RightLittle}, {u"¥", u'¥', u'|', 4, RightLittle},
    {u"BS", kBackSpaceKey, 0, 4, RightLittle},
}};
// The letters, and the comma and full stop after them, sit alike on both keyboards.
constexpr std::array<RowKey, 10> kUpperLetters{{
    {u"Q", u'Q', 0, 4, LeftLittle}, {u"W", u'W', 0, 4, LeftRing},
    {u"E", u'E', 0, 4, LeftMiddle}, {u"R", u'R', 0, 4, LeftIndex},
    {u"T", u'T', 0, 4, LeftIndex}, {u"Y", u'Y', 0, 4, RightIndex},
    {u"U", u'U', 0, 4, RightIndex}, {u"I", u'I', 0, 4, RightMiddle},
    {u"O", u'O', 0, 4, RightRing}, {u"P", u'P', 0, 4, RightLittle},
}};
constexpr std::array<RowKey, 9> kHomeLetters{{
    {u"A", u'A', 0, 4, LeftLittle}, {u"S", u'S', 0, 4, LeftRing},
    {u"D", u'D', 0, 4, LeftMiddle}, {u"F", u'F', 0, 4, LeftIndex},
    {u"G", u'G', 0, 4, LeftIndex}, {u"H", u'H', 0, 4, RightIndex},
    {u"J", u'J', 0, 4, RightIndex}, {u"K", u'K', 0, 4, RightMiddle},
    {u"L", u'L', 0, 4, RightRing},
}};
constexpr std::array<RowKey, 9> kLowerLetters{{
    {u"Z", u'Z', 0, 4, LeftLittle}, {u"X", u'X', 0, 4, LeftRing},
    {u"C", u'C', 0, 4, LeftMiddle}, {u"V", u'V', 0, 4, LeftIndex},
    {u"B", u'B', 0, 4, LeftIndex}, {u"N", u'N', 0, 4, RightIndex},
    {u"M", u'M', 0, 4, RightIndex}, {u",", u',', u'<', 4, RightMiddle},
    {u".", u'.', u'>', 4, RightRing},
}};
constexpr RowKey kTab{u"Tab", kTabKey, 0, 6, LeftLittle};
constexpr RowKey kLeftShift{u"Shift", kLeftShiftKey, 0, 9, LeftLittle};

constexpr std::array<RowKey, 3> kJisUpperRight{{
    {u"@", u'@', u'`', 4, RightLittle}, {u"[", u'[', u'{', 4, RightLittle},
    {u"Enter", kEnterKey, 0, 6, RightLittle},
}};
constexpr std::array<RowKey, 4> kJisHomeRight{{
    {u";", u';', u'+', 4, RightLittle}, {u":", u':', u'*', 4, RightLittle},
    {u"]", u']', u'}', 4, RightLittle}, {u"", kEnterKey, 0, 5, RightLittle},
}};
constexpr std::array<RowKey, 3> kJisLowerRight{{
    {u"/", u'/', u'?', 4, RightLittle}, {u"\\", u'\\', u'_', 4, RightLittle},
    {u"Shift", kRightShiftKey, 0, 7, RightLittle},
}};
constexpr std::array<RowKey, 8> kJisSpace{{
    {u"Ctrl", 0, 0, 6, LeftLittle}, {u"Alt", 0, 0, 5, Thumb}, {u"無変換", 0, 0, 6, Thumb},
    {u"", u' ', 0, 20, Thumb}, {u"変換", 0, 0, 6, Thumb}, {u"かな", 0, 0, 6, Thumb},
    {u"Alt", 0, 0, 5, Thumb}, {u"Ctrl", 0, 0, 6, RightLittle},
}};

constexpr std::array<RowKey, 14> kUsDigits{{
    {u"`", u'`', u'~', 4, LeftLittle}, {u"1", u'1', u'!', 4, LeftLittle},
    {u"2", u'2', u'@', 4, LeftRing}, {u"3", u'3', u'#', 4, LeftMiddle},
    {u"4", u'4', u'$', 4, LeftIndex}, {u"5", u'5', u'%', 4, LeftIndex},
    {u"6", u'6', u'^', 4, RightIndex}, {u"7", u'7', u'&', 4, RightIndex},
    {u"8", u'8', u'*', 4, RightMiddle}, {u"9", u'9', u'(', 4, RightRing},
    {u"0", u'0', u')', 4, RightLittle}, {u"-", u'-', u'_', 4, RightLittle},
    {u"=", u'=', u'+', 4, RightLittle}, {u"BS", kBackSpaceKey, 0, 8, RightLittle},
}};
constexpr std::array<RowKey, 3> kUsUpperRight{{
    {u"[", u'[', u'{', 4, RightLittle}, {u"]", u']', u'}', 4, RightLittle},
    {u"\\", u'\\', u'|', 6, RightLittle},
}};
constexpr std::array<RowKey, 3> kUsHomeRight{{
    {u";", u';', u':', 4, RightLittle}, {u"'", u'\'', u'"', 4, RightLittle},
    {u"Enter", kEnterKey, 0, 9, RightLittle},
}};
constexpr std::array<RowKey, 2> kUsLowerRight{{
    {u"/", u'/', u'?', 4, RightLittle}, {u"Shift", kRightShiftKey, 0, 11, RightLittle},
}};
constexpr std::array<RowKey, 5> kUsSpace{{
    {u"Ctrl", 0, 0, 6, LeftLittle}, {u"Alt", 0, 0, 6, Thumb}, {u"", u' ', 0, 36, Thumb},
    {u"Alt", 0, 0, 6, Thumb}, {u"Ctrl", 0, 0, 6, RightLittle},
}};
// clang-format on

// One row from its parts, left to right.
void AddRow(std::vector<ChartKey>& keys, int row,
            std::initializer_list<std::span<const RowKey>> parts) {
    int left = 0;
    for (std::span<const RowKey> part : parts) {
        for (const RowKey& key : part) {
            const bool home = key.plain == u'F' || key.plain == u'J';
            keys.push_back({text::Text(key.label), key.plain, key.shifted, row, left, key.width,
                            key.finger, home});
            left += key.width;
        }
    }
}

// What sets one keyboard's rows apart from the other's; the letters and Tab and the left
// Shift are the same on both.
struct LayoutParts {
    std::span<const RowKey> digits;
    std::span<const RowKey> upperRight;
    RowKey homeLeft;  // 英数 on a Japanese keyboard, Caps Lock on a US one
    std::span<const RowKey> homeRight;
    std::span<const RowKey> lowerRight;
    std::span<const RowKey> space;
};

std::vector<ChartKey> BuildChart(const LayoutParts& layout) {
    std::vector<ChartKey> keys;
    AddRow(keys, 0, {layout.digits});
    AddRow(keys, 1, {std::span(&kTab, 1), kUpperLetters, layout.upperRight});
    AddRow(keys, 2, {std::span(&layout.homeLeft, 1), kHomeLetters, layout.homeRight});
    AddRow(keys, 3, {std::span(&kLeftShift, 1), kLowerLetters, layout.lowerRight});
    AddRow(keys, 4, {layout.space});
    return keys;
}

bool IsLeftHand(Finger finger) {
    return finger < Thumb;
}

}  // namespace

std::span<const ChartKey> KeysOf(Layout layout) {
    static const std::vector<ChartKey> jis = BuildChart({kJisDigits,
                                                         kJisUpperRight,
                                                         {u"英数", 0, 0, 7, LeftLittle},
                                                         kJisHomeRight,
                                                         kJisLowerRight,
                                                         kJisSpace});
    static const std::vector<ChartKey> us = BuildChart({kUsDigits,
                                                        kUsUpperRight,
                                                        {u"Caps", 0, 0, 7, LeftLittle},
                                                        kUsHomeRight,
                                                        kUsLowerRight,
                                                        kUsSpace});
    return layout == Layout::Jis ? std::span<const ChartKey>(jis) : std::span<const ChartKey>(us);
}

geometry::Rect KeyArea(const ChartKey& key) {
    return {kMarginPixels + key.left * kQuarterPixels, kMarginPixels + key.row * kRowPixels,
            key.width * kQuarterPixels - kKeyGapPixels, kRowPixels - kKeyGapPixels};
}

geometry::Rect KeyAreaOf(char16_t key, Layout layout) {
    for (const ChartKey& chartKey : KeysOf(layout)) {
        if (key != 0 && chartKey.plain == key) {
            return KeyArea(chartKey);
        }
    }
    return {};
}

std::optional<Stroke> StrokeFor(char16_t head, Layout layout) {
    char16_t wanted = head;
    if (head == lessons::kEnterMark) {
        wanted = kEnterKey;
    } else if (head == lessons::kBackSpaceMark) {
        wanted = kBackSpaceKey;
    } else if (head == lessons::kF7Mark || head == 0) {
        return std::nullopt;
    }
    for (const ChartKey& key : KeysOf(layout)) {
        if (key.plain == wanted) {
            return Stroke{key.plain, 0};
        }
    }
    // A mark typed with Shift: the little finger of the other hand holds it.
    for (const ChartKey& key : KeysOf(layout)) {
        if (key.shifted == wanted) {
            return Stroke{key.plain, IsLeftHand(key.finger) ? kRightShiftKey : kLeftShiftKey};
        }
    }
    return std::nullopt;
}

std::optional<Finger> FingerOf(char16_t key, Layout layout) {
    for (const ChartKey& chartKey : KeysOf(layout)) {
        if (key != 0 && chartKey.plain == key) {
            return chartKey.finger;
        }
    }
    return std::nullopt;
}

text::Text FingerName(Finger finger) {
    static constexpr std::array<std::u16string_view, 9> kNames{
        u"左手・小指",     u"左手・薬指", u"左手・中指", u"左手・人差し指", u"親指",
        u"右手・人差し指", u"右手・中指", u"右手・薬指", u"右手・小指",
    };
    return text::Text(kNames[static_cast<std::size_t>(finger)]);
}

text::Text DueKeyLine(char16_t head, Layout layout) {
    if (head == 0) {
        return {};
    }
    const text::Text name = lessons::ExpectedKeyName(head);
    const std::optional<Stroke> stroke = StrokeFor(head, layout);
    if (!stroke) {
        return name;
    }
    text::Text line = name + u'　' + FingerName(*FingerOf(stroke->key, layout));
    if (stroke->shift != 0) {
        line += u"、Shiftは" + FingerName(*FingerOf(stroke->shift, layout));
    }
    return line;
}

}  // namespace guide
