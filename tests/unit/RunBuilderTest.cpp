// Building the texts of a run from a lesson button's index, and the doubled-N rule.
#include "lessons/RunBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <optional>

#include "lessons/LessonCatalogue.h"
#include "lessons/WeakKeyDrill.h"

namespace {

TEST(BuildRun, GivesTheKanaAndTheKeyQueueWithItsEndMark) {
    struct Case {
        int index;
        text::TextView practiceText;
        text::TextView romajiQueue;
    };
    const Case cases[] = {
        {0, u"ちゅうがくせいの■みなさん■", u"TY_U_U_GA_KU_SE_I_NO_ _MI_NA_SA_N_ _="},
        {1, u"そよかぜ■こうこうへ■", u"SO_YO_KA_ZE_ _KO_U_KO_U_HE_ _="},
        {2, u"ようこそ！■", u"YO_U_KO_SO_!_ _="},
        {17, u"しんがくと■しゅうしょくに■", u"SI_N_GA_KU_TO_ _SH_U_U_SH_O_KU_NI_ _="},
        {19, u"ぜひ■きぼうして■ください■", u"ZE_HI_ _KI_BO_U_SI_TE_ _KU_DA_SA_I_ _="},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "lesson " << c.index);
        const std::optional<lessons::BuiltRun> run = lessons::BuildRun(c.index);
        ASSERT_TRUE(run.has_value());
        EXPECT_EQ(run->practiceText, text::Text(c.practiceText));
        EXPECT_EQ(run->romajiQueue, text::Text(c.romajiQueue));
    }
}

TEST(BuildRun, EveryLessonGivesItsCatalogueTexts) {
    for (int index = 0; index < static_cast<int>(lessons::kLessonCount); ++index) {
        SCOPED_TRACE(testing::Message() << "lesson " << index);
        const lessons::Lesson& lesson = lessons::LessonCatalogue[static_cast<std::size_t>(index)];
        const std::optional<lessons::BuiltRun> run = lessons::BuildRun(index);
        ASSERT_TRUE(run.has_value());
        EXPECT_EQ(run->practiceText, lesson.kanaText);
        const text::Text keys = text::FromLatin1(lesson.keyString);
        EXPECT_EQ(run->romajiQueue, lessons::ApplyDoubledNRule(keys) + u'=');
    }
}

TEST(BuildRun, EveryQueueEndsWithExactlyOneEndMark) {
    for (int index = 0; index < static_cast<int>(lessons::kLessonCount); ++index) {
        SCOPED_TRACE(testing::Message() << "lesson " << index);
        const std::optional<lessons::BuiltRun> run = lessons::BuildRun(index);
        ASSERT_TRUE(run.has_value());
        EXPECT_TRUE(run->romajiQueue.ends_with(u'='));
        EXPECT_EQ(std::count(run->romajiQueue.begin(), run->romajiQueue.end(), u'='), 1);
        // One unit per kana cell survives into the queue.
        EXPECT_EQ(std::count(run->romajiQueue.begin(), run->romajiQueue.end(), u'_'),
                  run->practiceText.size());
    }
}

TEST(BuildRun, SameIndexTwiceGivesTheSameTexts) {
    const std::optional<lessons::BuiltRun> first = lessons::BuildRun(5);
    const std::optional<lessons::BuiltRun> second = lessons::BuildRun(5);
    ASSERT_TRUE(first.has_value());
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(first->practiceText, second->practiceText);
    EXPECT_EQ(first->romajiQueue, second->romajiQueue);
}

TEST(BuildRun, GivesNothingForAButtonWithoutALesson) {
    for (int index : {20, 21, -1}) {
        EXPECT_FALSE(lessons::BuildRun(index).has_value()) << "index " << index;
    }
}

TEST(ApplyDoubledNRule, DropsTheSecondNOnlyBeforeAUnitBeginningWithA) {
    struct Case {
        text::TextView keys;
        text::TextView expected;
    };
    const Case cases[] = {
        {u"NN_A_", u"N_A_"},       {u"NN_KA_", u"NN_KA_"},
        {u"NN_I_", u"NN_I_"},      {u"KA_NN_A_NN_", u"KA_N_A_NN_"},
        {u"NN_NN_A_", u"NN_N_A_"},  // only the unit right before A
        {u"NN_ _", u"NN_ _"},      {u"NN_", u"NN_"},
        {u"N_A_", u"N_A_"},        {u"", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(text::ToUtf8(c.keys));
        const text::Text result = lessons::ApplyDoubledNRule(text::Text(c.keys));
        EXPECT_EQ(result, text::Text(c.expected));
        EXPECT_EQ(std::count(result.begin(), result.end(), u'_'),
                  std::count(c.keys.begin(), c.keys.end(), u'_'));
    }
}

}  // namespace

namespace {

// A drill of the weak keys, weakest first: the keys drilled and the phrase, each key in turn
// giving its word that types it in the most of its kana, within 20 cells; the queue keeps
// the key queue's rules. No key a word types: no drill.
TEST(BuildDrill, BuildsThePhraseOfTheWeakKeys) {
    struct Case {
        const char* why;
        std::u16string weakestFirst, drilled;
        text::Text kana;
    };
    const Case cases[] = {
        {"one key, to exactly 20 cells", u"K", u"K", u"きかいか■しかく■かんこう■こうこうへ■"},
        {"three keys take turns, a fourth left out", u"NKSR", u"NKS",
         u"みなさん■きかいか■です■５つの■"},
        {"a blank, Enter's and F7's marks, a key twice: skipped", u" ~<KK!", u"K!",
         u"きかいか■ようこそ！■しかく■かんこう■"},
        {"C only in spellings a pupil may use", u"C", u"C", u"しかく■せいかつかがく■きかいか■"},
        {"ties: the word the lessons use first", u"Q", u"Q", u"しかく■１くらす■２くらす■おんがく■"},
        {"short words leave room for every key", u"TYR", u"TYR",
         u"５つの■そよかぜ■１くらす■わかれて■"},
        {"no key a word types", u" ~<?", u"", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const std::vector<char16_t> keys =
            lessons::DrillKeys({c.weakestFirst.begin(), c.weakestFirst.end()});
        EXPECT_EQ(keys, std::vector<char16_t>(c.drilled.begin(), c.drilled.end()));
        const std::optional<lessons::BuiltRun> drill = lessons::BuildDrill(keys);
        ASSERT_EQ(drill.has_value(), !c.kana.empty());
        if (!drill) {
            continue;
        }
        EXPECT_EQ(drill->practiceText, c.kana);
        const std::string keyString =
            text::ToUtf8(drill->romajiQueue.substr(0, drill->romajiQueue.size() - 1));
        EXPECT_TRUE(lessons::IsWellFormedKeyString(keyString) &&
                    drill->romajiQueue.ends_with(u'='));
        EXPECT_EQ(lessons::UnitCount(keyString), c.kana.size());
    }
}

}  // namespace
