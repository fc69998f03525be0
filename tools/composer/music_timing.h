// Musical time of the soundtrack. 175 beats per minute, four rows per beat and
// sixteen rows per bar; the first beat is the first sample, so row r of the
// music sounds r × 3/35 s into the stream, exactly where the demo's tracks
// reach row r.
#pragma once

#include <cmath>
#include <cstddef>

inline constexpr int kSampleRate = 48000;
inline constexpr double kRowsPerSecond = 35.0 / 3.0;
inline constexpr int kRowsPerBeat = 4;
inline constexpr int kBeatsPerBar = 4;
inline constexpr int kRowsPerBar = kBeatsPerBar * kRowsPerBeat;
// The picture ends at row 800; the last echoes have died away by row 832.
inline constexpr int kPieceRows = 832;

constexpr double RowToSeconds(double row) { return row / kRowsPerSecond; }
constexpr double SecondsToRows(double seconds) { return seconds * kRowsPerSecond; }
constexpr int BarToRow(int bar) { return bar * kRowsPerBar; }

// The sample at which a row starts, rounded to the nearest frame.
inline std::size_t RowToFrame(double row)
{
    return static_cast<std::size_t>(std::lround(RowToSeconds(row) * kSampleRate));
}

// 3,423,086 frames: 832 rows, rounded up to a whole frame.
inline std::size_t PieceFrames() { return static_cast<std::size_t>(std::ceil(RowToSeconds(kPieceRows) * kSampleRate)); }
