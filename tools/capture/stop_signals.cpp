#include "stop_signals.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int)
{
    stopRequested = 1;
}

}  // namespace

CaptureStopped::CaptureStopped() : std::runtime_error("stopped before the end; no video written") {}

StopSignals::StopSignals()
{
    stopRequested = 0;
    // No SA_RESTART: a write to the encoder or a wait for it returns at once.
    struct sigaction stop{};
    stop.sa_handler = RequestStop;
    sigemptyset(&stop.sa_mask);
    sigaction(SIGINT, &stop, &interruptBefore);
    sigaction(SIGTERM, &stop, &terminateBefore);

    struct sigaction ignore{};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGPIPE, &ignore, &brokenPipeBefore);
}

StopSignals::~StopSignals()
{
    sigaction(SIGINT, &interruptBefore, nullptr);
    sigaction(SIGTERM, &terminateBefore, nullptr);
    sigaction(SIGPIPE, &brokenPipeBefore, nullptr);
}

bool StopSignals::StopRequested()
{
    return stopRequested != 0;
}

void StopSignals::ThrowIfStopRequested()
{
    if (StopRequested()) throw CaptureStopped();
}
