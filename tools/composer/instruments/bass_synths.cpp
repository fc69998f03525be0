#include "instruments/bass_synths.h"

#include <cmath>

#include "instruments/voice_output.h"
#include "score/pitch.h"
#include "synthesis/envelope.h"
#include "synthesis/oscillators.h"

namespace {

constexpr EnvelopeShape kSubShape{0.004, 1.0, 1.0, 0.025};
constexpr EnvelopeShape kReeseShape{0.006, 0.5, 0.85, 0.04};
constexpr double kReeseDetuneSemitones = 0.14;

}  // namespace

void PlaySubBassNote(StereoBuffer& stem, const NoteEvent& note)
{
    Envelope envelope(kSubShape, NoteSeconds(note), stem.sampleRate);
    SineOscillator sine(PitchToFrequency(note.pitch), stem.sampleRate);
    const PanGains centre = EqualPowerPan(0.0);
    const std::size_t start = NoteStartFrame(note);
    for (std::size_t i = 0; i < envelope.LengthFrames(); ++i) {
        const double saturated = std::tanh(2.4 * sine.Next()) / std::tanh(2.4);
        AddPanned(stem, start + i, static_cast<float>(saturated * envelope.Next() * note.velocity), centre);
    }
}

void PlayReeseBassNote(StereoBuffer& stem, const NoteEvent& note)
{
    Envelope envelope(kReeseShape, NoteSeconds(note), stem.sampleRate);
    // Each note starts its saws at phases of its own: the beating between them
    // moves differently from note to note.
    const double phaseOffset = static_cast<double>(note.row % 7) / 7.0;
    SawOscillator low(PitchToFrequency(note.pitch - kReeseDetuneSemitones), stem.sampleRate, phaseOffset);
    SawOscillator high(PitchToFrequency(note.pitch + kReeseDetuneSemitones), stem.sampleRate, 0.5 - phaseOffset);
    SawOscillator centre(PitchToFrequency(note.pitch), stem.sampleRate, 0.25);
    const std::size_t start = NoteStartFrame(note);
    for (std::size_t i = 0; i < envelope.LengthFrames(); ++i) {
        const double amplitude = envelope.Next() * note.velocity;
        const double middle = 0.5 * centre.Next();
        AddStereo(stem, start + i, static_cast<float>(amplitude * (low.Next() + middle)),
                  static_cast<float>(amplitude * (high.Next() + middle)));
    }
}
