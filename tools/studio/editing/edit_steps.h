// The steps edits move in: a drag moves keys by whole beats (ROWS_PER_BEAT
// rows), or by single rows when asked; a nudge changes a value by a power of
// ten that suits the values of its track, or one ten times finer.
#pragma once

#include <cstdint>
#include <span>

#include "sync/track.h"

enum class RowSnap { Beat, Row };
enum class NudgeSize { Coarse, Fine };

// The whole number of rows, a multiple of the snap, nearest to `rows` (a
// drag's distance in rows); 0 for a distance that is not a number.
std::int64_t SnapRowDelta(double rows, RowSnap snap);

// The largest power of ten up to a tenth of the span of the keys' values (a
// track whose keys are all equal spans the size of its value, or at least 1),
// so that ten to a hundred steps cross the track; Fine, ten times smaller.
double NudgeStep(std::span<const TrackKey> keys, NudgeSize size);
