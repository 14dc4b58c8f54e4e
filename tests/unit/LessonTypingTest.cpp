// Typing whole lessons key by key through the judge and the queue: every lesson can be
// finished without a miss, also with the alternative spellings.
#include <gtest/gtest.h>

#include <algorithm>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "board/KeyJudge.h"
#include "board/QueueAdvance.h"
#include "board/RomajiGuide.h"
#include "lessons/RunBuilder.h"

namespace {

// The counters of a run as the board keeps them.
struct Board {
    text::Text queue;
    int textLength = 0;
    std::uint8_t lastKey = 0;
    std::uint8_t missCount = 0;
    board::SpellingProgress spelling;
    std::int16_t typedCount = 0;
    text::Text trail;
    bool ended = false;
    int nextCell = 0;

    // A queue of its own, one cell per unit.
    explicit Board(const text::Text& keyQueue)
        : queue(keyQueue),
          textLength(static_cast<int>(std::count(keyQueue.begin(), keyQueue.end(), u'_'))) {}

    explicit Board(int lessonIndex) {
        const std::optional<lessons::BuiltRun> run = lessons::BuildRun(lessonIndex);
        if (run) {
            queue = run->romajiQueue;
            textLength = static_cast<int>(run->practiceText.size());
        }
    }

    board::Verdict Press(char typed) {
        const board::Judgement judgement = board::JudgeKeyAgainstQueue(
            {queue, lastKey, missCount, spelling}, board::PressedKey::Character(typed));
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
std::string KeysFor(const text::Text& queue) {
    std::string keys;
    for (char16_t c : queue) {
        if (c != u'_' && c != u'=') {
            keys += static_cast<char>(c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c);
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
        EXPECT_TRUE(board.queue.empty());
        EXPECT_TRUE(board.trail.empty());
    }
}

TEST(TypingALesson, NextCellFollowsTheCompletedUnits) {
    Board board(2);  // YO_U_KO_SO_!_ _=
    board.Type("yo");
    EXPECT_EQ(board.nextCell, 1);
    board.Type("uk");
    EXPECT_EQ(board.nextCell, 2);
    EXPECT_EQ(board.trail, u"OUK");
    board.Type("oso!");
    EXPECT_EQ(board.nextCell, 5);
    EXPECT_EQ(board.trail, u"OSO");
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
        // As an input method taught it: TSU, SHI and XTU.
        {8, "5tsuno keiretsuni wakarete ", 2},
        {9, "benkyoushimasu ", 1},
        {4, "sougougaxtuka ", 1},
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

// Each spelling an input method accepts, typed key by key: every key but the last is
// accepted, the last is judged as the row says, and the queue and trail are left as shown.
struct SpellingCase {
    text::TextView queue;  // as stored
    std::string keys;
    board::Verdict last;
    text::TextView queueAfter;
    text::TextView trail;
};

TEST(TypingSpellings, EverySpellingOfAUnitIsTypedKeyByKey) {
    using enum board::Verdict;
    const SpellingCase cases[] = {
        // し: SI, SHI, CI, in either case; a spelling given up half way, or one of another
        // unit, is a miss.
        {u"SI_ _=", "ShI", Direct, u" _=", u"SHI"},
        {u"SI_ _=", "c", Alternative, u"I_ _=", u"C"},
        {u"SI_ _=", "st", Miss, u"I_ _=", u"S"},
        {u"SH_U_ _=", "si", Miss, u"H_U_ _=", u"S"},
        {u"SH_U_ _=", "syu", Direct, u" _=", u"SYU"},
        // つ, じ, ず, か, く; き has no C.
        {u"TU_ _=", "tsu", Direct, u" _=", u"TSU"},
        {u"ZI_ _=", "zj", Miss, u"I_ _=", u"Z"},
        {u"ZU_ _=", "d", Miss, u"ZU_ _=", u""},
        {u"KA_ _=", "ca", Direct, u" _=", u"CA"},
        {u"KU_ _=", "qu", Direct, u" _=", u"QU"},
        {u"KI_ _=", "c", Miss, u"KI_ _=", u""},
        // The first cell of a syllable with ゃ, ゅ or ょ: C then Y leaves CH for CY, the Y
        // of JY comes after J has completed its cell.
        {u"TY_U_ _=", "cyu", Direct, u" _=", u"CYU"},
        {u"J_U_ _=", "zyu", Direct, u" _=", u"ZYU"},
        {u"J_U_ _=", "jyu", Direct, u" _=", u"JYU"},
        {u"KY_O_ _=", "kh", Miss, u"Y_O_ _=", u"K"},
        // ん: N, NN, N', XN; the second N before a blank, never a third; な's own N first.
        {u"N_ _=", "nn", Alternative, u" _=", u"NN"},
        {u"N_ _=", "nnn", Miss, u" _=", u"NN"},
        {u"N_ _=", "n'", Alternative, u" _=", u"N"},
        {u"N_ _=", "xn", Direct, u" _=", u"XN"},
        {u"N_ _=", "nn ", Direct, u"", u""},
        {u"N_A_ _=", "nna", Direct, u" _=", u"NNA"},
        {u"N_NA_ _=", "nn", Direct, u"A_ _=", u"NN"},
        // っ: the doubled consonant, or a small つ of its own, never both.
        {u"K_KA_ _=", "ltsuka", Direct, u" _=", u"UKA"},
        {u"K_KA_ _=", "xk", Miss, u"TU_KA_ _=", u"X"},
        {u" _=", "n", Miss, u" _=", u""},
    };
    for (const SpellingCase& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << text::ToUtf8(c.queue) << "\" typed " << c.keys);
        Board board(text::Text(c.queue));
        for (std::size_t i = 0; i + 1 < c.keys.size(); ++i) {
            ASSERT_NE(board.Press(c.keys[i]), board::Verdict::Miss) << "key " << i;
        }
        EXPECT_EQ(board.Press(c.keys.back()), c.last);
        EXPECT_EQ(board.queue, text::Text(c.queueAfter));
        EXPECT_EQ(board.trail, text::Text(c.trail));
        EXPECT_EQ(board.missCount, c.last == board::Verdict::Miss ? 1 : 0);
        EXPECT_EQ(board.typedCount,
                  board.textLength - std::count(board.queue.begin(), board.queue.end(), u'_'));
    }
}

TEST(TypingALesson, AMissLeavesTheRunWhereItWas) {
    Board board(2);
    board.Type("yo");
    const text::Text queueBefore = board.queue;
    EXPECT_EQ(board.Press('a'), board::Verdict::Miss);
    EXPECT_EQ(board.missCount, 1);
    EXPECT_EQ(board.queue, queueBefore);
    EXPECT_EQ(board.typedCount, 1);
    board.Type("ukoso! ");
    EXPECT_TRUE(board.ended);
    EXPECT_EQ(board.missCount, 1);
}

// The romaji guide after the keys typed: each cell its typed letters in brackets, then those
// still to type; and what a screen reader hears of it.
TEST(TypingALesson, TheRomajiGuideShowsTheSpellingBeingTyped) {
    struct GuideCase {
        int lesson;
        std::string keys;
        text::TextView cells;
        text::TextView heard;
    };
    const GuideCase cases[] = {
        // ちゅうがくせいの■みなさん■, stored TY U U GA ...
        {0, "", u"TY/U/U/GA/KU/SE/I/NO/␣/MI/NA/SA/N/␣", u"TYUUGAKUSEINO スペース MINASAN スペース"},
        // C takes CH for TY, for that unit alone.
        {0, "c", u"[C]H/U/U/GA/KU/SE/I/NO/␣/MI/NA/SA/N/␣",
         u"HUUGAKUSEINO スペース MINASAN スペース"},
        {0, "chu", u"[CH]/[U]/U/GA/KU/SE/I/NO/␣/MI/NA/SA/N/␣",
         u"UGAKUSEINO スペース MINASAN スペース"},
        // べんきょうします■: NN, its second N typed past the unit's end; then SHI for SI.
        {9, "benn", u"[BE]/[NN]/KY/O/U/SI/MA/SU/␣", u"KYOUSIMASU スペース"},
        {9, "bennkyoush", u"[BE]/[NN]/[KY]/[O]/[U]/[SH]I/MA/SU/␣", u"IMASU スペース"},
        // そうごうがっか■: XTU for the doubled consonant.
        {4, "sougougax", u"[SO]/[U]/[GO]/[U]/[GA]/[X]TU/KA/␣", u"TUKA スペース"},
        // A miss changes nothing; the last cell before the end.
        {2, "yx", u"[Y]O/U/KO/SO/!/␣", u"OUKOSO! スペース"},
        {2, "youkoso!", u"[YO]/[U]/[KO]/[SO]/[!]/␣", u"スペース"},
    };
    for (const GuideCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "lesson " << c.lesson << " typed \"" << c.keys << '"');
        Board board(c.lesson);
        board.Type(c.keys);
        const std::vector<board::RomajiCell> cells =
            board::RomajiGuideCells(board.queue, board.spelling);
        text::TextList shown;
        for (const board::RomajiCell& cell : cells) {
            shown.push_back((cell.typed.empty() ? text::Text() : u'[' + cell.typed + u']') +
                            cell.toType);
        }
        EXPECT_EQ(text::Join(shown, u"/"), text::Text(c.cells));
        EXPECT_EQ(board::RomajiStillToType(cells), text::Text(c.heard));
    }
    // The end of the text: no cells.
    EXPECT_TRUE(board::RomajiGuideCells(u"=", {}).empty());
}

}  // namespace
