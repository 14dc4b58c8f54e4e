#pragma once
// A benchmark interrupted (Ctrl+C) or crashing must not leave its X server and window
// manager running: they are killed by process id from the signal handler. The programs
// under measure end by themselves once their X server has gone.
#include "e2e/XSession.h"

namespace bench {

void StopSessionOnFatalSignals(const xsession::XSession& session);
// The session is about to be stopped normally: forget its processes.
void ForgetSessionProcesses();

}  // namespace bench
