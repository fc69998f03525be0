#include "tone_probe.h"

#include <cmath>
#include <numbers>

double ToneAmplitude(const std::vector<float>& samples, double frequency, double sampleRate)
{
    const double n = static_cast<double>(samples.size());
    double real = 0.0;
    double imaginary = 0.0;
    double windowSum = 0.0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double x = static_cast<double>(i);
        const double window = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * x / n);
        const double angle = 2.0 * std::numbers::pi * frequency * x / sampleRate;
        real += window * samples[i] * std::cos(angle);
        imaginary += window * samples[i] * std::sin(angle);
        windowSum += window;
    }
    return 2.0 * std::hypot(real, imaginary) / windowSum;
}

double Rms(const std::vector<float>& samples)
{
    double sum = 0.0;
    for (const float s : samples) sum += static_cast<double>(s) * s;
    return samples.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(samples.size()));
}
