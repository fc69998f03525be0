// New keys for the tracks a device has registered, for a program that re-reads
// the choreography while it runs (the studio). The track records stay where
// they are, so every handle on them stays valid; only their key arrays change.
// Plain C heap, like the device: exhausted memory is reported by the result.
#pragma once

#include <span>

#include "sync/sync_device.h"
#include "sync/track_table.h"

// Gives every registered track the keys of the track of the same name in
// `tracks` (matched byte for byte, as GetTrack matches). A registered track
// that `tracks` lacks becomes empty and evaluates to 0; a track of `tracks`
// that the device has not registered is ignored, as nothing reads it. The
// keys of each track must ascend by row, as the text parser delivers them.
// All or nothing: false when memory runs out, with every track as it was.
bool ReplaceTrackKeys(SyncDevice* device, std::span<const NamedTrack> tracks);
