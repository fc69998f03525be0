// Key search and interpolation. The order of operations and the mix of single
// and double precision are deliberate: they fix the exact values the demo shows.
#include "sync/track.h"

#include <cmath>
#include <limits>

namespace {

// Rows beyond the 32-bit range of key rows, and NaN, are pinned to its ends, so
// that the whole row converts without undefined behaviour and t stays in [0, 1].
double PinRow(double row)
{
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    if (!(row >= lowest)) return lowest;
    return row > highest ? highest : row;
}

}  // namespace

std::int32_t FindKey(const SyncTrack* track, std::int32_t row)
{
    std::int32_t lo = 0;
    std::int32_t hi = track->keyCount;
    while (lo < hi) {
        const std::int32_t mid = lo + (hi - lo) / 2;
        if (track->keys[mid].row < row) {
            lo = mid + 1;
        } else if (track->keys[mid].row > row) {
            hi = mid;
        } else {
            return mid;
        }
    }
    return -lo - 1;
}

double GetTrackValue(const SyncTrack* track, double row)
{
    if (track->keyCount <= 0) return 0.0;

    row = PinRow(row);
    std::int32_t i = FindKey(track, static_cast<std::int32_t>(std::floor(row)));
    if (i < 0) i = -i - 2;
    if (i < 0) return track->keys[0].value;
    if (i > track->keyCount - 2) return track->keys[track->keyCount - 1].value;

    const TrackKey& key = track->keys[i];
    const TrackKey& next = track->keys[i + 1];
    // The row difference is exact in 64 bits even for keys at the 32-bit extremes.
    const double span = static_cast<double>(std::int64_t{next.row} - key.row);
    const double t = (row - key.row) / span;
    const double delta = static_cast<double>(next.value - key.value);
    const double value = key.value;

    switch (static_cast<KeyType>(key.type)) {
    case KeyType::Step:
        return value;
    case KeyType::Linear:
        return value + t * delta;
    case KeyType::Smooth:
        return ((3.0 - (t + t)) * (t * t)) * delta + value;
    case KeyType::Ramp:
        return std::pow(t, 2.0) * delta + value;
    }
    return 0.0;
}
