// Judging one key against the head of the key queue: keys taken as they are, the other
// spellings of a unit (typed key by key in LessonTypingTest), and the texts of the miss box.
#include "board/KeyJudge.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "services/Formats.h"

namespace {

using board::PressedKey;
using board::Verdict;

constexpr int kBackSpace = 8;
constexpr int kTab = 9;
constexpr int kEnter = 13;
constexpr int kEscape = 27;
constexpr int kSpace = 32;

PressedKey Char(int code) {
    return PressedKey::Character(code);
}
PressedKey F(int number) {
    return PressedKey::FunctionKey(number);
}

// The counters the board keeps between keys.
struct JudgedRun {
    text::Text queue;
    std::uint8_t lastKey = 0;
    std::uint8_t missCount = 0;
    board::SpellingProgress spelling{};

    board::Judgement Judge(PressedKey key) {
        return board::JudgeKeyAgainstQueue({queue, lastKey, missCount, spelling}, key);
    }
};

struct DirectCase {
    text::TextView queue;
    PressedKey key;
    const char* what;
};

TEST(JudgeKeyAgainstQueue, TakesTheHeadsOwnKey) {
    const DirectCase cases[] = {
        {u"KA_=", Char('k'), "lower-case letter"},
        {u"KA_=", Char('K'), "upper-case letter"},
        {u"V_=", Char('v'), "v is a letter, not F7"},
        {u"1_=", Char('1'), "digit"},
        {u"!_ _=", Char('!'), "exclamation mark"},
        {u"^_=", Char(kBackSpace), "BackSpace for the BackSpace mark"},
        {u" _=", Char(kSpace), "Space for a blank"},
        {u"~_=", Char(kEnter), "Enter for the Enter mark"},
        {u"~_=", Char('~'), "a typed tilde for the Enter mark"},
        {u"<_=", Char('<'), "a typed '<' for the F7 mark"},
    };
    for (const DirectCase& c : cases) {
        SCOPED_TRACE(c.what);
        JudgedRun run{text::Text(c.queue), 'x', 3};
        const board::Judgement judgement = run.Judge(c.key);
        EXPECT_EQ(judgement.verdict, Verdict::Direct);
        EXPECT_TRUE(judgement.missPrompt.empty());
        EXPECT_TRUE(judgement.missTitle.empty());
        EXPECT_EQ(run.queue, text::Text(c.queue));
        EXPECT_EQ(run.lastKey, c.key.code);
        EXPECT_EQ(run.missCount, 3);
    }
}

TEST(JudgeKeyAgainstQueue, TakesF7ForTheF7MarkOnly) {
    JudgedRun run{u"<_=", 'x', 0};
    EXPECT_EQ(run.Judge(F(7)).verdict, Verdict::Direct);
    EXPECT_EQ(run.queue, u"<_=");
    EXPECT_EQ(run.missCount, 0);
}

struct MissCase {
    text::TextView queue;
    std::uint8_t lastKey;
    PressedKey key;
    text::TextView prompt;
    text::TextView title;
};

TEST(JudgeKeyAgainstQueue, CountsAMissAndNamesBothKeys) {
    const MissCase cases[] = {
        {u"KA_=", 0, Char('j'), u"Kです", u"jではありません"},
        // Only a to z stand for their capitals: these codes are a capital minus 32 too.
        {u"1_=", 0, Char('Q'), u"1です", u"Qではありません"},
        {u"2_=", 0, Char('R'), u"2です", u"Rではありません"},
        {u"5_=", 0, Char('U'), u"5です", u"Uではありません"},
        {u"!_=", 0, Char('A'), u"!です", u"Aではありません"},
        {u"^_=", 0, Char('~'), u"BackSpaceキーです", u"~ではありません"},
        // "^" marks BackSpace and is never a key of its own.
        {u"^_=", 0, Char('^'), u"BackSpaceキーです", u"^ではありません"},
        // F8 to F10 share their key numbers with w, x and y but are never letters.
        {u"W_=", 0, F(8), u"Wです", u"F8ではありません"},
        {u"X_=", 0, F(9), u"Xです", u"F9ではありません"},
        {u"Y_=", 0, F(10), u"Yです", u"F10ではありません"},
        {u"<_=", 0, F(8), u"F7キーです", u"F8ではありません"},
        {u"<_=", 0, Char('v'), u"F7キーです", u"vではありません"},
        {u"V_=", 0, F(7), u"Vです", u"F7ではありません"},
        {u"~_=", 0, Char(kSpace), u"Enterキーです", u" ではありません"},
        // Keys of no printable character are named, never shown as control characters.
        {u"KA_=", 0, Char(kEscape), u"Kです", u"Escではありません"},
        {u"KA_=", 0, Char(kTab), u"Kです", u"Tabではありません"},
        {u"KA_=", 0, Char(kEnter), u"Kです", u"Enterではありません"},
        {u"~_=", 0, Char(kBackSpace), u"Enterキーです", u"BackSpaceではありません"},
        {u"^_=", 0, Char(kEnter), u"BackSpaceキーです", u"Enterではありません"},
        {u"KA_=", 0, Char(0x7F), u"Kです", u"U+007Fではありません"},
        {u"KA_=", 0, Char(0), u"Kです", u"U+0000ではありません"},
        {u" _=", 0, Char('a'), u"スペースキーです", u"aではありません"},
        {u"", 0, Char('a'), u"です", u"aではありません"},
        // Alternatives only where the other spelling is stored.
        {u"J_U_=", 0, Char('s'), u"Jです", u"sではありません"},
        {u"I_=", 'z', Char('j'), u"Iです", u"jではありません"},
        {u"TA_=", 0, Char('c'), u"Tです", u"cではありません"},
        {u"HI_=", 0, Char('f'), u"Hです", u"fではありません"},
        {u"Y_U_=", 'k', Char('h'), u"Yです", u"hではありません"},
        {u"Y_U_=", 0, Char('h'), u"Yです", u"hではありません"},
        {u"H_U_=", 'k', Char('y'), u"Hです", u"yではありません"},
    };
    for (const MissCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << '"' << text::ToUtf8(c.queue) << "\" " << text::ToUtf8(c.title));
        JudgedRun run{text::Text(c.queue), c.lastKey, 4};
        const board::Judgement judgement = run.Judge(c.key);
        EXPECT_EQ(judgement.verdict, Verdict::Miss);
        EXPECT_EQ(judgement.missPrompt, text::Text(c.prompt));
        EXPECT_EQ(judgement.missTitle, text::Text(c.title));
        EXPECT_EQ(run.missCount, 5);
        EXPECT_EQ(run.queue, text::Text(c.queue));
        EXPECT_EQ(run.lastKey, c.lastKey);
    }
}

TEST(JudgeKeyAgainstQueue, FunctionKeysEightToTenAreNeverAccepted) {
    const text::TextView heads[] = {u"W_=", u"X_=", u"Y_=", u"w_=", u"<_=", u"~_=", u" _="};
    for (int number : {8, 9, 10}) {
        for (text::TextView head : heads) {
            JudgedRun run{text::Text(head), 's', 0};
            EXPECT_EQ(run.Judge(F(number)).verdict, Verdict::Miss)
                << "F" << number << " against " << text::ToUtf8(head);
        }
    }
}

TEST(JudgeKeyAgainstQueue, MissCountHoldsAt255) {
    JudgedRun run{u"K_=", 0, 0};
    for (int miss = 1; miss <= 256; ++miss) {
        EXPECT_EQ(run.Judge(Char('j')).verdict, Verdict::Miss);
    }
    EXPECT_EQ(run.missCount, 255);
    EXPECT_EQ(run.queue, u"K_=");
}

TEST(JudgeKeyAgainstQueue, MissCountCountsEachMissBelowTheLimit) {
    JudgedRun run{u"K_=", 0, 253};
    run.Judge(Char('j'));
    EXPECT_EQ(run.missCount, 254);
    run.Judge(Char('j'));
    EXPECT_EQ(run.missCount, 255);
    run.Judge(Char('j'));
    EXPECT_EQ(run.missCount, 255);
}

struct AlternativeCase {
    text::TextView queue;
    std::uint8_t lastKey;
    PressedKey key;
    text::TextView rewritten;
};

TEST(JudgeKeyAgainstQueue, AlternativeSpellingRewritesTheHeadToTheKeyTyped) {
    const AlternativeCase cases[] = {
        {u"TY_U_=", 0, Char('c'), u"CH_U_="}, {u"TY_U_=", 0, Char('C'), u"CH_U_="},
        {u"CH_U_=", 0, Char('t'), u"TY_U_="}, {u"CH_U_=", 0, Char('T'), u"TY_U_="},
        {u"Y_U_=", 's', Char('h'), u"H_U_="}, {u"Y_U_=", 'S', Char('H'), u"H_U_="},
        {u"H_U_=", 's', Char('y'), u"Y_U_="}, {u"H_O_=", 'S', Char('Y'), u"Y_O_="},
        {u"ZI_=", 0, Char('j'), u"JI_="},     {u"ZI_=", 0, Char('J'), u"JI_="},
        {u"JI_N_=", 0, Char('z'), u"ZI_N_="}, {u"HU_=", 0, Char('f'), u"FU_="},
        {u"FU_=", 0, Char('h'), u"HU_="},     {u"J_U_=", 0, Char('z'), u"ZY_U_="},
    };
    for (const AlternativeCase& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << text::ToUtf8(c.queue) << "\" key " << c.key.code);
        JudgedRun run{text::Text(c.queue), c.lastKey, 2};
        const board::Judgement judgement = run.Judge(c.key);
        EXPECT_EQ(judgement.verdict, Verdict::Alternative);
        EXPECT_TRUE(judgement.missPrompt.empty());
        EXPECT_TRUE(judgement.missTitle.empty());
        EXPECT_EQ(run.queue, text::Text(c.rewritten));
        EXPECT_EQ(run.lastKey, c.lastKey);
        EXPECT_EQ(run.missCount, 2);
        // The key typed is now the head, ready to be consumed.
        EXPECT_EQ(run.Judge(c.key).verdict, Verdict::Direct);
    }
}

TEST(ExpectedKeyName, NamesTheMarksByTheirKeys) {
    struct Case {
        text::TextView head;
        text::TextView name;
    };
    const Case cases[] = {
        {u"~", u"Enterキー"},
        {u" ", u"スペースキー"},
        {u"^", u"BackSpaceキー"},
        {u"<", u"F7キー"},
        {u"K", u"K"},
        {u"1", u"1"},
        {u"", u""},
        // No lesson holds a control character; the box would still show none.
        {u"\t", u"Tab"},
        {u"\x7f", u"U+007F"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(board::ExpectedKeyName(text::Text(c.head)), text::Text(c.name))
            << '"' << text::ToUtf8(c.head) << '"';
    }
}

TEST(TypedKeyName, NamesFunctionKeysControlKeysAndCharacters) {
    struct Case {
        PressedKey key;
        text::TextView name;
    };
    const Case cases[] = {
        {F(7), u"F7"},
        {F(8), u"F8"},
        {F(10), u"F10"},
        {Char('v'), u"v"},
        {Char(kSpace), u" "},
        {Char(0x3061), u"ち"},
        {Char(0x1F600), u"\U0001F600"},
        {Char(kBackSpace), u"BackSpace"},
        {Char(kTab), u"Tab"},
        {Char(kEnter), u"Enter"},
        {Char(kEscape), u"Esc"},
        // Control characters no key of the board types, by their code points.
        {Char(0), u"U+0000"},
        {Char(3), u"U+0003"},
        {Char(31), u"U+001F"},
        {Char(0x7F), u"U+007F"},
        {Char(0x85), u"U+0085"},
        {Char(0x9F), u"U+009F"},
        // The first characters past the control ranges are shown as they are.
        {Char(0x7E), u"~"},
        {Char(0xA0), u"\u00A0"},
        // Codes with no character give an empty name.
        {Char(-1), u""},
        {Char(0x110000), u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(board::TypedKeyName(c.key), text::Text(c.name)) << "code " << c.key.code;
    }
}

TEST(TypedKeyName, NeverHoldsAControlCharacter) {
    for (int code = -2; code <= 0x3100; ++code) {
        const text::Text name = board::TypedKeyName(Char(code));
        for (char16_t shown : name) {
            ASSERT_FALSE(formats::IsControlCode(shown)) << "code " << code;
        }
    }
}

TEST(PressedKey, FunctionKeysAreKeysOfTheirOwn) {
    EXPECT_FALSE(Char('v').IsFunctionKey());
    for (int number = 7; number <= 10; ++number) {
        EXPECT_TRUE(F(number).IsFunctionKey()) << "F" << number;
    }
    EXPECT_EQ(F(7).kind, PressedKey::Kind::F7);
    EXPECT_EQ(F(10).kind, PressedKey::Kind::F10);
}

TEST(PressedKey, FunctionKeyNumberIsSevenToTenForFunctionKeysOnly) {
    for (int number = 7; number <= 10; ++number) {
        EXPECT_EQ(F(number).FunctionKeyNumber(), number);
    }
    EXPECT_EQ(Char('v').FunctionKeyNumber(), 0);
    EXPECT_EQ(Char(118).FunctionKeyNumber(), 0);
}

}  // namespace
