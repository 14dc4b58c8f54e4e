#include "PupilThread.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

namespace bench {

PupilThread::PupilThread(const xsession::XSession& session,
                         std::function<void(ScreenPupil&)> script,
                         std::function<void(const std::string&)> onEnd)
    : thread_([&session, script = std::move(script), onEnd = std::move(onEnd)] {
          std::string failure;
          try {
              ScreenPupil pupil(session);
              script(pupil);
          } catch (const std::exception& error) {
              failure = error.what();
          }
          QMetaObject::invokeMethod(
              QCoreApplication::instance(), [onEnd, failure] { onEnd(failure); },
              Qt::QueuedConnection);
      }) {}

PupilThread::~PupilThread() {
    thread_.join();
}

void QuitWhenNoBoxOpen(QEventLoop& loop) {
    QWidget* box = QApplication::activeModalWidget();
    if (box == nullptr) {
        loop.quit();
        return;
    }
    if (auto* dialog = qobject_cast<QDialog*>(box)) {
        dialog->reject();
    } else {
        box->hide();
    }
    // Closing one box may open the next: look again once this one's loop has ended.
    QTimer::singleShot(50, &loop, [&loop] { QuitWhenNoBoxOpen(loop); });
}

void RunPupilScript(const xsession::XSession& session,
                    const std::function<void(ScreenPupil&)>& script) {
    QEventLoop loop;
    std::string failure;
    {
        PupilThread pupil(session, script, [&loop, &failure](const std::string& text) {
            failure = text;
            QuitWhenNoBoxOpen(loop);
        });
        loop.exec();
    }
    if (!failure.empty()) {
        throw BenchFailure(failure);
    }
}

}  // namespace bench
