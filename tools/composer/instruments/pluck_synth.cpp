#include "instruments/pluck_synth.h"

#include <cmath>

#include "instruments/voice_output.h"
#include "score/pitch.h"
#include "synthesis/envelope.h"
#include "synthesis/filters.h"
#include "synthesis/oscillators.h"

namespace {

constexpr EnvelopeShape kPluckShape{0.002, 0.16, 0.0, 0.08};
constexpr int kFilterUpdateFrames = 16;

}  // namespace

void PlayPluck(StereoBuffer& stem, const NoteEvent& note)
{
    const double rate = stem.sampleRate;
    const double frequency = PitchToFrequency(note.pitch);
    Envelope envelope(kPluckShape, NoteSeconds(note), rate);
    SawOscillator saw(frequency, rate);
    SquareOscillator square(frequency * 1.003, rate, 0.3);
    StateVariableFilter filter(frequency * 12.0, 1.1, rate);
    const PanGains pan = EqualPowerPan(note.row % 2 == 0 ? -0.35 : 0.35);
    const std::size_t start = NoteStartFrame(note);
    for (std::size_t i = 0; i < envelope.LengthFrames(); ++i) {
        if (i % kFilterUpdateFrames == 0) {
            const double t = static_cast<double>(i) / rate;
            filter.Tune(frequency * (2.0 + 14.0 * std::exp(-t / 0.09)), 1.1);
        }
        const float raw = 0.6f * saw.Next() + 0.4f * square.Next();
        AddPanned(stem, start + i, filter.Process(raw).lowPass * envelope.Next() * note.velocity, pan);
    }
}
