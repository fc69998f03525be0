#include "band_energy.h"

#include <algorithm>

#include "synthesis/filters.h"

BandEnergy::BandEnergy(const StereoBuffer& audio, double lowHertz, double highHertz) : band(audio.Frames())
{
    const double rate = audio.sampleRate;
    StateVariableFilter highPass1(lowHertz, 0.7071, rate), highPass2(lowHertz, 0.7071, rate);
    StateVariableFilter lowPass1(highHertz, 0.7071, rate), lowPass2(highHertz, 0.7071, rate);
    for (std::size_t i = 0; i < audio.Frames(); ++i) {
        const float mid = 0.5f * (audio.left[i] + audio.right[i]);
        const float high = highPass2.Process(highPass1.Process(mid).highPass).highPass;
        band[i] = lowPass2.Process(lowPass1.Process(high).lowPass).lowPass;
    }
}

double BandEnergy::Over(std::size_t firstFrame, std::size_t frames) const
{
    const std::size_t first = std::min(firstFrame, band.size());
    const std::size_t last = std::min(firstFrame + frames, band.size());
    double sum = 0.0;
    for (std::size_t i = first; i < last; ++i) sum += static_cast<double>(band[i]) * band[i];
    return last > first ? sum / static_cast<double>(last - first) : 0.0;
}
