// The lead that sings the melody: two band-limited saws a few cents apart with
// a square an octave below, through a low-pass filter that opens on each
// attack and settles, and a vibrato that sets in once a note is held.
#pragma once

#include "score/score.h"
#include "stereo_buffer.h"

void PlayLeadNote(StereoBuffer& stem, const NoteEvent& note);
