// The true peak of ITU-R BS.1770-4's Annex 2: the level of a signal once it is
// upsampled four times, which finds the peaks that fall between samples, as a
// converter's reconstruction filter or a decoder brings them out. The limiter
// holds the master's true peak down with it, and the tests measure the
// decoded stream's.
#pragma once

#include <vector>

#include "stereo_buffer.h"

// For each sample, the largest magnitude of the sample itself and of the three
// points upsampling puts between it and the next one.
std::vector<float> TruePeaksPerSample(const std::vector<float>& samples);

// The largest magnitude of either channel, upsampled.
double TruePeak(const StereoBuffer& audio);
