// A plate-like stereo reverb after Schroeder and Moorer, in the layout of
// Freeverb: eight damped feedback combs in parallel and four all-passes in
// series per side, the right side's delays a little longer than the left's
// to decorrelate them. Its tail falls by 60 dB in about one and a half seconds.
#pragma once

#include "stereo_buffer.h"

struct ReverbSettings {
    double roomSize = 0.84;  // comb feedback: the tail's length
    double damping = 0.25;   // how fast the highs die in the tail
    double width = 1.0;      // 0 mono, 1 fully decorrelated sides
};

// The wet signal only, of the same length as the input.
StereoBuffer Reverberate(const StereoBuffer& input, const ReverbSettings& settings);
