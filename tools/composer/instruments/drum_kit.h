// The drum kit, synthesised: a kick (a sine falling in pitch, with a short
// click on top, driven so that its harmonics carry it on small speakers), a
// snare (two tuned body partials, band-passed noise and a crack of the noise
// above it), closed and open hi-hats (high-passed noise) and a crash cymbal
// (wide, decorrelated noise). Hits sound at their row with their velocity;
// every hit draws its own noise, so no two sound exactly alike.
#pragma once

#include "score/score.h"
#include "stereo_buffer.h"

void PlayKick(StereoBuffer& stem, const NoteEvent& hit);
void PlaySnare(StereoBuffer& stem, const NoteEvent& hit);
void PlayClosedHat(StereoBuffer& stem, const NoteEvent& hit);
void PlayOpenHat(StereoBuffer& stem, const NoteEvent& hit);
void PlayCrash(StereoBuffer& stem, const NoteEvent& hit);
