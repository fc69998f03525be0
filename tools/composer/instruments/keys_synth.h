// Electric-piano keys by frequency modulation: a sine carrier with a sine
// modulator at the same frequency whose depth falls after the attack, so that
// each note starts bright and mellows like a struck tine. Low modulation depth
// keeps its sidebands far below half the sample rate. Two carriers a few
// cents apart, one on each side, give the keys their width.
#pragma once

#include "score/score.h"
#include "stereo_buffer.h"

void PlayKeysNote(StereoBuffer& stem, const NoteEvent& note);
