// The steps edits move in: a drag moves keys by whole beats (ROWS_PER_BEAT
// rows), or by single rows when asked; a nudge changes a value by a power of
// ten that suits the values of its track, or one ten times finer.
#pragma once

#include <cstdint>
#include <span>

#include "sync/track.h"

enum class RowSnap { Beat, Row };

// The whole number of rows, a multiple of the snap, nearest to `rows` (a
// drag's distance in rows); 0 for a distance that is not a number.
std::int64_t SnapRowDelta(double rows, RowSnap snap);

// About a hundredth of the span of the keys' values, rounded to a power of
// ten (a track whose keys are all equal takes the size of the value, or 1);
// with `fine`, ten times smaller.
double NudgeStep(std::span<const TrackKey> keys, bool fine);
