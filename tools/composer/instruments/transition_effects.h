// Sounds that mark the cuts of the picture: a noise riser sweeping up into a
// cut, a reversed cymbal swelling into one, and a deep impact that lands on
// one. Risers and reversed cymbals take their note's length as the time they
// build for and stop dead (with a few milliseconds' fade) where the note ends.
#pragma once

#include "score/score.h"
#include "stereo_buffer.h"

void PlayRiser(StereoBuffer& stem, const NoteEvent& note);
void PlayReverseCymbal(StereoBuffer& stem, const NoteEvent& note);
void PlayImpact(StereoBuffer& stem, const NoteEvent& hit);
