// The soundtrack as the demo hears it: the embedded Ogg Vorbis stream decoded
// by raylib (stb_vorbis underneath), the decoder that plays it in the demo.
// Decoding needs neither a window nor an audio device.
#pragma once

#include "stereo_buffer.h"

struct DecodedSoundtrack {
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;
    StereoBuffer audio;  // empty unless the stream has two channels of 16-bit samples
};

// Decoded on first use and kept for the rest of the test run.
const DecodedSoundtrack& EmbeddedSoundtrack();
