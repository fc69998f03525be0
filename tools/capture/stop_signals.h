// Ctrl-C during a video capture: while a StopSignals lives, SIGINT and SIGTERM
// only ask the capture to stop, so that it can end its encoder and remove the
// partial file before it exits; SIGPIPE is ignored, so that an encoder that
// has died shows up as a failed write.
#pragma once

#include <signal.h>

#include <stdexcept>

// A capture that stopped because it was asked to.
class CaptureStopped : public std::runtime_error {
public:
    CaptureStopped();
};

class StopSignals {
public:
    // Installs the handlers; clears any earlier request.
    StopSignals();
    // Puts back what was installed before.
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Whether a signal asked to stop; blocking calls return early (EINTR) when one does.
    static bool StopRequested();
    static void ThrowIfStopRequested();

private:
    struct sigaction interruptBefore{};
    struct sigaction terminateBefore{};
    struct sigaction brokenPipeBefore{};
};
