#include "instruments/lead_synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "instruments/voice_output.h"
#include "score/pitch.h"
#include "synthesis/envelope.h"
#include "synthesis/filters.h"
#include "synthesis/oscillators.h"

namespace {

constexpr EnvelopeShape kLeadShape{0.008, 0.35, 0.72, 0.12};
constexpr double kDetuneSemitones = 0.07;
constexpr double kVibratoHertz = 5.2;
constexpr double kVibratoSemitones = 0.18;
constexpr double kVibratoDelaySeconds = 0.18;
constexpr int kUpdateFrames = 16;

}  // namespace

void PlayLeadNote(StereoBuffer& stem, const NoteEvent& note)
{
    const double rate = stem.sampleRate;
    Envelope envelope(kLeadShape, NoteSeconds(note), rate);
    SawOscillator left(0.0, rate, 0.1);
    SawOscillator right(0.0, rate, 0.6);
    SquareOscillator below(0.0, rate);
    StateVariableFilter leftFilter(1000.0, 0.9, rate);
    StateVariableFilter rightFilter(1000.0, 0.9, rate);
    const std::size_t start = NoteStartFrame(note);
    for (std::size_t i = 0; i < envelope.LengthFrames(); ++i) {
        if (i % kUpdateFrames == 0) {
            const double t = static_cast<double>(i) / rate;
            const double vibratoDepth = kVibratoSemitones * std::clamp((t - kVibratoDelaySeconds) / 0.25, 0.0, 1.0);
            const double pitch = note.pitch + vibratoDepth * std::sin(2.0 * std::numbers::pi * kVibratoHertz * t);
            left.SetFrequency(PitchToFrequency(pitch - kDetuneSemitones));
            right.SetFrequency(PitchToFrequency(pitch + kDetuneSemitones));
            below.SetFrequency(PitchToFrequency(pitch - 12.0));
            const double cutoff = 2600.0 + 5000.0 * std::exp(-t / 0.3);
            leftFilter.Tune(cutoff, 0.9);
            rightFilter.Tune(cutoff, 0.9);
        }
        const float amplitude = envelope.Next() * note.velocity;
        const float square = 0.3f * below.Next();
        const float a = leftFilter.Process(left.Next() + square).lowPass;
        const float b = rightFilter.Process(right.Next() + square).lowPass;
        // Mostly in the centre, with the detuned saws leaning apart a little.
        AddStereo(stem, start + i, amplitude * (0.7f * a + 0.3f * b), amplitude * (0.3f * a + 0.7f * b));
    }
}
