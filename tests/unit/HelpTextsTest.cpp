// The texts of the help menu and the development credit, character for character.
#include "menu/HelpTexts.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using help::Topic;

constexpr Topic kAllTopics[] = {Topic::Clear,     Topic::Space, Topic::Left,      Topic::Ent,
                                Topic::Indicator, Topic::Color, Topic::Developper};

struct HelpCase {
    Topic topic;
    const char* name;
    int lineCount;
    text::TextView prompt;
};

const HelpCase kHelpCases[] = {
    {Topic::Clear, "Clear", 3,
     u"クリア基準は以下のとおりです\r"
     u"　３回入力し、ミスが０であること\r"
     u"　打数が60字/分以上であること(インディケータより速く打てること）"},
    {Topic::Space, "Space", 2,
     u"スペースキーを押して下さい。\r"
     u"キー入力が速いことも重要ですが、変換キーをうまく使いこなせるか否かは速い入力できるかの"
     u"重要な要素となります。"},
    {Topic::Left, "Left", 2,
     u"BackSpaceキーを押して下さい。\r"
     u"キー入力が速いことも重要ですが、このキーを速く打てるかどうかがミスタッチをしたときにすぐ"
     u"立ち直れるかのカギを握っています。"},
    {Topic::Ent, "Ent", 2,
     u"Enterキーを押して下さい\r"
     u"ひらがなの無変換はこのキーを押します"},
    {Topic::Indicator, "Indicator", 2,
     u"フォーム下部に表示する青色のバーのこと\r"
     u"これより速く打てれば基準をクリアします"},
    {Topic::Color, "Color", 5,
     u"クリアすると、ボタンの色が変わります\r"
     u"　赤が60字／分以上（全商３級程度）\r"
     u"　黄が90字／分以上（全商２級程度）\r"
     u"　青が120字／分以上（全商１級程度）\r"
     u"　？色　150字／分以上"},
    {Topic::Developper, "Developper", 1, u"開発  県立薫風高校"},
};

TEST(HelpPrompt, IsTheWholeTextWithLinesJoinedByCarriageReturns) {
    for (const HelpCase& c : kHelpCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(help::HelpPrompt(c.topic), text::Text(c.prompt));
        EXPECT_EQ(help::HelpLines(c.topic).size(), c.lineCount);
        EXPECT_EQ(text::Join(help::HelpLines(c.topic), u"\r"), help::HelpPrompt(c.topic));
    }
}

TEST(HelpPrompt, HasNoLineFeedAndNoEmptyLine) {
    for (Topic topic : kAllTopics) {
        const text::Text prompt = help::HelpPrompt(topic);
        EXPECT_FALSE(text::Contains(prompt, u'\n')) << static_cast<int>(topic);
        EXPECT_FALSE(prompt.ends_with(u'\r')) << static_cast<int>(topic);
        for (const text::Text& line : help::HelpLines(topic)) {
            EXPECT_FALSE(line.empty()) << static_cast<int>(topic);
        }
    }
}

// The characters that look alike in half and full width, checked by their code points.
TEST(HelpLines, ClearUsesIdeographicSpacesAndMixedWidthPunctuation) {
    const text::TextList lines = help::HelpLines(Topic::Clear);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1][0], 0x3000);
    EXPECT_EQ(lines[2][0], 0x3000);
    const text::Text last = lines[2];
    const std::size_t sixty = last.find(u"60");
    ASSERT_NE(sixty, text::Text::npos);
    EXPECT_EQ(last[sixty], 0x0036);
    EXPECT_EQ(last[sixty + 1], 0x0030);
    EXPECT_EQ(last[sixty + 3], 0x002F);                   // "/" after "60字"
    EXPECT_TRUE(text::Contains(last, char16_t(0x0028)));  // "("
    EXPECT_FALSE(text::Contains(last, char16_t(0xFF08)));
    EXPECT_EQ(last.back(), 0xFF09);  // the closing bracket is full width
    EXPECT_FALSE(text::Contains(last, char16_t(0x0029)));
}

TEST(HelpLines, ColorUsesFullWidthSlashAndQuestionMark) {
    const text::TextList lines = help::HelpLines(Topic::Color);
    ASSERT_EQ(lines.size(), 5);
    for (int i = 1; i < 5; ++i) {
        EXPECT_EQ(lines[i][0], 0x3000) << "line " << i;
        EXPECT_TRUE(text::Contains(lines[i], char16_t(0xFF0F))) << "line " << i;
        EXPECT_FALSE(text::Contains(lines[i], char16_t(0x002F))) << "line " << i;
    }
    EXPECT_EQ(lines[4][1], 0xFF1F);
    EXPECT_EQ(lines[4][3], 0x3000);
}

TEST(HelpLines, DeveloperCreditHasTwoHalfWidthSpaces) {
    const text::TextList lines = help::HelpLines(Topic::Developper);
    ASSERT_EQ(lines.size(), 1);
    const text::Text credit = lines[0];
    ASSERT_EQ(credit.size(), 10);
    EXPECT_EQ(credit[2], 0x0020);
    EXPECT_EQ(credit[3], 0x0020);
    EXPECT_EQ(std::count(credit.begin(), credit.end(), char16_t(0x3000)), 0);
}

}  // namespace
