#include "mastering/mastering.h"

#include "mastering/limiter.h"
#include "mastering/loudness_meter.h"

namespace {

constexpr int kPasses = 3;

StereoBuffer GainAndLimit(const StereoBuffer& mix, double gainDecibels, double ceiling)
{
    StereoBuffer out = mix;
    const auto gain = static_cast<float>(FromDecibels(gainDecibels));
    for (std::size_t i = 0; i < out.Frames(); ++i) {
        out.left[i] *= gain;
        out.right[i] *= gain;
    }
    LimitPeaks(out, LimiterSettings{.ceiling = ceiling});
    return out;
}

}  // namespace

StereoBuffer Master(const StereoBuffer& mix, const MasteringTarget& target)
{
    const double ceiling = FromDecibels(target.peakCeiling);
    double gain = target.loudness - IntegratedLoudness(mix);
    StereoBuffer mastered = GainAndLimit(mix, gain, ceiling);
    for (int pass = 1; pass < kPasses; ++pass) {
        gain += target.loudness - IntegratedLoudness(mastered);
        mastered = GainAndLimit(mix, gain, ceiling);
    }
    return mastered;
}
