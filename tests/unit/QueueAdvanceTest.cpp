// Consuming an accepted key: the key trail, the count of completed units, the next cell and
// the end of the text.
#include "board/QueueAdvance.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

constexpr int kTextLength = 14;

struct AdvancingRun {
    text::Text queue;
    std::int16_t typedCount = 0;
    text::Text trail;

    board::AdvanceStep Consume(int textLength = kTextLength) {
        return board::ConsumeAcceptedKey({queue, typedCount, trail}, textLength);
    }
};

TEST(ConsumeAcceptedKey, ALetterInsideAUnitJoinsTheTrailOnly) {
    AdvancingRun run{u"KA_N_=", 5, text::Text()};
    const board::AdvanceStep step = run.Consume();
    EXPECT_FALSE(step.textEnded);
    EXPECT_EQ(run.queue, u"A_N_=");
    EXPECT_EQ(run.typedCount, 5);
    EXPECT_EQ(run.trail, u"K");
    EXPECT_EQ(step.nextCell, 5);
}

TEST(ConsumeAcceptedKey, TheLastLetterOfAUnitCompletesIt) {
    AdvancingRun run{u"A_N_=", 5, u"K"};
    const board::AdvanceStep step = run.Consume();
    EXPECT_FALSE(step.textEnded);
    EXPECT_EQ(run.queue, u"N_=");
    EXPECT_EQ(run.typedCount, 6);
    EXPECT_EQ(run.trail, u"KA");
    EXPECT_EQ(step.nextCell, 6);
}

TEST(ConsumeAcceptedKey, NextCellIsTheCompletedUnitsModuloTheTextLength) {
    struct Case {
        std::int16_t typedCount;
        int textLength;
        int nextCell;
    };
    const Case cases[] = {{0, 14, 1}, {12, 14, 13}, {13, 14, 0}, {16, 14, 3}, {5, 6, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.typedCount << " of " << c.textLength);
        AdvancingRun run{u"A_K_=", c.typedCount, text::Text()};
        EXPECT_EQ(run.Consume(c.textLength).nextCell, c.nextCell);
    }
}

TEST(ConsumeAcceptedKey, TrailKeepsTheLastThreeLetters) {
    AdvancingRun run{u"KA_NJ_I_ _=", 0, text::Text()};
    const text::Text expectedTrails[] = {u"K", u"KA", u"KAN", u"ANJ", u"NJI"};
    for (const text::Text& expected : expectedTrails) {
        ASSERT_FALSE(run.Consume().textEnded);
        EXPECT_EQ(run.trail, expected);
    }
}

TEST(ConsumeAcceptedKey, SpaceDigitsAndExclamationNeverJoinTheTrail) {
    AdvancingRun run{u"1_ _!_5_2_K_=", 0, u"AB"};
    for (int key = 0; key < 5; ++key) {
        ASSERT_FALSE(run.Consume().textEnded);
        EXPECT_EQ(run.trail, u"AB") << "after key " << key;
        EXPECT_EQ(run.typedCount, key + 1);
    }
    EXPECT_EQ(run.queue, u"K_=");
}

TEST(ConsumeAcceptedKey, TheLastKeyConsumesTheUnitEndAndTheEndMark) {
    AdvancingRun run{u" _=", 13, u"SAN"};
    const board::AdvanceStep step = run.Consume();
    EXPECT_TRUE(step.textEnded);
    EXPECT_EQ(step.nextCell, 0);
    EXPECT_EQ(run.typedCount, 14);
    EXPECT_TRUE(run.trail.empty());
    EXPECT_TRUE(run.queue.empty());
}

TEST(ConsumeAcceptedKey, TheTextEndsAfterTheLastLetterToo) {
    AdvancingRun run{u"N_=", 13, u"ASA"};
    const board::AdvanceStep step = run.Consume();
    EXPECT_TRUE(step.textEnded);
    EXPECT_EQ(run.typedCount, 14);
    EXPECT_TRUE(run.trail.empty());
    EXPECT_TRUE(run.queue.empty());
}

TEST(ConsumeAcceptedKey, AnEmptyQueueIsLeftAlone) {
    AdvancingRun run{text::Text(), 14, u"KA"};
    const board::AdvanceStep step = run.Consume();
    EXPECT_FALSE(step.textEnded);
    EXPECT_TRUE(run.queue.empty());
    EXPECT_EQ(run.typedCount, 14);
    EXPECT_EQ(run.trail, u"KA");
}

}  // namespace
