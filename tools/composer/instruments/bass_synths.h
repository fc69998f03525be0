// The two basses: a sub (a sine, saturated so that its harmonics carry it on
// speakers that give little below 200 Hz) that carries the low end in mono,
// and a reese (two detuned band-limited saws drifting against each other, one
// on each side) that gives the bass line its growl in the mids.
#pragma once

#include "score/score.h"
#include "stereo_buffer.h"

void PlaySubBassNote(StereoBuffer& stem, const NoteEvent& note);
void PlayReeseBassNote(StereoBuffer& stem, const NoteEvent& note);
