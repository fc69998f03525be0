// White noise from a fixed seed (xorshift32): the same seed gives the same
// noise on every run, which keeps the soundtrack reproducible.
#pragma once

#include <cstdint>

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
