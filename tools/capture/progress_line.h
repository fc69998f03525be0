// The line that quorl-capture shows while it renders a sequence or a video.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

// "frame 3 of 10, 0.42 frames/s, 17s left", after `done` frames in `elapsed` seconds.
std::string ProgressLine(std::size_t done, std::size_t total, double elapsedSeconds);

// The progress line on standard error after every frame: redrawn in place on
// a terminal, a line of its own each time in a log. Time counts from construction.
class ProgressReport {
public:
    explicit ProgressReport(std::size_t total);
    // Leaves the terminal's line, so that what follows starts on a fresh one.
    ~ProgressReport();
    ProgressReport(const ProgressReport&) = delete;
    ProgressReport& operator=(const ProgressReport&) = delete;

    void FrameDone();

private:
    std::size_t total;
    std::size_t done = 0;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    bool onTerminal;
};
