#include "mixing/sidechain.h"

#include <algorithm>
#include <cmath>

#include "instruments/voice_output.h"

namespace {

constexpr double kAttackSeconds = 0.005;
constexpr double kHoldSeconds = 0.02;
constexpr double kReleaseSeconds = 0.1;
constexpr double kLengthSeconds = 0.6;

double DuckingShape(double t)
{
    if (t < kAttackSeconds) {
        const double x = t / kAttackSeconds;
        return x * x * (3.0 - 2.0 * x);
    }
    if (t < kAttackSeconds + kHoldSeconds) return 1.0;
    const double released = std::exp(-(t - kAttackSeconds - kHoldSeconds) / kReleaseSeconds);
    const double taper = std::clamp((kLengthSeconds - t) / 0.1, 0.0, 1.0);
    return released * taper;
}

}  // namespace

std::vector<float> KickDucking(const std::vector<NoteEvent>& kicks, std::size_t frames, int sampleRate)
{
    std::vector<float> ducking(frames, 0.0f);
    const auto length = static_cast<std::size_t>(kLengthSeconds * sampleRate);
    for (const NoteEvent& kick : kicks) {
        const std::size_t start = NoteStartFrame(kick);
        for (std::size_t i = 0; i < length && start + i < frames; ++i) {
            const auto amount = static_cast<float>(kick.velocity * DuckingShape(static_cast<double>(i) / sampleRate));
            ducking[start + i] = std::max(ducking[start + i], amount);
        }
    }
    return ducking;
}

void Duck(StereoBuffer& stem, const std::vector<float>& ducking, float depth)
{
    for (std::size_t i = 0; i < stem.Frames() && i < ducking.size(); ++i) {
        const float gain = 1.0f - depth * ducking[i];
        stem.left[i] *= gain;
        stem.right[i] *= gain;
    }
}
