#pragma once
// The pupil at the screen: acts and looks only through the X server, with xdotool and
// xwininfo, from a thread of its own. The program's windows run on the main thread, which
// keeps processing events (also inside the modal boxes' own loops) until the pupil is done.
//
// The pupil never touches a Qt object. Where it needs to know something only the program
// knows (where an item of a menu that has just dropped down is), it asks the main thread,
// which answers between two events.
#include <QCoreApplication>
#include <QMetaObject>
#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/XSession.h"

namespace e2e {

using namespace std::chrono_literals;

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// A rectangle on the screen, in pixels.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int Bottom() const { return top + height - 1; }  // the last row inside
};

// A step that found the screen other than the pupil expected.
class PupilFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

using WindowId = xsession::WindowId;

class Pupil {
  public:
    // How long the pupil waits for a window, a box or the focus to turn up.
    static constexpr std::chrono::milliseconds kPatience = 10s;

    Pupil(const xsession::XSession& session, const std::atomic<bool>& givenUp);

    // Looking.
    // The visible windows whose title is exactly `title`; of process `pid` only, if given.
    std::vector<WindowId> WindowsTitled(const std::string& title, long pid = 0);
    WindowId WaitForWindow(const std::string& title, long pid = 0,
                           std::chrono::milliseconds patience = kPatience);
    void WaitUntilGone(WindowId window, const std::string& title,
                       std::chrono::milliseconds patience = kPatience);
    WindowId ActiveWindow();
    std::string TitleOf(WindowId window);
    // Waits until `window` has the keyboard: `what` names it in the failure message.
    void WaitUntilActive(WindowId window, const std::string& what,
                         std::chrono::milliseconds patience = kPatience);
    // Whether a window is mapped and all its ancestors are: it shows on the screen.
    bool IsViewable(WindowId window);
    // The client area of a window, as xwininfo reports it.
    ScreenRect ClientRect(WindowId window);
    // The frame the window manager put round a window.
    ScreenRect FrameRect(WindowId window);
    // A property of a window as xprop prints it ("_NET_WM_ALLOWED_ACTIONS(ATOM) = ...").
    std::string PropertyOf(WindowId window, const std::string& property);
    // What a screen reader finds of the window `title` of `application` through the
    // accessibility bus (the session needs its session bus): one node a line, its depth,
    // role, name and description between tabs (support/read-accessible.py).
    std::string AccessibleTreeOf(const std::string& application, const std::string& title);
    // The colour of one pixel of the screen, as 0xRRGGBB.
    unsigned ColourAt(ScreenPoint point);
    // The text of the clipboard (the X CLIPBOARD selection); empty when nothing holds it.
    std::string ClipboardText();

    // Acting.
    void ClickAt(ScreenPoint point);
    // A click of the right mouse button.
    void RightClickAt(ScreenPoint point);
    // One key or chord in xdotool's names: "Return", "Escape", "alt+F4".
    void PressKey(const std::string& key);
    // Holds one key down for `duration`, long enough for the X server to repeat it.
    void HoldKey(const std::string& key, std::chrono::milliseconds duration);
    // Types `text` key by key, `pause` between two keys.
    void Type(const std::string& text, std::chrono::milliseconds pause);
    // Presses `keys` (xdotool key names, one key each, no chords) and then types `text`,
    // all without any pause, in one run of xdotool. Not noted step by step: a storm of
    // keys would bury the steps that explain a failure.
    void PressKeysAtFullSpeed(const std::vector<std::string>& keys, const std::string& text);
    void Activate(WindowId window);
    void Pause(std::chrono::milliseconds duration);

    // Waits for the box titled `title` (of process `pid` only, if given), waits until it
    // has the keyboard, presses Enter and waits until it has gone.
    void CloseBoxWithEnter(const std::string& title, long pid = 0);

    // Runs `task` on the main thread, between two of the program's events, and returns its
    // result.
    template <typename Task>
    auto OnMainThread(Task task) -> decltype(task());

    // What the pupil did, step by step, for failure messages.
    const std::vector<std::string>& Steps() const { return steps_; }

  private:
    xsession::CommandResult Tool(const std::vector<std::string>& argv,
                                 std::chrono::milliseconds timeout = 20s);
    void Note(const std::string& step);
    void CheckNotGivenUp() const;
    [[noreturn]] void Fail(const std::string& what);

    const xsession::XSession& session_;
    const std::atomic<bool>& givenUp_;
    std::chrono::steady_clock::time_point start_;
    std::vector<std::string> steps_;
};

template <typename Task>
auto Pupil::OnMainThread(Task task) -> decltype(task()) {
    using Result = decltype(task());
    auto job = std::make_shared<std::packaged_task<Result()>>(std::move(task));
    std::future<Result> answer = job->get_future();
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [job] { (*job)(); }, Qt::QueuedConnection);
    if (answer.wait_for(kPatience) != std::future_status::ready) {
        Fail("the main thread did not answer");
    }
    return answer.get();
}

// How a pupil's run ended.
struct PupilOutcome {
    bool finished = false;                 // every step of the script was done
    std::string failure;                   // why not
    std::vector<std::string> steps;        // what the pupil did
    std::vector<std::string> boxesClosed;  // boxes still open at the end, closed by the test
    // A readable account for a failure message.
    std::string Report() const;
};

// Runs `script` on a pupil thread while the main thread processes the program's events,
// and returns once the pupil is done. A pupil still busy after `patience` is told to give
// up. Boxes still open when the pupil is done are closed, so no modal loop is left running.
PupilOutcome RunPupil(const xsession::XSession& session, const std::function<void(Pupil&)>& script,
                      std::chrono::milliseconds patience = 60s);

// Processes the program's events for `duration`.
void ProcessEventsFor(std::chrono::milliseconds duration);

}  // namespace e2e
