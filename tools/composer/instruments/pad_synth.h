// The pad: every note is four band-limited saws detuned by a few cents and
// spread from left to right, slow to swell and slow to fade. Its brightness
// comes from the part's filter automation in the mixer.
#pragma once

#include "score/score.h"
#include "stereo_buffer.h"

void PlayPadNote(StereoBuffer& stem, const NoteEvent& note);
