// The drum kit, synthesised: a kick (a sine falling in pitch, with a short
// click on top), a snare (two tuned body partials and band-passed noise),
// closed and open hi-hats (high-passed noise) and a crash cymbal (wide,
// decorrelated noise). Hits sound at their row with their velocity; every hit
// draws its own noise, so no two sound exactly alike.
#pragma once

#include <vector>

#include "score.h"
#include "stereo_buffer.h"

void PlayKicks(const std::vector<NoteEvent>& hits, StereoBuffer& stem);
void PlaySnares(const std::vector<NoteEvent>& hits, StereoBuffer& stem);
void PlayClosedHats(const std::vector<NoteEvent>& hits, StereoBuffer& stem);
void PlayOpenHats(const std::vector<NoteEvent>& hits, StereoBuffer& stem);
void PlayCrashes(const std::vector<NoteEvent>& hits, StereoBuffer& stem);
