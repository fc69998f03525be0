// The shared effects and the master bus: echo, reverb, ducking under the kick,
// the peak limiter and the mastering chain.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "mastering/limiter.h"
#include "mastering/loudness_meter.h"
#include "mastering/mastering.h"
#include "mastering/true_peak.h"
#include "mixing/reverb.h"
#include "mixing/sidechain.h"
#include "mixing/stereo_delay.h"
#include "music_format.h"
#include "score/music_timing.h"
#include "synthesis/noise.h"

namespace {

StereoBuffer Impulse(double seconds)
{
    StereoBuffer audio(static_cast<std::size_t>(seconds * kMusicSampleRate), kMusicSampleRate);
    audio.left[0] = 1.0f;
    audio.right[0] = 1.0f;
    return audio;
}

double PeakBetween(const std::vector<float>& channel, double fromSeconds, double toSeconds)
{
    const auto first = static_cast<std::size_t>(fromSeconds * kMusicSampleRate);
    const auto last = std::min(channel.size(), static_cast<std::size_t>(toSeconds * kMusicSampleRate));
    float peak = 0.0f;
    for (std::size_t i = first; i < last; ++i) peak = std::max(peak, std::fabs(channel[i]));
    return peak;
}

// The first frame at which a channel rises above a level.
std::size_t FirstAbove(const std::vector<float>& channel, float level)
{
    for (std::size_t i = 0; i < channel.size(); ++i)
        if (std::fabs(channel[i]) > level) return i;
    return channel.size();
}

TEST(PingPongEcho, FirstRepeatComesADottedEighthLaterOnTheLeftThenCrossesRight)
{
    const StereoBuffer echoes = Echo(Impulse(2.0), DelaySettings{});
    const std::size_t delay = RowToFrame(3);
    EXPECT_NEAR(static_cast<double>(FirstAbove(echoes.left, 1e-3f)), static_cast<double>(delay), 2.0);
    EXPECT_NEAR(static_cast<double>(FirstAbove(echoes.right, 1e-3f)), static_cast<double>(2 * delay), 2.0);
    EXPECT_EQ(PeakBetween(echoes.left, 0.0, 0.25), 0.0) << "nothing before the first repeat";
}

TEST(PingPongEcho, RepeatsFadeAway)
{
    const StereoBuffer echoes = Echo(Impulse(6.0), DelaySettings{});
    EXPECT_LT(ToDecibels(PeakBetween(echoes.left, 4.0, 6.0) / PeakBetween(echoes.left, 0.0, 1.0)), -50.0);
}

TEST(Reverb, TailIsWideAndDiesAwayWithinThreeSeconds)
{
    const StereoBuffer wet = Reverberate(Impulse(4.0), ReverbSettings{});
    const double early = std::max(PeakBetween(wet.left, 0.0, 0.5), PeakBetween(wet.right, 0.0, 0.5));
    ASSERT_GT(early, 0.0);
    EXPECT_LT(ToDecibels(PeakBetween(wet.left, 3.0, 4.0) / early), -60.0);
    double difference = 0.0;
    for (std::size_t i = 0; i < wet.Frames(); ++i) difference += std::fabs(wet.left[i] - wet.right[i]);
    EXPECT_GT(difference, 0.1) << "a mono reverb";
    for (std::size_t i = 0; i < wet.Frames(); ++i) ASSERT_TRUE(std::isfinite(wet.left[i]));
}

TEST(KickDucking, DucksFullyJustAfterEachKickAndRecoversBeforeTheNextBeat)
{
    const std::size_t frames = RowToFrame(32);
    const std::vector<float> ducking = KickDucking({{0, 1, 0, 1.0f}, {16, 1, 0, 0.5f}}, frames, kMusicSampleRate);
    EXPECT_EQ(ducking[0], 0.0f) << "no jump at the kick itself";
    EXPECT_NEAR(ducking[static_cast<std::size_t>(0.01 * kMusicSampleRate)], 1.0f, 1e-6f);
    EXPECT_LT(ducking[RowToFrame(4) - 1], 0.15f) << "still ducked a beat later";
    EXPECT_NEAR(ducking[RowToFrame(16) + static_cast<std::size_t>(0.01 * kMusicSampleRate)], 0.5f, 1e-6f)
        << "a softer kick ducks less";
    float largestStep = 0.0f;
    for (std::size_t i = 1; i < frames; ++i) largestStep = std::max(largestStep, std::fabs(ducking[i] - ducking[i - 1]));
    EXPECT_LT(largestStep, 0.01f) << "ducking that clicks";
}

TEST(KickDucking, ScalesTheStemByItsDepth)
{
    StereoBuffer stem(4, kMusicSampleRate);
    std::fill(stem.left.begin(), stem.left.end(), 1.0f);
    std::fill(stem.right.begin(), stem.right.end(), -1.0f);
    Duck(stem, {0.0f, 0.5f, 1.0f, 1.0f}, 0.8f);
    EXPECT_FLOAT_EQ(stem.left[0], 1.0f);
    EXPECT_FLOAT_EQ(stem.left[1], 0.6f);
    EXPECT_FLOAT_EQ(stem.right[2], -0.2f);
}

// Noise with a few loud bursts, like drums over a mix.
StereoBuffer BurstyNoise(double seconds)
{
    StereoBuffer audio(static_cast<std::size_t>(seconds * kMusicSampleRate), kMusicSampleRate);
    WhiteNoise noise(7);
    for (std::size_t i = 0; i < audio.Frames(); ++i) {
        const float burst = (i % 24000) < 2000 ? 4.0f : 1.0f;
        audio.left[i] = 0.2f * burst * noise.Next();
        audio.right[i] = 0.2f * burst * noise.Next();
    }
    return audio;
}

// A tone at a quarter of the sample rate whose samples all fall halfway
// between its crests: its sample peak is 3 dB under its true peak.
StereoBuffer QuarterRateTone(double amplitude)
{
    StereoBuffer audio(kMusicSampleRate / 10, kMusicSampleRate);
    for (std::size_t i = 0; i < audio.Frames(); ++i) {
        const double phase = std::numbers::pi / 2.0 * static_cast<double>(i) + std::numbers::pi / 4.0;
        audio.left[i] = audio.right[i] = static_cast<float>(amplitude * std::sin(phase));
    }
    return audio;
}

TEST(TruePeak, FindsTheCrestsBetweenSamples)
{
    const StereoBuffer tone = QuarterRateTone(0.5);
    EXPECT_NEAR(ToDecibels(SamplePeak(tone)), ToDecibels(0.5) - 3.01, 0.01);
    EXPECT_NEAR(ToDecibels(TruePeak(tone)), ToDecibels(0.5), 0.1);
    const StereoBuffer noise = BurstyNoise(1.0);
    EXPECT_GE(TruePeak(noise), SamplePeak(noise));
}

TEST(PeakLimiter, NothingExceedsTheCeilingOnOrBetweenSamples)
{
    for (StereoBuffer audio : {BurstyNoise(2.0), QuarterRateTone(1.0)}) {
        LimitPeaks(audio, LimiterSettings{.ceiling = 0.5});
        EXPECT_LE(SamplePeak(audio), 0.5 + 1e-6);
        EXPECT_LE(TruePeak(audio), 0.5 * 1.01);
    }
}

TEST(PeakLimiter, LeavesAudioUnderTheCeilingUntouched)
{
    const StereoBuffer quiet = BurstyNoise(1.0);
    ASSERT_LT(TruePeak(quiet), 1.5);
    StereoBuffer limited = quiet;
    LimitPeaks(limited, LimiterSettings{.ceiling = 1.5});
    EXPECT_EQ(limited.left, quiet.left);
    EXPECT_EQ(limited.right, quiet.right);
}

TEST(PeakLimiter, TurnsDownAheadOfAPeakAndComesBackGradually)
{
    StereoBuffer audio(kMusicSampleRate, kMusicSampleRate);
    std::fill(audio.left.begin(), audio.left.end(), 0.25f);
    std::fill(audio.right.begin(), audio.right.end(), 0.25f);
    audio.left[24000] = 1.0f;
    LimitPeaks(audio, LimiterSettings{.ceiling = 0.5, .lookAheadSeconds = 0.004, .releaseSeconds = 0.05});
    EXPECT_FLOAT_EQ(audio.left[24000], 0.5f);
    EXPECT_FLOAT_EQ(audio.right[23000], 0.25f) << "well before the peak";
    EXPECT_LT(audio.right[23999], 0.2f) << "already down just before the peak";
    EXPECT_GT(audio.right[23950], audio.right[23990]) << "a ramp, not a step";
    EXPECT_LT(audio.right[24000 + 2400], 0.25f) << "50 ms later, still recovering";
    EXPECT_NEAR(audio.right[24000 + 24000 - 1], 0.25f, 1e-3f);
}

TEST(Mastering, ReachesTheTargetLoudnessWithPeaksUnderTheCeiling)
{
    const StereoBuffer mix = BurstyNoise(10.0);
    const StereoBuffer mastered = Master(mix, MasteringTarget{.loudness = -14.0, .peakCeiling = -2.0});
    EXPECT_NEAR(IntegratedLoudness(mastered), -14.0, 0.1);
    EXPECT_LE(ToDecibels(TruePeak(mastered)), -2.0 + 0.1);
}

}  // namespace
