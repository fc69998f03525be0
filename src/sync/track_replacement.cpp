// Replacement of registered tracks' keys: every new key array is allocated
// before any track changes, so a failure leaves the device untouched.
#include "sync/track_replacement.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

struct NewKeys {
    TrackKey* keys;
    std::int32_t count;
};

const NamedTrack* FindByName(std::span<const NamedTrack> tracks, const char* name)
{
    for (const NamedTrack& track : tracks) {
        if (std::strcmp(track.name.c_str(), name) == 0) return &track;
    }
    return nullptr;
}

// A heap copy of the keys; false when memory runs out or the count does not fit.
bool CopyKeys(const NamedTrack& source, NewKeys& copy)
{
    if (source.keys.empty()) return true;
    if (source.keys.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) return false;
    copy.keys = static_cast<TrackKey*>(std::malloc(source.keys.size() * sizeof(TrackKey)));
    if (copy.keys == nullptr) return false;
    std::memcpy(copy.keys, source.keys.data(), source.keys.size() * sizeof(TrackKey));
    copy.count = static_cast<std::int32_t>(source.keys.size());
    return true;
}

}  // namespace

bool ReplaceTrackKeys(SyncDevice* device, std::span<const NamedTrack> tracks)
{
    const std::uint64_t count = device->trackCount;
    if (count == 0) return true;
    // Where size_t is 32 bits (wasm), so many tracks cannot be held at all.
    if (count > SIZE_MAX / sizeof(NewKeys)) return false;
    auto* fresh = static_cast<NewKeys*>(std::calloc(static_cast<std::size_t>(count), sizeof(NewKeys)));
    if (fresh == nullptr) return false;

    for (std::uint64_t i = 0; i < count; ++i) {
        const NamedTrack* source = FindByName(tracks, device->tracks[i]->name);
        if (source != nullptr && !CopyKeys(*source, fresh[i])) {
            for (std::uint64_t k = 0; k < i; ++k) std::free(fresh[k].keys);
            std::free(fresh);
            return false;
        }
    }
    for (std::uint64_t i = 0; i < count; ++i) {
        SyncTrack* track = device->tracks[i];
        std::free(track->keys);
        track->keys = fresh[i].keys;
        track->keyCount = fresh[i].count;
    }
    std::free(fresh);
    return true;
}
