#include "support/XSession.h"

#include <signal.h>

#include <QByteArray>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <array>
#include <csignal>
#include <sstream>
#include <string_view>
#include <thread>
#include <utility>

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

int Milliseconds(std::chrono::milliseconds duration) {
    return static_cast<int>(std::min<long long>(duration.count(), 1 << 30));
}

QProcessEnvironment ToProcessEnvironment(const std::vector<std::string>& entries) {
    QProcessEnvironment environment;
    for (const std::string& entry : entries) {
        const std::size_t equals = entry.find('=');
        environment.insert(QString::fromStdString(entry.substr(0, equals)),
                           equals == std::string::npos
                               ? QString()
                               : QString::fromStdString(entry.substr(equals + 1)));
    }
    return environment;
}

std::vector<std::string> FromProcessEnvironment(const QProcessEnvironment& environment) {
    std::vector<std::string> entries;
    for (const QString& entry : environment.toStringList()) {
        entries.push_back(entry.toStdString());
    }
    return entries;
}

// A process set up to start `argv` with `environment` as its whole environment.
std::unique_ptr<QProcess> Prepared(const std::vector<std::string>& argv,
                                   const std::vector<std::string>& environment) {
    auto process = std::make_unique<QProcess>();
    process->setProgram(QString::fromStdString(argv.at(0)));
    QStringList arguments;
    for (std::size_t i = 1; i < argv.size(); ++i) {
        arguments << QString::fromStdString(argv[i]);
    }
    process->setArguments(arguments);
    process->setProcessEnvironment(ToProcessEnvironment(environment));
    process->setStandardInputFile(QProcess::nullDevice());
    return process;
}

std::optional<ProcessEnd> EndOf(const QProcess& process) {
    if (process.state() != QProcess::NotRunning) {
        return std::nullopt;
    }
    if (process.exitStatus() == QProcess::CrashExit) {
        return ProcessEnd{false, 0};
    }
    return ProcessEnd{true, process.exitCode()};
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
    return exited ? "exited with status " + std::to_string(code) : "was killed by a signal";
}

CommandResult RunCommand(const std::vector<std::string>& argv,
                         const std::vector<std::string>& environment,
                         std::chrono::milliseconds timeout) {
    CommandResult result;
    std::unique_ptr<QProcess> process = Prepared(argv, environment);
    process->start();
    if (!process->waitForStarted(Milliseconds(timeout))) {
        result.exitCode = 127;
        result.err = "cannot start " + argv.at(0) + ": " + process->errorString().toStdString();
        return result;
    }
    if (!process->waitForFinished(Milliseconds(timeout))) {
        process->kill();
        process->waitForFinished(-1);
        result.timedOut = true;
        return result;
    }
    result.out = process->readAllStandardOutput().toStdString();
    result.err = process->readAllStandardError().toStdString();
    result.exitCode = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    return result;
}

// ---- ChildProcess ----

ChildProcess::ChildProcess() = default;

ChildProcess::ChildProcess(const std::vector<std::string>& argv,
                           const std::vector<std::string>& environment)
    : process_(Prepared(argv, environment)) {
    process_->setStandardOutputFile(QProcess::nullDevice());
    process_->setStandardErrorFile(QProcess::nullDevice());
    process_->start();
    if (!process_->waitForStarted()) {
        throw XSessionError("cannot start " + argv.at(0) + ": " +
                            process_->errorString().toStdString());
    }
}

ChildProcess::~ChildProcess() {
    Stop();
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : process_(std::move(other.process_)), end_(std::exchange(other.end_, std::nullopt)) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        Stop();
        process_ = std::move(other.process_);
        end_ = std::exchange(other.end_, std::nullopt);
    }
    return *this;
}

pid_t ChildProcess::Pid() const {
    return process_ ? static_cast<pid_t>(process_->processId()) : -1;
}

bool ChildProcess::Running() {
    return process_ && !WaitForExit(0ms).has_value();
}

std::optional<ProcessEnd> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
    if (process_ && !end_) {
        process_->waitForFinished(Milliseconds(timeout));
        end_ = EndOf(*process_);
    }
    return end_;
}

void ChildProcess::Stop(std::chrono::milliseconds grace) {
    if (!Running()) {
        return;
    }
    process_->terminate();
    if (!WaitForExit(grace)) {
        process_->kill();
        process_->waitForFinished(-1);
        end_ = EndOf(*process_);
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
        if (options.sessionBus) {
            StartSessionBus(options);
        }
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
    // The accessibility bus's launcher ends with the session bus it was started on.
    sessionBus_.Stop();
    configHome_.reset();
}

void XSession::StartServer(const Options& options) {
    // Xvfb writes the number of the display it found free to its standard output once it
    // is ready to take clients.
    const std::string screen = std::to_string(options.width) + "x" +
                               std::to_string(options.height) + "x" + std::to_string(options.depth);
    server_.process_ =
        Prepared({"Xvfb", "-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp"},
                 FromProcessEnvironment(QProcessEnvironment::systemEnvironment()));
    QProcess& server = *server_.process_;
    server.setStandardErrorFile(QProcess::nullDevice());
    server.start();
    if (!server.waitForStarted()) {
        throw XSessionError("cannot start Xvfb: " + server.errorString().toStdString());
    }
    const Clock::time_point deadline = Clock::now() + options.startTimeout;
    QByteArray printed;
    while (!printed.contains('\n') && Clock::now() < deadline &&
           server.state() == QProcess::Running) {
        server.waitForReadyRead(100);
        printed += server.readAllStandardOutput();
    }
    const std::string number = printed.left(printed.indexOf('\n')).trimmed().toStdString();
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) {
        throw XSessionError("Xvfb did not report a free display in time");
    }
    display_ = ":" + number;
}

void XSession::StartWindowManager(const Options& options) {
    // An empty configuration folder, so openbox uses its own defaults (Alt+F4 closes a
    // window, new windows take the focus) whatever the user has configured.
    configHome_ = std::make_unique<QTemporaryDir>();
    if (!configHome_->isValid()) {
        throw XSessionError("cannot create a configuration folder: " +
                            configHome_->errorString().toStdString());
    }
    windowManager_ =
        ChildProcess({"openbox", "--sm-disable"},
                     Environment({"XDG_CONFIG_HOME=" + configHome_->path().toStdString()}));

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

// The bus listens on a socket in the session's own folder; it is ready once the socket is.
void XSession::StartSessionBus(const Options& options) {
    const std::string socket = configHome_->filePath(QStringLiteral("bus")).toStdString();
    sessionBus_ = ChildProcess(
        {"dbus-daemon", "--session", "--nofork", "--nopidfile", "--address=unix:path=" + socket},
        Environment());
    const Clock::time_point deadline = Clock::now() + options.startTimeout;
    while (!QFileInfo::exists(QString::fromStdString(socket))) {
        if (!sessionBus_.Running() || Clock::now() >= deadline) {
            throw XSessionError("the session bus (dbus-daemon) did not start");
        }
        std::this_thread::sleep_for(20ms);
    }
    busAddress_ = "unix:path=" + socket;
    // The accessibility bus is started now, before any program: a program looks for it as it
    // starts, and only then.
    const CommandResult started =
        Run({"dbus-send", "--session", "--dest=org.a11y.Bus", "--print-reply", "/org/a11y/bus",
             "org.a11y.Bus.GetAddress"});
    if (!started.Succeeded()) {
        throw XSessionError("the accessibility bus did not start: " + started.err);
    }
}

std::vector<std::string> XSession::Environment(const std::vector<std::string>& extra) const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QString::fromStdString(display_));
    if (!busAddress_.empty()) {
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                           QString::fromStdString(busAddress_));
    }
    const QProcessEnvironment overrides = ToProcessEnvironment(extra);
    for (const QString& name : overrides.keys()) {
        environment.insert(name, overrides.value(name));
    }
    return FromProcessEnvironment(environment);
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
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool.command)).isEmpty()) {
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
volatile pid_t fatalSignalBusPid = 0;

extern "C" void StopSessionAndDie(int signalNumber) {
    if (fatalSignalWindowManagerPid > 0) {
        kill(fatalSignalWindowManagerPid, SIGKILL);
    }
    if (fatalSignalServerPid > 0) {
        kill(fatalSignalServerPid, SIGKILL);
    }
    if (fatalSignalBusPid > 0) {
        kill(fatalSignalBusPid, SIGKILL);
    }
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

}  // namespace

void StopSessionOnFatalSignals(const XSession& session) {
    fatalSignalServerPid = session.ServerPid();
    fatalSignalWindowManagerPid = session.WindowManagerPid();
    fatalSignalBusPid = session.SessionBusPid();
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGSEGV, SIGABRT, SIGBUS, SIGFPE}) {
        std::signal(signalNumber, StopSessionAndDie);
    }
}

void ForgetSessionOnFatalSignals() {
    fatalSignalServerPid = 0;
    fatalSignalWindowManagerPid = 0;
    fatalSignalBusPid = 0;
}

}  // namespace xsession
