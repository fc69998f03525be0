// The mastering chain: one gain for the whole piece that brings its integrated
// loudness to the target, and the look-ahead limiter that holds its true
// peaks under the ceiling. Limiting lowers the loudness a little, so gain and
// limiter are applied together a few times until the loudness settles.
#pragma once

#include "stereo_buffer.h"

struct MasteringTarget {
    double loudness;  // LUFS
    double peakCeiling;  // dBTP, true peak
};

StereoBuffer Master(const StereoBuffer& mix, const MasteringTarget& target);
