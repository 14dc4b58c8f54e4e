#include "KeyLatency.h"

#include <xcb/xcb.h>

#include <QKeyEvent>
#include <cstdlib>
#include <memory>
#include <thread>

#include "PupilThread.h"
#include "bare/BareKeyWindow.h"
#include "board/PracticeBoard.h"
#include "common/Clock.h"
#include "common/Stats.h"
#include "menu/Menu.h"
#include "program/Program.h"
#include "services/FormWindow.h"
#include "services/QtMessageBoxes.h"

namespace bench {

namespace {

// A pupil's steady pace: ten keys a second.
constexpr auto kKeyPause = std::chrono::milliseconds(100);
// After the last key of the bare window, time for its paint.
constexpr auto kLastPaint = std::chrono::milliseconds(300);

xcb_connection_t* QtConnection() {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr) {
        throw BenchFailure("the application does not run on the xcb platform");
    }
    return x11->connection();
}

// Returns once the X server has carried out every request sent on `connection` so far.
void RoundTrip(xcb_connection_t* connection) {
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

bool IsWidgetOf(QObject* receiver, const QWidget* window) {
    return receiver->isWidgetType() && static_cast<QWidget*>(receiver)->window() == window;
}

struct RunResult {
    std::vector<KeySample> samples;
};

// What shows beside the board during a run, besides the board itself.
enum class Beside { Nothing, KeyboardGuide, RomajiGuide };

// One run of the trainer, started afresh: the pupil clicks lesson 1, starts it, types it
// through and closes the result boxes. The keyboard guide shows under the board and follows
// every key, or the romaji guide under the kana greys each key typed, as `beside` says.
RunResult TrainerRun(ProbedApplication& app, const xsession::XSession& session,
                     bool& startFocusChecked, bool& lessonOneHadFocus, Beside beside) {
    ui::QtMessageBoxes boxes;
    auto program = std::make_unique<ui::Program>(boxes, [] {});
    KeyLatencyProbe probe([&program]() -> QWidget* {
        PracticeBoard* board = program->BoardIfLoaded();
        return board != nullptr ? board->Widget() : nullptr;
    });
    app.SetObserver(&probe);
    program->Start();
    if (beside == Beside::KeyboardGuide) {
        program->MenuWindow().FingerGuide.Click();
    } else if (beside == Beside::RomajiGuide) {
        program->MenuWindow().RomajiGuide.Click();
    }
    const bool checkFocus = !startFocusChecked;
    RunPupilScript(session, [&](ScreenPupil& pupil) {
        if (checkFocus) {
            // Which lesson button has the keyboard once the menu window is active.
            pupil.WaitUntilActive(pupil.WaitForWindow(kMenuTitle), kMenuTitle);
            lessonOneHadFocus =
                OnMainThread([&program] { return program->MenuWindow().Command1[0].HasFocus(); });
        }
        TypeLessonOne(pupil, kKeyPause);
    });
    startFocusChecked = true;
    app.SetObserver(nullptr);
    RunResult result{probe.Samples()};
    program.reset();
    return result;
}

// One run of the bare key window: the pupil types lesson 1's keys into it.
RunResult BareRun(ProbedApplication& app, const xsession::XSession& session) {
    auto window = std::make_unique<BareKeyWindow>();
    KeyLatencyProbe probe([&window]() -> QWidget* { return window.get(); });
    app.SetObserver(&probe);
    window->show();
    RunPupilScript(session, [](ScreenPupil& pupil) {
        pupil.WaitUntilActive(pupil.WaitForWindow(BareKeyWindow::kTitle.toStdString()),
                              BareKeyWindow::kTitle.toStdString());
        pupil.Type(kLessonOneKeys, kKeyPause);
        std::this_thread::sleep_for(kLastPaint);
    });
    app.SetObserver(nullptr);
    RunResult result{probe.Samples()};
    window.reset();
    return result;
}

// The figures of one source (server stamp or delivery) over all runs.
struct Series {
    std::vector<double> all;  // every key of every run
    std::vector<double> runMedians;
    std::vector<double> runWorsts;

    void Add(const std::vector<double>& run) {
        all.insert(all.end(), run.begin(), run.end());
        runMedians.push_back(Median(run));
        runWorsts.push_back(Worst(run));
    }

    std::string Summary(const std::string& who) const {
        std::string perRun;
        for (std::size_t run = 0; run < runMedians.size(); ++run) {
            if (!perRun.empty()) {
                perRun += ' ';
            }
            perRun += Fixed(runMedians[run], 1) + "/" + Fixed(runWorsts[run], 1);
        }
        return who + " median " + Fixed(Median(all), 1) + " worst " + Fixed(Worst(all), 1) +
               " (runs median/worst: " + perRun + "; " + std::to_string(all.size()) + " keys)";
    }
};

std::vector<double> FromServer(const RunResult& run) {
    std::vector<double> values;
    for (const KeySample& sample : run.samples) {
        values.push_back(sample.fromServerMs);
    }
    return values;
}

std::vector<double> FromDelivery(const RunResult& run) {
    std::vector<double> values;
    for (const KeySample& sample : run.samples) {
        values.push_back(sample.fromDeliveryMs);
    }
    return values;
}

}  // namespace

KeyLatencyProbe::KeyLatencyProbe(std::function<QWidget*()> window)
    : window_(std::move(window)), connection_(QtConnection()) {}

void KeyLatencyProbe::Before(QObject* receiver, QEvent* event) {
    const QWidget* window = window_();
    if (window == nullptr) {
        return;
    }
    switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (receiver == window && !key->isAutoRepeat()) {
                pending_.push_back({static_cast<std::uint32_t>(key->timestamp()), MonotonicMs()});
            }
            break;
        }
        case QEvent::UpdateRequest:
            if (receiver == window) {
                inUpdate_ = true;
                paintsInUpdate_ = 0;
            }
            break;
        case QEvent::Paint:
            if (inUpdate_ && IsWidgetOf(receiver, window)) {
                ++paintsInUpdate_;
            }
            break;
        default:
            break;
    }
}

void KeyLatencyProbe::After(QObject* receiver, QEvent* event) {
    if (event->type() != QEvent::UpdateRequest || receiver != window_()) {
        return;
    }
    inUpdate_ = false;
    if (paintsInUpdate_ == 0 || pending_.empty()) {
        return;
    }
    RoundTrip(connection_);
    const double painted = MonotonicMs();
    for (const PendingKey& key : pending_) {
        samples_.push_back({MsSinceServerTime(painted, key.serverMs), painted - key.deliveredMs});
    }
    pending_.clear();
}

void RunKeyLatency(ProbedApplication& app, const xsession::XSession& session, int runs,
                   bool serverClockComparable) {
    Series programServer, programDelivery, guideServer, guideDelivery, romajiServer, romajiDelivery,
        bareServer, bareDelivery;
    bool startFocusChecked = false;
    bool lessonOneHadFocus = false;
    // The runs alternate, so a change in the machine's load weighs on both alike.
    for (int run = 1; run <= runs; ++run) {
        Progress("key latency: run " + std::to_string(run) + " of " + std::to_string(runs));
        const RunResult trainer =
            TrainerRun(app, session, startFocusChecked, lessonOneHadFocus, Beside::Nothing);
        programServer.Add(FromServer(trainer));
        programDelivery.Add(FromDelivery(trainer));
        const RunResult guided =
            TrainerRun(app, session, startFocusChecked, lessonOneHadFocus, Beside::KeyboardGuide);
        guideServer.Add(FromServer(guided));
        guideDelivery.Add(FromDelivery(guided));
        const RunResult spelled =
            TrainerRun(app, session, startFocusChecked, lessonOneHadFocus, Beside::RomajiGuide);
        romajiServer.Add(FromServer(spelled));
        romajiDelivery.Add(FromDelivery(spelled));
        const RunResult bare = BareRun(app, session);
        bareServer.Add(FromServer(bare));
        bareDelivery.Add(FromDelivery(bare));
    }
    if (serverClockComparable) {
        PrintRow("key_latency_x_ms",
                 programServer.Summary("program") + "   " + bareServer.Summary("bare"));
        PrintRow("key_latency_guide_x_ms", guideServer.Summary("program, guide on"));
        PrintRow("key_latency_romaji_x_ms", romajiServer.Summary("program, romaji guide on"));
    } else {
        PrintRow("key_latency_x_ms",
                 "not measured: the X server's clock is not CLOCK_MONOTONIC (see x_server_clock)");
    }
    PrintRow("key_latency_qt_ms",
             programDelivery.Summary("program") + "   " + bareDelivery.Summary("bare"));
    PrintRow("key_latency_guide_qt_ms", guideDelivery.Summary("program, guide on"));
    PrintRow("key_latency_romaji_qt_ms", romajiDelivery.Summary("program, romaji guide on"));
    PrintRow("start_focus", lessonOneHadFocus
                                ? "lesson 1's button has the keyboard focus at start"
                                : "lesson 1's button does NOT have the keyboard focus at start");
}

}  // namespace bench
