// The choreography built into the executable: a table of named tracks that is
// loaded once into track records and attached to the first slots of a device.
#pragma once

#include <cstdint>
#include <span>

#include "sync/sync_device.h"

// The loaded tracks, one block of records in table order. Each record's name
// and keys are separate heap blocks that the device releases once attached.
struct EmbeddedTrackSet {
    SyncTrack* tracks;
    std::uint32_t count;
};

// The loaded records, in table order, for reading.
std::span<const SyncTrack> LoadedTracks(const EmbeddedTrackSet& set);

// The raw table as the build wrote it.
std::span<const unsigned char> EmbeddedTrackTable();

// Loads the embedded table; tracks is null when memory runs out, with nothing
// left allocated.
EmbeddedTrackSet LoadEmbeddedTracks();

// Makes slots 0 to count - 1 of an empty device refer to the loaded records.
// False when memory runs out, with the device left empty.
bool AttachEmbeddedTracks(SyncDevice* device, const EmbeddedTrackSet& set);

// Releases the block of records. Attached names and keys are the device's to
// release, so this comes after DestroySyncDevice; for a set that was never
// attached, ReleaseUnattachedTracks releases everything.
void ReleaseEmbeddedTrackStorage(EmbeddedTrackSet& set);
void ReleaseUnattachedTracks(EmbeddedTrackSet& set);
