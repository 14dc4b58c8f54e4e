// The indicator bar: a typist at exactly the target speed, whose width, thickness, caption
// and colour follow from the elapsed ticks.
#include "board/IndicatorArithmetic.h"

#include <gtest/gtest.h>

namespace {

constexpr int kCellTwips = 495;
constexpr int kLength = 14;
constexpr int kBoardWidth = kLength * kCellTwips;  // 6930
constexpr int kThickest = 495;

TEST(IndicatorOnTick, FourteenCharactersAtSixty) {
    struct Case {
        int ticks;
        int heightBefore;
        float position;
        int width;
        int heightAfter;
        text::TextView caption;
        bool timeUp;
    };
    const Case cases[] = {
        {1, 255, 0.1f, 50, 255, u"25,200", false},  // W × 0.1 ÷ 14 = 49.5, half rounds up
        {70, 255, 7.0f, 3465, 255, u"360", false},  // half way: half the board
        {140, 255, 0.0f, 0, 375, u"180", false},    // first pass done: the bar thickens
        {280, 375, 0.0f, 0, 495, u"90", false},     // second pass: thickens again
        {420, 495, 0.0f, 0, 495, u"60", false},     // third pass: exactly the target, not red
        {421, 495, 0.1f, 50, 495, u"60", true},     // 59.857 reads "60" but is below 60
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "tick " << c.ticks);
        const board::IndicatorFrame frame =
            board::IndicatorOnTick(c.ticks, kLength, 60, kBoardWidth, c.heightBefore);
        EXPECT_FLOAT_EQ(frame.position, c.position);
        EXPECT_EQ(frame.widthTwips, c.width);
        EXPECT_EQ(frame.heightTwips, c.heightAfter);
        EXPECT_EQ(frame.caption, text::Text(c.caption));
        EXPECT_EQ(frame.timeUp, c.timeUp);
    }
}

// A tick that came late brings the time that passed, and the passes begun in the jump
// thicken the bar (14 characters at 60: a pass every 140 ticks).
TEST(TicksAfterTimerTick, ALateTickBringsTheTimeThatPassedAndThePassesBegun) {
    struct Case {
        int ticks;
        long long elapsedTenths;
        int after;
        int heightAfter;  // before the tick's own frame, from 255
    };
    const Case cases[] = {
        {0, 0, 1, 255},          // a timer a shade early still counts its tick
        {139, 139, 140, 255},    // the tick itself begins the pass: IndicatorOnTick thickens
        {100, 150, 150, 375},    // the pass of tick 140 was skipped
        {10, 900, 900, 495},     // never beyond three rows
        {32766, 0, 32767, 255},  // held at the limit
    };
    for (const Case& c : cases) {
        const int after = board::TicksAfterTimerTick(c.ticks, c.elapsedTenths);
        EXPECT_EQ(after, c.after) << c.ticks << " then " << c.elapsedTenths;
        EXPECT_EQ(board::HeightAfterSkippedTicks(c.ticks, after, kLength, 60, 255), c.heightAfter)
            << c.ticks << " to " << after;
    }
}

// The last key may beat a late tick: the run's time is the clock's, not the last tick's.
TEST(TicksAtRunEnd, IsTheClocksTimeNeverLessThanTheTicksCounted) {
    struct Case {
        int ticks;
        long long elapsedTenths;
        int atEnd;
    };
    const Case cases[] = {
        {130, 130, 130},        // the ticks kept up
        {130, 137, 137},        // the last key came 0.7 s after a tick that did not
        {131, 130, 131},        // a tick a shade early has counted its tenth already
        {32000, 40000, 32767},  // held at the limit
    };
    for (const Case& c : cases) {
        EXPECT_EQ(board::TicksAtRunEnd(c.ticks, c.elapsedTenths), c.atEnd)
            << c.ticks << " ticks, " << c.elapsedTenths << " tenths on the clock";
    }
}

TEST(PassLength, IsTheTextLengthTimesTicksPerCharacterRounded) {
    struct Case {
        int textLength;
        int targetSpeed;
        long long pass;
    };
    const Case cases[] = {
        {14, 60, 140}, {14, 90, 93},                  // 93.338
        {14, 120, 70}, {14, 150, 56}, {14, 180, 47},  // 46.662
        {17, 90, 113},                                // 113.339
        {6, 180, 20},                                 // 19.998
    };
    for (const Case& c : cases) {
        EXPECT_EQ(board::PassLength(c.textLength, c.targetSpeed), c.pass)
            << c.textLength << " characters at " << c.targetSpeed;
    }
}

TEST(IndicatorOnTick, PositionAtNinetyJustBeforeThePassEnds) {
    const board::IndicatorFrame frame = board::IndicatorOnTick(92, kLength, 90, kBoardWidth, 255);
    EXPECT_FLOAT_EQ(frame.position, 92 * 0.15f);
    EXPECT_FLOAT_EQ(frame.position, 13.8f);
    EXPECT_EQ(frame.widthTwips, 6831);
    EXPECT_EQ(frame.heightTwips, 255);

    const board::IndicatorFrame passEnd = board::IndicatorOnTick(93, kLength, 90, kBoardWidth, 255);
    EXPECT_FLOAT_EQ(passEnd.position, 0.0f);
    EXPECT_EQ(passEnd.widthTwips, 0);
    EXPECT_EQ(passEnd.heightTwips, 375);
}

TEST(IndicatorOnTick, WidthRoundsHalvesAwayFromZero) {
    // At 150 a tick is a quarter character: 495 × 0.25 × n twips falls on exact halves.
    struct Case {
        int ticks;
        int width;
    };
    const Case cases[] = {{2, 248}, {6, 743}, {10, 1238}};
    for (const Case& c : cases) {
        EXPECT_EQ(board::IndicatorOnTick(c.ticks, kLength, 150, kBoardWidth, 255).widthTwips,
                  c.width)
            << "tick " << c.ticks;
    }
}

TEST(IndicatorOnTick, CaptionsOfAThousandAndMoreAreGrouped) {
    EXPECT_EQ(board::IndicatorOnTick(1, 17, 60, 17 * kCellTwips, 255).caption, u"30,600");
    EXPECT_EQ(board::IndicatorOnTick(25, kLength, 60, kBoardWidth, 255).caption, u"1,008");
    EXPECT_EQ(board::IndicatorOnTick(26, kLength, 60, kBoardWidth, 255).caption, u"969");
}

TEST(IndicatorOnTick, TurnsRedTheTickAfterTheTargetIsOnlyJustReachable) {
    // length × 1800 ÷ ticks falls below the target after exactly length × 1800 ÷ target ticks.
    struct Case {
        int textLength;
        int targetSpeed;
        int lastOnTimeTick;
    };
    const Case cases[] = {
        {14, 60, 420},  {14, 90, 280}, {14, 120, 210}, {14, 150, 168},
        {14, 180, 140}, {6, 60, 180},  {17, 180, 170},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.textLength << " characters at " << c.targetSpeed);
        const int width = c.textLength * kCellTwips;
        EXPECT_FALSE(
            board::IndicatorOnTick(c.lastOnTimeTick, c.textLength, c.targetSpeed, width, 495)
                .timeUp);
        EXPECT_TRUE(
            board::IndicatorOnTick(c.lastOnTimeTick + 1, c.textLength, c.targetSpeed, width, 495)
                .timeUp);
    }
}

TEST(IndicatorOnTick, OverARunTheBarRestartsEachPassAndThickensTwice) {
    struct Case {
        int textLength;
        int targetSpeed;
    };
    const Case cases[] = {{14, 60},  {14, 90}, {14, 120}, {14, 150},
                          {14, 180}, {17, 90}, {6, 180},  {17, 180}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.textLength << " characters at " << c.targetSpeed);
        const long long pass = board::PassLength(c.textLength, c.targetSpeed);
        const int width = c.textLength * kCellTwips;
        int height = board::kBarStartHeight;
        for (int ticks = 1; ticks <= 4 * pass; ++ticks) {
            const board::IndicatorFrame frame =
                board::IndicatorOnTick(ticks, c.textLength, c.targetSpeed, width, height);
            const bool passEnds = ticks % pass == 0;
            ASSERT_EQ(frame.widthTwips == 0, passEnds) << "tick " << ticks;
            ASSERT_GE(frame.position, 0.0f) << "tick " << ticks;
            ASSERT_LT(frame.position, static_cast<float>(c.textLength)) << "tick " << ticks;
            ASSERT_LE(frame.widthTwips, width) << "tick " << ticks;
            const bool thickens = ticks == pass || ticks == 2 * pass;
            ASSERT_EQ(frame.heightTwips, thickens ? height + board::kBarHeightStep : height)
                << "tick " << ticks;
            ASSERT_LE(frame.heightTwips, kThickest) << "tick " << ticks;
            height = frame.heightTwips;
        }
        EXPECT_EQ(height, kThickest);
    }
}

TEST(IndicatorOnTick, TheWidthGrowsThroughEachPass) {
    int previous = -1;
    for (int ticks = 141; ticks < 280; ++ticks) {
        const int width = board::IndicatorOnTick(ticks, kLength, 60, kBoardWidth, 375).widthTwips;
        EXPECT_GT(width, previous) << "tick " << ticks;
        previous = width;
    }
}

TEST(ReachableSpeed, IsThreePassesOfTheTextOverTheElapsedTime) {
    EXPECT_DOUBLE_EQ(board::ReachableSpeed(14, 420), 60.0);
    EXPECT_NEAR(board::ReachableSpeed(14, 421), 59.857, 0.001);
    EXPECT_DOUBLE_EQ(board::ReachableSpeed(17, 1), 30600.0);
    EXPECT_DOUBLE_EQ(board::ReachableSpeed(14, 0), 25200.0);  // no division by zero
}

TEST(IndicatorOnTick, ATextWithoutCharactersLeavesTheBarAlone) {
    const board::IndicatorFrame frame = board::IndicatorOnTick(10, 0, 60, 0, 255);
    EXPECT_EQ(frame.widthTwips, 0);
    EXPECT_EQ(frame.heightTwips, 255);
}

}  // namespace
