#include "stop_signals.h"

#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>

namespace {

volatile std::sig_atomic_t stopSignal = 0;
// The thread whose blocking calls a stop must interrupt (a pid_t).
volatile std::sig_atomic_t waitingThread = 0;

void RequestStop(int signal)
{
    const int savedError = errno;
    if (gettid() != waitingThread) {
        // Handed to another thread (the graphics driver has some): passed on.
        tgkill(getpid(), waitingThread, signal);
    } else if (stopSignal != 0) {
        _exit(128 + signal);
    } else {
        stopSignal = signal;
    }
    errno = savedError;
}

std::string SignalName(int signal)
{
    const char* abbreviation = sigabbrev_np(signal);
    return abbreviation != nullptr ? std::string("SIG") + abbreviation : "signal " + std::to_string(signal);
}

}  // namespace

CaptureStopped::CaptureStopped(int stoppedBy)
    : std::runtime_error("stopped by " + SignalName(stoppedBy) + "; no unfinished file is left"), signal(stoppedBy)
{
}

StopSignals::StopSignals()
{
    stopSignal = 0;
    waitingThread = gettid();
    // No SA_RESTART: a write to the encoder or a wait for it returns at once.
    struct sigaction stop{};
    stop.sa_handler = RequestStop;
    sigemptyset(&stop.sa_mask);
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        sigaction(kSignals[i], nullptr, &before[i]);
        if (before[i].sa_handler != SIG_IGN) sigaction(kSignals[i], &stop, nullptr);
    }

    struct sigaction ignore{};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGPIPE, &ignore, &brokenPipeBefore);
}

StopSignals::~StopSignals()
{
    for (std::size_t i = 0; i < std::size(kSignals); ++i) sigaction(kSignals[i], &before[i], nullptr);
    sigaction(SIGPIPE, &brokenPipeBefore, nullptr);
}

bool StopSignals::StopRequested()
{
    return stopSignal != 0;
}

void StopSignals::ThrowIfStopRequested()
{
    if (StopRequested()) throw CaptureStopped(stopSignal);
}
