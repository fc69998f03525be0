// How quorl-capture is asked to stop: each stop signal, the second one, and a
// signal that the system hands to another thread than the one that waits.
#include <gtest/gtest.h>
#include <pthread.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <thread>

#include "stop_signals.h"

namespace {

// The exit status that a capture ends with when `signal` stops it.
int StoppedBy(int signal)
{
    std::signal(signal, SIG_DFL);
    const StopSignals stopSignals;
    std::raise(signal);
    try {
        StopSignals::ThrowIfStopRequested();
    } catch (const CaptureStopped& stopped) {
        return stopped.ExitStatus();
    }
    return 0;
}

TEST(StopSignals, EachStopSignalAsksToStopWithItsOwnExitStatus)
{
    EXPECT_EXIT(_exit(StoppedBy(SIGINT)), ::testing::ExitedWithCode(130), "");
    EXPECT_EXIT(_exit(StoppedBy(SIGTERM)), ::testing::ExitedWithCode(143), "");
    EXPECT_EXIT(_exit(StoppedBy(SIGHUP)), ::testing::ExitedWithCode(129), "");
    EXPECT_EXIT(_exit(StoppedBy(SIGQUIT)), ::testing::ExitedWithCode(131), "");
}

TEST(StopSignals, ASecondSignalEndsTheToolAtOnce)
{
    EXPECT_EXIT(
        {
            std::signal(SIGINT, SIG_DFL);
            const StopSignals stopSignals;
            std::raise(SIGINT);
            if (!StopSignals::StopRequested()) _exit(1);
            std::raise(SIGINT);
            _exit(0);
        },
        ::testing::ExitedWithCode(130), "");
}

// As under nohup, or in a script's background job.
TEST(StopSignals, LeavesASignalThatWasIgnoredAtStartIgnored)
{
    EXPECT_EXIT(
        {
            std::signal(SIGHUP, SIG_IGN);
            const StopSignals stopSignals;
            std::raise(SIGHUP);
            _exit(StopSignals::StopRequested() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

// A graphics driver's threads take signals too; the thread that waits on
// ffmpeg must still be woken.
TEST(StopSignals, ASignalTakenByAnotherThreadWakesTheMainThread)
{
    EXPECT_EXIT(
        {
            std::signal(SIGTERM, SIG_DFL);
            const StopSignals stopSignals;
            alarm(10);  // fails the test rather than hanging it
            int ends[2];
            if (pipe(ends) != 0) _exit(2);
            std::thread other([] {
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
                pthread_kill(pthread_self(), SIGTERM);
            });
            char byte = 0;
            const bool woken = read(ends[0], &byte, 1) < 0 && errno == EINTR && StopSignals::StopRequested();
            other.join();
            _exit(woken ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
