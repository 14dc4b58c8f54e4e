#pragma once
// The keyboard the guide draws, key by key, and the finger that types each key in touch
// typing: the main block of a Japanese (JIS) or a US keyboard, from the digits row to the
// space bar. Plain data for tests without windows.
#include <cstdint>
#include <optional>
#include <span>

#include "services/Geometry.h"
#include "services/Text.h"

namespace guide {

enum class Layout { Jis, Us };

enum class Finger : std::uint8_t {
    LeftLittle,
    LeftRing,
    LeftMiddle,
    LeftIndex,
    Thumb,
    RightIndex,
    RightMiddle,
    RightRing,
    RightLittle,
};

// Keys that type no printable character, by codes of their own.
inline constexpr char16_t kEnterKey = u'\r';
inline constexpr char16_t kBackSpaceKey = u'\b';
inline constexpr char16_t kTabKey = u'\t';
inline constexpr char16_t kLeftShiftKey = 0x0E;
inline constexpr char16_t kRightShiftKey = 0x0F;

inline constexpr int kRows = 5;
inline constexpr int kRowWidth = 60;  // quarters of a letter key; every row is as wide

struct ChartKey {
    text::Text label;  // as printed on the key
    char16_t plain;    // what it types alone, or its code above; 0 for a key the guide
                       // never asks for (Ctrl, Alt, 変換, ...). Enter's two parts share it.
    char16_t shifted;  // what it types with Shift; 0 for none
    int row;           // 0 the digits row to 4 the space bar's
    int left;          // quarters of a letter key from the row's left edge
    int width;         // quarters of a letter key
    Finger finger;
    bool home;  // F and J, which carry a bump
};

// Every key of a layout, row by row from the left, built once.
std::span<const ChartKey> KeysOf(Layout layout);

// Where the guide draws the keys, in pixels: a letter key is four quarters wide.
inline constexpr int kQuarterPixels = 8;
inline constexpr int kRowPixels = 24;
inline constexpr int kKeyGapPixels = 2;
inline constexpr int kMarginPixels = 6;

// The area of a key in the guide's drawing; of the key of the layout whose `plain` is `key`
// (the first part of Enter), or an empty area for a key the layout does not have.
geometry::Rect KeyArea(const ChartKey& key);
geometry::Rect KeyAreaOf(char16_t key, Layout layout);

// What typing one character of the key queue takes: a key and, for a shifted mark, the
// Shift key of the other hand.
struct Stroke {
    char16_t key = 0;    // a ChartKey's `plain`
    char16_t shift = 0;  // kLeftShiftKey, kRightShiftKey or 0
};

// The stroke for the head of the key queue: a letter or digit, a mark, a blank (the space
// bar), or the queue's marks for Enter and BackSpace; nothing for a head the keyboard has
// no key for (the F7 mark) and for no head (0).
std::optional<Stroke> StrokeFor(char16_t head, Layout layout);

// The finger of a key of the layout, found by its `plain`.
std::optional<Finger> FingerOf(char16_t key, Layout layout);

// The finger in words: 「左手・人差し指」, 「親指」.
text::Text FingerName(Finger finger);

// The line under the keyboard for the head of the key queue: the key as the miss box names
// it and the finger that types it, with the finger on Shift where the key needs it
// (「！　左手・小指、Shiftは右手・小指」); the key's name alone where the keyboard has no key
// for it; nothing for no head (0).
text::Text DueKeyLine(char16_t head, Layout layout);

}  // namespace guide
