// Typing whole lessons key by key through the judge and the queue: every lesson can be
// finished without a miss, also with the alternative spellings.
#include <gtest/gtest.h>

#include <QString>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "board/KeyJudge.h"
#include "board/QueueAdvance.h"
#include "lessons/RunBuilder.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

// The counters of a run as the board keeps them.
struct Board {
    QString queue;
    int textLength = 0;
    std::uint8_t lastKey = 0;
    std::uint8_t missCount = 0;
    std::int16_t typedCount = 0;
    QString trail;
    bool ended = false;
    int nextCell = 0;

    explicit Board(int lessonIndex) {
        const std::optional<lessons::BuiltRun> run = lessons::BuildRun(lessonIndex);
        if (run) {
            queue = run->romajiQueue;
            textLength = static_cast<int>(run->practiceText.size());
        }
    }

    board::Verdict Press(char typed) {
        const board::Judgement judgement = board::JudgeKeyAgainstQueue(
            {queue, lastKey, missCount}, board::PressedKey::Character(typed));
        if (judgement.verdict != board::Verdict::Miss) {
            const board::AdvanceStep step =
                board::ConsumeAcceptedKey({queue, typedCount, trail}, textLength);
            ended = step.textEnded;
            nextCell = step.nextCell;
        }
        return judgement.verdict;
    }

    void Type(const std::string& keys) {
        for (char key : keys) {
            Press(key);
        }
    }
};

// The keys a pupil types for a queue: lower case, no unit ends, no end mark.
std::string KeysFor(const QString& queue) {
    std::string keys;
    for (QChar c : queue) {
        if (c != u'_' && c != u'=') {
            keys += static_cast<char>(c.toLower().unicode());
        }
    }
    return keys;
}

TEST(TypingALesson, EveryLessonEndsAfterItsLastKeyWithoutAMiss) {
    for (int index = 0; index < 20; ++index) {
        SCOPED_TRACE(testing::Message() << "lesson " << index);
        Board board(index);
        const std::string keys = KeysFor(board.queue);
        ASSERT_FALSE(keys.empty());
        for (std::size_t i = 0; i + 1 < keys.size(); ++i) {
            ASSERT_EQ(board.Press(keys[i]), board::Verdict::Direct) << "key " << i;
            ASSERT_FALSE(board.ended) << "ended early at key " << i;
            EXPECT_LT(board.nextCell, board.textLength);
        }
        EXPECT_EQ(board.Press(keys.back()), board::Verdict::Direct);
        EXPECT_TRUE(board.ended);
        EXPECT_EQ(board.typedCount, board.textLength);
        EXPECT_EQ(board.missCount, 0);
        EXPECT_TRUE(board.queue.isEmpty());
        EXPECT_TRUE(board.trail.isEmpty());
    }
}

TEST(TypingALesson, NextCellFollowsTheCompletedUnits) {
    Board board(2);  // YO_U_KO_SO_!_ _=
    board.Type("yo");
    EXPECT_EQ(board.nextCell, 1);
    board.Type("uk");
    EXPECT_EQ(board.nextCell, 2);
    EXPECT_EQ(board.trail, QStringLiteral("OUK"));
    board.Type("oso!");
    EXPECT_EQ(board.nextCell, 5);
    EXPECT_EQ(board.trail, QStringLiteral("OSO"));
    EXPECT_FALSE(board.ended);
    board.Type(" ");
    EXPECT_TRUE(board.ended);
}

TEST(TypingALesson, AlternativeSpellingsFinishTheLessonToo) {
    struct Case {
        int index;
        std::string keys;
        int alternatives;
    };
    const Case cases[] = {
        {0, "chuugakuseino minasan ", 1},   // CH for TY
        {10, "zinbunkagaku keiretu ", 1},   // ZI for JI
        {16, "sikaku syutokugadeki ", 1},   // SY for SH after S
        {17, "singakuto syuusyokuni ", 2},  // twice in one lesson
        {9, "benkyousimasu ", 0},           // KY stays KY
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        Board board(c.index);
        int alternatives = 0;
        for (char key : c.keys) {
            const board::Verdict verdict = board.Press(key);
            ASSERT_NE(verdict, board::Verdict::Miss) << "key '" << key << "'";
            alternatives += verdict == board::Verdict::Alternative ? 1 : 0;
        }
        EXPECT_EQ(alternatives, c.alternatives);
        EXPECT_TRUE(board.ended);
        EXPECT_EQ(board.typedCount, board.textLength);
        EXPECT_EQ(board.missCount, 0);
    }
}

TEST(TypingALesson, AMissLeavesTheRunWhereItWas) {
    Board board(2);
    board.Type("yo");
    const QString queueBefore = board.queue;
    EXPECT_EQ(board.Press('a'), board::Verdict::Miss);
    EXPECT_EQ(board.missCount, 1);
    EXPECT_EQ(board.queue, queueBefore);
    EXPECT_EQ(board.typedCount, 1);
    board.Type("ukoso! ");
    EXPECT_TRUE(board.ended);
    EXPECT_EQ(board.missCount, 1);
}

}  // namespace
