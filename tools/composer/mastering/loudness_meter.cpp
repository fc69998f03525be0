#include "mastering/loudness_meter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "synthesis/filters.h"

namespace {

constexpr double kBlockSeconds = 0.4;
constexpr int kSegmentsPerBlock = 4;  // blocks overlap by 75 %
constexpr double kAbsoluteGate = -70.0;
constexpr double kRelativeGate = -10.0;

double BlockLoudness(double meanSquare) { return -0.691 + 10.0 * std::log10(meanSquare); }

// Sum of the K-weighted squares of both channels over consecutive 100 ms segments.
std::vector<double> SegmentEnergies(const StereoBuffer& audio, std::size_t segmentFrames)
{
    const KWeighting k = KWeightingFor(audio.sampleRate);
    auto stage = [](const KWeightingStage& s) { return Biquad(s.b0, s.b1, s.b2, s.a1, s.a2); };
    Biquad leftShelf = stage(k.shelf), leftHighPass = stage(k.highPass);
    Biquad rightShelf = stage(k.shelf), rightHighPass = stage(k.highPass);
    std::vector<double> energies(audio.Frames() / segmentFrames, 0.0);
    for (std::size_t i = 0; i < energies.size() * segmentFrames; ++i) {
        const double left = leftHighPass.Process(leftShelf.Process(audio.left[i]));
        const double right = rightHighPass.Process(rightShelf.Process(audio.right[i]));
        energies[i / segmentFrames] += left * left + right * right;
    }
    return energies;
}

double MeanOfBlocksAbove(const std::vector<double>& blockMeans, double gate)
{
    double sum = 0.0;
    std::size_t count = 0;
    for (const double mean : blockMeans) {
        if (BlockLoudness(mean) > gate) {
            sum += mean;
            ++count;
        }
    }
    return count > 0 ? sum / static_cast<double>(count) : 0.0;
}

}  // namespace

KWeighting KWeightingFor(int sampleRate)
{
    const double rate = sampleRate;
    KWeighting k{};
    {
        const double f0 = 1681.974450955533, gain = 3.999843853973347, q = 0.7071752369554196;
        const double kk = std::tan(std::numbers::pi * f0 / rate);
        const double vh = std::pow(10.0, gain / 20.0);
        const double vb = std::pow(vh, 0.4996667741545416);
        const double a0 = 1.0 + kk / q + kk * kk;
        k.shelf = {(vh + vb * kk / q + kk * kk) / a0, 2.0 * (kk * kk - vh) / a0, (vh - vb * kk / q + kk * kk) / a0,
                   2.0 * (kk * kk - 1.0) / a0, (1.0 - kk / q + kk * kk) / a0};
    }
    {
        const double f0 = 38.13547087602444, q = 0.5003270373238773;
        const double kk = std::tan(std::numbers::pi * f0 / rate);
        const double a0 = 1.0 + kk / q + kk * kk;
        k.highPass = {1.0, -2.0, 1.0, 2.0 * (kk * kk - 1.0) / a0, (1.0 - kk / q + kk * kk) / a0};
    }
    return k;
}

double IntegratedLoudness(const StereoBuffer& audio)
{
    const auto blockFrames = static_cast<std::size_t>(std::lround(kBlockSeconds * audio.sampleRate));
    const std::size_t segmentFrames = blockFrames / kSegmentsPerBlock;
    const std::vector<double> segments = SegmentEnergies(audio, segmentFrames);
    std::vector<double> blockMeans;
    for (std::size_t first = 0; first + kSegmentsPerBlock <= segments.size(); ++first) {
        double energy = 0.0;
        for (std::size_t s = first; s < first + kSegmentsPerBlock; ++s) energy += segments[s];
        blockMeans.push_back(energy / static_cast<double>(segmentFrames * kSegmentsPerBlock));
    }
    const double ungated = MeanOfBlocksAbove(blockMeans, kAbsoluteGate);
    if (ungated <= 0.0) return -std::numeric_limits<double>::infinity();
    const double relativeGate = BlockLoudness(ungated) + kRelativeGate;
    return BlockLoudness(MeanOfBlocksAbove(blockMeans, std::max(kAbsoluteGate, relativeGate)));
}

double SamplePeak(const StereoBuffer& audio)
{
    float peak = 0.0f;
    for (std::size_t i = 0; i < audio.Frames(); ++i)
        peak = std::max({peak, std::fabs(audio.left[i]), std::fabs(audio.right[i])});
    return peak;
}

double ToDecibels(double linear) { return 20.0 * std::log10(linear); }
double FromDecibels(double decibels) { return std::pow(10.0, decibels / 20.0); }
