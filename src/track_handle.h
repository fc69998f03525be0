// A track read at the clock's current row.
#pragma once

#include "demo_clock.h"
#include "sync/track.h"

struct TrackHandle {
    const DemoClock* clock;
    const SyncTrack* track;

    double Value() const { return GetTrackValue(track, clock->Row()); }
};
