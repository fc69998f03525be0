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

#include "stereo_buffer.h"

struct MusicFollowing {
    double leadingSeconds = 0.0;  // silence before the music starts
    double musicSeconds = 0.0;    // how far into the music the recording follows it without a break
    std::string fault;            // empty while the recording is silence, the music, silence
};

// recording: interleaved left/right samples at the music's sample rate. Until
// enough sound has been recorded to find the mix gain, the music has not started.
MusicFollowing FollowMusic(const StereoBuffer& music, std::span<const std::int16_t> recording);
