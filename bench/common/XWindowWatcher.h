#pragma once
// Watches an X display from a connection of its own: tells the moment a window with a given
// title becomes viewable, and checks that the X server stamps its events with
// CLOCK_MONOTONIC.
#include <xcb/xcb.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>

namespace bench {

class XWindowWatcher {
  public:
    // Connects to `display` and starts watching the windows created after this point.
    explicit XWindowWatcher(const std::string& display);
    ~XWindowWatcher();
    XWindowWatcher(const XWindowWatcher&) = delete;
    XWindowWatcher& operator=(const XWindowWatcher&) = delete;

    // Waits until a top-level window titled exactly `title` is viewable: mapped, and in a
    // frame the window manager has mapped too. Returns the CLOCK_MONOTONIC milliseconds at
    // which the watcher learned of it; nothing after `patience`.
    std::optional<double> WaitUntilViewable(const std::string& title,
                                            std::chrono::milliseconds patience);

  private:
    void Handle(const xcb_generic_event_t& event);
    void Watch(xcb_window_t window);
    std::string TitleOf(xcb_window_t window);
    bool IsViewable(xcb_window_t window);
    // The first window titled `wanted_` that is viewable now.
    bool AnyWantedViewable();

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    xcb_atom_t netWmName_ = 0;
    std::map<xcb_window_t, std::string> titles_;  // the top-level windows created so far
    std::string wanted_;
};

// Whether the X server's event timestamps can be compared with CLOCK_MONOTONIC: a property
// change's timestamp must fall between the moments just before and just after the request.
struct ServerClockCheck {
    bool comparable = false;
    int probes = 0;
    int inside = 0;               // probes whose stamp fell inside their bracket
    double worstOutsideMs = 0.0;  // how far the worst probe fell outside it
    std::string Describe() const;
};
ServerClockCheck CheckServerClock(const std::string& display);

}  // namespace bench
