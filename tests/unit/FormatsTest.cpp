// Number and text helpers: reading the number a button caption starts with, the caption and
// prompt formats, and the character/code conversions used for key names.
#include "services/Formats.h"

#include <gtest/gtest.h>

namespace {

TEST(LeadingNumber, ReadsTheNumberACaptionStartsWith) {
    struct Case {
        text::TextView caption;
        double expected;
    };
    const Case cases[] = {
        {u"64.6", 64.6}, {u"1ページ", 1.0},   {u"", 0.0},        {u"ページ", 0.0},
        {u"80.0", 80.0}, {u"20ページ", 20.0}, {u"100.0", 100.0}, {u"12.5ページ", 12.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(text::ToUtf8(c.caption));
        EXPECT_DOUBLE_EQ(formats::LeadingNumber(text::Text(c.caption)), c.expected);
    }
}

TEST(FormatGrouped, GroupsThousandsAndRoundsHalvesAwayFromZero) {
    struct Case {
        double value;
        text::TextView expected;
    };
    const Case cases[] = {
        {0.4, u""},         {0.5, u"1"},          {999.0, u"999"},           {999.5, u"1,000"},
        {1000.0, u"1,000"}, {1234.5, u"1,235"},   {25200.0, u"25,200"},      {0.0, u""},
        {360.0, u"360"},    {30600.0, u"30,600"}, {1234567.0, u"1,234,567"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(formats::FormatGrouped(c.value), text::Text(c.expected));
    }
}

TEST(FormatOneDecimal, AlwaysShowsOneDecimalDigit) {
    struct Case {
        double value;
        text::TextView expected;
    };
    const Case cases[] = {
        {80.0, u"80.0"},   {61.9, u"61.9"}, {64.6, u"64.6"},
        {100.0, u"100.0"}, {80.1, u"80.1"}, {0.5, u".5"},  // "###.0" has no leading zero
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(formats::FormatOneDecimal(c.value), text::Text(c.expected));
    }
}

TEST(PlainNumber, GivesTheShortestDecimalText) {
    struct Case {
        double value;
        text::TextView expected;
    };
    const Case cases[] = {
        {80.0, u"80"},
        {61.9, u"61.9"},
        {64.6, u"64.6"},
        {59.9, u"59.9"},
        {56.0, u"56"},
        // Speeds are whole tenths divided by ten: the division's binary noise must not show.
        {646 / 10.0, u"64.6"},
        {599 / 10.0, u"59.9"},
        {8400.0, u"8400"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(formats::PlainNumber(c.value), text::Text(c.expected));
    }
}

TEST(Int, RoundsTowardsMinusInfinity) {
    EXPECT_DOUBLE_EQ(formats::Int(2.7), 2.0);
    EXPECT_DOUBLE_EQ(formats::Int(-2.5), -3.0);
    EXPECT_DOUBLE_EQ(formats::Int(3.0), 3.0);
    EXPECT_DOUBLE_EQ(formats::Int(-0.1), -1.0);
}

TEST(RoundedMod, RoundsBothOperandsHalvesToEvenThenTakesTheRemainder) {
    struct Case {
        double dividend;
        double divisor;
        long long expected;
    };
    const Case cases[] = {
        {140, 140.0, 0},  {421, 140, 1}, {93, 93.338, 0},
        {92, 93.338, 92}, {2.5, 10, 2},  // 2.5 rounds to 2, not 3
        {3.5, 10, 4},                    // 3.5 rounds to 4
        {9, 2.5, 1},                     // the divisor 2.5 rounds to 2: 9 mod 2
        {70, 140.0, 70},  {5, 0, 0},     // no fault for a zero divisor
        {7.5, 2, 0},                     // 7.5 rounds to 8
        {-7, 3, -1},                     // the sign follows the dividend
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dividend << " mod " << c.divisor);
        EXPECT_EQ(formats::RoundedMod(c.dividend, c.divisor), c.expected);
    }
}

TEST(CharacterOfAndCodeOf, RoundTripAsciiKanaAndCharactersBeyondTheBasicPlane) {
    const int codes[] = {'A', 'k', ' ', '~', 0x3042 /* あ */, 0x20BB7 /* 𠮷 */};
    for (int code : codes) {
        SCOPED_TRACE(code);
        const text::Text character = formats::CharacterOf(code);
        EXPECT_FALSE(character.empty());
        EXPECT_EQ(formats::CodeOf(character), code);
    }
}

TEST(CharacterOf, GivesTheCharacterOfACode) {
    EXPECT_EQ(formats::CharacterOf('j'), u"j");
    EXPECT_EQ(formats::CharacterOf(32), u" ");
    EXPECT_EQ(formats::CharacterOf(13), u"\r");
    EXPECT_EQ(formats::CharacterOf(0x3042), u"あ");
    EXPECT_EQ(formats::CharacterOf(0x20BB7), u"𠮷");
    EXPECT_EQ(formats::CharacterOf(0x20BB7).size(), 2);  // a surrogate pair
}

TEST(CharacterOf, GivesNothingForANegativeCode) {
    EXPECT_TRUE(formats::CharacterOf(-1).empty());
}

TEST(CodeOf, OfAnEmptyTextIsMinusOne) {
    EXPECT_EQ(formats::CodeOf(text::Text()), -1);
}

TEST(CodeOf, ReadsOnlyTheFirstCharacter) {
    EXPECT_EQ(formats::CodeOf(u"ab"), 'a');
    EXPECT_EQ(formats::CodeOf(u"あい"), 0x3042);
}

}  // namespace
