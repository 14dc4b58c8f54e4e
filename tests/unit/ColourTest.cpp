// Colours stored as 0x00BBGGRR, and the system colour numbers carried in the same values.
#include "services/Colour.h"

#include <gtest/gtest.h>

#include <ostream>

namespace colour {
inline void PrintTo(const Rgb& rgb, std::ostream* out) {
    *out << "{" << rgb.red << ", " << rgb.green << ", " << rgb.blue << "}";
}
}  // namespace colour

namespace {

using colour::BgrColour;
using colour::Rgb;

TEST(Colour, StoresRedInTheLowByteAndBlueInTheHighByte) {
    struct Case {
        BgrColour value;
        Rgb rgb;
    };
    const Case cases[] = {
        {0x008080FF, {255, 128, 128}},  // light red of a 60 to 90 button
        {0x0080FFFF, {255, 255, 128}},  // light yellow
        {0x00FF8080, {128, 128, 255}},  // light blue
        {0x00FFFFC0, {0xC0, 0xFF, 0xFF}}, {0x000000FF, {255, 0, 0}},     {0x00800000, {0, 0, 128}},
        {0x00000000, {0, 0, 0}},          {0x00FFFFFF, {255, 255, 255}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.value);
        EXPECT_EQ(colour::ToRgb(c.value), c.rgb);
        EXPECT_EQ(colour::FromRgb(c.rgb), c.value);
    }
}

TEST(Colour, NamedColoursHaveTheirComponents) {
    EXPECT_EQ(colour::ToRgb(colour::kPaleCyan), (Rgb{0xC0, 0xFF, 0xFF}));
    EXPECT_EQ(colour::ToRgb(colour::kNavy), (Rgb{0, 0, 0x80}));
    EXPECT_EQ(colour::ToRgb(colour::kRed), (Rgb{0xFF, 0, 0}));
    EXPECT_EQ(colour::ToRgb(colour::kBlack), (Rgb{0, 0, 0}));
}

TEST(Colour, HighBitNamesASystemColourNumber) {
    struct Case {
        BgrColour value;
        int index;
    };
    const Case cases[] = {
        {0x80000007, colour::kSystemMenuText},
        {0x8000000E, colour::kSystemHighlightText},
        {0x80000000, 0},
        {0x80000018, 24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.value);
        EXPECT_TRUE(colour::IsSystemColour(c.value));
        EXPECT_EQ(colour::SystemColourIndex(c.value), c.index);
        EXPECT_EQ(colour::SystemColour(c.index), c.value);
    }
    EXPECT_EQ(colour::kSystemMenuText, 7);
    EXPECT_EQ(colour::kSystemHighlightText, 14);
}

TEST(Colour, FixedColoursAreNotSystemColours) {
    const BgrColour fixed[] = {0x00FFFFC0, 0x00FFFFFF, 0x00000000, 0x008080FF, 0x00800000};
    for (BgrColour value : fixed) {
        SCOPED_TRACE(testing::Message() << std::hex << value);
        EXPECT_FALSE(colour::IsSystemColour(value));
    }
}

}  // namespace
