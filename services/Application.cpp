#include "services/Application.h"

#include <QApplication>

#include "services/AppIcon.h"
#include "services/ButtonWords.h"
#include "services/Fonts.h"
#include "services/QtMessageBoxes.h"

namespace ui {

struct Application::Parts {
    Parts(int& argc, char** argv) : application(argc, argv) {}
    QApplication application;
    QtMessageBoxes boxes;
};

Application::Application(int& argc, char** argv) : parts_(std::make_unique<Parts>(argc, argv)) {
    // No application display name: Qt would append it to every window title.
    QApplication::setApplicationName(QStringLiteral("kunpu-typing"));
    // Ties the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("kunpu-typing"));
    QApplication::setWindowIcon(ProgramIcon());
    // The program ends only through the quit question of the menu window.
    QApplication::setQuitOnLastWindowClosed(false);
    LoadBundledFonts();
    SpeakJapaneseOnButtons();
}

Application::~Application() = default;

MessageBoxes& Application::Boxes() {
    return parts_->boxes;
}

int Application::Run() {
    return QApplication::exec();
}

}  // namespace ui
