// How quorl-capture is asked to stop: while a StopSignals lives, SIGINT,
// SIGTERM, SIGHUP and SIGQUIT only ask the capture to stop, so that it can end
// its encoder and remove its unfinished file before it exits with 128 + the
// signal's number. A second one ends the tool at once with that status, as a
// user who presses Ctrl-C twice wants. A signal that was ignored when the tool
// started (nohup, a script's background job) stays ignored. SIGPIPE is
// ignored, so that an encoder that has died shows up as a failed write.
//
// Blocking calls of the thread that made the StopSignals return early (EINTR)
// when a stop is asked for, whichever thread the system handed the signal to.
#pragma once

#include <signal.h>

#include <iterator>
#include <stdexcept>

// A capture that stopped because a signal asked it to.
class CaptureStopped : public std::runtime_error {
public:
    explicit CaptureStopped(int signal);
    // 128 + the signal's number, as a shell reports a process that the signal ended.
    int ExitStatus() const { return 128 + signal; }

private:
    int signal;
};

class StopSignals {
public:
    // Installs the handlers; clears any earlier request.
    StopSignals();
    // Puts back what was installed before.
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Whether a signal asked to stop.
    static bool StopRequested();
    // Throws CaptureStopped when a signal asked to stop.
    static void ThrowIfStopRequested();

    // The signals that ask to stop, so that a child process can be given their defaults.
    static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

private:
    struct sigaction before[std::size(kSignals)]{};
    struct sigaction brokenPipeBefore{};
};
