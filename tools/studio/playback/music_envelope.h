// The music's loudness over the rows, for the timeline's music lane: the
// samples' RMS in buckets of an eighth of a row, scaled so that the loudest
// bucket reads 1. Made once from the decoded music; no window needed.
#pragma once

#include <span>
#include <vector>

class MusicEnvelope {
public:
    static constexpr int kBucketsPerRow = 8;

    MusicEnvelope() = default;
    // `samples` interleaved, `channels` to a frame, `sampleRate` frames a second.
    MusicEnvelope(std::span<const float> samples, int channels, int sampleRate);

    // The loudest bucket that rows `from` to `to` touch, from 0 (silence, or
    // outside the music) to 1.
    float Loudness(double from, double to) const;
    bool Empty() const { return buckets.empty(); }

private:
    std::vector<float> buckets;
};
