// The Windows tests' own main: a private X display with a window manager, on which Wine
// shows the Windows program; a Qt application of the tests' own, off the screen, runs the
// pupil's event loop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "support/WinePrefix.h"
#include "windows/WineTestSession.h"

namespace {

const xsession::XSession* currentSession = nullptr;
std::string setupProgram;

// The installer in `folder` (KunpuTyping-<version>-setup.exe), or nothing.
std::string FindSetupProgram(const QString& folder) {
    const QFileInfoList found = QDir(folder).entryInfoList(
        {QStringLiteral("KunpuTyping-*-setup.exe")}, QDir::Files, QDir::Time);
    return found.isEmpty() ? std::string() : found.first().absoluteFilePath().toStdString();
}

}  // namespace

namespace e2e {

const xsession::XSession& WineSession() {
    if (currentSession == nullptr) {
        std::fputs("The Windows tests ran without their X display.\n", stderr);
        std::abort();
    }
    return *currentSession;
}

std::string SetupProgramPath() {
    return setupProgram;
}

}  // namespace e2e

int main(int argc, char* argv[]) {
    // Where `make windows` left the installer; TYPING_WINDOWS_BUILD names another folder.
    const char* build = std::getenv("TYPING_WINDOWS_BUILD");
    setupProgram = FindSetupProgram(QString::fromLocal8Bit(build != nullptr ? build : ""));
    if (setupProgram.empty()) {
        std::fprintf(stderr, "No Windows installer in '%s': build it with `make windows`.\n",
                     build != nullptr ? build : "");
        return EXIT_FAILURE;
    }
    for (const char* tool : {"wine", "wineserver"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            std::fprintf(stderr,
                         "%s is missing: install the Debian packages wine and wine64 "
                         "(tools/install-deps windows).\n",
                         tool);
            return EXIT_FAILURE;
        }
    }
    std::unique_ptr<xsession::XSession> session;
    try {
        session = std::make_unique<xsession::XSession>();
    } catch (const xsession::XSessionError& error) {
        std::fprintf(stderr, "The Windows tests need their own X display: %s\n", error.what());
        return EXIT_FAILURE;
    }
    xsession::StopSessionOnFatalSignals(*session);
    // The Windows program must not take the tests' own platform: it would look for a Qt
    // plugin it does not ship.
    unsetenv("QT_QPA_PLATFORM");
    currentSession = session.get();

    int status = EXIT_FAILURE;
    {
        int qtArgc = 3;
        char name[] = "windows_tests";
        char option[] = "-platform";
        char platform[] = "offscreen";
        char* qtArgv[] = {name, option, platform, nullptr};
        QApplication app(qtArgc, qtArgv);
        testing::InitGoogleTest(&argc, argv);
        status = RUN_ALL_TESTS();
    }
    currentSession = nullptr;
    xsession::ForgetSessionOnFatalSignals();
    session.reset();
    return status;
}
