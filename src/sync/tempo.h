// The demo's musical time, the one definition of it in C++: 175 beats per
// minute, four rows to a beat. The clock, the tracks, the studio and the
// soundtrack all count in these rows. The City shader is text and keeps its own
// copy of the two numbers; the City tests tie that copy to these.
#pragma once

#include <cmath>

inline constexpr double BEATS_PER_MINUTE = 175.0;
inline constexpr int ROWS_PER_BEAT = 4;
inline constexpr int BEATS_PER_BAR = 4;
inline constexpr int ROWS_PER_BAR = ROWS_PER_BEAT * BEATS_PER_BAR;

// 35/3 = 11.666…: the rate at which tracks advance.
inline constexpr double ROWS_PER_SECOND = BEATS_PER_MINUTE * ROWS_PER_BEAT / 60.0;

constexpr double SecondsToRows(double seconds) { return seconds * ROWS_PER_SECOND; }
constexpr double RowsToSeconds(double rows) { return rows / ROWS_PER_SECOND; }

// The first clock reading whose row is `row` or later. A row's reading in
// seconds, turned back into rows, can fall a hair short of it: a clock sent
// there would not yet show a key at that row.
inline double SecondsAtRow(double row)
{
    double seconds = RowsToSeconds(row);
    while (seconds > 0.0 && SecondsToRows(std::nextafter(seconds, 0.0)) >= row) seconds = std::nextafter(seconds, 0.0);
    while (SecondsToRows(seconds) < row) seconds = std::nextafter(seconds, HUGE_VAL);
    return seconds;
}
