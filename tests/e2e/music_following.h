// Whether a recording of what a program played is a piece of music from its
// start, in order and without a break.
//
// The recording is what a sound device took: 16-bit stereo frames, the music
// scaled by the player's mix gain (found from the recording itself) and
// rounded. Silence may come before the music and after it; once the music has
// stopped, any sound again (the music going on after a gap, a skipped or
// repeated stretch of it, other sound, another level) is a fault.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "stereo_buffer.h"

struct MusicFollowing {
    double leadingSeconds = 0.0;  // silence before the music starts
    double musicSeconds = 0.0;    // how far into the music the recording follows it without a break
    std::string fault;            // empty while the recording is silence, the music, silence
};

// recording: interleaved left/right samples at the music's sample rate. Until
// enough sound has been recorded to find the mix gain, the music has not started.
MusicFollowing FollowMusic(const StereoBuffer& music, std::span<const std::int16_t> recording);

// A stretch of a recording that is the music, frame for frame.
struct MusicStretch {
    std::size_t recordingFrame;  // its first frame in the recording
    std::size_t musicFrame;      // and in the music
    std::size_t frames;
};

// The recording as the music played with pauses, by a player that stops and
// later goes on from where it stopped (a minimised window): the stretches in
// order, the first from the music's start, each other one going on from
// within a second of where the one before it stopped, and each at least
// 0.1 s long. Empty when the music's start is not found.
std::vector<MusicStretch> FollowPausedMusic(const StereoBuffer& music, std::span<const std::int16_t> recording);
