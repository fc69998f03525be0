// The demo's soundtrack from score to stream: the score is mixed, mastered to
// the loudness of streamed music with room left under full scale for the
// codec, and encoded as Ogg Vorbis. Everything is computed from fixed seeds in
// one thread, so the same build gives the same bytes on every run.
#pragma once

#include <string>

#include "mastering/mastering.h"
#include "stereo_buffer.h"

// -14 LUFS, true peaks at -2.5 dBTP before encoding: Vorbis overshoots the
// original's peaks by a fraction of a decibel, and the decoded stream must
// stay under -1 dBTP.
inline constexpr MasteringTarget kSoundtrackMastering{-14.0, -2.5};
inline constexpr float kSoundtrackVorbisQuality = 0.6f;

StereoBuffer RenderSoundtrack();
std::string EncodeSoundtrack(const StereoBuffer& soundtrack);
