// Lookups the key edits share: where a row falls among a track's keys, and
// the float a key holds for a value.
#pragma once

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <optional>
#include <vector>

#include "sync/track.h"

// The first key at `row` or after it.
inline std::size_t FirstKeyFrom(const std::vector<TrackKey>& keys, double row)
{
    return static_cast<std::size_t>(
        std::lower_bound(keys.begin(), keys.end(), row, [](const TrackKey& key, double at) { return key.row < at; }) -
        keys.begin());
}

// The float a key holds for `value`: none when no float holds it; a value
// too close to 0 for a normal float, and -0, hold 0 as the text writes it.
inline std::optional<float> StoredValue(double value)
{
    if (!(std::fabs(value) <= FLT_MAX)) return std::nullopt;
    const auto stored = static_cast<float>(value);
    return std::fabs(stored) < FLT_MIN ? 0.0f : stored;
}
