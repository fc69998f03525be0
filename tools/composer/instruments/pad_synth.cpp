#include "instruments/pad_synth.h"

#include <array>

#include "instruments/voice_output.h"
#include "score/pitch.h"
#include "synthesis/envelope.h"
#include "synthesis/oscillators.h"

namespace {

constexpr EnvelopeShape kPadShape{0.35, 1.2, 0.8, 0.45};

struct DetunedVoice {
    double cents;
    double pan;
};
constexpr std::array<DetunedVoice, 4> kVoices{{{-13.0, -0.85}, {-4.0, -0.3}, {4.0, 0.3}, {13.0, 0.85}}};

}  // namespace

void PlayPadNote(StereoBuffer& stem, const NoteEvent& note)
{
    Envelope envelope(kPadShape, NoteSeconds(note), stem.sampleRate);
    std::vector<SawOscillator> saws;
    std::vector<PanGains> pans;
    for (std::size_t v = 0; v < kVoices.size(); ++v) {
        const double startPhase = static_cast<double>((note.pitch * 5 + static_cast<int>(v) * 3) % 11) / 11.0;
        saws.emplace_back(PitchToFrequency(note.pitch + kVoices[v].cents / 100.0), stem.sampleRate, startPhase);
        pans.push_back(EqualPowerPan(kVoices[v].pan));
    }
    const std::size_t start = NoteStartFrame(note);
    for (std::size_t i = 0; i < envelope.LengthFrames(); ++i) {
        const float amplitude = envelope.Next() * note.velocity;
        float left = 0.0f;
        float right = 0.0f;
        for (std::size_t v = 0; v < saws.size(); ++v) {
            const float sample = saws[v].Next();
            left += sample * pans[v].left;
            right += sample * pans[v].right;
        }
        AddStereo(stem, start + i, amplitude * left, amplitude * right);
    }
}
