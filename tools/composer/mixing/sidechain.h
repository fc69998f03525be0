// Ducking keyed by the kick: how far the parts that share its range give way
// at each frame, so that every kick comes through clear. Ducking reaches its
// full depth within a few milliseconds of the kick (smoothly, without a click)
// and has mostly recovered a quarter of a second later.
#pragma once

#include <cstddef>
#include <vector>

#include "score/score.h"
#include "stereo_buffer.h"

// 1 where a part ducks fully, 0 where the kick leaves it alone.
std::vector<float> KickDucking(const std::vector<NoteEvent>& kicks, std::size_t frames, int sampleRate);

// Scales the stem by 1 − depth × ducking.
void Duck(StereoBuffer& stem, const std::vector<float>& ducking, float depth);
