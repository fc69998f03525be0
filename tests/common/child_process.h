// Runs a piece of a test in a child process of its own, for limits and users
// that the test process must keep.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

// The exit status of `body` run in a child, or 128 + the signal that ended it.
inline int ExitStatusInChild(const std::function<int()>& body)
{
    const pid_t child = fork();
    if (child == 0) _exit(body());
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
