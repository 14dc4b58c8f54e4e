// The in-process benchmarks: the trainer's own windows (ui::Program with the real Qt message
// boxes) run in this process on a private X display (Xvfb under openbox), driven by a pupil
// thread through real X events.
//
//   bench-in-process latency --runs N     key latency, trainer and bare key window
//   bench-in-process timer --seconds S    the board's timer against CLOCK_MONOTONIC
//
// Prints rows of the result table on stdout; progress goes to stderr.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "KeyLatency.h"
#include "ProbedApplication.h"
#include "TimerAccuracy.h"
#include "common/ScreenPupil.h"
#include "common/Stats.h"
#include "common/XWindowWatcher.h"
#include "services/AppIcon.h"

namespace {

struct Options {
    std::string measure;
    int runs = 5;
    int seconds = 600;
};

Options ParseOptions(int argc, char* argv[]) {
    Options options;
    if (argc > 1) {
        options.measure = argv[1];
    }
    for (int index = 2; index + 1 < argc; index += 2) {
        const std::string name = argv[index];
        const int value = std::max(1, std::atoi(argv[index + 1]));
        if (name == "--runs") {
            options.runs = value;
        } else if (name == "--seconds") {
            options.seconds = value;
        }
    }
    if (options.measure != "latency" && options.measure != "timer") {
        throw bench::BenchFailure(
            "usage: bench-in-process latency --runs N | bench-in-process timer --seconds S");
    }
    return options;
}

void RunMeasure(const Options& options, const xsession::XSession& session, int& argc,
                char* argv[]) {
    // The X server's clock is checked from a connection of its own, before Qt connects.
    const bench::ServerClockCheck clock = bench::CheckServerClock(session.Display());
    if (options.measure == "latency") {
        bench::PrintRow("x_server_clock",
                        std::string(clock.comparable ? "CLOCK_MONOTONIC: " : "NOT comparable: ") +
                            clock.Describe());
    }

    // Qt reads the display when the application is created.
    setenv("DISPLAY", session.Display().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    bench::ProbedApplication app(argc, argv);
    // As the real program: no application display name, which Qt would append to every
    // window title; and no quitting when the last window closes.
    QApplication::setApplicationName(QStringLiteral("kunpu-typing"));
    QApplication::setWindowIcon(ui::ProgramIcon());
    QApplication::setQuitOnLastWindowClosed(false);

    if (options.measure == "latency") {
        bench::RunKeyLatency(app, session, options.runs, clock.comparable);
    } else {
        bench::RunTimerAccuracy(app, session, options.seconds);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    try {
        const Options options = ParseOptions(argc, argv);
        xsession::XSession session;
        xsession::StopSessionOnFatalSignals(session);
        RunMeasure(options, session, argc, argv);
        xsession::ForgetSessionOnFatalSignals();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench-in-process: %s\n", error.what());
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
