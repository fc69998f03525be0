// A look-ahead true-peak limiter for the master. It sees every peak coming,
// those between samples included, so the gain is already down when the peak
// arrives (nothing exceeds the ceiling, upsampled or not) and it recovers
// smoothly afterwards, which keeps it from clicking or distorting. Working on
// the whole piece at once, it needs no delay.
#pragma once

#include "stereo_buffer.h"

struct LimiterSettings {
    double ceiling = 0.8;  // linear true peak that nothing may exceed
    double lookAheadSeconds = 0.004;
    double releaseSeconds = 0.08;
};

void LimitPeaks(StereoBuffer& audio, const LimiterSettings& settings);
