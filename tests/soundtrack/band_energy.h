// The energy of one frequency band of a piece over short windows: enough to
// tell where a kick starts, or that nothing starts at all.
#pragma once

#include <cstddef>
#include <vector>

#include "stereo_buffer.h"

class BandEnergy {
public:
    // Band-passes the mid signal (left plus right) once, 24 dB per octave on each side.
    BandEnergy(const StereoBuffer& audio, double lowHertz, double highHertz);
    // Mean square over [firstFrame, firstFrame + frames), clipped to the piece.
    double Over(std::size_t firstFrame, std::size_t frames) const;

private:
    std::vector<float> band;
};
