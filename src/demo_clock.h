// The demo's one time base: seconds since start-up, following GLFW's timer.
#pragma once

#include "sync/tempo.h"

struct DemoClock {
    bool paused = false;
    double seconds = 0.0;

    // Starts the demo's time: seconds and the platform timer go to 0.
    void Reset() { StartAt(0.0); }
    // Starts the demo's time at a reading: running, with seconds and the
    // platform timer both at `reading`.
    void StartAt(double reading);
    // Follows the platform timer, or, while paused, holds the timer at seconds.
    void Update();

    double Row() const { return SecondsToRows(seconds); }
};
