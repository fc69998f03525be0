#include "sync_context.h"

#include <stdexcept>
#include <string>

namespace {

SyncDevice* CreateDeviceOrThrow()
{
    SyncDevice* device = CreateSyncDevice("Quorl");
    if (device == nullptr) throw std::runtime_error("Out of memory while creating the sync device");
    return device;
}

}  // namespace

SyncContext::SyncContext(DemoClock* demoClock, const ScopedMusic* demoMusic)
    : clock(demoClock), music(demoMusic), device(CreateDeviceOrThrow()), embedded(LoadEmbeddedTracks())
{
    if (embedded.tracks != nullptr && AttachEmbeddedTracks(device, embedded)) return;
    ReleaseUnattachedTracks(embedded);
    DestroySyncDevice(device, 0);
    throw std::runtime_error("Out of memory while loading the embedded tracks");
}

SyncContext::~SyncContext()
{
    DestroySyncDevice(device, embedded.count);
    ReleaseEmbeddedTrackStorage(embedded);
}

TrackHandle BindTrack(const SyncContext& context, const char* name)
{
    const SyncTrack* track = GetTrack(context.device, name);
    if (track == nullptr) throw std::runtime_error(std::string("Out of memory while registering track ") + name);
    return {context.clock, track};
}
