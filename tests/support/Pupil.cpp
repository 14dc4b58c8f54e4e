#include "support/Pupil.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>
#include <algorithm>
#include <sstream>
#include <string_view>
#include <thread>

namespace e2e {

namespace {

using xsession::ExactNamePattern;
using xsession::NumberAfter;
using xsession::ParseWindowIds;

using Clock = std::chrono::steady_clock;

constexpr auto kPollInterval = 50ms;

// The window id after `label` in xwininfo's tree report ("Parent window id: 0x2a (...)").
WindowId IdAfter(const std::string& report, const std::string& label) {
    const std::size_t at = report.find(label);
    if (at == std::string::npos) {
        throw PupilFailure("xwininfo did not report " + label + ":\n" + report);
    }
    return std::stoul(report.substr(at + label.size()), nullptr, 16);
}

std::string Seconds(std::chrono::milliseconds duration) {
    return std::to_string(duration.count() / 1000) + " s";
}

// Closes the program's open modal box, if any; returns its title.
std::string CloseOpenModalBox() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) {
        return {};
    }
    const std::string title = modal->windowTitle().toStdString();
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->reject();
    } else {
        modal->hide();
    }
    return title.empty() ? std::string("(untitled)") : title;
}

}  // namespace

Pupil::Pupil(const xsession::XSession& session, const std::atomic<bool>& givenUp)
    : session_(session), givenUp_(givenUp), start_(Clock::now()) {}

void Pupil::Note(const std::string& step) {
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_).count();
    steps_.push_back(std::to_string(elapsed) + " ms: " + step);
}

void Pupil::CheckNotGivenUp() const {
    if (givenUp_) {
        throw PupilFailure("the pupil ran out of time");
    }
}

void Pupil::Fail(const std::string& what) {
    // What the screen shows, so the failure says more than "not found".
    std::string screen = "visible windows:";
    const xsession::CommandResult all =
        session_.Run({"xdotool", "search", "--onlyvisible", "--name", "."}, 10s);
    for (WindowId id : ParseWindowIds(all.out)) {
        const std::string title =
            session_.Run({"xdotool", "getwindowname", std::to_string(id)}).Line();
        if (!title.empty()) {
            screen += " '" + title + "'";
        }
    }
    const std::string active = session_.Run({"xdotool", "getactivewindow"}).Line();
    const std::string activeTitle =
        active.empty() ? std::string("none")
                       : "'" + session_.Run({"xdotool", "getwindowname", active}).Line() + "'";
    throw PupilFailure(what + " (" + screen + "; active: " + activeTitle + ")");
}

xsession::CommandResult Pupil::Tool(const std::vector<std::string>& argv,
                                    std::chrono::milliseconds timeout) {
    CheckNotGivenUp();
    xsession::CommandResult result = session_.Run(argv, timeout);
    if (result.timedOut) {
        std::string command;
        for (const std::string& arg : argv) {
            command += arg + " ";
        }
        throw PupilFailure(command + "did not finish within " + Seconds(timeout));
    }
    return result;
}

std::vector<WindowId> Pupil::WindowsTitled(const std::string& title, long pid) {
    std::vector<std::string> argv{"xdotool", "search", "--onlyvisible"};
    if (pid != 0) {
        argv.insert(argv.end(), {"--all", "--pid", std::to_string(pid)});
    }
    argv.insert(argv.end(), {"--name", ExactNamePattern(title)});
    std::vector<WindowId> exact;
    // The pattern ignores case: only a title equal byte for byte counts.
    for (WindowId id : ParseWindowIds(Tool(argv).out)) {
        if (TitleOf(id) == title) {
            exact.push_back(id);
        }
    }
    return exact;
}

WindowId Pupil::WaitForWindow(const std::string& title, long pid,
                              std::chrono::milliseconds patience) {
    // Polled rather than `xdotool search --sync`, which looks only twice a second and
    // cannot be told to give up.
    const Clock::time_point deadline = Clock::now() + patience;
    while (true) {
        const std::vector<WindowId> found = WindowsTitled(title, pid);
        if (!found.empty()) {
            Note("saw window '" + title + "'");
            return found.front();
        }
        if (Clock::now() >= deadline) {
            Fail("no window titled '" + title + "' appeared within " + Seconds(patience));
        }
        Pause(kPollInterval);
    }
}

void Pupil::WaitUntilGone(WindowId window, const std::string& title,
                          std::chrono::milliseconds patience) {
    const Clock::time_point deadline = Clock::now() + patience;
    while (true) {
        const std::vector<WindowId> found = WindowsTitled(title);
        if (std::find(found.begin(), found.end(), window) == found.end()) {
            Note("window '" + title + "' has gone");
            return;
        }
        if (Clock::now() >= deadline) {
            Fail("the window titled '" + title + "' was still there after " + Seconds(patience));
        }
        Pause(kPollInterval);
    }
}

WindowId Pupil::ActiveWindow() {
    const std::vector<WindowId> ids = ParseWindowIds(Tool({"xdotool", "getactivewindow"}).out);
    return ids.empty() ? 0 : ids.front();
}

std::string Pupil::TitleOf(WindowId window) {
    return Tool({"xdotool", "getwindowname", std::to_string(window)}).Line();
}

void Pupil::WaitUntilActive(WindowId window, const std::string& what,
                            std::chrono::milliseconds patience) {
    const Clock::time_point deadline = Clock::now() + patience;
    while (ActiveWindow() != window) {
        if (Clock::now() >= deadline) {
            Fail(what + " did not become the active window within " + Seconds(patience));
        }
        Pause(kPollInterval);
    }
    Note(what + " is active");
}

bool Pupil::IsViewable(WindowId window) {
    const xsession::CommandResult report = Tool({"xwininfo", "-id", std::to_string(window)});
    return report.Succeeded() && report.out.find("Map State: IsViewable") != std::string::npos;
}

ScreenRect Pupil::ClientRect(WindowId window) {
    const std::string report = Tool({"xwininfo", "-id", std::to_string(window)}).out;
    return {NumberAfter(report, "Absolute upper-left X:"),
            NumberAfter(report, "Absolute upper-left Y:"), NumberAfter(report, "Width:"),
            NumberAfter(report, "Height:")};
}

ScreenRect Pupil::FrameRect(WindowId window) {
    // The window manager reparents a window into its frame: the frame is the ancestor
    // whose parent is the root window.
    WindowId frame = window;
    for (int depth = 0; depth < 10; ++depth) {
        const std::string tree = Tool({"xwininfo", "-tree", "-id", std::to_string(frame)}).out;
        const WindowId parent = IdAfter(tree, "Parent window id:");
        if (parent == IdAfter(tree, "Root window id:")) {
            return ClientRect(frame);
        }
        frame = parent;
    }
    Fail("no frame found round window " + std::to_string(window));
}

std::string Pupil::PropertyOf(WindowId window, const std::string& property) {
    return Tool({"xprop", "-id", std::to_string(window), property}).Line();
}

// Debian's own Python, which python3-dbus is installed for.
std::string Pupil::AccessibleTreeOf(const std::string& application, const std::string& title) {
    const xsession::CommandResult read =
        Tool({"/usr/bin/python3", TYPING_ACCESSIBILITY_READER, application, title});
    if (!read.Succeeded()) {
        Fail("the accessibility bus has no window '" + title + "': " + read.err);
    }
    return read.out;
}

unsigned Pupil::ColourAt(ScreenPoint point) {
    const std::string crop = "1x1+" + std::to_string(point.x) + "+" + std::to_string(point.y);
    // ImageMagick's text format: "0,0: (r,g,b)  #RRGGBB  srgb(...)".
    const std::string pixel =
        Tool({"import", "-silent", "-window", "root", "-crop", crop, "-depth", "8", "txt:-"}).out;
    const std::size_t hash = pixel.find('#', pixel.find("0,0:"));
    if (hash == std::string::npos || pixel.size() < hash + 7) {
        Fail("import did not report the colour at " + crop + ": " + pixel);
    }
    return static_cast<unsigned>(std::stoul(pixel.substr(hash + 1, 6), nullptr, 16));
}

std::string Pupil::ClipboardText() {
    return Tool({"xclip", "-o", "-selection", "clipboard"}).out;
}

void Pupil::ClickAt(ScreenPoint point) {
    Note("click at " + std::to_string(point.x) + "," + std::to_string(point.y));
    // One xdotool run: the server takes the move before the press, so no wait is needed
    // (and `mousemove --sync` would wait in vain when the pointer is already there).
    Tool({"xdotool", "mousemove", std::to_string(point.x), std::to_string(point.y), "click", "1"});
}

void Pupil::RightClickAt(ScreenPoint point) {
    Note("right-click at " + std::to_string(point.x) + "," + std::to_string(point.y));
    Tool({"xdotool", "mousemove", std::to_string(point.x), std::to_string(point.y), "click", "3"});
}

void Pupil::PressKey(const std::string& key) {
    Note("press " + key);
    Tool({"xdotool", "key", key});
}

void Pupil::HoldKey(const std::string& key, std::chrono::milliseconds duration) {
    Note("hold " + key + " down for " + std::to_string(duration.count()) + " ms");
    // One xdotool run: the X server repeats the key while it is down, as it does for a finger.
    Tool({"xdotool", "keydown", key, "sleep",
          std::to_string(std::chrono::duration<double>(duration).count()), "keyup", key},
         20s + duration);
}

void Pupil::Type(const std::string& text, std::chrono::milliseconds pause) {
    Note("type \"" + text + "\"");
    const auto typingTime = pause * static_cast<long>(text.size());
    // xdotool spends half its delay after pressing a key and half after releasing it.
    Tool({"xdotool", "type", "--delay", std::to_string(2 * pause.count()), text}, 20s + typingTime);
}

void Pupil::PressKeysAtFullSpeed(const std::vector<std::string>& keys, const std::string& text) {
    std::vector<std::string> argv{"xdotool"};
    if (!keys.empty()) {
        // `key` takes key names up to the next xdotool command, here `type`.
        argv.insert(argv.end(), {"key", "--delay", "0"});
        argv.insert(argv.end(), keys.begin(), keys.end());
    }
    if (!text.empty()) {
        // "--": a text that starts with "-" is still text, not an option.
        argv.insert(argv.end(), {"type", "--delay", "0", "--", text});
    }
    if (argv.size() == 1) {
        return;
    }
    if (const xsession::CommandResult sent = Tool(argv); !sent.Succeeded()) {
        Fail("xdotool could not send the keys: " + sent.err);
    }
}

void Pupil::Activate(WindowId window) {
    Note("activate window " + std::to_string(window));
    Tool({"xdotool", "windowactivate", "--sync", std::to_string(window)});
}

void Pupil::Pause(std::chrono::milliseconds duration) {
    const Clock::time_point end = Clock::now() + duration;
    while (Clock::now() < end) {
        CheckNotGivenUp();
        std::this_thread::sleep_for(std::min<Clock::duration>(end - Clock::now(), 20ms));
    }
}

void Pupil::CloseBoxWithEnter(const std::string& title, long pid) {
    const WindowId box = WaitForWindow(title, pid);
    WaitUntilActive(box, "the box '" + title + "'");
    PressKey("Return");
    WaitUntilGone(box, title);
}

std::string PupilOutcome::Report() const {
    std::string report = finished ? "the pupil finished" : "the pupil failed: " + failure;
    report += "\nsteps:";
    for (const std::string& step : steps) {
        report += "\n  " + step;
    }
    for (const std::string& title : boxesClosed) {
        report += "\nbox left open, closed by the test: '" + title + "'";
    }
    return report;
}

PupilOutcome RunPupil(const xsession::XSession& session, const std::function<void(Pupil&)>& script,
                      std::chrono::milliseconds patience) {
    std::atomic<bool> done{false};
    std::atomic<bool> givenUp{false};
    Pupil pupil(session, givenUp);
    bool finished = false;
    std::string failure;
    std::thread pupilThread([&] {
        try {
            script(pupil);
            finished = true;
        } catch (const std::exception& error) {
            failure = error.what();
        }
        done = true;
    });

    PupilOutcome outcome;
    const Clock::time_point deadline = Clock::now() + patience;
    while (!done) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        if (Clock::now() >= deadline) {
            givenUp = true;
        }
        std::this_thread::sleep_for(5ms);
    }
    pupilThread.join();
    // A box the pupil left open is closed, and the one its answer opens after it.
    while (true) {
        const std::string title = CloseOpenModalBox();
        if (title.empty()) {
            break;
        }
        outcome.boxesClosed.push_back(title);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }

    outcome.finished = finished;
    outcome.failure = failure;
    outcome.steps = pupil.Steps();
    return outcome;
}

void ProcessEventsFor(std::chrono::milliseconds duration) {
    const Clock::time_point end = Clock::now() + duration;
    while (Clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(5ms);
    }
}

}  // namespace e2e
