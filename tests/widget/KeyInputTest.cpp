// How keys reach the judge on the board: which keys are judged and which are taken without
// a word, and how the miss box names the keys it judges.
#include <gtest/gtest.h>

#include <QKeyEvent>

#include "support/ProgramFixture.h"

namespace {

using testing_support::LessonKeys;
using testing_support::ProgramFixture;

class KeyInput : public ProgramFixture {
  protected:
    void SendKey(int qtKey, const QString& text = QString(),
                 Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool autoRepeat = false) {
        QKeyEvent press(QEvent::KeyPress, qtKey, modifiers, text, autoRepeat);
        QApplication::sendEvent(board().Widget(), &press);
    }
    std::size_t BoxCount() const { return boxes.shown.size(); }
};

TEST_F(KeyInput, ShiftedDigitsAndMarksAreNotTheirKeys) {
    StartLesson(3);  // KI_KA_I_KA_ _1_KU_RA_SU_ _
    Type(QStringLiteral("kikaika "));
    Type(QStringLiteral("Q"));
    EXPECT_EQ(LastPrompt(), QStringLiteral("1です"));
    EXPECT_EQ(LastTitle(), QStringLiteral("Qではありません"));
    Type(QStringLiteral("1"));
    EXPECT_TRUE(Module1::RomajiQueue.starts_with(u"KU_"));
    EXPECT_EQ(board().MissCount, 1);
}

TEST_F(KeyInput, ExclamationMarkNeedsItsOwnKey) {
    StartLesson(2);  // YO_U_KO_SO_!_ _
    Type(QStringLiteral("youkoso"));
    Type(QStringLiteral("A"));
    EXPECT_EQ(LastPrompt(), QStringLiteral("!です"));
    EXPECT_EQ(LastTitle(), QStringLiteral("Aではありません"));
}

TEST_F(KeyInput, FunctionKeysAreNotLetters) {
    StartLesson(8);  // 5_TU_NO_ _KE_I_RE_TU_NI_ _WA_...
    Type(QStringLiteral("5tuno keiretuni "));
    ASSERT_TRUE(Module1::RomajiQueue.starts_with(u"WA_"));
    SendKey(Qt::Key_F8);
    EXPECT_EQ(LastPrompt(), QStringLiteral("Wです"));
    EXPECT_EQ(LastTitle(), QStringLiteral("F8ではありません"));
    SendKey(Qt::Key_F8, QString(), Qt::ShiftModifier);
    EXPECT_EQ(LastTitle(), QStringLiteral("F8ではありません"));
    Type(QStringLiteral("w"));
    EXPECT_TRUE(Module1::RomajiQueue.starts_with(u"A_"));
    EXPECT_EQ(board().MissCount, 2);
}

TEST_F(KeyInput, FSevenMatchesOnlyItsMark) {
    StartLesson(2);
    Module1::RomajiQueue = u"<_V_=";
    Type(QStringLiteral("v"));
    EXPECT_EQ(LastPrompt(), QStringLiteral("F7キーです"));
    EXPECT_EQ(LastTitle(), QStringLiteral("vではありません"));
    SendKey(Qt::Key_F7);
    EXPECT_TRUE(Module1::RomajiQueue.starts_with(u"V_"));
    SendKey(Qt::Key_F7);
    EXPECT_EQ(LastPrompt(), QStringLiteral("Vです"));
    EXPECT_EQ(LastTitle(), QStringLiteral("F7ではありません"));
}

struct KeyEventRow {
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    QString text;
    const char* what;
};

TEST_F(KeyInput, KeysThatTypeNoCharacterAreNotJudged) {
    StartLesson(0);  // TY_U_...: t is the right key
    const std::size_t before = BoxCount();
    const KeyEventRow rows[] = {
        {Qt::Key_Space, Qt::ControlModifier, QString(QChar(u'\0')), "Ctrl+Space"},
        {Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"), "Ctrl+C"},
        {Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier, QStringLiteral("T"),
         "Ctrl+Shift+T carrying its letter"},
        {Qt::Key_F7, Qt::ControlModifier, QString(), "Ctrl+F7"},
        {Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"), "Delete"},
        {Qt::Key_Insert, Qt::NoModifier, QString(), "Insert"},
        {Qt::Key_Home, Qt::NoModifier, QString(), "Home"},
        {Qt::Key_PageDown, Qt::NoModifier, QString(), "Page Down"},
        {Qt::Key_Left, Qt::NoModifier, QString(), "Left"},
        {Qt::Key_Shift, Qt::ShiftModifier, QString(), "Shift"},
        {Qt::Key_F6, Qt::NoModifier, QString(), "F6"},
        {Qt::Key_F11, Qt::NoModifier, QString(), "F11"},
    };
    for (const KeyEventRow& row : rows) {
        SCOPED_TRACE(row.what);
        SendKey(row.qtKey, row.text, row.modifiers);
        EXPECT_EQ(BoxCount(), before);
        EXPECT_EQ(board().MissCount, 0);
        EXPECT_TRUE(Module1::RomajiQueue.starts_with(u"TY_"));
    }
    Type(QStringLiteral("t"));
    EXPECT_TRUE(Module1::RomajiQueue.starts_with(u"Y_"));
}

struct NamedMissRow {
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    QString text;
    QStringView title;
};

TEST_F(KeyInput, KeysOfNoPrintableCharacterAreMissesNamedReadably) {
    StartLesson(0);
    const std::size_t before = BoxCount();
    const NamedMissRow rows[] = {
        {Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), u"Enterではありません"},
        {Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r"), u"Enterではありません"},
        {Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"), u"BackSpaceではありません"},
        {Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), u" ではありません"},
        {Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"), u"Tabではありません"},
        {Qt::Key_Backtab, Qt::ShiftModifier, QStringLiteral("\t"), u"Tabではありません"},
        {Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"), u"Escではありません"},
        {Qt::Key_Escape, Qt::NoModifier, QString(), u"Escではありません"},
        {Qt::Key_F9, Qt::NoModifier, QString(), u"F9ではありません"},
    };
    int misses = 0;
    for (const NamedMissRow& row : rows) {
        SCOPED_TRACE(row.title.toString().toStdString());
        SendKey(row.qtKey, row.text, row.modifiers);
        ++misses;
        EXPECT_EQ(BoxCount(), before + static_cast<std::size_t>(misses));
        EXPECT_EQ(LastPrompt(), QStringLiteral("Tです"));
        EXPECT_EQ(LastTitle(), row.title.toString());
        EXPECT_EQ(board().MissCount, misses);
    }
    EXPECT_TRUE(Module1::RomajiQueue.starts_with(u"TY_"));
    EXPECT_FALSE(board().Widget()->isHidden());
}

TEST_F(KeyInput, EnterAndBackSpaceAreTakenForTheirMarks) {
    StartLesson(2);
    const std::size_t before = BoxCount();
    Module1::RomajiQueue = u"~_^_K_=";
    SendKey(Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_TRUE(Module1::RomajiQueue.starts_with(u"^_"));
    SendKey(Qt::Key_Backspace, QStringLiteral("\b"));
    EXPECT_TRUE(Module1::RomajiQueue.starts_with(u"K_"));
    EXPECT_EQ(BoxCount(), before);
}

TEST_F(KeyInput, AutoRepeatedKeysAreJudgedLikeAnyOther) {
    StartLesson(0);
    SendKey(Qt::Key_T, QStringLiteral("t"), Qt::NoModifier, /*autoRepeat=*/true);
    SendKey(Qt::Key_T, QStringLiteral("t"), Qt::NoModifier, /*autoRepeat=*/true);
    EXPECT_TRUE(Module1::RomajiQueue.starts_with(u"Y_"));
    EXPECT_EQ(board().MissCount, 1);
}

TEST_F(KeyInput, KanaFromAnInputMethodIsAMissNamedByItsCharacter) {
    StartLesson(0);
    SendKey(0, QStringLiteral("ち"));
    EXPECT_EQ(LastPrompt(), QStringLiteral("Tです"));
    EXPECT_EQ(LastTitle(), QStringLiteral("ちではありません"));
}

TEST_F(KeyInput, BoardTurnsInputMethodsOffForItself) {
    StartLesson(0);
    EXPECT_FALSE(board().Widget()->testAttribute(Qt::WA_InputMethodEnabled));
}

struct SpellingCase {
    const char* name;
    int lesson;
    const char* keys;  // the whole lesson, typed with the other spelling
};

class OtherSpellings : public ProgramFixture, public ::testing::WithParamInterface<SpellingCase> {};

TEST_P(OtherSpellings, WholeLessonClearsWithoutAMiss) {
    const SpellingCase& c = GetParam();
    ClearLesson(c.lesson, QString::fromLatin1(c.keys), 60);
    EXPECT_EQ(board().MissCount, 0);
    EXPECT_EQ(board().TypedCount, static_cast<int>(Module1::PracticeText.size()));
    EXPECT_TRUE(boxes.shown.back().prompt.endsWith(QStringLiteral("合格圏内")))
        << boxes.shown.back().prompt.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Lessons, OtherSpellings,
                         ::testing::Values(SpellingCase{"ChuForTyu", 0, "chuugakuseino minasan "},
                                           SpellingCase{"ShuAsStored", 17,
                                                        "singakuto shuushokuni "},
                                           SpellingCase{"SyuForShu", 17, "singakuto syuusyokuni "},
                                           SpellingCase{"ZiForJi", 10, "zinbunkagaku keiretu "},
                                           SpellingCase{"UpperCase", 1, "SOYOKAZE KOUKOUHE "},
                                           SpellingCase{"KyoAsStored", 9, "benkyousimasu "}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(KeyInput, ShAfterAnythingButSIsAMiss) {
    StartLesson(9);  // BE_N_KY_O_...: Y follows K, not S
    Type(QStringLiteral("benk"));
    Type(QStringLiteral("h"));
    EXPECT_EQ(LastPrompt(), QStringLiteral("Yです"));
}

TEST_F(KeyInput, MissCountHoldsAt255AndTheRunStillEnds) {
    StartLesson(2);
    for (int i = 0; i < 300; ++i) {
        Type(QStringLiteral("x"));
    }
    EXPECT_EQ(board().MissCount, 255);
    FinishRunWithTicks(LessonKeys(2), 60);
    EXPECT_EQ(LastPrompt(), QStringLiteral("60打／分\rミス255回"));
    EXPECT_TRUE(board().Widget()->isHidden());
}

}  // namespace
