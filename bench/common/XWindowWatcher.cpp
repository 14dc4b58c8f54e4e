#include "common/XWindowWatcher.h"

#include <poll.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "common/Clock.h"
#include "common/ScreenPupil.h"

namespace bench {

namespace {

// Re-checks the wanted windows this often even without an event, in case the window was
// mapped between its creation and the moment the watcher asked to hear of it.
constexpr int kRecheckMs = 5;
constexpr int kClockProbes = 20;

struct FreeDeleter {
    void operator()(void* pointer) const { std::free(pointer); }
};
template <typename Reply>
using ReplyPointer = std::unique_ptr<Reply, FreeDeleter>;

xcb_connection_t* Connect(const std::string& display, xcb_window_t& root) {
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(display.c_str(), &screenNumber);
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection);
        throw BenchFailure("cannot connect to the X display " + display);
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int skip = 0; skip < screenNumber; ++skip) {
        xcb_screen_next(&screens);
    }
    root = screens.data->root;
    return connection;
}

xcb_atom_t Atom(xcb_connection_t* connection, const std::string& name) {
    const ReplyPointer<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.c_str()),
        nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

std::uint8_t EventType(const xcb_generic_event_t& event) {
    return static_cast<std::uint8_t>(event.response_type & ~0x80);
}

// Waits for the next event up to `timeoutMs`; null when none came.
ReplyPointer<xcb_generic_event_t> NextEvent(xcb_connection_t* connection, int timeoutMs) {
    xcb_flush(connection);
    if (xcb_generic_event_t* queued = xcb_poll_for_event(connection)) {
        return ReplyPointer<xcb_generic_event_t>(queued);
    }
    pollfd wait{xcb_get_file_descriptor(connection), POLLIN, 0};
    poll(&wait, 1, timeoutMs);
    return ReplyPointer<xcb_generic_event_t>(xcb_poll_for_event(connection));
}

}  // namespace

XWindowWatcher::XWindowWatcher(const std::string& display) {
    connection_ = Connect(display, root_);
    netWmName_ = Atom(connection_, "_NET_WM_NAME");
    // Every window created on the root, and every window mapped or unmapped there (the
    // window manager's frames among them).
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection_);
}

XWindowWatcher::~XWindowWatcher() {
    xcb_disconnect(connection_);
}

std::optional<double> XWindowWatcher::WaitUntilViewable(const std::string& title,
                                                        std::chrono::milliseconds patience) {
    wanted_ = title;
    const double deadline = MonotonicMs() + static_cast<double>(patience.count());
    while (MonotonicMs() < deadline) {
        if (const auto event = NextEvent(connection_, kRecheckMs)) {
            Handle(*event);
        }
        // Taken before the check: the moment the watcher has the news is when it asks.
        const double seen = MonotonicMs();
        if (AnyWantedViewable()) {
            return seen;
        }
        if (xcb_connection_has_error(connection_) != 0) {
            throw BenchFailure("lost the connection to the X display");
        }
    }
    return std::nullopt;
}

void XWindowWatcher::Handle(const xcb_generic_event_t& event) {
    switch (EventType(event)) {
        case XCB_CREATE_NOTIFY: {
            const auto& created = reinterpret_cast<const xcb_create_notify_event_t&>(event);
            if (created.parent == root_) {
                Watch(created.window);
            }
            break;
        }
        case XCB_PROPERTY_NOTIFY: {
            const auto& changed = reinterpret_cast<const xcb_property_notify_event_t&>(event);
            if (titles_.contains(changed.window) &&
                (changed.atom == netWmName_ || changed.atom == XCB_ATOM_WM_NAME)) {
                titles_[changed.window] = TitleOf(changed.window);
            }
            break;
        }
        case XCB_DESTROY_NOTIFY: {
            const auto& destroyed = reinterpret_cast<const xcb_destroy_notify_event_t&>(event);
            titles_.erase(destroyed.window);
            break;
        }
        default:
            break;
    }
}

void XWindowWatcher::Watch(xcb_window_t window) {
    // Its title changes and its own mapping; asked before the title is read, so no change
    // falls between the two.
    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(connection_, window, XCB_CW_EVENT_MASK, &mask);
    titles_[window] = TitleOf(window);
}

std::string XWindowWatcher::TitleOf(xcb_window_t window) {
    for (xcb_atom_t property : {netWmName_, static_cast<xcb_atom_t>(XCB_ATOM_WM_NAME)}) {
        const ReplyPointer<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            connection_,
            xcb_get_property(connection_, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
            nullptr));
        if (reply && xcb_get_property_value_length(reply.get()) > 0) {
            return {static_cast<const char*>(xcb_get_property_value(reply.get())),
                    static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))};
        }
    }
    return {};
}

bool XWindowWatcher::IsViewable(xcb_window_t window) {
    const ReplyPointer<xcb_get_window_attributes_reply_t> reply(xcb_get_window_attributes_reply(
        connection_, xcb_get_window_attributes(connection_, window), nullptr));
    return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
}

bool XWindowWatcher::AnyWantedViewable() {
    return std::any_of(titles_.begin(), titles_.end(), [this](const auto& entry) {
        return entry.second == wanted_ && IsViewable(entry.first);
    });
}

// ---- the X server's clock ----

std::string ServerClockCheck::Describe() const {
    std::string text = std::to_string(inside) + " of " + std::to_string(probes) +
                       " X server stamps fell within 1 ms of their CLOCK_MONOTONIC bracket";
    if (!comparable) {
        text += " (worst " + std::to_string(worstOutsideMs) + " ms outside)";
    }
    return text;
}

ServerClockCheck CheckServerClock(const std::string& display) {
    xcb_window_t root = 0;
    xcb_connection_t* connection = Connect(display, root);
    const xcb_atom_t probe = Atom(connection, "BENCH_CLOCK_PROBE");
    // An input-only window of our own, never mapped: its property changes disturb no one.
    const xcb_window_t window = xcb_generate_id(connection);
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);

    ServerClockCheck check;
    for (int attempt = 0; attempt < kClockProbes; ++attempt) {
        const double before = MonotonicMs();
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, probe, XCB_ATOM_STRING, 8, 1,
                            "x");
        std::optional<std::uint32_t> stamp;
        while (!stamp && MonotonicMs() - before < 2000.0) {
            const auto event = NextEvent(connection, 100);
            if (event && EventType(*event) == XCB_PROPERTY_NOTIFY) {
                stamp = reinterpret_cast<const xcb_property_notify_event_t&>(*event).time;
            }
        }
        const double after = MonotonicMs();
        if (!stamp) {
            continue;
        }
        ++check.probes;
        // On CLOCK_MONOTONIC the stamp, the server's time cut down to whole milliseconds,
        // lies in (before - 1, after]; a millisecond of slack is allowed on each side.
        const double sinceBefore = MsSinceServerTime(before, *stamp);  // < 1 when inside
        const double sinceAfter = MsSinceServerTime(after, *stamp);    // ≥ 0 when inside
        const double outside = std::max(sinceBefore - 2.0, -1.0 - sinceAfter);
        if (outside <= 0.0) {
            ++check.inside;
        } else {
            check.worstOutsideMs = std::max(check.worstOutsideMs, outside);
        }
    }
    xcb_destroy_window(connection, window);
    xcb_disconnect(connection);
    check.comparable = check.probes > 0 && check.inside == check.probes;
    return check;
}

}  // namespace bench
