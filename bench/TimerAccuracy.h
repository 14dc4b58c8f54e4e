#pragma once
// Timer accuracy: the board's Ticks (one every 100 ms) against CLOCK_MONOTONIC over a long
// run, while a busy loop keeps the machine's other core busy.
#include "ProbedApplication.h"
#include "support/XSession.h"

namespace bench {

// Starts lesson 1 in the trainer, closes the start box, leaves the run open for `seconds`
// and prints one row: ticks counted, ticks expected, the drift.
void RunTimerAccuracy(ProbedApplication& app, const xsession::XSession& session, int seconds);

}  // namespace bench
