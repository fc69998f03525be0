#include "instruments/keys_synth.h"

#include <cmath>
#include <numbers>

#include "instruments/voice_output.h"
#include "score/pitch.h"
#include "synthesis/envelope.h"

namespace {

constexpr EnvelopeShape kKeysShape{0.003, 0.9, 0.25, 0.35};
constexpr double kSpreadSemitones = 0.04;

}  // namespace

void PlayKeysNote(StereoBuffer& stem, const NoteEvent& note)
{
    constexpr double kTwoPi = 2.0 * std::numbers::pi;
    const double rate = stem.sampleRate;
    Envelope envelope(kKeysShape, NoteSeconds(note), rate);
    const double leftStep = PitchToFrequency(note.pitch - kSpreadSemitones) / rate;
    const double rightStep = PitchToFrequency(note.pitch + kSpreadSemitones) / rate;
    double leftPhase = 0.0;
    double rightPhase = 0.0;
    const std::size_t start = NoteStartFrame(note);
    for (std::size_t i = 0; i < envelope.LengthFrames(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double depth = 0.5 + 1.6 * std::exp(-t / 0.3);
        const double left = std::sin(kTwoPi * leftPhase + depth * std::sin(kTwoPi * leftPhase));
        const double right = std::sin(kTwoPi * rightPhase + depth * std::sin(kTwoPi * rightPhase));
        leftPhase += leftStep;
        rightPhase += rightStep;
        leftPhase -= std::floor(leftPhase);
        rightPhase -= std::floor(rightPhase);
        const double amplitude = envelope.Next() * note.velocity;
        AddStereo(stem, start + i, static_cast<float>(amplitude * left), static_cast<float>(amplitude * right));
    }
}
