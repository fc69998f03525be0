// The demo's one time base: seconds since start-up, following GLFW's timer.
#pragma once

// 175 beats per minute, 4 rows per beat: the rate at which tracks advance.
inline constexpr double ROWS_PER_SECOND = 35.0 / 3.0;

struct DemoClock {
    bool paused = false;
    double seconds = 0.0;

    // Starts the demo's time: seconds and the platform timer go to 0.
    void Reset();
    // Follows the platform timer, or, while paused, holds the timer at seconds.
    void Update();

    double Row() const { return seconds * ROWS_PER_SECOND; }
};
