// The end-to-end tests' own main: a private X display with a window manager first, then
// the Qt application on it, then the tests; torn down in the opposite order.
#include <gtest/gtest.h>

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "e2e/DisplaySession.h"
#include "services/ButtonWords.h"

namespace {

const xsession::XSession* currentSession = nullptr;

}  // namespace

namespace e2e {

const xsession::XSession& Session() {
    if (currentSession == nullptr) {
        std::fputs("The end-to-end tests ran without their X display.\n", stderr);
        std::abort();
    }
    return *currentSession;
}

void UseSession(const xsession::XSession* session) {
    currentSession = session;
}

}  // namespace e2e

int main(int argc, char* argv[]) {
    std::unique_ptr<xsession::XSession> session;
    try {
        xsession::XSession::Options options;
        options.sessionBus = true;
        session = std::make_unique<xsession::XSession>(options);
    } catch (const xsession::XSessionError& error) {
        std::fprintf(stderr,
                     "The end-to-end tests need their own X display (Xvfb) with a window "
                     "manager (openbox), driven by xdotool:\n  %s\n",
                     error.what());
        return EXIT_FAILURE;
    }
    xsession::StopSessionOnFatalSignals(*session);
    setenv("DISPLAY", session->Display().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    // Screen readers reach the program through the session's accessibility bus, as on a
    // desktop where one runs.
    setenv("DBUS_SESSION_BUS_ADDRESS", session->SessionBusAddress().c_str(), 1);
    setenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1", 1);
    // One logical pixel to one screen pixel: the tests click at coordinates the program
    // computes, and compare them with what the X server reports.
    for (const char* scaling : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                                "QT_ENABLE_HIGHDPI_SCALING", "QT_AUTO_SCREEN_SCALE_FACTOR"}) {
        unsetenv(scaling);
    }
    e2e::UseSession(session.get());

    int status = EXIT_FAILURE;
    {
        QApplication app(argc, argv);
        // As the real program: no application display name, which Qt would append to every
        // window title; and no quitting when the last window closes.
        QApplication::setApplicationName(QStringLiteral("kunpu-typing"));
        QApplication::setQuitOnLastWindowClosed(false);
        ui::SpeakJapaneseOnButtons();
        testing::InitGoogleTest(&argc, argv);
        status = RUN_ALL_TESTS();
        // Each test's program has destroyed its windows; the application goes next.
    }
    e2e::UseSession(nullptr);
    xsession::ForgetSessionOnFatalSignals();
    session.reset();
    return status;
}
