#include "mastering/true_peak.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace {

constexpr int kOversampling = 4;
constexpr int kHalfWidth = 16;  // samples on each side of a point between two
constexpr int kTaps = 2 * kHalfWidth;

using Taps = std::array<double, kTaps>;

// The taps that place a point a fraction of a sample after sample 0, from the
// samples −(half width − 1) … half width: a sinc under a Hann window.
Taps InterpolationTaps(double fraction)
{
    Taps taps{};
    for (int k = 0; k < kTaps; ++k) {
        const double t = fraction - (k + 1 - kHalfWidth);
        const double sinc = std::sin(std::numbers::pi * t) / (std::numbers::pi * t);
        taps[static_cast<std::size_t>(k)] = sinc * (0.5 + 0.5 * std::cos(std::numbers::pi * t / kHalfWidth));
    }
    return taps;
}

const std::array<Taps, kOversampling - 1>& Phases()
{
    static const std::array<Taps, kOversampling - 1> phases{
        InterpolationTaps(0.25), InterpolationTaps(0.5), InterpolationTaps(0.75)};
    return phases;
}

}  // namespace

std::vector<float> TruePeaksPerSample(const std::vector<float>& samples)
{
    const auto count = static_cast<std::ptrdiff_t>(samples.size());
    std::vector<float> peaks(samples.size());
    for (std::ptrdiff_t i = 0; i < count; ++i) {
        // Samples before the first and after the last are silence.
        const std::ptrdiff_t first = i + 1 - kHalfWidth;
        const std::ptrdiff_t from = std::max<std::ptrdiff_t>(0, -first);
        const std::ptrdiff_t to = std::min<std::ptrdiff_t>(kTaps, count - first);
        float peak = std::fabs(samples[static_cast<std::size_t>(i)]);
        for (const Taps& taps : Phases()) {
            double value = 0.0;
            for (std::ptrdiff_t k = from; k < to; ++k)
                value += taps[static_cast<std::size_t>(k)] * samples[static_cast<std::size_t>(first + k)];
            peak = std::max(peak, static_cast<float>(std::fabs(value)));
        }
        peaks[static_cast<std::size_t>(i)] = peak;
    }
    return peaks;
}

double TruePeak(const StereoBuffer& audio)
{
    float peak = 0.0f;
    for (const std::vector<float>* channel : {&audio.left, &audio.right}) {
        const std::vector<float> peaks = TruePeaksPerSample(*channel);
        peak = std::max(peak, peaks.empty() ? 0.0f : *std::max_element(peaks.begin(), peaks.end()));
    }
    return peak;
}
