// Consuming an accepted key: the key trail, the count of completed units, the next cell and
// the end of the text.
#include "board/QueueAdvance.h"

#include <gtest/gtest.h>

#include <QString>
#include <cstdint>
#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

constexpr int kTextLength = 14;

struct AdvancingRun {
    QString queue;
    std::int16_t typedCount = 0;
    QString trail;

    board::AdvanceStep Consume(int textLength = kTextLength) {
        return board::ConsumeAcceptedKey({queue, typedCount, trail}, textLength);
    }
};

TEST(ConsumeAcceptedKey, ALetterInsideAUnitJoinsTheTrailOnly) {
    AdvancingRun run{QStringLiteral("KA_N_="), 5, QString()};
    const board::AdvanceStep step = run.Consume();
    EXPECT_FALSE(step.textEnded);
    EXPECT_EQ(run.queue, QStringLiteral("A_N_="));
    EXPECT_EQ(run.typedCount, 5);
    EXPECT_EQ(run.trail, QStringLiteral("K"));
    EXPECT_EQ(step.nextCell, 5);
}

TEST(ConsumeAcceptedKey, TheLastLetterOfAUnitCompletesIt) {
    AdvancingRun run{QStringLiteral("A_N_="), 5, QStringLiteral("K")};
    const board::AdvanceStep step = run.Consume();
    EXPECT_FALSE(step.textEnded);
    EXPECT_EQ(run.queue, QStringLiteral("N_="));
    EXPECT_EQ(run.typedCount, 6);
    EXPECT_EQ(run.trail, QStringLiteral("KA"));
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
        AdvancingRun run{QStringLiteral("A_K_="), c.typedCount, QString()};
        EXPECT_EQ(run.Consume(c.textLength).nextCell, c.nextCell);
    }
}

TEST(ConsumeAcceptedKey, TrailKeepsTheLastThreeLetters) {
    AdvancingRun run{QStringLiteral("KA_NJ_I_ _="), 0, QString()};
    const QString expectedTrails[] = {QStringLiteral("K"), QStringLiteral("KA"),
                                      QStringLiteral("KAN"), QStringLiteral("ANJ"),
                                      QStringLiteral("NJI")};
    for (const QString& expected : expectedTrails) {
        ASSERT_FALSE(run.Consume().textEnded);
        EXPECT_EQ(run.trail, expected);
    }
}

TEST(ConsumeAcceptedKey, SpaceDigitsAndExclamationNeverJoinTheTrail) {
    AdvancingRun run{QStringLiteral("1_ _!_5_2_K_="), 0, QStringLiteral("AB")};
    for (int key = 0; key < 5; ++key) {
        ASSERT_FALSE(run.Consume().textEnded);
        EXPECT_EQ(run.trail, QStringLiteral("AB")) << "after key " << key;
        EXPECT_EQ(run.typedCount, key + 1);
    }
    EXPECT_EQ(run.queue, QStringLiteral("K_="));
}

TEST(ConsumeAcceptedKey, TheLastKeyConsumesTheUnitEndAndTheEndMark) {
    AdvancingRun run{QStringLiteral(" _="), 13, QStringLiteral("SAN")};
    const board::AdvanceStep step = run.Consume();
    EXPECT_TRUE(step.textEnded);
    EXPECT_EQ(step.nextCell, 0);
    EXPECT_EQ(run.typedCount, 14);
    EXPECT_TRUE(run.trail.isEmpty());
    EXPECT_TRUE(run.queue.isEmpty());
}

TEST(ConsumeAcceptedKey, TheTextEndsAfterTheLastLetterToo) {
    AdvancingRun run{QStringLiteral("N_="), 13, QStringLiteral("ASA")};
    const board::AdvanceStep step = run.Consume();
    EXPECT_TRUE(step.textEnded);
    EXPECT_EQ(run.typedCount, 14);
    EXPECT_TRUE(run.trail.isEmpty());
    EXPECT_TRUE(run.queue.isEmpty());
}

TEST(ConsumeAcceptedKey, AnEmptyQueueIsLeftAlone) {
    AdvancingRun run{QString(), 14, QStringLiteral("KA")};
    const board::AdvanceStep step = run.Consume();
    EXPECT_FALSE(step.textEnded);
    EXPECT_TRUE(run.queue.isEmpty());
    EXPECT_EQ(run.typedCount, 14);
    EXPECT_EQ(run.trail, QStringLiteral("KA"));
}

}  // namespace
