// Keyframe tracks: the keys that place values at whole rows, and the evaluation
// of a track at a fractional row. Plain records; nothing here allocates.
#pragma once

#include <array>
#include <cstdint>

// How a value travels from one key to the next.
enum class KeyType : std::int32_t {
    Step = 0,    // hold the key's value
    Linear = 1,  // straight line
    Smooth = 2,  // cubic ease in and out
    Ramp = 3,    // quadratic ease in
};

// Each key type's name, as the choreography text writes it, indexed by KeyType.
inline constexpr std::array<const char*, 4> kKeyTypeNames = {"step", "linear", "smooth", "ramp"};

// One key; the layout is also the key record of the track table (track_table.h).
struct TrackKey {
    std::int32_t row;
    float value;
    std::int32_t type;  // a KeyType; any other number makes its segment evaluate to 0

    bool operator==(const TrackKey&) const = default;
};
static_assert(sizeof(TrackKey) == 12);

// One named track. Keys stand in strictly ascending order of row.
struct SyncTrack {
    char* name;
    TrackKey* keys;
    std::int32_t keyCount;
};

// Index of the key standing at row, or the one's complement (-p - 1) of the
// position p at which such a key would be inserted.
std::int32_t FindKey(const SyncTrack* track, std::int32_t row);

// The track's value at a fractional row: the first key's value before it, the
// last key's value from the last key on, 0 for a track without keys.
double GetTrackValue(const SyncTrack* track, double row);
