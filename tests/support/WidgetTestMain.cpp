// Widget tests run the real windows on Qt's offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>

#include "services/ButtonWords.h"

namespace {

// The offscreen platform cannot raise windows or pass size hints to a window manager; it
// says so on every show. Everything else Qt reports is kept.
void QuietOffscreenNotices(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
    if (message.startsWith(QStringLiteral("This plugin does not support"))) {
        return;
    }
    qt_message_output(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(QuietOffscreenNotices);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // As the real program: the boxes' buttons in Japanese.
    ui::SpeakJapaneseOnButtons();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
