#pragma once
// The pupil of the in-process benchmarks works on a thread of its own, through the X server
// only, while the main thread runs the program's events (also inside its modal boxes).
#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <functional>
#include <future>
#include <string>
#include <thread>

#include "common/ScreenPupil.h"

namespace bench {

class PupilThread {
  public:
    // Starts `script` at once. When it has ended, `onEnd` runs on the main thread with the
    // failure's text, empty when every step worked.
    PupilThread(const xsession::XSession& session, std::function<void(ScreenPupil&)> script,
                std::function<void(const std::string&)> onEnd);
    ~PupilThread();
    PupilThread(const PupilThread&) = delete;
    PupilThread& operator=(const PupilThread&) = delete;

  private:
    std::thread thread_;
};

// Ends `loop` once no modal box is open; a box still open (a failed pupil left it) is
// closed first, so no modal loop is left running inside `loop`.
void QuitWhenNoBoxOpen(QEventLoop& loop);

// Runs `script` on a pupil thread while this thread runs the program's events; returns
// once the pupil has ended and no box is open. Throws BenchFailure when a step failed.
void RunPupilScript(const xsession::XSession& session,
                    const std::function<void(ScreenPupil&)>& script);

// From the pupil's thread: runs `task` on the main thread, between two events, and returns
// its result.
template <typename Task>
auto OnMainThread(Task task) -> decltype(task()) {
    std::packaged_task<decltype(task())()> job(std::move(task));
    auto answer = job.get_future();
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&job] { job(); }, Qt::QueuedConnection);
    return answer.get();
}

}  // namespace bench
