// Start-up time and peak memory of the trainer, and of the bare Qt program beside it, each
// started as a process of its own on a private X display (Xvfb under openbox).
//
//   bench-windows startup --runs N --program <kunpu-typing> --bare <bare-two-windows>
//   bench-windows memory  --runs N --program <kunpu-typing> --bare <bare-two-windows>
//   bench-windows wine-startup --runs N --program <kunpu-typing.exe> --bare <bare-two-windows.exe>
//
// wine-startup times the Windows builds of both under Wine, in a Wine prefix of its own
// whose server keeps running between the starts.
//
// Prints one row of the result table on stdout; progress goes to stderr.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "common/Clock.h"
#include "common/ScreenPupil.h"
#include "common/Stats.h"
#include "common/XWindowWatcher.h"
#include "support/WinePrefix.h"

namespace {

using namespace std::chrono_literals;
using bench::BenchFailure;

// A pupil's steady pace: ten keys a second.
constexpr auto kKeyPause = 100ms;
// Time for the last paints to land before the peak is read.
constexpr auto kSettle = 300ms;
constexpr auto kStartPatience = 30s;

const std::string kBareMenuTitle = "Bare menu window";
const std::string kBareBoardTitle = "Bare board window";

struct Options {
    std::string measure;
    int runs = 5;
    std::string program;
    std::string bare;
};

Options ParseOptions(int argc, char* argv[]) {
    Options options;
    if (argc > 1) {
        options.measure = argv[1];
    }
    for (int index = 2; index + 1 < argc; index += 2) {
        const std::string name = argv[index];
        const std::string value = argv[index + 1];
        if (name == "--runs") {
            options.runs = std::max(1, std::atoi(value.c_str()));
        } else if (name == "--program") {
            options.program = value;
        } else if (name == "--bare") {
            options.bare = value;
        }
    }
    if ((options.measure != "startup" && options.measure != "memory" &&
         options.measure != "wine-startup") ||
        options.program.empty() || options.bare.empty()) {
        throw BenchFailure(
            "usage: bench-windows startup|memory|wine-startup --runs N --program <kunpu-typing> "
            "--bare <bare-two-windows>");
    }
    return options;
}

xsession::ChildProcess Launch(const xsession::XSession& session, const std::string& path) {
    return session.Launch({path}, {"QT_QPA_PLATFORM=xcb"});
}

using Launcher = std::function<xsession::ChildProcess(const std::string& path)>;

// From the spawning of the process to its first window being viewable on the X server.
double StartupMs(const xsession::XSession& session, const Launcher& launch, const std::string& path,
                 const std::string& title) {
    // Watching before the process exists, so no event of its windows is missed.
    bench::XWindowWatcher watcher(session.Display());
    const double spawned = bench::MonotonicMs();
    xsession::ChildProcess process = launch(path);
    const std::optional<double> viewable = watcher.WaitUntilViewable(title, kStartPatience);
    process.Stop();
    if (!viewable) {
        throw BenchFailure("the window '" + title + "' of " + path + " did not appear");
    }
    return *viewable - spawned;
}

// The peak resident memory of a process so far (VmHWM), in KiB.
double PeakResidentKib(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::atof(line.c_str() + 6);
        }
    }
    throw BenchFailure("no VmHWM for process " + std::to_string(pid));
}

// What the pupil does in the trainer before its peak memory is read.
struct PupilWork {
    bool guideOn = false;     // the keyboard guide under the board
    bool recordOpen = false;  // the record beside the menu, updated after every run
    int runs = 1;             // lesson 1 typed through this many times
    std::chrono::milliseconds keyPause = kKeyPause;
};

// The session's record after twenty runs, its window open or never opened.
constexpr PupilWork kTwentyRuns{false, false, 20, 30ms};

// The trainer after a pupil has typed lesson 1 through and closed the result boxes, as
// `work` says.
double ProgramPeakMib(const xsession::XSession& session, const std::string& path,
                      const PupilWork& work) {
    xsession::ChildProcess process = Launch(session, path);
    bench::ScreenPupil pupil(session);
    if (work.guideOn) {
        bench::TurnOnKeyboardGuide(pupil);
    }
    if (work.recordOpen) {
        bench::OpenRecord(pupil);
    }
    for (int run = 0; run < work.runs; ++run) {
        bench::TypeLessonOne(pupil, work.keyPause);
    }
    std::this_thread::sleep_for(kSettle);
    const double kib = PeakResidentKib(process.Pid());
    process.Stop();
    return kib / 1024.0;
}

// The bare program once both its windows show.
double BarePeakMib(const xsession::XSession& session, const std::string& path) {
    xsession::ChildProcess process = Launch(session, path);
    bench::ScreenPupil pupil(session);
    pupil.WaitForWindow(kBareMenuTitle);
    pupil.WaitForWindow(kBareBoardTitle);
    std::this_thread::sleep_for(kSettle);
    const double kib = PeakResidentKib(process.Pid());
    process.Stop();
    return kib / 1024.0;
}

struct Series {
    std::vector<double> program;
    std::vector<double> bare;
};

// The runs alternate between the two programs, so a change in the machine's load during
// the benchmark weighs on both alike.
Series Alternate(int runs, const std::function<double()>& program,
                 const std::function<double()>& bare, const std::string& what) {
    Series series;
    for (int run = 1; run <= runs; ++run) {
        bench::Progress(what + ": run " + std::to_string(run) + " of " + std::to_string(runs));
        series.program.push_back(program());
        series.bare.push_back(bare());
    }
    return series;
}

std::string Summary(const std::string& who, const std::vector<double>& values, int decimals) {
    return who + " median " + bench::Fixed(bench::Median(values), decimals) +
           " (runs: " + bench::FixedList(values, decimals) + ")";
}

void RunStartup(const xsession::XSession& session, const Launcher& launch, const Options& options,
                const std::string& row) {
    const auto program = [&] {
        return StartupMs(session, launch, options.program, bench::kMenuTitle);
    };
    const auto bare = [&] { return StartupMs(session, launch, options.bare, kBareMenuTitle); };
    // One start of each first, not counted: it reads the programs and libraries from disk.
    bench::Progress(row + ": warming up");
    program();
    bare();
    const Series series = Alternate(options.runs, program, bare, row);
    bench::PrintRow(
        row, Summary("program", series.program, 1) + "   " + Summary("bare", series.bare, 1));
}

void RunWineStartup(const xsession::XSession& session, const Options& options) {
    bench::Progress("wine start-up: setting up a Wine prefix");
    const e2e::WinePrefix wine(session);
    if (!wine.Ready()) {
        throw BenchFailure(wine.Problem());
    }
    wine.KeepServerRunning();
    RunStartup(
        session,
        [&](const std::string& path) {
            return wine.Launch({"wine", path});
        },
        options, "wine_startup_ms");
}

void RunMemory(const xsession::XSession& session, const Options& options) {
    const Series series = Alternate(
        options.runs, [&] { return ProgramPeakMib(session, options.program, {}); },
        [&] { return BarePeakMib(session, options.bare); }, "peak memory");
    bench::PrintRow("peak_memory_mib", Summary("program", series.program, 1) + "   " +
                                           Summary("bare", series.bare, 1));
    const Series guided = Alternate(
        options.runs, [&] { return ProgramPeakMib(session, options.program, {.guideOn = true}); },
        [&] { return ProgramPeakMib(session, options.program, {}); }, "peak memory, guide");
    bench::PrintRow("peak_memory_guide_mib", Summary("program, guide on", guided.program, 1) +
                                                 "   " + Summary("guide off", guided.bare, 1));
    PupilWork recordOpen = kTwentyRuns;
    recordOpen.recordOpen = true;
    const Series recorded = Alternate(
        options.runs, [&] { return ProgramPeakMib(session, options.program, recordOpen); },
        [&] { return ProgramPeakMib(session, options.program, kTwentyRuns); },
        "peak memory, 20 runs");
    bench::PrintRow("peak_memory_record_mib",
                    Summary("program, 20 runs, record open", recorded.program, 1) + "   " +
                        Summary("record never opened", recorded.bare, 1));
}

}  // namespace

int main(int argc, char* argv[]) {
    try {
        const Options options = ParseOptions(argc, argv);
        xsession::XSession session;
        xsession::StopSessionOnFatalSignals(session);
        if (options.measure == "startup") {
            RunStartup(
                session, [&](const std::string& path) { return Launch(session, path); }, options,
                "startup_ms");
        } else if (options.measure == "wine-startup") {
            RunWineStartup(session, options);
        } else {
            RunMemory(session, options);
        }
        xsession::ForgetSessionOnFatalSignals();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench-windows: %s\n", error.what());
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
