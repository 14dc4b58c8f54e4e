#include "e2e/XSession.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string_view>
#include <thread>
#include <utility>

extern char** environ;

namespace xsession {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// The tools a session runs, with the Debian package of each.
struct Tool {
    const char* command;
    const char* package;
};
constexpr std::array<Tool, 6> kTools{{
    {"Xvfb", "xvfb"},
    {"openbox", "openbox"},
    {"xdotool", "xdotool"},
    {"xwininfo", "x11-utils"},
    {"xprop", "x11-utils"},
    {"xkbcomp", "x11-xkb-utils"},
}};

// A descriptor of the parent that becomes a given descriptor of the child.
struct Redirect {
    int parentFd;
    int childFd;
};

std::string ErrorText(int error) {
    return std::strerror(error);
}

std::vector<char*> CStrings(const std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    pointers.reserve(strings.size() + 1);
    for (const std::string& s : strings) {
        pointers.push_back(const_cast<char*>(s.c_str()));
    }
    pointers.push_back(nullptr);
    return pointers;
}

std::string NameOf(const std::string& entry) {
    return entry.substr(0, entry.find('='));
}

std::vector<std::string> CurrentEnvironment() {
    std::vector<std::string> entries;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        entries.emplace_back(*entry);
    }
    return entries;
}

// `base` with every entry of `overrides` replacing the entry of the same name.
std::vector<std::string> MergedEnvironment(const std::vector<std::string>& base,
                                           const std::vector<std::string>& overrides) {
    std::vector<std::string> merged;
    for (const std::string& entry : base) {
        bool overridden = false;
        for (const std::string& replacement : overrides) {
            overridden = overridden || NameOf(replacement) == NameOf(entry);
        }
        if (!overridden) {
            merged.push_back(entry);
        }
    }
    merged.insert(merged.end(), overrides.begin(), overrides.end());
    return merged;
}

// posix_spawn, not fork: the tests run it from a second thread while Qt's threads run, and
// between fork and exec a multi-threaded process may only do very little.
pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
            const std::vector<Redirect>& redirects) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    bool stdoutSet = false;
    bool stderrSet = false;
    for (const Redirect& redirect : redirects) {
        posix_spawn_file_actions_adddup2(&actions, redirect.parentFd, redirect.childFd);
        stdoutSet = stdoutSet || redirect.childFd == STDOUT_FILENO;
        stderrSet = stderrSet || redirect.childFd == STDERR_FILENO;
    }
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (!stdoutSet) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    }
    if (!stderrSet) {
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }

    // The child starts with no blocked signals and the default handlers, whatever the
    // test program has set up for itself.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int signalNumber : {SIGPIPE, SIGINT, SIGTERM, SIGHUP, SIGCHLD}) {
        sigaddset(&defaults, signalNumber);
    }
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::vector<char*> args = CStrings(argv);
    std::vector<char*> env = CStrings(environment);
    pid_t pid = -1;
    const int error =
        posix_spawnp(&pid, argv.at(0).c_str(), &actions, &attributes, args.data(), env.data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        throw XSessionError("cannot start " + argv.at(0) + ": " + ErrorText(error));
    }
    return pid;
}

ProcessEnd EndFromStatus(int status) {
    if (WIFEXITED(status)) {
        return {true, WEXITSTATUS(status)};
    }
    return {false, WIFSIGNALED(status) ? WTERMSIG(status) : 0};
}

// The end of `pid` once it has ended; nothing when it is still running at `deadline`.
std::optional<ProcessEnd> WaitUntil(pid_t pid, Clock::time_point deadline) {
    while (true) {
        int status = 0;
        const pid_t reaped = waitpid(pid, &status, WNOHANG);
        if (reaped == pid) {
            return EndFromStatus(status);
        }
        if (reaped < 0 && errno != EINTR) {
            return ProcessEnd{false, 0};  // not our child any more: nothing left to wait for
        }
        if (Clock::now() >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(10ms);
    }
}

void MakePipe(int fds[2]) {
    if (pipe2(fds, O_CLOEXEC) != 0) {
        throw XSessionError("cannot create a pipe: " + ErrorText(errno));
    }
}

int MillisecondsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return static_cast<int>(std::max<long long>(left.count(), 0));
}

// Reads both pipes to their ends, or until `deadline`. True when both ended.
bool ReadBoth(int outFd, int errFd, std::string& out, std::string& err,
              Clock::time_point deadline) {
    std::array<pollfd, 2> fds{{{outFd, POLLIN, 0}, {errFd, POLLIN, 0}}};
    std::array<std::string*, 2> sinks{&out, &err};
    int open = 2;
    while (open > 0) {
        const int left = MillisecondsLeft(deadline);
        if (left == 0) {
            return false;
        }
        const int ready = poll(fds.data(), fds.size(), left);
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready < 0) {
            return false;
        }
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) {
                continue;
            }
            std::array<char, 4096> buffer{};
            const ssize_t got = read(fds[i].fd, buffer.data(), buffer.size());
            if (got > 0) {
                sinks[i]->append(buffer.data(), static_cast<std::size_t>(got));
            } else if (got == 0 || errno != EINTR) {
                fds[i].fd = -1;
                --open;
            }
        }
    }
    return true;
}

// The first line written to `fd`, without its line break; what came before `deadline` or
// the end of the pipe when no whole line did.
std::string ReadLine(int fd, Clock::time_point deadline) {
    std::string line;
    pollfd wait{fd, POLLIN, 0};
    while (line.find('\n') == std::string::npos) {
        const int left = MillisecondsLeft(deadline);
        const int ready = left > 0 ? poll(&wait, 1, left) : 0;
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        char c = 0;
        if (ready <= 0 || read(fd, &c, 1) != 1) {
            break;
        }
        line += c;
    }
    return line.substr(0, line.find('\n'));
}

bool InPath(const std::string& command) {
    const char* path = std::getenv("PATH");
    std::string rest = path != nullptr ? path : "/usr/bin:/bin";
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string folder = rest.substr(0, colon);
        rest = colon == std::string::npos ? std::string() : rest.substr(colon + 1);
        if (!folder.empty() && access((folder + "/" + command).c_str(), X_OK) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

// ---- CommandResult, ProcessEnd ----

std::string CommandResult::Line() const {
    std::string line = out;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.pop_back();
    }
    return line;
}

std::string ProcessEnd::Describe() const {
    return exited ? "exited with status " + std::to_string(code)
                  : "was killed by signal " + std::to_string(code);
}

CommandResult RunCommand(const std::vector<std::string>& argv,
                         const std::vector<std::string>& environment,
                         std::chrono::milliseconds timeout) {
    CommandResult result;
    int outPipe[2];
    int errPipe[2];
    MakePipe(outPipe);
    MakePipe(errPipe);
    pid_t pid = -1;
    try {
        pid = Spawn(argv, environment, {{outPipe[1], STDOUT_FILENO}, {errPipe[1], STDERR_FILENO}});
    } catch (const XSessionError& error) {
        for (int fd : {outPipe[0], outPipe[1], errPipe[0], errPipe[1]}) {
            close(fd);
        }
        result.exitCode = 127;
        result.err = error.what();
        return result;
    }
    close(outPipe[1]);
    close(errPipe[1]);

    const Clock::time_point deadline = Clock::now() + timeout;
    const bool readToEnd = ReadBoth(outPipe[0], errPipe[0], result.out, result.err, deadline);
    close(outPipe[0]);
    close(errPipe[0]);
    std::optional<ProcessEnd> end = readToEnd ? WaitUntil(pid, deadline) : std::nullopt;
    if (!end) {
        kill(pid, SIGKILL);
        WaitUntil(pid, Clock::time_point::max());
        result.timedOut = true;
        return result;
    }
    result.exitCode = end->exited ? end->code : -1;
    return result;
}

// ---- ChildProcess ----

ChildProcess::ChildProcess(const std::vector<std::string>& argv,
                           const std::vector<std::string>& environment)
    : pid_(Spawn(argv, environment, {})) {}

ChildProcess::~ChildProcess() {
    Stop();
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)), end_(std::exchange(other.end_, std::nullopt)) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        Stop();
        pid_ = std::exchange(other.pid_, -1);
        end_ = std::exchange(other.end_, std::nullopt);
    }
    return *this;
}

bool ChildProcess::Running() {
    if (pid_ <= 0 || end_) {
        return false;
    }
    end_ = WaitUntil(pid_, Clock::now());
    return !end_.has_value();
}

std::optional<ProcessEnd> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
    if (pid_ > 0 && !end_) {
        end_ = WaitUntil(pid_, Clock::now() + timeout);
    }
    return end_;
}

void ChildProcess::Stop(std::chrono::milliseconds grace) {
    if (pid_ <= 0 || end_ || !Running()) {
        return;
    }
    kill(pid_, SIGTERM);
    if (!WaitForExit(grace)) {
        kill(pid_, SIGKILL);
        end_ = WaitUntil(pid_, Clock::time_point::max());
    }
}

// ---- XSession ----

XSession::XSession() : XSession(Options{}) {}

XSession::XSession(Options options) {
    const std::vector<std::string> missing = MissingTools();
    if (!missing.empty()) {
        std::string names;
        for (const std::string& name : missing) {
            names += (names.empty() ? "" : ", ") + name;
        }
        throw XSessionError("missing tools: " + names + ". " + InstallHint());
    }
    try {
        StartServer(options);
        StartWindowManager(options);
    } catch (...) {
        StopAll();
        throw;
    }
}

XSession::~XSession() {
    StopAll();
}

void XSession::StopAll() {
    // The window manager first: it is a client of the server.
    windowManager_.Stop();
    server_.Stop();
    if (!configHome_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(configHome_, ignored);
        configHome_.clear();
    }
}

void XSession::StartServer(const Options& options) {
    // Xvfb writes the number of the display it found free to this pipe once it is ready.
    int fds[2];
    MakePipe(fds);
    const int childFd = fds[1] == 9 ? 10 : 9;
    const std::string screen = std::to_string(options.width) + "x" +
                               std::to_string(options.height) + "x" + std::to_string(options.depth);
    try {
        server_.pid_ = Spawn({"Xvfb", "-displayfd", std::to_string(childFd), "-screen", "0", screen,
                              "-nolisten", "tcp"},
                             CurrentEnvironment(), {{fds[1], childFd}});
    } catch (...) {
        close(fds[0]);
        close(fds[1]);
        throw;
    }
    close(fds[1]);

    const std::string number = ReadLine(fds[0], Clock::now() + options.startTimeout);
    close(fds[0]);
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) {
        throw XSessionError("Xvfb did not report a free display in time");
    }
    display_ = ":" + number;
}

void XSession::StartWindowManager(const Options& options) {
    // An empty configuration folder, so openbox uses its own defaults (Alt+F4 closes a
    // window, new windows take the focus) whatever the user has configured.
    std::string folder =
        (std::filesystem::temp_directory_path() / "xsession-config-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) {
        throw XSessionError("cannot create a configuration folder: " + ErrorText(errno));
    }
    configHome_ = folder;
    windowManager_ =
        ChildProcess({"openbox", "--sm-disable"}, Environment({"XDG_CONFIG_HOME=" + configHome_}));

    // Openbox has taken the screen once it names itself on the root window and has loaded
    // its theme, which it does after reading its configuration.
    const Clock::time_point deadline = Clock::now() + options.startTimeout;
    while (true) {
        const CommandResult check =
            Run({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK", "_OB_THEME"});
        if (check.out.find("window id") != std::string::npos &&
            check.out.find("_OB_THEME(UTF8_STRING)") != std::string::npos) {
            return;
        }
        if (!windowManager_.Running()) {
            throw XSessionError("openbox ended at start-up on display " + display_);
        }
        if (Clock::now() >= deadline) {
            throw XSessionError("openbox did not take the screen of display " + display_ +
                                " in time");
        }
        std::this_thread::sleep_for(50ms);
    }
}

std::vector<std::string> XSession::Environment(const std::vector<std::string>& extra) const {
    std::vector<std::string> overrides{"DISPLAY=" + display_};
    overrides.insert(overrides.end(), extra.begin(), extra.end());
    return MergedEnvironment(CurrentEnvironment(), overrides);
}

CommandResult XSession::Run(const std::vector<std::string>& argv,
                            std::chrono::milliseconds timeout) const {
    return RunCommand(argv, Environment(), timeout);
}

ChildProcess XSession::Launch(const std::vector<std::string>& argv,
                              const std::vector<std::string>& extraEnvironment) const {
    return ChildProcess(argv, Environment(extraEnvironment));
}

std::vector<std::string> XSession::MissingTools() {
    std::vector<std::string> missing;
    for (const Tool& tool : kTools) {
        if (!InPath(tool.command)) {
            missing.emplace_back(tool.command);
        }
    }
    return missing;
}

std::string XSession::InstallHint() {
    std::string packages;
    for (const Tool& tool : kTools) {
        if (packages.find(tool.package) == std::string::npos) {
            packages += std::string(" ") + tool.package;
        }
    }
    return "Install them with: sudo apt-get install" + packages +
           " (they are listed in tools/deps.txt; tools/install-deps installs them)";
}

std::string ExactNamePattern(const std::string& title) {
    std::string pattern = "^";
    for (char c : title) {
        if (std::string_view(".[](){}*+?^$|\\").find(c) != std::string_view::npos) {
            pattern += '\\';
        }
        pattern += c;
    }
    return pattern + "$";
}

std::vector<WindowId> ParseWindowIds(const std::string& text) {
    std::vector<WindowId> ids;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.find_first_not_of("0123456789") == std::string::npos) {
            ids.push_back(std::stoul(line));
        }
    }
    return ids;
}

int NumberAfter(const std::string& report, const std::string& label) {
    const std::size_t at = report.find(label);
    if (at == std::string::npos) {
        throw XSessionError("xwininfo did not report " + label + ":\n" + report);
    }
    return std::stoi(report.substr(at + label.size()));
}

namespace {

volatile pid_t fatalSignalServerPid = 0;
volatile pid_t fatalSignalWindowManagerPid = 0;

extern "C" void StopSessionAndDie(int signalNumber) {
    if (fatalSignalWindowManagerPid > 0) {
        kill(fatalSignalWindowManagerPid, SIGKILL);
    }
    if (fatalSignalServerPid > 0) {
        kill(fatalSignalServerPid, SIGKILL);
    }
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

}  // namespace

void StopSessionOnFatalSignals(const XSession& session) {
    fatalSignalServerPid = session.ServerPid();
    fatalSignalWindowManagerPid = session.WindowManagerPid();
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGSEGV, SIGABRT, SIGBUS, SIGFPE}) {
        std::signal(signalNumber, StopSessionAndDie);
    }
}

void ForgetSessionOnFatalSignals() {
    fatalSignalServerPid = 0;
    fatalSignalWindowManagerPid = 0;
}

}  // namespace xsession
