// The Windows edition as a school gets it: the installer run silently under Wine, the
// installed program used by a pupil with real keys and clicks on the X display, and the
// uninstaller. The tests run in this order and share one Wine prefix.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QString>
#include <QStringDecoder>
#include <optional>

#include "menu/MenuLayout.h"
#include "menu/SpeedColourBands.h"
#include "services/Colour.h"
#include "services/Twips.h"
#include "support/LessonSteps.h"
#include "support/WinePrefix.h"
#include "windows/WineTestSession.h"

namespace e2e {
namespace {

const std::string kInstalledProgram = R"(C:\Program Files\KunpuTyping\kunpu-typing.exe)";
const std::string kUninstaller = R"(C:\Program Files\KunpuTyping\uninstall.exe)";
const std::string kUninstallKey =
    R"(HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\KunpuTyping)";
const QString kStartMenuEntry =
    QStringLiteral("ProgramData/Microsoft/Windows/Start Menu/Programs/タイピングソフト.lnk");
const QString kProgramFolder = QStringLiteral("Program Files/KunpuTyping");

// What the installer puts into the program folder, beyond the program itself.
const char* const kInstalledFiles[] = {
    "kunpu-typing.exe",
    "Qt6Core.dll",
    "Qt6Gui.dll",
    "Qt6Widgets.dll",
    "libstdc++-6.dll",
    "libgcc_s_seh-1.dll",
    "libwinpthread-1.dll",
    "platforms/qwindows.dll",
    "styles/qwindowsvistastyle.dll",
    "licenses/LICENSE.txt",
    "licenses/LGPL-3.txt",
    "licenses/Qt.txt",
    "uninstall.exe",
};

unsigned RgbOf(colour::BgrColour colour) {
    const colour::Rgb rgb = colour::ToRgb(colour);
    return static_cast<unsigned>((rgb.red << 16) | (rgb.green << 8) | rgb.blue);
}

// A point inside lesson button `index`, `insetPixels` in from its left edge, halfway down.
// `menuWindow` is the menu window as the X server has it: the lesson buttons' area ends
// at its bottom, under the menu bar.
ScreenPoint InButton(const ScreenRect& menuWindow, int index, int insetPixels) {
    const menu_layout::TwipsRect place = menu_layout::LessonButtonPlace(index);
    const int clientTop =
        menuWindow.top + menuWindow.height - twips::ToPixels(menu_layout::kClientHeight);
    return {menuWindow.left + twips::ToPixels(place.left) + insetPixels,
            clientTop + twips::ToPixels(place.top + place.height / 2)};
}

// The text Qt copies of a message box on Windows when the pupil presses Ctrl+C in it.
std::string CopyOfBox(Pupil& pupil, const std::string& title, long pid) {
    const WindowId box = pupil.WaitForWindow(title, pid);
    pupil.WaitUntilActive(box, "the box '" + title + "'");
    pupil.PressKey("ctrl+c");
    pupil.Pause(300ms);
    return pupil.ClipboardText();
}

// The speed the time box reports, "123.4打／分" or "80打／分".
std::optional<double> ReportedSpeed(const std::string& timeBox) {
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("(\\d+(?:\\.\\d)?)打／分"))
            .match(QString::fromStdString(timeBox));
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    return match.captured(1).toDouble();
}

// The installed programs' entry of the trainer, as `reg export` writes it (UTF-16, so the
// Japanese name comes through whatever the console's code page).
std::optional<QString> UninstallEntry(const WinePrefix& wine) {
    const QString exported = wine.DriveC().filePath(QStringLiteral("uninstall-entry.reg"));
    QFile::remove(exported);
    if (!wine.Run({"wine", "reg", "export", kUninstallKey, R"(C:\uninstall-entry.reg)", "/y"})
             .Succeeded()) {
        return std::nullopt;
    }
    QFile file(exported);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QStringDecoder utf16(QStringDecoder::Utf16LE);
    return QString(utf16(file.readAll()));
}

class WindowsEditionUnderWine : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { wine_ = new WinePrefix(WineSession()); }
    static void TearDownTestSuite() {
        delete wine_;
        wine_ = nullptr;
    }

    static WinePrefix* wine_;
};

WinePrefix* WindowsEditionUnderWine::wine_ = nullptr;

TEST_F(WindowsEditionUnderWine, InstallerInstallsSilentlyForAllUsers) {
    ASSERT_TRUE(wine_->Ready()) << wine_->Problem();
    const xsession::CommandResult install =
        wine_->Run({"wine", SetupProgramPath(), "/S"}, std::chrono::minutes(3));
    ASSERT_TRUE(install.Succeeded()) << install.err;
    wine_->WaitUntilIdle();

    const QDir programFolder(wine_->DriveC().filePath(kProgramFolder));
    for (const char* file : kInstalledFiles) {
        EXPECT_TRUE(QFileInfo(programFolder.filePath(QString::fromLatin1(file))).isFile())
            << file << " is not installed";
    }
    EXPECT_TRUE(QFileInfo(wine_->DriveC().filePath(kStartMenuEntry)).isFile())
        << "no Start-menu entry for all users";
    const std::optional<QString> entry = UninstallEntry(*wine_);
    ASSERT_TRUE(entry.has_value()) << "the uninstaller is not listed";
    EXPECT_TRUE(entry->contains(QStringLiteral("\"DisplayName\"=\"タイピングソフト\"")))
        << entry->toStdString();
    EXPECT_TRUE(entry->contains(QStringLiteral("uninstall.exe\\\" /S\""))) << entry->toStdString();
}

TEST_F(WindowsEditionUnderWine, PupilTypesALessonWithOneMissGivesUpARunAndQuits) {
    ASSERT_TRUE(wine_->Ready()) << wine_->Problem();
    xsession::ChildProcess program = wine_->Launch({"wine", kInstalledProgram});
    const long pid = program.Pid();

    std::string missBox;
    std::string finishedBox;
    std::string timeBox;
    std::string quitBox;
    unsigned lessonOneColour = 0;
    unsigned lessonThreeEdgeBefore = 0;
    unsigned lessonThreeEdgeAfter = 0;
    bool boardShownAfterGivingUp = true;
    const PupilOutcome outcome = RunPupil(
        WineSession(),
        [&](Pupil& pupil) {
            // The first start of a Windows program in a new prefix takes a while.
            const WindowId menu = pupil.WaitForWindow(kMenuTitle, pid, 90s);
            pupil.WaitUntilActive(menu, "the menu window", 30s);
            const ScreenRect menuRect = pupil.ClientRect(menu);
            lessonThreeEdgeBefore = pupil.ColourAt(InButton(menuRect, 2, 0));

            // Lesson 1 has the focus: Enter starts it. The board must have the keyboard
            // once the start box has closed.
            pupil.PressKey("Return");
            const WindowId board = AnswerStartBox(pupil, pid);
            pupil.Type("x", kPupilPace);
            missBox = CopyOfBox(pupil, "xではありません", pid);
            pupil.CloseBoxWithEnter("xではありません");
            pupil.WaitUntilActive(board, "the board, after the miss box,");
            pupil.Type(kLessonOneKeys, kPupilPace);
            finishedBox = CopyOfBox(pupil, kFinishedBoxTitle, pid);
            pupil.CloseBoxWithEnter(kFinishedBoxTitle);
            timeBox = CopyOfBox(pupil, kTimeBoxTitle, pid);
            pupil.CloseBoxWithEnter(kTimeBoxTitle);
            pupil.WaitUntilActive(menu, "the menu window, after the run,");
            pupil.Pause(500ms);
            lessonOneColour = pupil.ColourAt(InButton(menuRect, 0, 2));
            lessonThreeEdgeAfter = pupil.ColourAt(InButton(menuRect, 2, 0));

            // The next lesson, lesson 2, has the focus: a right click on its board gives the
            // run up.
            pupil.PressKey("Return");
            const WindowId secondBoard = AnswerStartBox(pupil, pid);
            pupil.Type("so", kPupilPace);  // lesson 2 begins そよかぜ
            const ScreenRect boardClient = pupil.ClientRect(secondBoard);
            pupil.RightClickAt({boardClient.left + boardClient.width / 2,
                                boardClient.top + boardClient.height / 2});
            pupil.WaitUntilActive(menu, "the menu window, after the right click,");
            boardShownAfterGivingUp = pupil.IsViewable(secondBoard);

            // Yes to the quit question ends the program.
            AskToClose(pupil, menu, pid);
            quitBox = CopyOfBox(pupil, kQuitBoxTitle, pid);
            pupil.PressKey("Return");
        },
        4min);
    ASSERT_TRUE(outcome.finished) << outcome.Report();

    EXPECT_NE(missBox.find("xではありません"), std::string::npos) << missBox;
    EXPECT_NE(missBox.find("Tです"), std::string::npos) << missBox;
    EXPECT_NE(finishedBox.find("終わりました"), std::string::npos) << finishedBox;
    EXPECT_NE(timeBox.find("合格圏内"), std::string::npos) << timeBox;
    // The buttons speak Japanese, from Qt's translation beside the program.
    EXPECT_NE(quitBox.find("はい(Y)   いいえ(N)"), std::string::npos) << quitBox;
    const std::optional<double> speed = ReportedSpeed(timeBox);
    ASSERT_TRUE(speed.has_value()) << timeBox;
    const std::optional<colour::BgrColour> band = menu_colours::ColourForSpeed(*speed);
    ASSERT_TRUE(band.has_value()) << "no band for " << *speed;
    EXPECT_EQ(lessonOneColour, RgbOf(*band)) << "lesson 1 after a run at " << *speed;
    EXPECT_EQ(lessonThreeEdgeBefore, RgbOf(colour::kPaleCyan)) << "lesson 3 shows at start";
    EXPECT_NE(lessonThreeEdgeAfter, RgbOf(colour::kPaleCyan)) << "lesson 3 was not revealed";
    EXPECT_FALSE(boardShownAfterGivingUp) << "the board stayed after the right click";

    const std::optional<xsession::ProcessEnd> end = program.WaitForExit(20s);
    ASSERT_TRUE(end.has_value()) << "the program still runs 20 s after Yes";
    EXPECT_TRUE(end->exited && end->code == 0) << "the program " << end->Describe();
}

TEST_F(WindowsEditionUnderWine, UninstallerRemovesWhatTheInstallerPutThere) {
    ASSERT_TRUE(wine_->Ready()) << wine_->Problem();
    ASSERT_TRUE(QFileInfo(wine_->DriveC().filePath(kProgramFolder)).isDir())
        << "nothing installed to remove";
    const xsession::CommandResult uninstall =
        wine_->Run({"wine", kUninstaller, "/S"}, std::chrono::minutes(2));
    ASSERT_TRUE(uninstall.Succeeded()) << uninstall.err;
    // The uninstaller runs on from a copy of itself: wait until Wine has nothing running.
    wine_->WaitUntilIdle();

    EXPECT_FALSE(QFileInfo::exists(wine_->DriveC().filePath(kProgramFolder)))
        << "the program folder is left";
    EXPECT_FALSE(QFileInfo::exists(wine_->DriveC().filePath(kStartMenuEntry)))
        << "the Start-menu entry is left";
    EXPECT_FALSE(UninstallEntry(*wine_).has_value()) << "the uninstaller is still listed";
}

}  // namespace
}  // namespace e2e
