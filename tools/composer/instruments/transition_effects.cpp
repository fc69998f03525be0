#include "instruments/transition_effects.h"

#include <algorithm>
#include <cmath>

#include "instruments/swept_hit.h"
#include "instruments/voice_output.h"
#include "synthesis/filters.h"
#include "synthesis/noise.h"

namespace {

enum EffectSeed : std::uint32_t { kRiserSeed = 11, kReverseCymbalSeed, kImpactSeed };

constexpr double kEndFadeSeconds = 0.006;

// 0 at the start of a swell, 1 at its end, then a short fade to silence.
double SwellPosition(double t, double length) { return std::clamp(t / length, 0.0, 1.0); }
double EndFade(double t, double length) { return std::clamp((length - t) / kEndFadeSeconds, 0.0, 1.0); }

// One frame of a swell, both channels.
struct StereoFrame {
    float left;
    float right;
};

// Writes a swell over its note's length. frameAt(frame, position, fade) gives
// each frame from its position in the swell and the end fade to apply last.
template <typename FrameAt>
void WriteSwell(StereoBuffer& stem, const NoteEvent& note, FrameAt frameAt)
{
    const double rate = stem.sampleRate;
    const double length = NoteSeconds(note);
    const std::size_t start = NoteStartFrame(note);
    for (std::size_t i = 0; i < SecondsToFrames(length, stem); ++i) {
        const double t = static_cast<double>(i) / rate;
        const StereoFrame frame = frameAt(i, SwellPosition(t, length), EndFade(t, length));
        AddStereo(stem, start + i, frame.left, frame.right);
    }
}

}  // namespace

void PlayRiser(StereoBuffer& stem, const NoteEvent& note)
{
    FilteredStereoNoise noise(kRiserSeed, note.row, 300.0, 300.0, 1.8, stem.sampleRate);
    WriteSwell(stem, note, [&](std::size_t frame, double position, double fade) {
        if (frame % 32 == 0) {
            const double cutoff = 250.0 * std::pow(40.0, position);  // 250 Hz up to 10 kHz
            noise.Tune(cutoff, cutoff * 1.06, 1.8);
        }
        const double amplitude = note.velocity * position * position * fade;
        const FilteredStereoNoise::Outputs band = noise.Next();
        return StereoFrame{static_cast<float>(amplitude * band.left.bandPass),
                           static_cast<float>(amplitude * band.right.bandPass)};
    });
}

void PlayReverseCymbal(StereoBuffer& stem, const NoteEvent& note)
{
    FilteredStereoNoise noise(kReverseCymbalSeed, note.row, 4200.0, 4200.0, 0.7, stem.sampleRate);
    WriteSwell(stem, note, [&](std::size_t, double position, double fade) {
        // A cymbal's decay played backwards: it grows exponentially toward the cut.
        const double amplitude = note.velocity * std::exp(5.0 * (position - 1.0)) * position * fade;
        const FilteredStereoNoise::Outputs filtered = noise.Next();
        return StereoFrame{static_cast<float>(amplitude * filtered.left.highPass),
                           static_cast<float>(amplitude * filtered.right.highPass)};
    });
}

void PlayImpact(StereoBuffer& stem, const NoteEvent& hit)
{
    constexpr double kLength = 2.2;
    PlaySweptHit(
        stem, hit, {kImpactSeed, kLength, 400.0}, [](double t) { return 32.0 + 50.0 * std::exp(-t / 0.25); },
        [](double t, double body, double noise) {
            const double rise = std::min(1.0, t / 0.002);
            const double taper = std::clamp((kLength - t) / 0.3, 0.0, 1.0);
            return rise * taper * (body * std::exp(-t / 0.55) + 0.8 * noise * std::exp(-t / 0.08));
        });
}
