// Whole lessons typed with real keys, at a pupil's pace, under the window manager.
#include <QAccessible>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "board/PracticeBoard.h"
#include "e2e/ProgramOnScreen.h"
#include "guide/GuidePlacement.h"
#include "guide/KeyboardDrawing.h"
#include "guide/KeyboardGuide.h"
#include "menu/Menu.h"
#include "program/Module1.h"
#include "services/LessonButton.h"
#include "services/QtColour.h"
#include "services/QtText.h"
#include "support/LessonSteps.h"

namespace e2e {
namespace {

using TypingRunOnScreen = ProgramOnScreen;

// A cleared lesson's caption, "###.0", gives the speed the time box showed: the same number
// in its shortest form ("80.0" was shown as "80").
QString ShownSpeedOf(const QString& caption) {
    return caption.endsWith(QStringLiteral(".0")) ? caption.chopped(2) : caption;
}

// A box as the window manager shows it, and the window it belongs to.
struct MissBoxOnScreen {
    ScreenRect frame;
    ScreenRect ownerFrame;
    std::string motifHints;
    std::string allowedActions;
};

MissBoxOnScreen LookAtBox(Pupil& pupil, const std::string& title, WindowId owner) {
    const WindowId box = pupil.WaitForWindow(title);
    pupil.WaitUntilActive(box, "the box '" + title + "'");
    return {pupil.FrameRect(box), pupil.FrameRect(owner), pupil.PropertyOf(box, "_MOTIF_WM_HINTS"),
            pupil.PropertyOf(box, "_NET_WM_ALLOWED_ACTIONS")};
}

// The numbers of the Motif window manager hints, as xprop prints them: flags, functions,
// decorations, ...
std::vector<unsigned long> MotifHintsOf(const std::string& printed) {
    std::vector<unsigned long> numbers;
    const std::size_t equals = printed.find('=');
    std::istringstream values(equals == std::string::npos ? "" : printed.substr(equals + 1));
    for (std::string value; std::getline(values, value, ',');) {
        numbers.push_back(std::stoul(value, nullptr, 0));
    }
    return numbers;
}
constexpr unsigned long kMotifFunctionMinimize = 0x8;
constexpr unsigned long kMotifFunctionMaximize = 0x10;
constexpr unsigned long kMotifFunctionClose = 0x20;
constexpr unsigned long kMotifDecorationMinimize = 0x20;
constexpr unsigned long kMotifDecorationMaximize = 0x40;

// The frame width at which openbox's title bar shows the whole of `title`, as its default
// theme (Clearlooks, layout NLIMC, "sans 8 bold") draws it: the title, and 115 pixels beside
// it for the window's icon, the three buttons, their padding and the frame (measured on the
// screen: from there on the title is no longer cut short).
int OpenboxTitleBarWidthFor(const QString& title) {
    QFont face(QStringLiteral("sans"));
    face.setPointSize(8);
    face.setBold(true);
    return QFontMetrics(face).horizontalAdvance(title) + 115;
}

// The names and descriptions a screen reader meets in a window, in the order it walks them,
// each followed by ",": from the tree Pupil::AccessibleTreeOf reads.
std::string NamesAndDescriptions(const std::string& tree) {
    std::string read;
    std::istringstream lines(tree);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string depth, role, name, description;
        std::getline(fields, depth, '\t');
        std::getline(fields, role, '\t');
        std::getline(fields, name, '\t');
        std::getline(fields, description);
        for (const std::string& text : {name, description}) {
            if (!text.empty()) {
                read += text + ",";
            }
        }
    }
    return read;
}

TEST_F(TypingRunOnScreen, LessonOneTypedWithRealKeysIsClearedAndRecordedOnItsButton) {
    ASSERT_TRUE(StartedOnScreen());
    Menu& menu = MenuWindow();
    const WindowId menuId = WindowIdOf(menu);
    const ScreenPoint lessonOne = CentreOnScreen(*menu.Command1[0].Widget());

    ASSERT_TRUE(PupilDid([&](Pupil& pupil) {
        pupil.WaitUntilActive(menuId, "the menu window");
        StartLessonByClick(pupil, lessonOne);
        pupil.Type(kLessonOneKeys, kPupilPace);
        // Enter held down through both result boxes: its repeats close them, and then reach
        // the focused button of lesson 2, which must not start.
        const WindowId finished = pupil.WaitForWindow(kFinishedBoxTitle);
        pupil.WaitUntilActive(finished, "the box '" + kFinishedBoxTitle + "'");
        pupil.HoldKey("Return", 2s);
        pupil.WaitUntilActive(menuId, "the menu window, after the run,");
        pupil.Pause(500ms);
    }));
    EXPECT_EQ(Module1::LessonIndex, 0) << "the held Enter started lesson 2";

    // Closing the start box gives the focus back to the board; that is no new activation.
    EXPECT_EQ(boxes_.CountWithTitle(QString::fromStdString(kStartBoxTitle)), 1)
        << boxes_.Describe();
    const auto finished = boxes_.WithTitle(QString::fromStdString(kFinishedBoxTitle));
    ASSERT_EQ(finished.size(), 1u) << boxes_.Describe();
    EXPECT_EQ(finished[0].prompt, QStringLiteral("終わりました"));
    EXPECT_EQ(finished[0].icon, ui::BoxIcon::Warning);

    PracticeBoard* board = Board();
    ASSERT_NE(board, nullptr);
    EXPECT_FALSE(board->Widget()->isVisible());
    EXPECT_TRUE(menu.Widget()->isVisible());
    EXPECT_EQ(board->MissCount, 0);

    const QString caption = ui::ToQt(menu.Command1[0].Caption());
    ASSERT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d$")).match(caption).hasMatch())
        << caption.toStdString();
    EXPECT_GE(caption.toDouble(), 60.0);

    const auto time = boxes_.WithTitle(QString::fromStdString(kTimeBoxTitle));
    ASSERT_EQ(time.size(), 1u) << boxes_.Describe();
    EXPECT_EQ(time[0].prompt, ShownSpeedOf(caption) + QStringLiteral("打／分\r合格圏内"));
    EXPECT_EQ(time[0].icon, ui::BoxIcon::Information);
    EXPECT_EQ(boxes_.Shown().size(), 3u) << boxes_.Describe();
    EXPECT_EQ(endRequests_, 0);
}

TEST_F(TypingRunOnScreen, WrongKeysShowTheExpectedKeyAndAreCountedAsMisses) {
    ASSERT_TRUE(StartedOnScreen());
    Menu& menu = MenuWindow();
    const WindowId menuId = WindowIdOf(menu);
    // Lesson 2 (SO_YO_KA_ZE_ _KO_U_KO_U_HE_ _) is open from the start.
    const ScreenPoint lessonTwo = CentreOnScreen(*menu.Command1[1].Widget());

    MissBoxOnScreen missBox;
    ASSERT_TRUE(PupilDid([&](Pupil& pupil) {
        pupil.WaitUntilActive(menuId, "the menu window");
        const WindowId board = StartLessonByClick(pupil, lessonTwo);
        // Each wrong key is the last of its stretch: the box it opens takes the next keys.
        pupil.Type("sx", kPupilPace);
        missBox = LookAtBox(pupil, "xではありません", board);
        pupil.CloseBoxWithEnter("xではありません");
        pupil.WaitUntilActive(board, "the board, after the first miss box,");
        pupil.Type("oyokaze q", kPupilPace);
        pupil.CloseBoxWithEnter("qではありません");
        pupil.WaitUntilActive(board, "the board, after the second miss box,");
        pupil.Type("koukouhe ", kPupilPace);
        FinishRun(pupil, menuId);
    }));

    // The box's whole title shows in openbox's title bar: the label, between the window's
    // icon and its buttons, is as wide as the title in openbox's bold title face.
    EXPECT_GE(missBox.frame.width, OpenboxTitleBarWidthFor(QStringLiteral("xではありません")))
        << "the box is " << missBox.frame.width << " pixels wide";
    // Centred on the board it belongs to.
    EXPECT_NEAR(missBox.frame.left + missBox.frame.width / 2,
                missBox.ownerFrame.left + missBox.ownerFrame.width / 2, 2);
    // The program asks for no minimise and no maximise (Motif hints: functions and
    // decorations), and the window manager offers no maximise. (openbox 3.6 keeps its
    // minimise button on every dialog, whatever a program asks, and draws its maximise
    // glyph beside it, which does nothing without the action.)
    const std::vector<unsigned long> motif = MotifHintsOf(missBox.motifHints);
    ASSERT_GE(motif.size(), 3u) << missBox.motifHints;
    EXPECT_EQ(motif[0] & 0x3, 0x3u) << "functions and decorations given: " << missBox.motifHints;
    EXPECT_EQ(motif[1] & (kMotifFunctionMinimize | kMotifFunctionMaximize), 0u)
        << missBox.motifHints;
    EXPECT_NE(motif[1] & kMotifFunctionClose, 0u) << missBox.motifHints;
    EXPECT_EQ(motif[2] & (kMotifDecorationMinimize | kMotifDecorationMaximize), 0u)
        << missBox.motifHints;
    EXPECT_EQ(missBox.allowedActions.find("_NET_WM_ACTION_MAXIMIZE"), std::string::npos)
        << missBox.allowedActions;
    EXPECT_NE(missBox.allowedActions.find("_NET_WM_ACTION_CLOSE"), std::string::npos)
        << missBox.allowedActions;

    const auto firstMiss = boxes_.WithTitle(QStringLiteral("xではありません"));
    ASSERT_EQ(firstMiss.size(), 1u) << boxes_.Describe();
    EXPECT_EQ(firstMiss[0].prompt, QStringLiteral("Oです"));
    EXPECT_EQ(firstMiss[0].icon, ui::BoxIcon::Warning);
    const auto secondMiss = boxes_.WithTitle(QStringLiteral("qではありません"));
    ASSERT_EQ(secondMiss.size(), 1u) << boxes_.Describe();
    EXPECT_EQ(secondMiss[0].prompt, QStringLiteral("Kです"));
    EXPECT_EQ(secondMiss[0].icon, ui::BoxIcon::Warning);

    PracticeBoard* board = Board();
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(board->MissCount, 2);
    EXPECT_FALSE(board->Widget()->isVisible());
    EXPECT_EQ(boxes_.CountWithTitle(QString::fromStdString(kStartBoxTitle)), 1)
        << boxes_.Describe();

    // Two misses and a pupil's pace clear the lesson: the time box shows no misses.
    const QString caption = ui::ToQt(menu.Command1[1].Caption());
    ASSERT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d$")).match(caption).hasMatch())
        << caption.toStdString();
    const auto time = boxes_.WithTitle(QString::fromStdString(kTimeBoxTitle));
    ASSERT_EQ(time.size(), 1u) << boxes_.Describe();
    EXPECT_EQ(time[0].prompt, ShownSpeedOf(caption) + QStringLiteral("打／分\r合格圏内"));
    EXPECT_EQ(time[0].icon, ui::BoxIcon::Information);
    // start, two misses, finished, time
    EXPECT_EQ(boxes_.Shown().size(), 5u) << boxes_.Describe();
}

// After a miss on lesson 1 (T, the first key of ちゅ), the weak keys' drill, chosen from the
// menu bar, practises T in words of the lessons and runs to its end like a lesson.
TEST_F(TypingRunOnScreen, AfterAMissOnLessonOneTheDrillPractisesTheMissedKeyToItsEnd) {
    ASSERT_TRUE(StartedOnScreen());
    Menu& menu = MenuWindow();
    const WindowId menuId = WindowIdOf(menu);
    const ScreenPoint lessonOne = CentreOnScreen(*menu.Command1[0].Widget());
    const ScreenPoint keyboardTitle = MenuTitleCentre(menu.Keyboard);
    QString drill;
    ASSERT_TRUE(PupilDid([&](Pupil& pupil) {
        StartLessonByClick(pupil, lessonOne);
        pupil.Type("x", kPupilPace);
        pupil.CloseBoxWithEnter("xではありません");
        pupil.Type("chuugakuseino minasan ", kPupilPace);
        FinishRun(pupil, menuId);
        pupil.ClickAt(keyboardTitle);
        ClickItemOfOpenMenu(pupil, QStringLiteral("苦手なキーの練習"));
        AnswerStartBox(pupil);
        drill = pupil.OnMainThread([] { return ui::ToQt(Module1::PracticeText); });
        pupil.Type("5tuno wakarete keiretu bijutu ", kPupilPace);
        FinishRun(pupil, menuId);
    }));

    EXPECT_EQ(drill, QStringLiteral("５つの■わかれて■けいれつ■びじゅつ■"));
    EXPECT_EQ(boxes_.CountWithTitle(QString::fromStdString(kTimeBoxTitle)), 2) << boxes_.Describe();
}

// With the keyboard guide on, as a screen reader hears it: the key due follows the queue
// from the start box, through a miss (lit red, checked on the screen) and a change of
// spelling, to the end of the run; the guide sits by the board (below it where the screen
// has room) and never takes a key. Then lessons 11 and 18, showing as they do for a class
// that has come that far, are typed as an input method taught them (SHI, TSU, NN before a
// blank and before a consonant) and clear without a miss box. The romaji guide is on too,
// and a screen reader reads it, respelled to CHU, and then the record of the three runs
// through the accessibility bus.
TEST_F(TypingRunOnScreen, TheGuideFollowsTheQueueAndLessonsTypedInHepburnClear) {
    ASSERT_TRUE(StartedOnScreen());
    Menu& menu = MenuWindow();
    const WindowId menuId = WindowIdOf(menu);
    const ScreenPoint keyboardTitle = MenuTitleCentre(menu.Keyboard);
    const ScreenPoint lessonOne = CentreOnScreen(*menu.Command1[0].Widget());
    const std::pair<std::size_t, std::string> hepburn[] = {{10, "jinnbunnkagaku keiretsu "},
                                                           {17, "shinngakuto shuushokuni "}};
    std::vector<ScreenPoint> hepburnButtons;
    for (const auto& [lesson, keys] : hepburn) {
        menu.Command1[lesson].SetVisible(true);
        hepburnButtons.push_back(CentreOnScreen(*menu.Command1[lesson].Widget()));
    }
    const ScreenPoint recordTitle = MenuTitleCentre(menu.Record);
    ASSERT_TRUE(PupilDid([&](Pupil& pupil) {
        pupil.ClickAt(keyboardTitle);
        ClickItemOfOpenMenu(pupil, QStringLiteral("指の案内"));
        pupil.ClickAt(keyboardTitle);
        ClickItemOfOpenMenu(pupil, QStringLiteral("ローマ字の案内"));
    }));
    KeyboardGuide* guide = Program().GuideIfLoaded();
    ASSERT_NE(guide, nullptr);
    EXPECT_FALSE(guide->Widget()->isVisible()) << "the guide shows before the board";

    // What a screen reader hears of the guide, change by change; the missed key as drawn on
    // the screen; the guide's place by the board.
    QStringList heard;
    std::string boardAfterC;  // through the accessibility bus
    std::string record;
    std::optional<QColor> missedKeyOnScreen;
    std::optional<QPoint> guideCorner;
    std::optional<QPoint> placeByRule;
    QTimer listener;
    QObject::connect(&listener, &QTimer::timeout, [&] {
        const QString description =
            QAccessible::queryAccessibleInterface(guide->Widget())->text(QAccessible::Description);
        if (heard.isEmpty() || heard.back() != description) {
            heard.append(description);
        }
        PracticeBoard* board = Board();
        if (guide->Widget()->isVisible() && board != nullptr && board->Widget()->isVisible()) {
            guideCorner = guide->Widget()->frameGeometry().topLeft();
            placeByRule = ui::ToQt(guide::GuidePlace(
                ui::FromQt(board->Widget()->frameGeometry()),
                ui::FromQt(guide->Widget()->frameGeometry().size()),
                ui::FromQt(QGuiApplication::primaryScreen()->availableGeometry())));
        }
        if (description.startsWith(QStringLiteral("もう一度")) && !missedKeyOnScreen &&
            boxes_.CountWithTitle(QStringLiteral("xではありません")) == 1) {
            const QImage shown =
                QGuiApplication::primaryScreen()->grabWindow(guide->Widget()->winId()).toImage();
            const QRect key = ui::ToQt(guide->KeyRectInWindow(u'T'));
            missedKeyOnScreen = shown.pixelColor(key.topLeft() + QPoint(4, 4));
        }
    });
    listener.start(5);
    ASSERT_TRUE(PupilDid([&](Pupil& pupil) {
        StartLessonByClick(pupil, lessonOne);
        pupil.Type("x", kPupilPace);
        pupil.WaitForWindow("xではありません");
        pupil.Pause(1s);  // the red key is drawn and read off the screen
        pupil.CloseBoxWithEnter("xではありません");
        pupil.Type("c", kPupilPace);
        boardAfterC = pupil.AccessibleTreeOf(kApplicationName, kBoardTitle);
        pupil.Type("huugakuseino minasan ", kPupilPace);
        FinishRun(pupil, menuId);
        for (std::size_t run = 0; run < hepburnButtons.size(); ++run) {
            StartLessonByClick(pupil, hepburnButtons[run]);
            pupil.Type(hepburn[run].second, kPupilPace);
            FinishRun(pupil, menuId);
        }
        pupil.ClickAt(recordTitle);
        pupil.WaitForWindow(kRecordTitle);
        record = pupil.AccessibleTreeOf(kApplicationName, kRecordTitle);
        pupil.WaitUntilActive(menuId, "the menu window, under the record");
    }));
    listener.stop();

    EXPECT_NE(NamesAndDescriptions(boardAfterC)
                  .find(",ローマ字：HUUGAKUSEINO スペース MINASAN スペース,"),
              std::string::npos)
        << boardAfterC;
    // Newest first, each row's cells as spoken; the picture tells the slowest kana and the
    // misses (none in lesson 18).
    const std::string recordRead = NamesAndDescriptions(record);
    EXPECT_TRUE(std::regex_search(
        recordRead, std::regex("前回：18ページ,.*前回のタイム,いちばん時間がかかったかな：[^,]+"
                               "（[0-9.]+秒）。ミスはありません,")))
        << recordRead;
    EXPECT_TRUE(std::regex_search(
        recordRead, std::regex(",18ページ,[0-9.]+打／分,ミス0回,目標60字／分,合格,11ページ,"
                               "[0-9.]+打／分,ミス0回,目標60字／分,合格,1ページ,[0-9.]+打／分,"
                               "ミス1回,目標60字／分,(合格|不合格),")))
        << recordRead;

    EXPECT_EQ(heard.mid(0, 5), (QStringList{QStringLiteral("次のキー"),
                                            QStringLiteral("次のキー：T　左手・人差し指"),
                                            QStringLiteral("もう一度：T　左手・人差し指"),
                                            QStringLiteral("次のキー：H　右手・人差し指"),
                                            QStringLiteral("次のキー：U　右手・人差し指")}))
        << heard.join(u'|').toStdString();
    ASSERT_TRUE(missedKeyOnScreen.has_value()) << "the miss was not seen on the screen";
    EXPECT_EQ(*missedKeyOnScreen, ui::ResolveColour(guide::kMissedColour));
    ASSERT_TRUE(guideCorner.has_value());
    EXPECT_EQ(*guideCorner, *placeByRule);
    EXPECT_FALSE(guide->Widget()->isVisible()) << "the guide stays when the board hides";
    EXPECT_EQ(Module1::WeakKeys.Total(), 1u);
    // Three runs of start, finished and time boxes, and the one miss box of lesson 1; the
    // Hepburn lessons are recorded as cleared.
    EXPECT_EQ(boxes_.Shown().size(), 10u) << boxes_.Describe();
    for (const auto& [lesson, keys] : hepburn) {
        EXPECT_TRUE(text::Contains(menu.Command1[lesson].Caption(), u'.')) << keys;
    }
}

}  // namespace
}  // namespace e2e
