#pragma once
// Key latency: from a real X key press to the board redrawn on the X server, for every key
// of lesson 1 typed by a pupil through the X server, in the trainer and in a bare window.
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

#include "ProbedApplication.h"
#include "support/XSession.h"

typedef struct xcb_connection_t xcb_connection_t;

namespace bench {

struct KeySample {
    double fromServerMs = 0.0;    // from the X server's timestamp of the key press
    double fromDeliveryMs = 0.0;  // from the moment Qt delivered the key to the window
};

// Times each key press delivered to one top-level window until that window has been
// repainted and the X server has drawn the new pixels:
//   t0  the key press's X server timestamp (QKeyEvent::timestamp(), CLOCK_MONOTONIC in
//       whole milliseconds), and the moment it reaches the window's widget;
//   t1  the end of the first UpdateRequest of the window after the key that painted at least
//       one of its widgets, plus one round trip to the X server on Qt's own connection.
// Qt paints a window's dirty widgets into its backing store and flushes the result to the X
// server while it handles the window's UpdateRequest; every change a key handler makes is
// dirty by then, since the handler has returned before the request is handled. The round
// trip returns once the server has carried out every request sent before it, the image
// upload among them: then the new board is on the X server's screen.
// Keys that arrive before a paint share that paint's t1.
class KeyLatencyProbe : public EventObserver {
  public:
    // `window` tells the window to watch; null while there is none yet.
    explicit KeyLatencyProbe(std::function<QWidget*()> window);

    void Before(QObject* receiver, QEvent* event) override;
    void After(QObject* receiver, QEvent* event) override;

    const std::vector<KeySample>& Samples() const { return samples_; }

  private:
    struct PendingKey {
        std::uint32_t serverMs;
        double deliveredMs;
    };

    std::function<QWidget*()> window_;
    xcb_connection_t* connection_ = nullptr;
    std::vector<PendingKey> pending_;
    std::vector<KeySample> samples_;
    bool inUpdate_ = false;
    int paintsInUpdate_ = 0;
};

// Measures `runs` runs of lesson 1 in the trainer and as many in the bare key window, and
// prints two rows: from the X server's timestamp (when `serverClockComparable`) and from
// Qt's delivery.
void RunKeyLatency(ProbedApplication& app, const xsession::XSession& session, int runs,
                   bool serverClockComparable);

}  // namespace bench
