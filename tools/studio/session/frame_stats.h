// The frame rate and frame time that the overlay shows, averaged over about
// the last second so that the numbers can be read while they change.
#pragma once

#include <deque>

class FrameStats {
public:
    static constexpr double kSpan = 1.0;

    // One frame's duration in seconds, from one presented frame to the next.
    void Add(double frameSeconds);

    // Frames per second over the last kSpan seconds (at least the last frame);
    // 0 before the first frame.
    double FramesPerSecond() const;
    // The mean frame time over the same frames, in milliseconds.
    double FrameMilliseconds() const;

private:
    std::deque<double> recent;
    double total = 0.0;
};
