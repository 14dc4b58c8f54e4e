#include "TimerAccuracy.h"

#include <QEventLoop>
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <thread>

#include "PupilThread.h"
#include "board/PracticeBoard.h"
#include "common/Clock.h"
#include "common/Stats.h"
#include "program/Program.h"
#include "services/QtMessageBoxes.h"

namespace bench {

namespace {

constexpr double kTickMs = 100.0;
constexpr double kProgressEveryMs = 60000.0;

// Watches the board after every event: the run starts when the board's timer comes on (the
// start box has just closed), and each tick is seen when the event that raised Ticks has
// been handled. Ends `loop` at the first tick after `seconds`, once the pupil is done.
class TickWatch : public EventObserver {
  public:
    TickWatch(ui::Program& program, int seconds, QEventLoop& loop)
        : program_(program), durationMs_(seconds * 1000.0), loop_(loop) {}

    void Before(QObject*, QEvent*) override {}

    void After(QObject*, QEvent*) override {
        const PracticeBoard* board = program_.BoardIfLoaded();
        if (board == nullptr || finished_) {
            return;
        }
        const double now = MonotonicMs();
        if (!started_) {
            if (board->RunInProgress()) {
                started_ = true;
                startMs_ = now;
                lastTickMs_ = now;
                lastProgressMs_ = now;
                lastTicks_ = board->Ticks;
            }
            return;
        }
        if (board->Ticks == lastTicks_) {
            return;
        }
        longestGapMs_ = std::max(longestGapMs_, now - lastTickMs_);
        lastTicks_ = board->Ticks;
        lastTickMs_ = now;
        if (now - lastProgressMs_ >= kProgressEveryMs) {
            lastProgressMs_ = now;
            Progress("timer accuracy: " + Fixed((now - startMs_) / 1000.0, 0) + " s of " +
                     Fixed(durationMs_ / 1000.0, 0) + " s");
        }
        MaybeFinish();
    }

    void PupilDone() {
        pupilDone_ = true;
        MaybeFinish();
    }

    bool Started() const { return started_; }
    double ElapsedMs() const { return lastTickMs_ - startMs_; }
    int Ticks() const { return lastTicks_; }
    double LongestGapMs() const { return longestGapMs_; }

  private:
    void MaybeFinish() {
        if (pupilDone_ && started_ && lastTickMs_ - startMs_ >= durationMs_ && !finished_) {
            finished_ = true;
            loop_.quit();
        }
    }

    ui::Program& program_;
    double durationMs_;
    QEventLoop& loop_;
    bool started_ = false;
    bool finished_ = false;
    bool pupilDone_ = false;
    double startMs_ = 0.0;
    double lastTickMs_ = 0.0;
    double lastProgressMs_ = 0.0;
    double longestGapMs_ = 0.0;
    std::int16_t lastTicks_ = 0;
};

// Keeps one core busy until told to stop.
class BusyLoop {
  public:
    BusyLoop()
        : thread_([this] {
              while (!stop_.load(std::memory_order_relaxed)) {
              }
          }) {}
    ~BusyLoop() {
        stop_ = true;
        thread_.join();
    }
    BusyLoop(const BusyLoop&) = delete;
    BusyLoop& operator=(const BusyLoop&) = delete;

  private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace

void RunTimerAccuracy(ProbedApplication& app, const xsession::XSession& session, int seconds) {
    ui::QtMessageBoxes boxes;
    ui::Program program(boxes, [] {});
    QEventLoop loop;
    TickWatch watch(program, seconds, loop);
    app.SetObserver(&watch);
    std::string failure;
    Progress("timer accuracy: " + std::to_string(seconds) + " s with the other core busy");
    {
        const BusyLoop busy;
        program.Start();
        const PupilThread pupil(session, StartLessonOne, [&](const std::string& text) {
            failure = text;
            if (failure.empty()) {
                watch.PupilDone();
            } else {
                QuitWhenNoBoxOpen(loop);
            }
        });
        loop.exec();
    }
    app.SetObserver(nullptr);
    if (!failure.empty()) {
        throw BenchFailure(failure);
    }
    const double expected = watch.ElapsedMs() / kTickMs;
    const double drift = watch.Ticks() - expected;
    PrintRow("timer_ticks", "ticks " + std::to_string(watch.Ticks()) + " expected " +
                                Fixed(expected, 1) + " drift " + Fixed(drift, 2) + " ticks (" +
                                Fixed(drift / expected * 100.0, 3) + " %) over " +
                                Fixed(watch.ElapsedMs() / 1000.0, 1) +
                                " s, other core busy; longest gap between ticks " +
                                Fixed(watch.LongestGapMs(), 1) + " ms");
}

}  // namespace bench
