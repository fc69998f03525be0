#include "mixing/reverb.h"

#include <array>
#include <cstddef>
#include <vector>

namespace {

// Delay lengths in samples at 44.1 kHz, scaled to the buffer's rate.
constexpr std::array<int, 8> kCombLengths{1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr std::array<int, 4> kAllPassLengths{556, 441, 341, 225};
constexpr int kStereoSpread = 23;
constexpr float kInputGain = 0.015f;

std::size_t ScaledLength(int length44k, int sampleRate)
{
    return static_cast<std::size_t>(length44k * sampleRate / 44100);
}

class DampedComb {
public:
    DampedComb(std::size_t length, float feedbackGain, float dampingAmount)
        : line(length, 0.0f), feedback(feedbackGain), damping(dampingAmount)
    {
    }
    float Process(float input)
    {
        const float output = line[position];
        filtered = output * (1.0f - damping) + filtered * damping;
        line[position] = input + filtered * feedback;
        position = (position + 1) % line.size();
        return output;
    }

private:
    std::vector<float> line;
    float feedback;
    float damping;
    float filtered = 0.0f;
    std::size_t position = 0;
};

class AllPass {
public:
    explicit AllPass(std::size_t length) : line(length, 0.0f) {}
    float Process(float input)
    {
        const float delayed = line[position];
        line[position] = input + delayed * 0.5f;
        position = (position + 1) % line.size();
        return delayed - input;
    }

private:
    std::vector<float> line;
    std::size_t position = 0;
};

class ReverbSide {
public:
    ReverbSide(const ReverbSettings& settings, int sampleRate, int spread)
    {
        for (const int length : kCombLengths)
            combs.emplace_back(ScaledLength(length + spread, sampleRate), static_cast<float>(settings.roomSize),
                               static_cast<float>(settings.damping));
        for (const int length : kAllPassLengths) allPasses.emplace_back(ScaledLength(length + spread, sampleRate));
    }
    float Process(float input)
    {
        float sum = 0.0f;
        for (DampedComb& comb : combs) sum += comb.Process(input);
        for (AllPass& allPass : allPasses) sum = allPass.Process(sum);
        return sum;
    }

private:
    std::vector<DampedComb> combs;
    std::vector<AllPass> allPasses;
};

}  // namespace

StereoBuffer Reverberate(const StereoBuffer& input, const ReverbSettings& settings)
{
    ReverbSide left(settings, input.sampleRate, 0);
    ReverbSide right(settings, input.sampleRate, kStereoSpread);
    const float direct = static_cast<float>(0.5 * (1.0 + settings.width));
    const float crossed = static_cast<float>(0.5 * (1.0 - settings.width));
    StereoBuffer wet(input.Frames(), input.sampleRate);
    for (std::size_t i = 0; i < input.Frames(); ++i) {
        const float mono = (input.left[i] + input.right[i]) * kInputGain;
        const float l = left.Process(mono);
        const float r = right.Process(mono);
        wet.left[i] = l * direct + r * crossed;
        wet.right[i] = r * direct + l * crossed;
    }
    return wet;
}
