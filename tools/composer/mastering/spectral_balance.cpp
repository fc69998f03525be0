#include "mastering/spectral_balance.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <utility>

namespace {

constexpr std::size_t kWindowFrames = 8192;
constexpr std::size_t kHopFrames = kWindowFrames / 2;
constexpr double kLowestHertz = 20.0;
constexpr double kHighestHertz = 20000.0;
// Third-octave bands k = −10 … 10 around 1 kHz: 100 Hz to 10 kHz.
constexpr int kBandsEachSide = 10;
// Bands go by their nominal centres: "10 kHz" is 10.08 kHz exactly.
constexpr double kNominal = 1.01;

// In-place radix-2 FFT; the length is a power of two.
void Transform(std::vector<std::complex<double>>& values)
{
    const std::size_t n = values.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(values[i], values[j]);
    }
    for (std::size_t length = 2; length <= n; length <<= 1) {
        const double angle = -2.0 * std::numbers::pi / static_cast<double>(length);
        for (std::size_t k = 0; k < length / 2; ++k) {
            const std::complex<double> twiddle = std::polar(1.0, angle * static_cast<double>(k));
            for (std::size_t first = 0; first < n; first += length) {
                const std::complex<double> even = values[first + k];
                const std::complex<double> odd = values[first + k + length / 2] * twiddle;
                values[first + k] = even + odd;
                values[first + k + length / 2] = even - odd;
            }
        }
    }
}

std::vector<double> WelchPower(const StereoBuffer& audio)
{
    std::vector<double> window(kWindowFrames);
    for (std::size_t i = 0; i < kWindowFrames; ++i)
        window[i] = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(i) / kWindowFrames);
    std::vector<double> power(kWindowFrames / 2 + 1, 0.0);
    std::vector<std::complex<double>> values(kWindowFrames);
    for (std::size_t first = 0; first + kWindowFrames <= audio.Frames(); first += kHopFrames) {
        for (std::size_t i = 0; i < kWindowFrames; ++i)
            values[i] = 0.5 * (static_cast<double>(audio.left[first + i]) + audio.right[first + i]) * window[i];
        Transform(values);
        for (std::size_t bin = 0; bin < power.size(); ++bin) power[bin] += std::norm(values[bin]);
    }
    return power;
}

}  // namespace

SpectralBalance::SpectralBalance(const StereoBuffer& audio)
    : binHertz(static_cast<double>(audio.sampleRate) / kWindowFrames), power(WelchPower(audio))
{
    double sumX = 0.0, sumY = 0.0, sumXX = 0.0, sumXY = 0.0;
    for (int k = -kBandsEachSide; k <= kBandsEachSide; ++k) {
        const double octaves = k / 3.0;
        const double centre = 1000.0 * std::exp2(octaves);
        const double level = LevelBetween(centre * std::exp2(-1.0 / 6.0), centre * std::exp2(1.0 / 6.0));
        bands.push_back({centre, level});
        sumX += octaves;
        sumY += level;
        sumXX += octaves * octaves;
        sumXY += octaves * level;
    }
    const auto count = static_cast<double>(bands.size());
    slope = (count * sumXY - sumX * sumY) / (count * sumXX - sumX * sumX);
    lineAtOneKilohertz = (sumY - slope * sumX) / count;
}

SpectralBalance::BinRange SpectralBalance::BinsBetween(double lowHertz, double highHertz) const
{
    const auto bin = [&](double hertz) {
        return std::min(power.size(), static_cast<std::size_t>(std::max(0.0, std::ceil(hertz / binHertz))));
    };
    return {bin(lowHertz), std::max(bin(lowHertz), bin(highHertz))};
}

double SpectralBalance::SumBetween(double lowHertz, double highHertz) const
{
    const BinRange range = BinsBetween(lowHertz, highHertz);
    double sum = 0.0;
    for (std::size_t bin = range.first; bin < range.end; ++bin) sum += power[bin];
    return sum;
}

double SpectralBalance::Share(double lowHertz, double highHertz) const
{
    const double total = SumBetween(kLowestHertz, kHighestHertz);
    const double part = SumBetween(std::max(lowHertz, kLowestHertz), std::min(highHertz, kHighestHertz));
    return total > 0.0 ? part / total : 0.0;
}

double SpectralBalance::HighPassLoss(double cutoffHertz) const
{
    const BinRange range = BinsBetween(kLowestHertz, kHighestHertz);
    double through = 0.0;
    for (std::size_t bin = range.first; bin < range.end; ++bin) {
        const double hertz = static_cast<double>(bin) * binHertz;
        const double ratio = std::pow(hertz / cutoffHertz, 4.0);  // |H|² of the Butterworth high-pass
        through += power[bin] * ratio / (1.0 + ratio);
    }
    return 10.0 * std::log10(through / SumBetween(kLowestHertz, kHighestHertz));
}

double SpectralBalance::LineAt(double hertz) const
{
    return lineAtOneKilohertz + slope * std::log2(hertz / 1000.0);
}

double SpectralBalance::LargestRiseAboveLine(double lowHertz, double highHertz) const
{
    double largest = -std::numeric_limits<double>::infinity();
    for (const ThirdOctaveBand& band : bands)
        if (band.centreHertz >= lowHertz / kNominal && band.centreHertz <= highHertz * kNominal)
            largest = std::max(largest, band.levelDecibels - LineAt(band.centreHertz));
    return largest;
}

double SpectralBalance::LevelBetween(double lowHertz, double highHertz) const
{
    const BinRange range = BinsBetween(lowHertz, highHertz);
    if (range.end == range.first) return -std::numeric_limits<double>::infinity();
    return 10.0 * std::log10(SumBetween(lowHertz, highHertz) / static_cast<double>(range.end - range.first));
}
