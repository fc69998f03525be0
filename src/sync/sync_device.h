// The registry of named tracks. A name it already holds yields the same track
// every time; a new name is registered and filled from its track file, if any.
// Plain C-heap records: every function reports exhausted memory by returning
// null instead of throwing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>

#include "sync/track.h"

struct SyncDevice {
    char* baseName;         // encoded; first component of every track file name
    SyncTrack** tracks;     // registered tracks, in order of registration
    std::uint64_t trackCount;
    // Track files are reached only through these; they start as fopen, fread, fclose.
    std::FILE* (*openFile)(const char* path, const char* mode);
    std::size_t (*readFile)(void* destination, std::size_t size, std::size_t count, std::FILE* file);
    int (*closeFile)(std::FILE* file);
};

// Null when memory runs out.
SyncDevice* CreateSyncDevice(const char* baseName);

// The track registered under name; null when memory runs out, in which case the
// device is left as it was.
SyncTrack* GetTrack(SyncDevice* device, const char* name);

// The registered tracks, in order of registration, for reading; valid until
// the next registration or the device's release.
std::span<SyncTrack* const> RegisteredTracks(const SyncDevice& device);

// The track registered under name, matched byte for byte; null when there is
// none. Never registers and never allocates.
SyncTrack* FindTrack(const SyncDevice& device, const char* name);

// Releases the device, every track's name and keys, and the records of the
// tracks it created; the first attachedCount records belong to someone else.
void DestroySyncDevice(SyncDevice* device, std::uint64_t attachedCount);

// Name encoding for file names: letters, digits, '.', '/' and '_' stay, any
// other byte becomes '-' and two upper-case hex digits. At most 259 characters.
// The text lives in a buffer of the function's own, overwritten by the next call.
const char* EncodeTrackName(const char* name);

// baseName + "_" + encoded track name + ".track", cut to 259 characters.
// The text lives in a buffer of the function's own, overwritten by the next call.
const char* BuildTrackPath(const char* baseName, const char* trackName);
