// Number and text helpers: reading the number a button caption starts with, the caption and
// prompt formats, and the character/code conversions used for key names.
#include "services/Formats.h"
#include "services/Geometry.h"
#include "services/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <string_view>

namespace {

// The program's text: UTF-16 from the source's UTF-8 and back, a broken sequence or half a
// pair as U+FFFD, never dropped or passed on.
TEST(Text, ConvertsUtf8BothWaysAndReplacesWhatIsBroken) {
    struct Case {
        std::string_view utf8;
        text::TextView utf16;
        std::string_view back;
    };
    const Case cases[] = {
        {"", u"", ""},
        {"KA_N_=", u"KA_N_=", "KA_N_="},
        {"ちゅう■", u"ちゅう■", "ちゅう■"},
        {"𠮷!", u"𠮷!", "𠮷!"},
        {"a\xFF"
         "b",
         u"a\uFFFDb",
         "a\xEF\xBF\xBD"
         "b"},                                                      // no sequence starts with FF
        {"\xE3\x81", u"\uFFFD\uFFFD", "\xEF\xBF\xBD\xEF\xBF\xBD"},  // cut short
        {"\xC0\xAF", u"\uFFFD\uFFFD", "\xEF\xBF\xBD\xEF\xBF\xBD"},  // overlong
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.back);
        EXPECT_EQ(text::FromUtf8(c.utf8), c.utf16);
        EXPECT_EQ(text::ToUtf8(text::FromUtf8(c.utf8)), c.back);
    }
    const char16_t loneHalf[] = {u'a', 0xD842, u'b'};
    EXPECT_EQ(text::ToUtf8(text::TextView(loneHalf, 3)),
              "a\xEF\xBF\xBD"
              "b");
}

TEST(Text, SplitsAtEverySeparatorAndJoinsBack) {
    const text::TextView cases[] = {u"", u"_", u"KA_N_", u"A__B", u"_=_"};
    for (const text::TextView whole : cases) {
        SCOPED_TRACE(text::ToUtf8(whole));
        const text::TextList parts = text::Split(whole, u'_');
        EXPECT_EQ(parts.size(),
                  static_cast<std::size_t>(std::count(whole.begin(), whole.end(), u'_')) + 1);
        EXPECT_EQ(text::Join(parts, u"_"), whole);
    }
    EXPECT_EQ(text::Split(u"KA_N_", u'_'), (text::TextList{u"KA", u"N", u""}));
    EXPECT_EQ(text::Number(-305), u"-305");
    EXPECT_EQ(text::Number(0), u"0");
}

// Rectangles share a pixel only when they overlap; touching edges do not, and an empty one
// neither holds nor meets anything.
TEST(Rect, ContainsAndIntersectsToTheLastPixel) {
    const geometry::Rect screen{0, 0, 100, 50};
    EXPECT_TRUE(screen.Contains({0, 0, 100, 50}));
    EXPECT_FALSE(screen.Contains({1, 0, 100, 50}));
    EXPECT_FALSE(screen.Contains({10, 10, 0, 5}));
    EXPECT_FALSE(geometry::Rect{}.Contains({0, 0, 1, 1}));
    EXPECT_TRUE(screen.Intersects({99, 49, 5, 5}));
    EXPECT_FALSE(screen.Intersects({100, 0, 5, 5}));
    EXPECT_FALSE(screen.Intersects({0, 50, 5, 5}));
    EXPECT_FALSE(screen.Intersects({10, 10, 0, 5}));
    EXPECT_EQ(screen.Translated({3, -4}), (geometry::Rect{3, -4, 100, 50}));
}

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

// The toolkit sets the desktop's locale; a number is still written and read with ".".
TEST(PlainNumber, WritesAndReadsAPointWhateverTheLocale) {
    EXPECT_EQ(formats::FixedDecimals(0.45, 2), u"0.45");
    EXPECT_EQ(formats::FixedDecimals(2, 2), u"2.00");
    EXPECT_EQ(formats::FixedDecimals(0.125, 0), u"0");
    EXPECT_DOUBLE_EQ(formats::LeadingNumber(u"123.45ページ"), 123.45);
    const char* const commaLocales[] = {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE", "fr_FR"};
    const bool set = std::any_of(std::begin(commaLocales), std::end(commaLocales),
                                 [](const char* name) { return setlocale(LC_NUMERIC, name); });
    if (!set) {
        GTEST_SKIP() << "no locale with a decimal comma on this machine";
    }
    EXPECT_EQ(formats::PlainNumber(64.6), u"64.6");
    EXPECT_EQ(formats::FixedDecimals(1.25, 2), u"1.25");
    EXPECT_DOUBLE_EQ(formats::LeadingNumber(u"64.6"), 64.6);
    setlocale(LC_NUMERIC, "C");
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
