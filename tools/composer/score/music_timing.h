// Musical time of the soundtrack. 175 beats per minute, four rows per beat and
// sixteen rows per bar; the first beat is the first sample, so row r of the
// music sounds r × 3/35 s into the stream, exactly where the demo's tracks
// reach row r.
#pragma once

#include <cmath>
#include <cstddef>

#include "music_format.h"
#include "sync/tempo.h"

// The picture ends at row 800; the last echoes have died away by row 832.
inline constexpr int kPieceRows = 832;

constexpr int BarToRow(int bar) { return bar * ROWS_PER_BAR; }

// The sample at which a row starts, rounded to the nearest frame.
inline std::size_t RowToFrame(double row)
{
    return static_cast<std::size_t>(std::lround(RowsToSeconds(row) * kMusicSampleRate));
}

// 3,423,086 frames: 832 rows, rounded up to a whole frame.
inline std::size_t PieceFrames()
{
    return static_cast<std::size_t>(std::ceil(RowsToSeconds(kPieceRows) * kMusicSampleRate));
}
