// Start-up: the menu window is created and shown; everything else happens in the
// windows' event handlers.
#include <QApplication>

#include "program/Program.h"
#include "services/AppIcon.h"
#include "services/ButtonWords.h"
#include "services/Fonts.h"
#include "services/ProgramEnd.h"
#include "services/QtMessageBoxes.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // No application display name: Qt would append it to every window title.
    QApplication::setApplicationName(QStringLiteral("kunpu-typing"));
    // Ties the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("kunpu-typing"));
    QApplication::setWindowIcon(ui::ProgramIcon());
    // The program ends only through the quit question of the menu window.
    QApplication::setQuitOnLastWindowClosed(false);
    ui::LoadBundledFonts();
    ui::SpeakJapaneseOnButtons();

    ui::QtMessageBoxes boxes;
    ui::Program program(boxes, ui::EndProgramNow);
    program.Start();
    return QApplication::exec();
}
