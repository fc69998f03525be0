// The loudness meter against the reference values of ITU-R BS.1770-4: the
// filter it weights with, the level of tones, and its two gates.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "mastering/loudness_meter.h"
#include "music_format.h"

namespace {

// A tone in one or both channels, optionally followed by a second part at
// another amplitude.
StereoBuffer Tone(double frequency, double amplitude, double seconds, bool bothChannels = true)
{
    StereoBuffer audio(static_cast<std::size_t>(seconds * kMusicSampleRate), kMusicSampleRate);
    for (std::size_t i = 0; i < audio.Frames(); ++i) {
        const auto s = static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * frequency * static_cast<double>(i) / kMusicSampleRate));
        audio.left[i] = s;
        audio.right[i] = bothChannels ? s : 0.0f;
    }
    return audio;
}

StereoBuffer Concatenate(const StereoBuffer& a, const StereoBuffer& b)
{
    StereoBuffer out = a;
    out.left.insert(out.left.end(), b.left.begin(), b.left.end());
    out.right.insert(out.right.end(), b.right.begin(), b.right.end());
    return out;
}

TEST(KWeighting, MatchesThePublishedCoefficientsAt48kHz)
{
    const KWeighting k = KWeightingFor(48000);
    EXPECT_NEAR(k.shelf.b0, 1.53512485958697, 1e-9);
    EXPECT_NEAR(k.shelf.b1, -2.69169618940638, 1e-9);
    EXPECT_NEAR(k.shelf.b2, 1.19839281085285, 1e-9);
    EXPECT_NEAR(k.shelf.a1, -1.69065929318241, 1e-9);
    EXPECT_NEAR(k.shelf.a2, 0.73248077421585, 1e-9);
    EXPECT_NEAR(k.highPass.a1, -1.99004745483398, 1e-9);
    EXPECT_NEAR(k.highPass.a2, 0.99007225036621, 1e-9);
    EXPECT_EQ(k.highPass.b0, 1.0);
    EXPECT_EQ(k.highPass.b1, -2.0);
    EXPECT_EQ(k.highPass.b2, 1.0);
}

TEST(IntegratedLoudness, A997HertzToneReadsItsLevelInLufs)
{
    // The standard's calibration: a 997 Hz sine in both channels at -20 dBFS
    // reads -20 LUFS; in one channel only it reads 3 dB less.
    EXPECT_NEAR(IntegratedLoudness(Tone(997.0, 0.1, 5.0)), -20.0, 0.05);
    EXPECT_NEAR(IntegratedLoudness(Tone(997.0, 0.1, 5.0, false)), -23.01, 0.05);
}

TEST(IntegratedLoudness, WeightsLowsDownAndHighsUp)
{
    const double middle = IntegratedLoudness(Tone(997.0, 0.1, 5.0));
    EXPECT_LT(IntegratedLoudness(Tone(40.0, 0.1, 5.0)), middle - 1.5) << "the low-frequency B-curve";
    EXPECT_GT(IntegratedLoudness(Tone(8000.0, 0.1, 5.0)), middle + 3.0) << "the head's high shelf";
}

TEST(IntegratedLoudness, SilenceIsUnderTheAbsoluteGate)
{
    EXPECT_EQ(IntegratedLoudness(StereoBuffer(5 * kMusicSampleRate, kMusicSampleRate)), -std::numeric_limits<double>::infinity());
}

TEST(IntegratedLoudness, SilentStretchesDoNotLowerTheReading)
{
    const StereoBuffer tone = Tone(997.0, 0.1, 5.0);
    const StereoBuffer withSilence = Concatenate(tone, StereoBuffer(10 * kMusicSampleRate, kMusicSampleRate));
    // Only the blocks that hold some of the tone count: 47 whole ones and
    // three that straddle its end with 3/4, 1/2 and 1/4 of it.
    EXPECT_NEAR(IntegratedLoudness(withSilence), -20.0 + 10.0 * std::log10(48.5 / 50.0), 0.01);
}

TEST(IntegratedLoudness, PassagesTwentyLuQuieterFallUnderTheRelativeGate)
{
    const StereoBuffer loud = Tone(997.0, 0.1, 5.0);
    const StereoBuffer quiet = Tone(997.0, 0.01, 5.0);
    // Ungated, the mean would be 2.6 LU lower; the relative gate leaves only the loud half.
    EXPECT_NEAR(IntegratedLoudness(Concatenate(loud, quiet)), -20.0, 0.15);
    // 6 dB quieter is above the gate and counts.
    const StereoBuffer softer = Tone(997.0, 0.05, 5.0);
    EXPECT_LT(IntegratedLoudness(Concatenate(loud, softer)), -21.0);
}

TEST(SamplePeak, IsTheLargestMagnitudeOfEitherChannel)
{
    StereoBuffer audio(100, kMusicSampleRate);
    audio.left[10] = 0.5f;
    audio.right[20] = -0.75f;
    EXPECT_DOUBLE_EQ(SamplePeak(audio), 0.75);
    EXPECT_NEAR(ToDecibels(FromDecibels(-1.0)), -1.0, 1e-12);
    EXPECT_NEAR(FromDecibels(-6.0206), 0.5, 1e-4);
}

}  // namespace
