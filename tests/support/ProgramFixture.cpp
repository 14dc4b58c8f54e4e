#include "support/ProgramFixture.h"

#include <QKeyEvent>
#include <QTest>

#include "lessons/LessonCatalogue.h"

namespace testing_support {

void ProgramFixture::SetUp() {
    program = std::make_unique<ui::Program>(boxes, [this] { ++endRequests; });
    program->Start();
}

void ProgramFixture::TearDown() {
    boxes.ForgetOpenBoxes();
    program.reset();
}

void ProgramFixture::StartLesson(int index) {
    menu().Command1[static_cast<std::size_t>(index)].Click();
    AnswerBoxes();
}

void ProgramFixture::Type(const QString& keys) {
    for (const QChar key : keys) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(key));
        QApplication::sendEvent(board().Widget(), &press);
        AnswerBoxes();
    }
}

void ProgramFixture::PressFunctionKey(int number) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F1 + (number - 1), Qt::NoModifier);
    QApplication::sendEvent(board().Widget(), &press);
    AnswerBoxes();
}

void ProgramFixture::FinishRunWithTicks(const QString& keys, int ticks) {
    Type(keys.left(keys.size() - 1));
    board().Ticks = static_cast<std::int16_t>(ticks);
    Type(keys.right(1));
}

void ProgramFixture::ClearLesson(int index, const QString& keys, int ticks) {
    StartLesson(index);
    FinishRunWithTicks(keys, ticks);
}

QString ProgramFixture::LastTitle() const {
    return boxes.shown.empty() ? QString() : boxes.shown.back().title;
}

QString ProgramFixture::LastPrompt() const {
    return boxes.shown.empty() ? QString() : boxes.shown.back().prompt;
}

QString LessonKeys(int index) {
    const auto keyString = lessons::LessonCatalogue[static_cast<std::size_t>(index)].keyString;
    QString keys;
    for (const char c : keyString) {
        if (c != '_') {
            keys += QChar(c).toLower();
        }
    }
    return keys;
}

}  // namespace testing_support
