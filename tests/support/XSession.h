#pragma once
// A private X display with a real window manager, for the end-to-end tests and the
// benchmarks: a virtual X server (Xvfb) on a free display number and openbox on it, both
// stopped by process id when the session ends. Also runs the X command-line tools
// (xdotool, xwininfo, xprop) on that display and captures what they print.
//
// No test framework here: a failure to start throws XSessionError with a readable message.
// The processes are QProcesses; no Qt application object is needed.
#include <sys/types.h>

#include <QProcess>
#include <QTemporaryDir>

#include <chrono>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace xsession {

class XSessionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// X window ids as xdotool prints them.
using WindowId = unsigned long;

// xdotool matches window names as extended regular expressions: the pattern that matches
// exactly `title`, its own characters taken literally.
std::string ExactNamePattern(const std::string& title);
// The window ids xdotool printed, one a line.
std::vector<WindowId> ParseWindowIds(const std::string& text);
// The number after `label` in xwininfo's report, e.g. "Width:"; XSessionError when the
// report has none.
int NumberAfter(const std::string& report, const std::string& label);

// What a command printed and how it ended.
struct CommandResult {
    int exitCode = -1;  // -1 when it was killed by a signal or did not end in time
    bool timedOut = false;
    std::string out;
    std::string err;

    bool Succeeded() const { return !timedOut && exitCode == 0; }
    // The output without the trailing line break.
    std::string Line() const;
};

// How a process ended.
struct ProcessEnd {
    bool exited = false;  // false: killed by a signal
    int code = 0;         // the exit code when it exited
    std::string Describe() const;
};

// A child process, stopped when its handle goes away (SIGTERM, then SIGKILL if it does not
// end within a few seconds). Used from the thread that started it.
class ChildProcess {
  public:
    ChildProcess();
    // Starts argv[0] (searched in PATH) with `environment` ("NAME=value" entries) as its
    // whole environment; stdin, stdout and stderr go to /dev/null.
    ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment);
    ~ChildProcess();
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const;
    // True until the process has ended.
    bool Running();
    // How it ended, once it has; nothing when it is still running after `timeout`.
    std::optional<ProcessEnd> WaitForExit(std::chrono::milliseconds timeout);
    // SIGTERM, then SIGKILL after `grace`; waits for the end either way.
    void Stop(std::chrono::milliseconds grace = std::chrono::seconds(5));

  private:
    friend class XSession;
    std::unique_ptr<QProcess> process_;
    std::optional<ProcessEnd> end_;
};

class XSession {
  public:
    struct Options {
        int width = 1280;
        int height = 800;
        int depth = 24;
        std::chrono::milliseconds startTimeout = std::chrono::seconds(20);
        // A private D-Bus session bus as well, through which screen readers reach programs
        // (the accessibility bus is started on it when a program first asks for it).
        bool sessionBus = false;
    };

    // Starts Xvfb on a free display and openbox on it; returns once openbox has taken the
    // screen. Throws XSessionError when a tool is missing or does not start.
    XSession();
    explicit XSession(Options options);
    // Stops openbox, then the X server.
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // ":<number>", for the DISPLAY variable.
    const std::string& Display() const { return display_; }
    pid_t ServerPid() const { return server_.Pid(); }
    pid_t WindowManagerPid() const { return windowManager_.Pid(); }
    pid_t SessionBusPid() const { return busAddress_.empty() ? 0 : sessionBus_.Pid(); }
    // "unix:path=…", for DBUS_SESSION_BUS_ADDRESS; empty without a session bus.
    const std::string& SessionBusAddress() const { return busAddress_; }

    // Runs a command on this display and waits for it; a command still running after
    // `timeout` is killed and reported as timed out. Safe to call from any thread.
    CommandResult Run(const std::vector<std::string>& argv,
                      std::chrono::milliseconds timeout = std::chrono::seconds(20)) const;

    // Starts a program on this display; `extraEnvironment` ("NAME=value") is added to the
    // current environment.
    ChildProcess Launch(const std::vector<std::string>& argv,
                        const std::vector<std::string>& extraEnvironment = {}) const;

    // The environment of a program on this display: the current one, with DISPLAY set (and
    // DBUS_SESSION_BUS_ADDRESS, with a session bus).
    std::vector<std::string> Environment(const std::vector<std::string>& extra = {}) const;

    // The tools a session needs that are not in PATH, and the line that installs them.
    static std::vector<std::string> MissingTools();
    static std::string InstallHint();

  private:
    void StartServer(const Options& options);
    void StartWindowManager(const Options& options);
    void StartSessionBus(const Options& options);
    void StopAll();

    std::string display_;
    // An empty configuration folder: openbox runs with its defaults.
    std::unique_ptr<QTemporaryDir> configHome_;
    ChildProcess server_;
    ChildProcess windowManager_;
    std::string busAddress_;
    ChildProcess sessionBus_;
};

// Runs a command with `environment` as its whole environment and captures its output.
CommandResult RunCommand(const std::vector<std::string>& argv,
                         const std::vector<std::string>& environment,
                         std::chrono::milliseconds timeout);

// A process that dies of a signal (a crash, Ctrl+C) must not leave the X server and the
// window manager of its session behind: these kill both by process id first.
void StopSessionOnFatalSignals(const XSession& session);
// The session has been stopped in order: nothing is left to kill.
void ForgetSessionOnFatalSignals();

}  // namespace xsession
