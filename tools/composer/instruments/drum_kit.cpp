#include "instruments/drum_kit.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "instruments/swept_hit.h"
#include "instruments/voice_output.h"
#include "synthesis/filters.h"
#include "synthesis/noise.h"

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Seeds that keep each drum's noise apart from the others'.
enum DrumSeed : std::uint32_t { kKickSeed = 1, kSnareSeed, kClosedHatSeed, kOpenHatSeed, kCrashSeed };

// Amplitude of a hit that decays with a time constant, after an attack short
// enough to sound instant yet long enough not to click, and with a linear
// taper over the last tenth of its length.
double HitEnvelope(double t, double attack, double decay, double length)
{
    const double rise = std::min(1.0, t / attack);
    const double taper = std::min(1.0, (length - t) / (0.1 * length));
    return rise * std::exp(-t / decay) * std::max(0.0, taper);
}

void PlayHat(StereoBuffer& stem, const NoteEvent& hit, std::uint32_t seed, double decay, double length)
{
    const double rate = stem.sampleRate;
    WhiteNoise noise(EventSeed(seed, hit.row));
    StateVariableFilter highPass(7200.0, 0.9, rate);
    OnePoleLowPass air(16000.0, rate);
    // Off-beat hats lean right, on-beat ones left: a little movement across the stereo field.
    const PanGains pan = EqualPowerPan(hit.row % 4 == 0 ? -0.25 : 0.25);
    // A little variation in level, so that a row of hats does not sound like a machine.
    const double humanised = hit.velocity * (0.92 + 0.08 * noise.Next());
    const std::size_t start = NoteStartFrame(hit);
    for (std::size_t i = 0; i < SecondsToFrames(length, stem); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double sample = air.Process(highPass.Process(noise.Next()).highPass) * HitEnvelope(t, 0.0005, decay, length);
        AddPanned(stem, start + i, static_cast<float>(sample * humanised), pan);
    }
}

}  // namespace

void PlayKick(StereoBuffer& stem, const NoteEvent& hit)
{
    constexpr double kLength = 0.36;
    PlaySweptHit(
        stem, hit, {kKickSeed, kLength, 7000.0},
        [](double t) { return 47.0 + 105.0 * std::exp(-t / 0.032) + 260.0 * std::exp(-t / 0.0035); },
        [](double t, double body, double noise) {
            // A tight body, driven so that its harmonics carry it on speakers without lows.
            const double shaped = body * HitEnvelope(t, 0.0006, 0.1, kLength);
            const double click = noise * HitEnvelope(t, 0.0004, 0.003, kLength);
            return std::tanh(2.4 * (shaped + 0.8 * click)) / std::tanh(2.4);
        });
}

void PlaySnare(StereoBuffer& stem, const NoteEvent& hit)
{
    constexpr double kLength = 0.5;
    const double rate = stem.sampleRate;
    FilteredStereoNoise noise(kSnareSeed, hit.row, 2400.0, 2600.0, 0.55, rate);
    OnePoleLowPass leftCrackTone(9000.0, rate);
    OnePoleLowPass rightCrackTone(9000.0, rate);
    const std::size_t start = NoteStartFrame(hit);
    double lowPhase = 0.0;
    double highPhase = 0.0;
    for (std::size_t i = 0; i < SecondsToFrames(kLength, stem); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double bend = 1.0 + 0.35 * std::exp(-t / 0.012);
        const double body = 0.34 * std::sin(kTwoPi * lowPhase) * HitEnvelope(t, 0.0008, 0.055, kLength) +
                            0.25 * std::sin(kTwoPi * highPhase) * HitEnvelope(t, 0.0008, 0.03, kLength);
        lowPhase += 185.0 * bend / rate;
        highPhase += 330.0 * bend / rate;
        const double rattle = HitEnvelope(t, 0.001, 0.13, kLength);
        // The crack: the noise above the rattle's band, in a burst of a few milliseconds.
        const double crack = 0.9 * HitEnvelope(t, 0.0005, 0.01, kLength);
        const FilteredStereoNoise::Outputs band = noise.Next();
        const double left =
            body + 0.75 * rattle * band.left.bandPass + crack * leftCrackTone.Process(band.left.highPass);
        const double right =
            body + 0.75 * rattle * band.right.bandPass + crack * rightCrackTone.Process(band.right.highPass);
        const double drive = 1.4 * hit.velocity;
        AddStereo(stem, start + i, static_cast<float>(std::tanh(drive * left) / std::tanh(1.4)),
                  static_cast<float>(std::tanh(drive * right) / std::tanh(1.4)));
    }
}

void PlayClosedHat(StereoBuffer& stem, const NoteEvent& hit) { PlayHat(stem, hit, kClosedHatSeed, 0.028, 0.14); }

void PlayOpenHat(StereoBuffer& stem, const NoteEvent& hit) { PlayHat(stem, hit, kOpenHatSeed, 0.16, 0.7); }

void PlayCrash(StereoBuffer& stem, const NoteEvent& hit)
{
    constexpr double kLength = 3.6;
    const double rate = stem.sampleRate;
    FilteredStereoNoise noise(kCrashSeed, hit.row, 3800.0, 3800.0, 0.7, rate);
    OnePoleLowPass leftAir(16000.0, rate);
    OnePoleLowPass rightAir(16000.0, rate);
    const std::size_t start = NoteStartFrame(hit);
    for (std::size_t i = 0; i < SecondsToFrames(kLength, stem); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double amplitude = hit.velocity * HitEnvelope(t, 0.002, 0.75, kLength);
        const FilteredStereoNoise::Outputs filtered = noise.Next();
        const double left = leftAir.Process(filtered.left.highPass);
        const double right = rightAir.Process(filtered.right.highPass);
        AddStereo(stem, start + i, static_cast<float>(left * amplitude), static_cast<float>(right * amplitude));
    }
}
