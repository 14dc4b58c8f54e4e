// The result of a finished run: speed, verdict, result box texts, the best speed kept in the
// lesson button's caption and which buttons a cleared lesson reveals.
#include "board/RunResults.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace {

TEST(JudgeRun, SpeedShownSpeedAndVerdict) {
    struct Case {
        int typedCount;
        int ticks;
        int missCount;
        int targetSpeed;
        double runSpeed;
        double shownSpeed;
        bool cleared;
    };
    const Case cases[] = {
        {14, 130, 0, 60, 14 * 600 / 130.0, 64.6, true},
        {14, 140, 0, 60, 60.0, 60.0, true},  // exactly the target clears
        {14, 141, 0, 60, 14 * 600 / 141.0, 59.5, false},
        {14, 150, 2, 60, 56.0, 56.0, false},
        {5999, 60000, 0, 60, 59.99, 59.9, false},  // shown rounded down, and not cleared
        {14, 70, 10, 60, 120.0, 120.0, true},      // ten misses still clear
        {14, 70, 11, 60, 120.0, 120.0, false},     // eleven never do
        {14, 1, 11, 60, 8400.0, 8400.0, false},
        {14, 93, 0, 90, 14 * 600 / 93.0, 90.3, true},
        {14, 94, 0, 90, 14 * 600 / 94.0, 89.3, false},
        {17, 85, 0, 120, 120.0, 120.0, true},
        {6, 20, 0, 180, 180.0, 180.0, true},
        {6, 21, 0, 180, 6 * 600 / 21.0, 171.4, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.typedCount << " units in " << c.ticks << " ticks, "
                                        << c.missCount << " misses, target " << c.targetSpeed);
        const board::RunResult result =
            board::JudgeRun(c.typedCount, c.ticks, c.missCount, c.targetSpeed);
        EXPECT_DOUBLE_EQ(result.runSpeed, c.runSpeed);
        EXPECT_DOUBLE_EQ(result.shownSpeed, c.shownSpeed);
        EXPECT_EQ(result.cleared, c.cleared);
    }
}

TEST(JudgeRun, RunSpeedOfTheFirstExampleIsAboutSixtyFourPointSixTwo) {
    EXPECT_NEAR(board::JudgeRun(14, 130, 0, 60).runSpeed, 64.615, 0.001);
}

TEST(JudgeRun, NoTicksCountAsOneTick) {
    const board::RunResult result = board::JudgeRun(14, 0, 0, 60);
    EXPECT_TRUE(std::isfinite(result.runSpeed));
    EXPECT_DOUBLE_EQ(result.runSpeed, 8400.0);
    EXPECT_DOUBLE_EQ(result.shownSpeed, 8400.0);
    EXPECT_TRUE(result.cleared);
}

TEST(ResultPrompts, ShowTheSpeedInShortestFormOnTwoLines) {
    EXPECT_EQ(board::ClearedPrompt(64.6), u"64.6打／分\r合格圏内");
    EXPECT_EQ(board::ClearedPrompt(80), u"80打／分\r合格圏内");
    EXPECT_EQ(board::NotClearedPrompt(56, 2), u"56打／分\rミス2回");
    EXPECT_EQ(board::NotClearedPrompt(59.9, 11), u"59.9打／分\rミス11回");
}

TEST(ResultPrompts, ShowTheSpeedTheRunWasJudgedWith) {
    EXPECT_EQ(board::ClearedPrompt(board::JudgeRun(14, 130, 0, 60).shownSpeed),
              u"64.6打／分\r合格圏内");
    EXPECT_EQ(board::NotClearedPrompt(board::JudgeRun(5999, 60000, 0, 60).shownSpeed, 0),
              u"59.9打／分\rミス0回");
    EXPECT_EQ(board::NotClearedPrompt(board::JudgeRun(14, 150, 2, 60).shownSpeed, 2),
              u"56打／分\rミス2回");
}

TEST(ImprovedBestCaption, ReplacesTheCaptionOnlyWithAFasterSpeed) {
    struct Case {
        text::TextView caption;
        double shownSpeed;
        std::optional<text::TextView> newCaption;
    };
    const Case cases[] = {
        {u"80.0", 80.0, std::nullopt},   {u"80.0", 79.9, std::nullopt},
        {u"80.0", 80.1, u"80.1"},        {u"3ページ", 64.6, u"64.6"},
        {u"1ページ", 80.0, u"80.0"},     {u"64.6", 64.6, std::nullopt},
        {u"120.0", 119.9, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << text::ToUtf8(c.caption) << " then " << c.shownSpeed);
        const std::optional<text::Text> result =
            board::ImprovedBestCaption(text::Text(c.caption), c.shownSpeed);
        ASSERT_EQ(result.has_value(), c.newCaption.has_value());
        if (c.newCaption) {
            EXPECT_EQ(*result, *c.newCaption);
        }
    }
}

TEST(JumpsAhead, OnlyForTheFirstTwelveLessonsWithTheNextButtonShowing) {
    struct Case {
        int lessonIndex;
        bool nextButtonVisible;
        bool jumps;
    };
    const Case cases[] = {
        {0, true, true},  {3, true, true},   {3, false, false},
        {11, true, true}, {12, true, false}, {19, true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(board::JumpsAhead(c.lessonIndex, c.nextButtonVisible), c.jumps)
            << "lesson " << c.lessonIndex << (c.nextButtonVisible ? " next showing" : "");
    }
}

}  // namespace
