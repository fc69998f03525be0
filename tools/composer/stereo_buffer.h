// A piece of stereo audio as two channels of float samples, nominally in [-1, 1].
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "music_format.h"

struct StereoBuffer {
    int sampleRate = kMusicSampleRate;
    std::vector<float> left;
    std::vector<float> right;

    StereoBuffer() = default;
    // Silence of the given length.
    explicit StereoBuffer(std::size_t frames, int rate = kMusicSampleRate) : sampleRate(rate), left(frames), right(frames) {}

    std::size_t Frames() const { return left.size(); }
};

// 16-bit PCM WAV, for listening; samples beyond [-1, 1] are clipped.
std::string EncodeWav(const StereoBuffer& audio);
