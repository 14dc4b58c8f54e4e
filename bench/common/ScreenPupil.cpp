#include "common/ScreenPupil.h"

#include <sstream>
#include <string_view>
#include <thread>

namespace bench {

namespace {

using xsession::ExactNamePattern;
using xsession::NumberAfter;
using xsession::ParseWindowIds;

using Clock = std::chrono::steady_clock;

// Looking again sooner would only take processor time from the program under measure.
constexpr auto kPollInterval = 20ms;

// The menu window's client area, below its menu bar, is 199 pixels high; lesson 1's button
// spans client pixels (8, 8) to (97, 41).
constexpr int kMenuClientHeight = 199;
constexpr int kLessonOneCentreX = 52;
constexpr int kLessonOneCentreY = 24;

}  // namespace

ScreenPupil::ScreenPupil(const xsession::XSession& session) : session_(session) {}

xsession::CommandResult ScreenPupil::Tool(const std::vector<std::string>& argv,
                                          std::chrono::milliseconds timeout) {
    xsession::CommandResult result = session_.Run(argv, timeout);
    if (result.timedOut) {
        throw BenchFailure(argv.at(0) + " " + argv.at(1) + " did not finish in time");
    }
    return result;
}

std::vector<WindowId> ScreenPupil::VisibleWindowsTitled(const std::string& title) {
    // xdotool exits with 1 when nothing matches: that is an empty answer, not a failure.
    return ParseWindowIds(
        Tool({"xdotool", "search", "--onlyvisible", "--name", ExactNamePattern(title)}).out);
}

WindowId ScreenPupil::WaitForWindow(const std::string& title, std::chrono::milliseconds patience) {
    const Clock::time_point deadline = Clock::now() + patience;
    while (true) {
        const std::vector<WindowId> windows = VisibleWindowsTitled(title);
        if (!windows.empty()) {
            return windows.front();
        }
        if (Clock::now() >= deadline) {
            throw BenchFailure("no window titled '" + title + "' appeared");
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

void ScreenPupil::WaitUntilGone(const std::string& title, std::chrono::milliseconds patience) {
    const Clock::time_point deadline = Clock::now() + patience;
    while (!VisibleWindowsTitled(title).empty()) {
        if (Clock::now() >= deadline) {
            throw BenchFailure("the window titled '" + title + "' stayed on the screen");
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

void ScreenPupil::WaitUntilActive(WindowId window, const std::string& title,
                                  std::chrono::milliseconds patience) {
    const Clock::time_point deadline = Clock::now() + patience;
    while (true) {
        const std::vector<WindowId> active =
            ParseWindowIds(Tool({"xdotool", "getactivewindow"}).out);
        if (!active.empty() && active.front() == window) {
            return;
        }
        if (Clock::now() >= deadline) {
            throw BenchFailure("the window titled '" + title + "' did not take the keyboard");
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

ScreenRect ScreenPupil::WindowRect(WindowId window) {
    const std::string report = Tool({"xwininfo", "-id", std::to_string(window)}).out;
    return {NumberAfter(report, "Absolute upper-left X:"),
            NumberAfter(report, "Absolute upper-left Y:"), NumberAfter(report, "Width:"),
            NumberAfter(report, "Height:")};
}

// One xdotool command moves and clicks, in order: `mousemove --sync` would wait forever when
// the pointer is already there, as it is at lesson 1's button from the run before.
void ScreenPupil::ClickAt(int x, int y) {
    Tool({"xdotool", "mousemove", std::to_string(x), std::to_string(y), "click", "1"});
}

void ScreenPupil::PressKey(const std::string& key) {
    Tool({"xdotool", "key", key});
}

void ScreenPupil::Type(const std::string& text, std::chrono::milliseconds pause) {
    const auto typingTime = pause * static_cast<long>(text.size());
    Tool({"xdotool", "type", "--delay", std::to_string(pause.count()), text}, typingTime + 20s);
}

void ScreenPupil::CloseBoxWithEnter(const std::string& title) {
    const WindowId box = WaitForWindow(title);
    WaitUntilActive(box, title);
    PressKey("Return");
    WaitUntilGone(title);
}

void StartLessonOne(ScreenPupil& pupil) {
    const WindowId menu = pupil.WaitForWindow(kMenuTitle);
    pupil.WaitUntilActive(menu, kMenuTitle);
    // The menu bar is what the window holds above its client area.
    const ScreenRect window = pupil.WindowRect(menu);
    const int menuBarHeight = window.height - kMenuClientHeight;
    pupil.ClickAt(window.left + kLessonOneCentreX, window.top + menuBarHeight + kLessonOneCentreY);
    pupil.CloseBoxWithEnter(kStartBoxTitle);
    const WindowId board = pupil.WaitForWindow(kBoardTitle);
    pupil.WaitUntilActive(board, kBoardTitle);
}

// Alt alone takes the menu window's keyboard to the menu bar's first title; Right goes
// `titlesOn` titles on, and `keys` are pressed there. Waits until the menu window has the
// keyboard again.
void ChooseFromTheMenuBar(ScreenPupil& pupil, int titlesOn, const std::vector<std::string>& keys) {
    const WindowId menu = pupil.WaitForWindow(kMenuTitle);
    pupil.WaitUntilActive(menu, kMenuTitle);
    std::vector<std::string> presses{"alt"};
    presses.insert(presses.end(), static_cast<std::size_t>(titlesOn), "Right");
    presses.insert(presses.end(), keys.begin(), keys.end());
    for (const std::string& key : presses) {
        pupil.PressKey(key);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    pupil.WaitUntilActive(menu, kMenuTitle);
}

void TurnOnKeyboardGuide(ScreenPupil& pupil) {
    ChooseFromTheMenuBar(pupil, 3, {"Down", "Return"});
}

void OpenRecord(ScreenPupil& pupil) {
    ChooseFromTheMenuBar(pupil, 4, {"Return"});
    pupil.WaitForWindow(kRecordTitle);
}

void TypeLessonOne(ScreenPupil& pupil, std::chrono::milliseconds pause) {
    StartLessonOne(pupil);
    pupil.Type(kLessonOneKeys, pause);
    pupil.CloseBoxWithEnter(kFinishedBoxTitle);
    pupil.CloseBoxWithEnter(kTimeBoxTitle);
    const WindowId menu = pupil.WaitForWindow(kMenuTitle);
    pupil.WaitUntilActive(menu, kMenuTitle);
}

}  // namespace bench
