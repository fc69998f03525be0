// The spectral balance meter against signals whose balance is known: white
// noise is flat and shares its power in proportion to bandwidth, pink noise
// falls 3 dB an octave, a tone stands above the line in its band, and the
// small speaker's high-pass takes what a Butterworth response takes.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "mastering/spectral_balance.h"
#include "music_format.h"
#include "synthesis/noise.h"

namespace {

constexpr double kSeconds = 5.0;

enum class Noise { kNone, kWhite, kPink };

// White noise, or pink noise by Paul Kellet's filter (within a tenth of a dB
// of −3 dB an octave over the audible range), plus a tone if asked.
StereoBuffer Signal(Noise colour, double toneHertz = 0.0, double toneAmplitude = 0.0)
{
    StereoBuffer audio(static_cast<std::size_t>(kSeconds * kMusicSampleRate), kMusicSampleRate);
    WhiteNoise noise(3);
    double b0 = 0, b1 = 0, b2 = 0, b3 = 0, b4 = 0, b5 = 0, b6 = 0;
    for (std::size_t i = 0; i < audio.Frames(); ++i) {
        const double white = noise.Next();
        double sample = colour == Noise::kWhite ? white : 0.0;
        if (colour == Noise::kPink) {
            b0 = 0.99886 * b0 + white * 0.0555179;
            b1 = 0.99332 * b1 + white * 0.0750759;
            b2 = 0.96900 * b2 + white * 0.1538520;
            b3 = 0.86650 * b3 + white * 0.3104856;
            b4 = 0.55000 * b4 + white * 0.5329522;
            b5 = -0.7616 * b5 - white * 0.0168980;
            sample = 0.1 * (b0 + b1 + b2 + b3 + b4 + b5 + b6 + white * 0.5362);
            b6 = white * 0.115926;
        }
        const double t = static_cast<double>(i) / kMusicSampleRate;
        sample += toneAmplitude * std::sin(2.0 * std::numbers::pi * toneHertz * t);
        audio.left[i] = audio.right[i] = static_cast<float>(sample);
    }
    return audio;
}

TEST(SpectralBalance, WhiteNoiseIsFlatAndSharesItsPowerByBandwidth)
{
    const SpectralBalance white(Signal(Noise::kWhite));
    EXPECT_NEAR(white.Slope(), 0.0, 0.1);
    EXPECT_NEAR(white.Share(2000.0, 20000.0), 18000.0 / 19980.0, 0.01);
    EXPECT_NEAR(white.Share(0.0, 120.0), 100.0 / 19980.0, 0.002) << "the share starts at 20 Hz";
    EXPECT_NEAR(white.Share(8000.0, 1e9), 12000.0 / 19980.0, 0.01) << "and ends at 20 kHz";
    EXPECT_EQ(white.Bands().size(), 21u);
    EXPECT_NEAR(white.Bands().front().centreHertz, 99.2, 0.1);
    EXPECT_NEAR(white.Bands().back().centreHertz, 10079.4, 0.1);
}

TEST(SpectralBalance, PinkNoiseFallsThreeDecibelsAnOctaveAlongItsLine)
{
    const SpectralBalance pink(Signal(Noise::kPink));
    EXPECT_NEAR(pink.Slope(), -3.01, 0.15);
    EXPECT_NEAR(pink.LineAt(2000.0) - pink.LineAt(1000.0), pink.Slope(), 1e-9);
    EXPECT_LT(pink.LargestRiseAboveLine(2000.0, 10000.0), 0.5);
}

TEST(SpectralBalance, AToneStandsAboveTheLineInItsBandOnly)
{
    const SpectralBalance balance(Signal(Noise::kPink, 4000.0, 0.2));
    EXPECT_GT(balance.LargestRiseAboveLine(2000.0, 10000.0), 10.0);
    EXPECT_GT(balance.LargestRiseAboveLine(4000.0, 4000.0), 10.0);
    EXPECT_LT(balance.LargestRiseAboveLine(5000.0, 10000.0), 1.0);
}

TEST(SpectralBalance, SmallSpeakerLossFollowsASecondOrderButterworthHighPass)
{
    // |H|² = (f/fc)⁴ / (1 + (f/fc)⁴): −12.3 dB an octave under the cut-off, −3 dB at it.
    for (const auto& [hertz, loss] : {std::pair{100.0, -12.30}, std::pair{200.0, -3.01}, std::pair{1000.0, -0.007}}) {
        const SpectralBalance tone(Signal(Noise::kNone, hertz, 1.0));
        EXPECT_NEAR(tone.HighPassLoss(200.0), loss, 0.1) << hertz << " Hz";
    }
}

}  // namespace
