#include "mastering/limiter.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <vector>

#include "mastering/true_peak.h"

namespace {

// The smallest value in the window [i, i + width] for every i (a monotonic queue).
std::vector<double> ForwardMinimum(const std::vector<double>& values, std::size_t width)
{
    std::vector<double> minimum(values.size());
    std::deque<std::size_t> candidates;
    std::size_t next = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        while (next < values.size() && next <= i + width) {
            while (!candidates.empty() && values[candidates.back()] >= values[next]) candidates.pop_back();
            candidates.push_back(next++);
        }
        while (candidates.front() < i) candidates.pop_front();
        minimum[i] = values[candidates.front()];
    }
    return minimum;
}

}  // namespace

void LimitPeaks(StereoBuffer& audio, const LimiterSettings& settings)
{
    const std::size_t frames = audio.Frames();
    if (frames == 0) return;
    const auto lookAhead = std::max<std::size_t>(1, static_cast<std::size_t>(settings.lookAheadSeconds * audio.sampleRate));

    // The gain each frame needs on its own to keep it, and the peaks between
    // it and the next frame, under the ceiling.
    const std::vector<float> left = TruePeaksPerSample(audio.left);
    const std::vector<float> right = TruePeaksPerSample(audio.right);
    std::vector<double> needed(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        const double peak = std::max(left[i], right[i]);
        needed[i] = peak > settings.ceiling ? settings.ceiling / peak : 1.0;
    }
    // Held down over the look-ahead before each peak, then released slowly.
    const std::vector<double> ahead = ForwardMinimum(needed, lookAhead);
    const double recovery = 1.0 - std::exp(-1.0 / (settings.releaseSeconds * audio.sampleRate));
    std::vector<double> held(frames);
    double gain = 1.0;
    for (std::size_t i = 0; i < frames; ++i) {
        gain = std::min(ahead[i], gain + (1.0 - gain) * recovery);
        held[i] = gain;
    }
    // Averaging the held gain over the look-ahead behind each frame turns every
    // drop into a ramp; since each averaged value was held for this frame's
    // peak, the ramp reaches its depth by the time the peak plays.
    double sum = 0.0;
    for (std::size_t i = 0; i < frames; ++i) {
        sum += held[i];
        const std::size_t count = std::min(i + 1, lookAhead + 1);
        if (i >= lookAhead + 1) sum -= held[i - lookAhead - 1];
        const double smoothed = sum / static_cast<double>(count);
        audio.left[i] = static_cast<float>(audio.left[i] * smoothed);
        audio.right[i] = static_cast<float>(audio.right[i] * smoothed);
    }
}
