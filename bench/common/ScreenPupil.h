#pragma once
// A pupil at the screen of a benchmark's private X display: looks with xdotool and
// xwininfo and acts with real X key and mouse events (xdotool, through the XTEST
// extension). Touches no Qt object, so it can work from a thread of its own while the
// program under measure runs its event loop.
#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/TrainerTexts.h"
#include "support/XSession.h"

namespace bench {

using namespace std::chrono_literals;

using WindowId = xsession::WindowId;

// A step that did not find the screen as expected: the benchmark cannot go on.
class BenchFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A window's place on the screen, in pixels, as xwininfo reports it.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

class ScreenPupil {
  public:
    static constexpr std::chrono::milliseconds kPatience = 20s;

    explicit ScreenPupil(const xsession::XSession& session);

    // The viewable window whose title is exactly `title`, once there is one.
    WindowId WaitForWindow(const std::string& title,
                           std::chrono::milliseconds patience = kPatience);
    // Returns once no window titled `title` is viewable any more.
    void WaitUntilGone(const std::string& title, std::chrono::milliseconds patience = kPatience);
    // Returns once `window` is the active window, the one that receives the keys.
    void WaitUntilActive(WindowId window, const std::string& title,
                         std::chrono::milliseconds patience = kPatience);
    ScreenRect WindowRect(WindowId window);

    void ClickAt(int x, int y);
    // One key in xdotool's names: "Return", "space".
    void PressKey(const std::string& key);
    // Types `text` key by key, `pause` from one key to the next.
    void Type(const std::string& text, std::chrono::milliseconds pause);

    // Waits for the box titled `title` to take the keyboard, presses Enter, and waits until
    // the box has gone.
    void CloseBoxWithEnter(const std::string& title);

  private:
    std::vector<WindowId> VisibleWindowsTitled(const std::string& title);
    xsession::CommandResult Tool(const std::vector<std::string>& argv,
                                 std::chrono::milliseconds timeout = 20s);

    const xsession::XSession& session_;
};

// The trainer's window and box titles the pupil looks for, and lesson 1's keys.
using e2e::kBoardTitle;
using e2e::kFinishedBoxTitle;
using e2e::kLessonOneKeys;
using e2e::kMenuTitle;
using e2e::kRecordTitle;
using e2e::kStartBoxTitle;
using e2e::kTimeBoxTitle;

// Clicks the lesson 1 button of the menu window and closes the start box with Enter, so
// the run's timer is running and the board has the keyboard.
void StartLessonOne(ScreenPupil& pupil);
// Types lesson 1 at `pause` a key and closes both result boxes with Enter; the menu window
// is active again at the end.
void TypeLessonOne(ScreenPupil& pupil, std::chrono::milliseconds pause);
// Turns the keyboard guide on from the menu bar with the keyboard: Alt, Right to the fourth
// title, 「キーボード」, Down to its first item, 「指の案内」, and Return.
void TurnOnKeyboardGuide(ScreenPupil& pupil);
// Opens the record from the menu bar with the keyboard: Alt, Right to the fifth title,
// 「成績」, and Return; returns once the record shows.
void OpenRecord(ScreenPupil& pupil);

}  // namespace bench
