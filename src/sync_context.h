// What scenes are built from: the clock, the music and the registry of tracks,
// filled with the embedded choreography.
#pragma once

#include "demo_clock.h"
#include "scoped_media.h"
#include "sync/embedded_tracks.h"
#include "sync/sync_device.h"
#include "track_handle.h"

class SyncContext {
public:
    // Creates the device "Quorl" with the embedded tracks attached. Throws
    // std::runtime_error when memory runs out: the demo cannot run without them.
    SyncContext(DemoClock* clock, const ScopedMusic* music);
    // The device goes first: its first slots refer to the embedded tracks.
    ~SyncContext();
    SyncContext(const SyncContext&) = delete;
    SyncContext& operator=(const SyncContext&) = delete;

    DemoClock* const clock;
    const ScopedMusic* const music;  // may be null where nothing plays
    SyncDevice* const device;

private:
    EmbeddedTrackSet embedded;
};

// A handle on the named track at the context's clock. Throws std::runtime_error
// when memory runs out while registering a new name.
TrackHandle BindTrack(const SyncContext& context, const char* name);
