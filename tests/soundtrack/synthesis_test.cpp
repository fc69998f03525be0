// The building blocks of every instrument: band-limited oscillators, the note
// envelope and the filters.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "mastering/loudness_meter.h"
#include "music_format.h"
#include "synthesis/envelope.h"
#include "synthesis/filters.h"
#include "synthesis/oscillators.h"
#include "tone_probe.h"

namespace {

// A second of samples.
constexpr std::size_t kSecond = kMusicSampleRate;

template <typename Oscillator>
std::vector<float> Render(Oscillator& oscillator, std::size_t frames)
{
    std::vector<float> out(frames);
    for (float& sample : out) sample = oscillator.Next();
    return out;
}

std::vector<float> NaiveSawSamples(double frequency, std::size_t frames)
{
    std::vector<float> out(frames);
    double phase = 0.0;
    for (float& sample : out) {
        sample = NaiveSaw(phase);
        phase += frequency / kMusicSampleRate;
        phase -= std::floor(phase);
    }
    return out;
}

std::vector<float> SineSamples(double frequency, double amplitude, std::size_t frames)
{
    std::vector<float> out(frames);
    for (std::size_t i = 0; i < frames; ++i)
        out[i] = static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * frequency * static_cast<double>(i) / kMusicSampleRate));
    return out;
}

// A 3100 Hz saw: its 15th and 16th harmonics (46.5 and 49.6 kHz) fold back to
// 1500 and 1600 Hz, and its 14th (43.4 kHz) to 4600 Hz, right where the ear
// is most sensitive.
constexpr double kHighNote = 3100.0;
constexpr double kAliases[] = {1500.0, 1600.0, 4600.0};

TEST(BandLimitedOscillators, SawKeepsFoldedHarmonicsFarBelowTheNaiveSaw)
{
    SawOscillator saw(kHighNote, kMusicSampleRate);
    const std::vector<float> corrected = Render(saw, kSecond);
    const std::vector<float> naive = NaiveSawSamples(kHighNote, kSecond);
    const double fundamental = ToneAmplitude(corrected, kHighNote, kMusicSampleRate);
    for (const double alias : kAliases) {
        const double correctedAlias = ToDecibels(ToneAmplitude(corrected, alias, kMusicSampleRate) / fundamental);
        const double naiveAlias = ToDecibels(ToneAmplitude(naive, alias, kMusicSampleRate) / fundamental);
        EXPECT_LT(correctedAlias, -45.0) << "alias at " << alias << " Hz";
        EXPECT_LT(correctedAlias, naiveAlias - 15.0) << "alias at " << alias << " Hz";
    }
}

TEST(BandLimitedOscillators, SquareKeepsFoldedHarmonicsQuiet)
{
    SquareOscillator square(kHighNote, kMusicSampleRate);
    const std::vector<float> samples = Render(square, kSecond);
    const double fundamental = ToneAmplitude(samples, kHighNote, kMusicSampleRate);
    // The 15th harmonic is odd, so a square has it: it folds to 1500 Hz.
    EXPECT_LT(ToDecibels(ToneAmplitude(samples, 1500.0, kMusicSampleRate) / fundamental), -45.0);
}

TEST(BandLimitedOscillators, SawAndSquarePlayTheirFrequencyAtFullScale)
{
    SawOscillator saw(440.0, kMusicSampleRate);
    SquareOscillator square(440.0, kMusicSampleRate);
    const std::vector<float> sawSamples = Render(saw, kSecond);
    const std::vector<float> squareSamples = Render(square, kSecond);
    // Fourier amplitudes of the fundamental: 2/pi for a saw, 4/pi for a square.
    EXPECT_NEAR(ToneAmplitude(sawSamples, 440.0, kMusicSampleRate), 2.0 / std::numbers::pi, 0.01);
    EXPECT_NEAR(ToneAmplitude(squareSamples, 440.0, kMusicSampleRate), 4.0 / std::numbers::pi, 0.01);
    EXPECT_LT(ToneAmplitude(sawSamples, 445.0, kMusicSampleRate), 0.01) << "the saw is out of tune";
    EXPECT_LE(*std::max_element(sawSamples.begin(), sawSamples.end()), 1.1f);
    EXPECT_LE(*std::max_element(squareSamples.begin(), squareSamples.end()), 1.1f);
}

TEST(BandLimitedOscillators, SineStartsAtItsPhaseAndFollowsNewFrequencies)
{
    SineOscillator sine(1000.0, kMusicSampleRate, 0.25);
    EXPECT_NEAR(sine.Next(), 1.0f, 1e-6f) << "a quarter period in, a sine is at its crest";
    sine.SetFrequency(2000.0);
    const std::vector<float> samples = Render(sine, kSecond);
    EXPECT_NEAR(ToneAmplitude(samples, 2000.0, kMusicSampleRate), 1.0, 0.01);
}

std::vector<float> EnvelopeSamples(const EnvelopeShape& shape, double gateSeconds)
{
    Envelope envelope(shape, gateSeconds, kMusicSampleRate);
    std::vector<float> out(envelope.LengthFrames() + 100);
    for (float& level : out) level = envelope.Next();
    return out;
}

constexpr EnvelopeShape kShape{0.01, 0.1, 0.5, 0.05};

TEST(NoteEnvelope, RisesFromSilenceToFullLevelOverTheAttack)
{
    const std::vector<float> levels = EnvelopeSamples(kShape, 1.0);
    EXPECT_LT(levels[0], 0.01f);
    EXPECT_NEAR(levels[479], 1.0f, 0.01f) << "full level 10 ms in";
    EXPECT_NEAR(levels[240], 0.5f, 0.02f) << "the attack is linear";
}

TEST(NoteEnvelope, SettlesAtTheSustainLevelWhileHeld)
{
    const std::vector<float> levels = EnvelopeSamples(kShape, 1.0);
    EXPECT_NEAR(levels[static_cast<std::size_t>(0.9 * kMusicSampleRate)], 0.5f, 0.01f);
}

TEST(NoteEnvelope, EndsAtExactlyZeroWithoutAJump)
{
    for (const double gate : {0.0, 0.005, 0.3}) {
        Envelope envelope(kShape, gate, kMusicSampleRate);
        std::vector<float> levels(envelope.LengthFrames());
        for (float& level : levels) level = envelope.Next();
        EXPECT_LT(levels.back(), 1e-4f) << "gate " << gate;
        EXPECT_EQ(envelope.Next(), 0.0f) << "gate " << gate;
        float largestStep = 0.0f;
        for (std::size_t i = 1; i < levels.size(); ++i) largestStep = std::max(largestStep, std::fabs(levels[i] - levels[i - 1]));
        // The steepest part is the 10 ms attack: 1/480 per sample.
        EXPECT_LT(largestStep, 0.0025f) << "gate " << gate;
    }
}

double GainThrough(double cutoff, bool lowPass, double frequency)
{
    StateVariableFilter filter(cutoff, 0.7071, kMusicSampleRate);
    std::vector<float> out;
    for (const float x : SineSamples(frequency, 1.0, kSecond)) {
        const StateVariableFilter::Outputs y = filter.Process(x);
        out.push_back(lowPass ? y.lowPass : y.highPass);
    }
    return ToDecibels(ToneAmplitude(out, frequency, kMusicSampleRate));
}

TEST(Filters, StateVariableLowPassPassesTheLowsAndFallsTwelveDecibelsAnOctave)
{
    EXPECT_NEAR(GainThrough(1000.0, true, 100.0), 0.0, 0.1);
    EXPECT_NEAR(GainThrough(1000.0, true, 1000.0), -3.0, 0.2) << "-3 dB at the cut-off";
    EXPECT_NEAR(GainThrough(1000.0, true, 8000.0), -36.0, 2.0) << "three octaves up";
}

TEST(Filters, StateVariableHighPassMirrorsTheLowPass)
{
    EXPECT_NEAR(GainThrough(1000.0, false, 10000.0), 0.0, 0.2);
    EXPECT_NEAR(GainThrough(1000.0, false, 125.0), -36.0, 2.0);
}

TEST(Filters, OnePoleFiltersSplitAtTheirCutoff)
{
    OnePoleLowPass low(500.0, kMusicSampleRate);
    OnePoleHighPass high(500.0, kMusicSampleRate);
    std::vector<float> lows, highs;
    for (const float x : SineSamples(500.0, 1.0, kSecond)) {
        lows.push_back(low.Process(x));
        highs.push_back(high.Process(x));
    }
    EXPECT_NEAR(ToDecibels(ToneAmplitude(lows, 500.0, kMusicSampleRate)), -3.0, 0.3);
    EXPECT_NEAR(ToDecibels(ToneAmplitude(highs, 500.0, kMusicSampleRate)), -3.0, 0.3);
}

TEST(Filters, ShelvesLiftOrCutOneSideOfTheirCornerAndLeaveTheOther)
{
    struct Case {
        Biquad shelf;
        double frequency;
        double gainDecibels;
    };
    const Case cases[] = {
        {Biquad::LowShelf(200.0, -6.0, kMusicSampleRate), 30.0, -6.0},
        {Biquad::LowShelf(200.0, -6.0, kMusicSampleRate), 200.0, -3.0},
        {Biquad::LowShelf(200.0, -6.0, kMusicSampleRate), 4000.0, 0.0},
        {Biquad::HighShelf(2000.0, 4.0, kMusicSampleRate), 16000.0, 4.0},
        {Biquad::HighShelf(2000.0, 4.0, kMusicSampleRate), 2000.0, 2.0},
        {Biquad::HighShelf(2000.0, 4.0, kMusicSampleRate), 100.0, 0.0},
    };
    for (Case c : cases) {
        std::vector<float> out;
        for (const float x : SineSamples(c.frequency, 1.0, kSecond))
            out.push_back(static_cast<float>(c.shelf.Process(x)));
        EXPECT_NEAR(ToDecibels(ToneAmplitude(out, c.frequency, kMusicSampleRate)), c.gainDecibels, 0.25)
            << c.frequency << " Hz";
    }
}

}  // namespace
