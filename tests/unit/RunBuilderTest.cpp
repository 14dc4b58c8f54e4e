// Building the texts of a run from a lesson button's index, and the doubled-N rule.
#include "lessons/RunBuilder.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringView>
#include <optional>
#include <ostream>

#include "lessons/LessonCatalogue.h"
#include "lessons/WeakKeyDrill.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

TEST(BuildRun, GivesTheKanaAndTheKeyQueueWithItsEndMark) {
    struct Case {
        int index;
        QStringView practiceText;
        QStringView romajiQueue;
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
        EXPECT_EQ(run->practiceText, c.practiceText.toString());
        EXPECT_EQ(run->romajiQueue, c.romajiQueue.toString());
    }
}

TEST(BuildRun, EveryLessonGivesItsCatalogueTexts) {
    for (int index = 0; index < static_cast<int>(lessons::kLessonCount); ++index) {
        SCOPED_TRACE(testing::Message() << "lesson " << index);
        const lessons::Lesson& lesson = lessons::LessonCatalogue[static_cast<std::size_t>(index)];
        const std::optional<lessons::BuiltRun> run = lessons::BuildRun(index);
        ASSERT_TRUE(run.has_value());
        EXPECT_EQ(run->practiceText,
                  QString::fromUtf16(lesson.kanaText.data(), lesson.kanaText.size()));
        const QString keys = QString::fromLatin1(lesson.keyString.data(), lesson.keyString.size());
        EXPECT_EQ(run->romajiQueue, lessons::ApplyDoubledNRule(keys) + u'=');
    }
}

TEST(BuildRun, EveryQueueEndsWithExactlyOneEndMark) {
    for (int index = 0; index < static_cast<int>(lessons::kLessonCount); ++index) {
        SCOPED_TRACE(testing::Message() << "lesson " << index);
        const std::optional<lessons::BuiltRun> run = lessons::BuildRun(index);
        ASSERT_TRUE(run.has_value());
        EXPECT_TRUE(run->romajiQueue.endsWith(u'='));
        EXPECT_EQ(run->romajiQueue.count(u'='), 1);
        // One unit per kana cell survives into the queue.
        EXPECT_EQ(run->romajiQueue.count(u'_'), run->practiceText.size());
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
        QStringView keys;
        QStringView expected;
    };
    const Case cases[] = {
        {u"NN_A_", u"N_A_"},       {u"NN_KA_", u"NN_KA_"},
        {u"NN_I_", u"NN_I_"},      {u"KA_NN_A_NN_", u"KA_N_A_NN_"},
        {u"NN_NN_A_", u"NN_N_A_"},  // only the unit right before A
        {u"NN_ _", u"NN_ _"},      {u"NN_", u"NN_"},
        {u"N_A_", u"N_A_"},        {u"", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys.toString().toStdString());
        const QString result = lessons::ApplyDoubledNRule(c.keys.toString());
        EXPECT_EQ(result, c.expected.toString());
        EXPECT_EQ(result.count(u'_'), c.keys.count(u'_'));
    }
}

}  // namespace

namespace {

// A drill of the weak keys, weakest first, and the phrase it builds: each key in turn gives
// its word that types it in the most of its kana, the catalogue's units, at most 20 cells.
struct DrillCase {
    const char* why;
    std::u16string weakestFirst;
    std::u16string keys;  // the keys drilled
    QString kana;
    QString queue;
};

class BuildDrillTable : public ::testing::TestWithParam<DrillCase> {};

std::vector<QChar> Keys(const std::u16string& keys) {
    return {keys.begin(), keys.end()};
}

TEST_P(BuildDrillTable, BuildsThePhraseOfTheWeakKeys) {
    const DrillCase& row = GetParam();
    const std::vector<QChar> keys = lessons::DrillKeys(Keys(row.weakestFirst));
    EXPECT_EQ(keys, Keys(row.keys)) << row.why;
    const std::optional<lessons::BuiltRun> drill = lessons::BuildDrill(keys);
    ASSERT_TRUE(drill.has_value()) << row.why;
    EXPECT_EQ(drill->practiceText, row.kana) << row.why;
    EXPECT_EQ(drill->romajiQueue, row.queue) << row.why;
    // The key queue's own rules hold: one unit a cell, within the drill's cells, one end mark.
    const QString keyString = drill->romajiQueue.chopped(1);
    EXPECT_TRUE(lessons::IsWellFormedKeyString(keyString.toStdString())) << row.why;
    EXPECT_EQ(static_cast<qsizetype>(lessons::UnitCount(keyString.toStdString())),
              drill->practiceText.size());
    EXPECT_LE(drill->practiceText.size(), static_cast<qsizetype>(lessons::kDrillCells));
    EXPECT_TRUE(drill->practiceText.endsWith(QChar(lessons::kBlankCell)));
    // The same weak keys give the same phrase.
    EXPECT_EQ(lessons::BuildDrill(keys)->romajiQueue, drill->romajiQueue);
}

INSTANTIATE_TEST_SUITE_P(
    WeakKeys, BuildDrillTable,
    ::testing::Values(
        DrillCase{"one key, its words by their share of K, to exactly 20 cells", u"K", u"K",
                  QStringLiteral("きかいか■しかく■かんこう■こうこうへ■"),
                  QStringLiteral("KI_KA_I_KA_ _SI_KA_KU_ _KA_N_KO_U_ _KO_U_KO_U_HE_ _=")},
        DrillCase{"three keys take turns; a fourth is not drilled", u"NKSR", u"NKS",
                  QStringLiteral("みなさん■きかいか■です■５つの■"),
                  QStringLiteral("MI_NA_SA_N_ _KI_KA_I_KA_ _DE_SU_ _5_TU_NO_ _=")},
        DrillCase{"a blank, Enter's and F7's marks and a key named twice are skipped", u" \rKK!",
                  u"K!", QStringLiteral("きかいか■ようこそ！■しかく■かんこう■"),
                  QStringLiteral("KI_KA_I_KA_ _YO_U_KO_SO_!_ _SI_KA_KU_ _KA_N_KO_U_ _=")},
        DrillCase{"C only in a spelling a pupil may use: か, く, こ, せ, し, ち", u"C", u"C",
                  QStringLiteral("しかく■せいかつかがく■きかいか■"),
                  QStringLiteral("SI_KA_KU_ _SE_I_KA_TU_KA_GA_KU_ _KI_KA_I_KA_ _=")},
        DrillCase{"L only in the small っ (LTU)", u"L", u"L",
                  QStringLiteral("そうごうがっか■そうごうがっかは■"),
                  QStringLiteral("SO_U_GO_U_GA_K_KA_ _SO_U_GO_U_GA_K_KA_HA_ _=")},
        DrillCase{"ties of Q: the word the lessons use first comes first", u"Q", u"Q",
                  QStringLiteral("しかく■１くらす■２くらす■おんがく■"),
                  QStringLiteral("SI_KA_KU_ _1_KU_RA_SU_ _2_KU_RA_SU_ _O_N_GA_KU_ _=")},
        DrillCase{"a key of one word only: a short drill", u"5", u"5", QStringLiteral("５つの■"),
                  QStringLiteral("5_TU_NO_ _=")},
        DrillCase{"short words leave room for every key", u"TYR", u"TYR",
                  QStringLiteral("５つの■そよかぜ■１くらす■わかれて■"),
                  QStringLiteral("5_TU_NO_ _SO_YO_KA_ZE_ _1_KU_RA_SU_ _WA_KA_RE_TE_ _=")}),
    [](const ::testing::TestParamInfo<DrillCase>& param) {
        return "Row" + std::to_string(param.index);
    });

TEST(BuildDrill, GivesNothingWithoutAKeyAWordTypes) {
    EXPECT_TRUE(lessons::DrillKeys({}).empty());
    EXPECT_TRUE(lessons::DrillKeys(Keys(u" \r?")).empty());
    EXPECT_FALSE(lessons::BuildDrill({}).has_value());
}

}  // namespace
