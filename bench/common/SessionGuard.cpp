#include "common/SessionGuard.h"

#include <signal.h>

#include <csignal>

namespace bench {

namespace {

volatile pid_t serverPid = 0;
volatile pid_t windowManagerPid = 0;

extern "C" void StopSessionAndDie(int signalNumber) {
    if (windowManagerPid > 0) {
        kill(windowManagerPid, SIGKILL);
    }
    if (serverPid > 0) {
        kill(serverPid, SIGKILL);
    }
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

}  // namespace

void StopSessionOnFatalSignals(const xsession::XSession& session) {
    serverPid = session.ServerPid();
    windowManagerPid = session.WindowManagerPid();
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGSEGV, SIGABRT, SIGBUS, SIGFPE}) {
        std::signal(signalNumber, StopSessionAndDie);
    }
}

void ForgetSessionProcesses() {
    serverPid = 0;
    windowManagerPid = 0;
}

}  // namespace bench
