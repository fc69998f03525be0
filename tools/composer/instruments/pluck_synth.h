// The pluck that plays the arpeggio and the chord stabs: a band-limited saw
// and square through a low-pass filter that snaps shut after each attack.
// Consecutive notes alternate a little left and right.
#pragma once

#include "score/score.h"
#include "stereo_buffer.h"

void PlayPluck(StereoBuffer& stem, const NoteEvent& note);
