#include "mixing/stereo_delay.h"

#include <cmath>
#include <vector>

#include "score/music_timing.h"
#include "synthesis/filters.h"

StereoBuffer Echo(const StereoBuffer& input, const DelaySettings& settings)
{
    const double rate = input.sampleRate;
    const auto delayFrames = static_cast<std::size_t>(std::lround(RowsToSeconds(settings.delayRows) * rate));
    std::vector<float> leftLine(delayFrames, 0.0f);
    std::vector<float> rightLine(delayFrames, 0.0f);
    OnePoleLowPass leftTone(settings.toneHertz, rate);
    OnePoleLowPass rightTone(settings.toneHertz, rate);
    OnePoleHighPass leftLowCut(settings.lowCutHertz, rate);
    OnePoleHighPass rightLowCut(settings.lowCutHertz, rate);
    const auto feedback = static_cast<float>(settings.feedback);
    StereoBuffer wet(input.Frames(), input.sampleRate);
    std::size_t position = 0;
    for (std::size_t i = 0; i < input.Frames(); ++i) {
        const float fromLeft = leftLine[position];
        const float fromRight = rightLine[position];
        wet.left[i] = fromLeft;
        wet.right[i] = fromRight;
        const float mono = 0.5f * (input.left[i] + input.right[i]);
        leftLine[position] = leftLowCut.Process(leftTone.Process(mono + feedback * fromRight));
        rightLine[position] = rightLowCut.Process(rightTone.Process(feedback * fromLeft));
        position = (position + 1) % delayFrames;
    }
    return wet;
}
