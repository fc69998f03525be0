// The binary track table: the choreography as the build carries it in the
// executable. The track-table compiler writes it from the readable text, the
// embedded set loads it back. All numbers are little-endian, with no padding:
//
//   uint8   track count T
//   T times, one track after the other:
//     uint8   name size L, its terminating NUL included
//     L bytes the name, the last one 0
//     uint16  key count N
//     N key records of 12 bytes, laid out as TrackKey: int32 row,
//             float32 value, int32 type (a KeyType)
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "sync/track.h"

inline constexpr std::size_t kMaxTableTracks = 255;
inline constexpr std::size_t kMaxTableNameSize = 255;  // NUL included
inline constexpr std::size_t kMaxTableKeys = 65535;
inline constexpr std::size_t kTableKeyRecordSize = 12;
static_assert(sizeof(TrackKey) == kTableKeyRecordSize, "key records are copied into TrackKey as they stand");

// A track as the readable text gives it, before it is a table entry.
struct NamedTrack {
    std::string name;
    std::vector<TrackKey> keys;

    bool operator==(const NamedTrack&) const = default;
};

// The table of the tracks in their order. The tracks must keep within the
// limits above, as the text parser sees to.
std::vector<unsigned char> EncodeTrackTable(std::span<const NamedTrack> tracks);
