// A piece of stereo audio as two channels of float samples in [-1, 1].
#pragma once

#include <string>
#include <vector>

struct StereoBuffer {
    int sampleRate = 48000;
    std::vector<float> left;
    std::vector<float> right;

    std::size_t Frames() const { return left.size(); }
};

// 16-bit PCM WAV, for listening.
std::string EncodeWav(const StereoBuffer& audio);
