// A device with the embedded choreography attached, as the demo's
// SyncContext holds it, for tests: created, loaded and attached in the
// constructor, released in the destructor in the order the ownership asks for
// (the device, then the block of records). Whatever failed along the way is
// released all the same; Ready() says whether everything succeeded.
#pragma once

#include "sync/embedded_tracks.h"
#include "sync/sync_device.h"

class EmbeddedSyncDevice {
public:
    EmbeddedSyncDevice() : device(CreateSyncDevice("Quorl")), set(LoadEmbeddedTracks())
    {
        attached = device != nullptr && set.tracks != nullptr && AttachEmbeddedTracks(device, set);
    }
    ~EmbeddedSyncDevice()
    {
        DestroySyncDevice(device, attached ? set.count : 0);
        if (attached) {
            ReleaseEmbeddedTrackStorage(set);
        } else {
            ReleaseUnattachedTracks(set);
        }
    }
    EmbeddedSyncDevice(const EmbeddedSyncDevice&) = delete;
    EmbeddedSyncDevice& operator=(const EmbeddedSyncDevice&) = delete;

    bool Ready() const { return attached; }

    SyncDevice* const device;
    EmbeddedTrackSet set;

private:
    bool attached = false;
};
