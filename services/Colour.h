#pragma once
// Colours as 0x00BBGGRR values; a value with the high bit set, 0x800000nn, names the
// platform's system colour number nn instead of a fixed colour.
#include <cstdint>

namespace colour {

using BgrColour = std::uint32_t;

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr BgrColour kSystemColourFlag = 0x80000000u;
inline constexpr int kSystemMenuText = 7;
inline constexpr int kSystemHighlightText = 14;

constexpr bool IsSystemColour(BgrColour value) {
    return (value & kSystemColourFlag) != 0;
}
constexpr int SystemColourIndex(BgrColour value) {
    return static_cast<int>(value & 0xFFu);
}
constexpr BgrColour SystemColour(int index) {
    return kSystemColourFlag | (static_cast<BgrColour>(index) & 0xFFu);
}

constexpr Rgb ToRgb(BgrColour value) {
    return Rgb{static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
               static_cast<int>((value >> 16) & 0xFFu)};
}

constexpr BgrColour FromRgb(Rgb rgb) {
    return static_cast<BgrColour>(rgb.red & 0xFF) |
           (static_cast<BgrColour>(rgb.green & 0xFF) << 8) |
           (static_cast<BgrColour>(rgb.blue & 0xFF) << 16);
}

// Named colours of the two windows.
inline constexpr BgrColour kPaleCyan = 0x00FFFFC0;
inline constexpr BgrColour kNavy = 0x00800000;
inline constexpr BgrColour kRed = 0x000000FF;
inline constexpr BgrColour kBlack = 0x00000000;

}  // namespace colour
