// White noise from a fixed seed (xorshift32): the same seed gives the same
// noise on every run, which keeps the soundtrack reproducible. Filtered stereo
// noise built on it gives the noisy sounds (a snare's rattle, cymbals, risers)
// their width.
#pragma once

#include <cstdint>

#include "synthesis/filters.h"

class WhiteNoise {
public:
    explicit WhiteNoise(std::uint32_t seed) : state(seed != 0 ? seed : 0x9E3779B9u) {}

    // Uniform in [-1, 1).
    float Next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<float>(static_cast<double>(state) / 2147483648.0 - 1.0);
    }

private:
    std::uint32_t state;
};

// A seed for one event, from the part that plays it and the row it falls on,
// so that no two hits of a drum sound exactly alike.
constexpr std::uint32_t EventSeed(std::uint32_t part, int row)
{
    std::uint32_t h = part * 0x9E3779B1u ^ static_cast<std::uint32_t>(row) * 0x85EBCA77u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return h;
}

// Noise for both channels of one event: two independent sources, each through a
// state-variable filter of its own, so that the sound fills the stereo field
// instead of sitting in its middle. Cut-offs may differ between the channels.
class FilteredStereoNoise {
public:
    struct Outputs {
        StateVariableFilter::Outputs left;
        StateVariableFilter::Outputs right;
    };

    FilteredStereoNoise(std::uint32_t part, int row, double leftCutoff, double rightCutoff, double resonance,
                        double sampleRate)
        : leftNoise(EventSeed(part, row)),
          rightNoise(EventSeed(part, row + kRightChannelRows)),
          leftFilter(leftCutoff, resonance, sampleRate),
          rightFilter(rightCutoff, resonance, sampleRate)
    {
    }

    void Tune(double leftCutoff, double rightCutoff, double resonance)
    {
        leftFilter.Tune(leftCutoff, resonance);
        rightFilter.Tune(rightCutoff, resonance);
    }

    Outputs Next() { return {leftFilter.Process(leftNoise.Next()), rightFilter.Process(rightNoise.Next())}; }

private:
    // The right channel is seeded as an event on a row far past the piece's end,
    // so it never repeats the left channel of another event.
    static constexpr int kRightChannelRows = 100000;

    WhiteNoise leftNoise;
    WhiteNoise rightNoise;
    StateVariableFilter leftFilter;
    StateVariableFilter rightFilter;
};
