// A ping-pong echo: the input enters on the left, and each repeat crosses to
// the other side, a little darker and thinner than the one before.
#pragma once

#include "stereo_buffer.h"

struct DelaySettings {
    double delayRows = 3.0;  // a dotted eighth
    double feedback = 0.42;
    double toneHertz = 4500.0;  // low-pass in the loop
    double lowCutHertz = 250.0;  // high-pass in the loop
};

// The echoes only, of the same length as the input.
StereoBuffer Echo(const StereoBuffer& input, const DelaySettings& settings);
