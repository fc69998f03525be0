// Level measurement of a stereo piece: the sample peak, and the integrated
// loudness of ITU-R BS.1770-4 (K-weighted, over 400 ms blocks overlapping by
// 75 %, gated at -70 LUFS and then at 10 LU below the ungated mean), in LUFS.
// The mastering chain aims at a loudness with it, and the tests check the
// decoded stream with it.
#pragma once

#include "stereo_buffer.h"

struct KWeightingStage {
    double b0, b1, b2, a1, a2;
};
struct KWeighting {
    KWeightingStage shelf;     // the head's acoustic boost of the highs
    KWeightingStage highPass;  // the revised low-frequency B-curve
};

// The two K-weighting biquads for a sample rate.
KWeighting KWeightingFor(int sampleRate);

// Minus infinity when every block lies under the absolute gate (silence).
double IntegratedLoudness(const StereoBuffer& audio);

// The largest absolute sample of either channel.
double SamplePeak(const StereoBuffer& audio);

double ToDecibels(double linear);
double FromDecibels(double decibels);
